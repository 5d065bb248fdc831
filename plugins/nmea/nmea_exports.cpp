#include "plugins/nmea/catalogue/nmea_protocol.h"

namespace {
NmeaProtocol protocol;
}

VELTRO_PLUGIN_EXPORT CProtocolObject* Initialize(uint32_t flags, ModuleHandle module) {
    protocol.SetFlags(flags);
    SetNmeaModule(module);
    return &protocol;
}
