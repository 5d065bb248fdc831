#include "host/views/forms/form_views.h"

#include "host/views/forms/main_form.h"
#include "host/views/view_classes.h"
#include "host/views/view_registry.h"

void RegisterFormViews(CViewRegistry& registry) {
    registry.Register(view_class::kMainFormSVInfo, [] { return std::make_unique<CMainFormSVInfo>(); });
    registry.Register(view_class::kMainFormNAVInfo, [] { return std::make_unique<CMainFormNAVInfo>(); });
}
