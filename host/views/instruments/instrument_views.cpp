#include "host/views/instruments/instrument_views.h"

#include "host/views/instruments/world_view.h"
#include "host/views/view_classes.h"
#include "host/views/view_registry.h"

void RegisterInstrumentViews(CViewRegistry& registry) {
    registry.Register(view_class::kWorldView, [] { return std::make_unique<CWorldView>(); });
}
