#pragma once
#include <cstdint>
#include <string>

// The maker's server names are the user's to set (setting "Server" of section "NetAid", or the
// dialog); these stand in for them under the reserved domain.
inline constexpr char16_t kDefaultAidwellServer[] = u"aidwell.korvala.invalid";
// A stored server of this name is replaced by the default before the dialog opens.
inline constexpr char16_t kRetiredAidwellServer[] = u"aidwell-old.korvala.invalid";
inline constexpr uint16_t kDefaultAidwellPort = 46434;

// What the Aidwell worker is asked to do, with the settings' defaults.
struct AidwellRequest {
    // 0 none, 1 cold, 2 warm, 3 hot (ResetKind); any other number is no reset.
    int32_t resetCommand = 1;
    double latitude = 90.0;
    double longitude = 0.0;
    double altitude = 0.0;
    double accuracy = 999999.0;
    std::u16string server = kDefaultAidwellServer;
    uint16_t port = kDefaultAidwellPort;
    std::u16string user{};
    std::u16string password{};
    // "full", "aid", "eph" or "alm", or whatever the user typed.
    std::u16string command = u"full";
};

// The request line, in the system code page:
// "cmd=full;user=u;pwd=p;lat=47.500000;lon=8.000000;alt=400.0;pacc=1000.00\r\n".
std::string FormatAidwellRequest(const AidwellRequest& request);
