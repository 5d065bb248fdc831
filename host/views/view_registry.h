#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>

class CView;

// Views are created by class name, as the menus ask for them. A class that is not registered is
// not available yet: its menu entries stay disabled.
class CViewRegistry {
public:
    using Factory = std::function<std::unique_ptr<CView>()>;

    void Register(const std::u16string& viewClass, Factory factory);
    bool IsRegistered(const std::u16string& viewClass) const;
    // Null for an unknown class.
    std::unique_ptr<CView> Create(const std::u16string& viewClass) const;

private:
    std::map<std::u16string, Factory> factories;
};
