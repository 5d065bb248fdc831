#include "plugins/kvb/catalogue/kvb_plugin.h"
#include "plugins/kvb/resources/kvb_resources.h"

VELTRO_PLUGIN_EXPORT CProtocolObject* Initialize(uint32_t flags, ModuleHandle module) {
    KvbPlugin().protocol.SetMode(static_cast<uint8_t>(flags & 0xFF));
    KvbPlugin().resourceInstance = module;
    return &KvbPlugin().protocol;
}

VELTRO_PLUGIN_EXPORT void Configure(uint32_t mask) { KvbPlugin().capabilityMask = mask; }

VELTRO_PLUGIN_EXPORT const ResourceTable* Resources() { return &KvbResources(); }
