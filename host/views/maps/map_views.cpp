#include "host/views/maps/map_views.h"

#include "host/views/maps/deviation_map_view.h"
#include "host/views/maps/map_view.h"
#include "host/views/view_classes.h"
#include "host/views/view_registry.h"

void RegisterMapViews(CViewRegistry& registry) {
    registry.Register(view_class::kMapView, [] { return std::make_unique<CMapView>(); });
    registry.Register(view_class::kDeviationMapView, [] { return std::make_unique<CDeviationMapView>(); });
}
