#include "host/views/consoles/console_views.h"

#include "host/views/view_registry.h"

void RegisterConsoleViews(CViewRegistry&) {}
