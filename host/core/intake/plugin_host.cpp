#include "plugin_host.h"

#include "host/core/intake/custom_root.h"
#include "platform/text.h"
#include "resources/veltro/program_resources.h"
#include "shared/protocol_object.h"
#include "shared/storage_database.h"

CPluginHost::CPluginHost() { SetProgramResources(&kProgramResources); }

CPluginHost::~CPluginHost() {
    // Every node, including those the plug-ins created, goes before the code that made it.
    roots.clear();
    customRoot.reset();
    unknownRoot.reset();
    for (const Plugin& plugin : plugins) platform::FreeSharedLibrary(plugin.module);
}

void CPluginHost::LoadPlugins(const std::string& folder, CStorageDatabase& database, uint32_t flags) {
    LoadLibraries(folder, flags);
    RegisterProtocols();
    unknownRoot = std::make_unique<CProtocolRoot>(nullptr, u"UNKNOWN", nullptr, dialog::kUnknownMessage, MASK_ORDINARY);
    customRoot = std::make_unique<CCustomRoot>();
    PopulateTrees();
    for (const auto& entry : protocols) entry->root->BindDatabase(&database);
}

void CPluginHost::LoadLibraries(const std::string& folder, uint32_t flags) {
    for (const std::string& file : platform::ListFiles(folder, ".so")) {
        platform::ModuleHandle module = platform::LoadSharedLibrary(folder + file);
        if (!module) continue;
        auto initialize = reinterpret_cast<InitializeFn>(platform::FindSymbol(module, "Initialize"));
        CProtocolObject* protocol = initialize ? initialize(flags, module) : nullptr;
        if (!protocol) {
            platform::FreeSharedLibrary(module);
            continue;
        }
        plugins.push_back({module, protocol});
    }
}

void CPluginHost::RegisterProtocols() {
    for (const Plugin& plugin : plugins) {
        const char16_t* name = plugin.protocol->GetProtocolName();
        const FrameCheckFn check = plugin.protocol->GetFrameCheck();
        if (!name || !check) continue;
        auto position = protocols.begin();
        while (position != protocols.end() && platform::WideCompare((*position)->name.c_str(), name) < 0) ++position;
        if (position != protocols.end() && (*position)->name == name) continue;  // the first plug-in keeps the name
        auto root = std::make_unique<CProtocolRoot>(check, name, plugin.module, plugin.protocol->GetRootDialogId(),
                                                    MASK_EXPERT);
        protocols.insert(position, std::make_unique<ProtocolEntry>(ProtocolEntry{name, check, root.get()}));
        roots.push_back(std::move(root));
    }
}

void CPluginHost::Configure(uint32_t mask) const {
    using ConfigureFn = void (*)(uint32_t);
    for (const Plugin& plugin : plugins)
        if (auto configure = reinterpret_cast<ConfigureFn>(platform::FindSymbol(plugin.module, "Configure")))
            configure(mask);
}

void CPluginHost::PopulateTrees() {
    for (const Plugin& plugin : plugins)
        for (const auto& entry : protocols) plugin.protocol->PopulateTree(entry->name.c_str(), entry->root);
}

CProtocolRoot* CPluginHost::RootOf(const std::u16string& protocolName) const {
    for (const auto& entry : protocols)
        if (entry->name == protocolName) return entry->root;
    return nullptr;
}

void CPluginHost::RegisterWith(CFrameSplitter& splitter) const {
    for (const auto& entry : protocols) splitter.AddProtocol(entry.get(), entry->check);
}
