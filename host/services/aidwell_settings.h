#pragma once
#include "host/services/aidwell_request.h"

namespace platform {
class CProfile;
}

// The ten settings of section "NetAid"; the floating-point ones are 8-byte binary values holding
// the number's bytes.

// Missing or unusable values (a binary of another size, a port outside 1 to 65535) read as their
// defaults, and the retired server name as the default server.
AidwellRequest LoadAidwellSettings(const platform::CProfile& profile);
void SaveAidwellSettings(platform::CProfile& profile, const AidwellRequest& request);
