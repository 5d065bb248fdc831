// A library that looks like a plug-in but declines to be one.
#include "shared/protocol_object.h"

VELTRO_PLUGIN_EXPORT CProtocolObject* Initialize(uint32_t, ModuleHandle) { return nullptr; }
