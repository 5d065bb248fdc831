#pragma once

class CViewRegistry;

// Registers the map view and the deviation map.
void RegisterMapViews(CViewRegistry& registry);
