#include "plugins/nmea/catalogue/nmea_protocol.h"
#include "plugins/nmea/resources/nmea_resources.h"

namespace {
NmeaProtocol protocol;
}

VELTRO_PLUGIN_EXPORT CProtocolObject* Initialize(uint32_t flags, ModuleHandle module) {
    protocol.SetFlags(flags);
    SetNmeaModule(module);
    return &protocol;
}

VELTRO_PLUGIN_EXPORT const ResourceTable* Resources() { return &kNmeaResources; }
