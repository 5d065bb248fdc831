#include "dialog_template.h"

#include "platform/shared_library.h"

namespace {
const ResourceTable* programResources = nullptr;
}

const ResourceTable* ModuleResources(ModuleHandle module) {
    if (!module) return programResources;
    auto resources = reinterpret_cast<ResourcesFn>(platform::FindSymbol(module, kResourcesExport));
    return resources ? resources() : nullptr;
}

void SetProgramResources(const ResourceTable* table) { programResources = table; }

const DialogTemplate* LoadDialogTemplate(ModuleHandle module, int id) {
    const ResourceTable* table = ModuleResources(module);
    return table ? table->FindDialog(id) : nullptr;
}

const char16_t* LoadResourceString(ModuleHandle module, int id) {
    const ResourceTable* table = ModuleResources(module);
    return table ? table->FindString(id) : nullptr;
}

const BitmapResource* LoadBitmapResource(ModuleHandle module, int id) {
    const ResourceTable* table = ModuleResources(module);
    return table ? table->FindBitmap(id) : nullptr;
}
