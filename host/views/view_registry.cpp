#include "view_registry.h"

#include "host/views/view.h"

void CViewRegistry::Register(const std::u16string& viewClass, Factory factory) {
    factories[viewClass] = std::move(factory);
}

bool CViewRegistry::IsRegistered(const std::u16string& viewClass) const { return factories.contains(viewClass); }

std::unique_ptr<CView> CViewRegistry::Create(const std::u16string& viewClass) const {
    const auto found = factories.find(viewClass);
    return found == factories.end() ? nullptr : found->second();
}
