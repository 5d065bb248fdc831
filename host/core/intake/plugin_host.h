#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/core/intake/frame_splitter.h"
#include "host/core/intake/protocol_root.h"
#include "platform/shared_library.h"

class CProtocolObject;
class CStorageDatabase;

// Finds the protocol plug-ins (*.so) in a folder, loads them, registers each distinct protocol
// name once (the first plug-in keeps it) with a root for its message tree, lets every plug-in
// populate every tree, and unloads them only after all nodes are gone.
class CPluginHost {
public:
    struct Plugin {
        platform::ModuleHandle module;
        CProtocolObject* protocol;
    };

    CPluginHost();
    ~CPluginHost();
    CPluginHost(const CPluginHost&) = delete;
    CPluginHost& operator=(const CPluginHost&) = delete;

    // folder ends with '/'. Binds every protocol root to the database.
    // flags go to every plug-in's Initialize.
    void LoadPlugins(const std::string& folder, CStorageDatabase& database, uint32_t flags = 0);

    const std::vector<Plugin>& Plugins() const { return plugins; }
    // Sorted by name, ascending.
    const std::vector<std::unique_ptr<ProtocolEntry>>& Protocols() const { return protocols; }
    CProtocolRoot& UnknownRoot() { return *unknownRoot; }
    CProtocolRoot& CustomRoot() { return *customRoot; }
    CProtocolRoot* RootOf(const std::u16string& protocolName) const;

    // Registers every protocol's recogniser with a splitter, in name order.
    void RegisterWith(CFrameSplitter& splitter) const;
    // Tells every plug-in that exports Configure which message groups are enabled, so that
    // their conditional polls follow MessageMask.
    void Configure(uint32_t mask) const;

private:
    void LoadLibraries(const std::string& folder, uint32_t flags);
    void RegisterProtocols();
    void PopulateTrees();

    std::vector<Plugin> plugins;
    std::vector<std::unique_ptr<ProtocolEntry>> protocols;
    std::vector<std::unique_ptr<CProtocolRoot>> roots;
    std::unique_ptr<CProtocolRoot> unknownRoot;
    std::unique_ptr<CProtocolRoot> customRoot;
};
