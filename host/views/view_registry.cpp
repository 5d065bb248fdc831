#include "view_registry.h"

#include "host/views/consoles/console_views.h"
#include "host/views/forms/form_views.h"
#include "host/views/placeholder_view.h"
#include "host/views/view_classes.h"

void CViewRegistry::Register(const std::u16string& viewClass, Factory factory) {
    factories[viewClass] = std::move(factory);
}

bool CViewRegistry::IsRegistered(const std::u16string& viewClass) const { return factories.contains(viewClass); }

std::unique_ptr<CView> CViewRegistry::Create(const std::u16string& viewClass) const {
    const auto found = factories.find(viewClass);
    return found == factories.end() ? nullptr : found->second();
}

CViewRegistry CViewRegistry::Standard() {
    CViewRegistry registry;
    registry.Register(view_class::kPlaceholder, [] { return std::make_unique<CPlaceholderView>(); });
    RegisterFormViews(registry);
    RegisterConsoleViews(registry);
    return registry;
}
