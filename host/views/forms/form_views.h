#pragma once

class CViewRegistry;

// Registers the data view's summary forms: the SV summary (the start-up view) and the NAV summary.
void RegisterFormViews(CViewRegistry& registry);
