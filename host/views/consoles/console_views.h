#pragma once

class CViewRegistry;

// Registers the packet, binary and text consoles.
void RegisterConsoleViews(CViewRegistry& registry);
