#include "plugins/nmea/catalogue/nmea_protocol.h"

#include "platform/text.h"
#include "plugins/nmea/catalogue/nmea_catalogue.h"
#include "plugins/nmea/framing/nmea_frame_check.h"
#include "plugins/nmea/resources/nmea_resource_ids.h"

namespace {
ModuleHandle moduleHandle = nullptr;
}  // namespace

const char16_t* NmeaProtocol::GetVersion() const { return u"3.05"; }
const char16_t* NmeaProtocol::GetName() const { return u"NMEA"; }
const char16_t* NmeaProtocol::GetProtocolName() const { return GetName(); }
FrameCheckFn NmeaProtocol::GetFrameCheck() const { return NmeaCheckFrame; }
int NmeaProtocol::GetRootDialogId() const { return nmea_page::kProtocol; }

void NmeaProtocol::PopulateTree(const char16_t* protocolName, CMessageNode* root) {
    if (protocolName && root && platform::WideCompare(protocolName, GetProtocolName()) == 0) PopulateNmeaTree(*root);
}

ModuleHandle NmeaModule() { return moduleHandle; }
void SetNmeaModule(ModuleHandle module) { moduleHandle = module; }
