#pragma once
#include <cstdint>

#include "plugins/kvb/catalogue/kvb_protocol.h"

// What the host told this plug-in: set by the exports Initialize and Configure, read by the nodes.
struct KvbPluginState {
    CKvbProtocol protocol;
    // The module the host loads the nodes' pages from.
    ModuleHandle resourceInstance = nullptr;
    // Which message groups the receiver supports; gates the conditional polls. 0 until Configure.
    uint32_t capabilityMask = 0;
};

KvbPluginState& KvbPlugin();

inline bool KvbExtendedMode() { return KvbPlugin().protocol.Mode() != 0; }
