#pragma once

class CViewRegistry;

// Registers the world map, the one instrument shown alone ("World Map").
void RegisterInstrumentViews(CViewRegistry& registry);
