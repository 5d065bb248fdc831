#include "aidwell_settings.h"

#include <cstring>
#include <vector>

#include "platform/profile.h"

namespace {

constexpr char16_t kSection[] = u"NetAid";
constexpr char16_t kServerKey[] = u"Server";
constexpr char16_t kPortKey[] = u"Port";
constexpr char16_t kCommandKey[] = u"Cmd";
constexpr char16_t kUserKey[] = u"User";
constexpr char16_t kPasswordKey[] = u"Password";
constexpr char16_t kResetKey[] = u"RstCmd";
constexpr char16_t kAccuracyKey[] = u"Accuracy";
constexpr char16_t kLatitudeKey[] = u"Latitude";
constexpr char16_t kLongitudeKey[] = u"Longitude";
constexpr char16_t kAltitudeKey[] = u"Altitude";

double GetDouble(const platform::CProfile& profile, const char16_t* key, double defaultValue) {
    std::vector<uint8_t> bytes;
    if (!profile.GetBinary(kSection, key, bytes) || bytes.size() != sizeof(double)) return defaultValue;
    double value = 0;
    std::memcpy(&value, bytes.data(), sizeof value);
    return value;
}

void WriteDouble(platform::CProfile& profile, const char16_t* key, double value) {
    std::vector<uint8_t> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    profile.WriteBinary(kSection, key, bytes);
}

}  // namespace

AidwellRequest LoadAidwellSettings(const platform::CProfile& profile) {
    AidwellRequest request;
    request.server = profile.GetString(kSection, kServerKey, request.server);
    if (request.server == kRetiredAidwellServer) request.server = kDefaultAidwellServer;
    const int port = profile.GetInt(kSection, kPortKey, request.port);
    if (port >= 1 && port <= UINT16_MAX) request.port = static_cast<uint16_t>(port);
    request.command = profile.GetString(kSection, kCommandKey, request.command);
    request.user = profile.GetString(kSection, kUserKey, request.user);
    request.password = profile.GetString(kSection, kPasswordKey, request.password);
    request.resetCommand = profile.GetInt(kSection, kResetKey, request.resetCommand);
    request.accuracy = GetDouble(profile, kAccuracyKey, request.accuracy);
    request.latitude = GetDouble(profile, kLatitudeKey, request.latitude);
    request.longitude = GetDouble(profile, kLongitudeKey, request.longitude);
    request.altitude = GetDouble(profile, kAltitudeKey, request.altitude);
    return request;
}

void SaveAidwellSettings(platform::CProfile& profile, const AidwellRequest& request) {
    profile.WriteString(kSection, kServerKey, request.server);
    profile.WriteInt(kSection, kPortKey, request.port);
    profile.WriteString(kSection, kCommandKey, request.command);
    profile.WriteString(kSection, kUserKey, request.user);
    profile.WriteString(kSection, kPasswordKey, request.password);
    profile.WriteInt(kSection, kResetKey, request.resetCommand);
    WriteDouble(profile, kAccuracyKey, request.accuracy);
    WriteDouble(profile, kLatitudeKey, request.latitude);
    WriteDouble(profile, kLongitudeKey, request.longitude);
    WriteDouble(profile, kAltitudeKey, request.altitude);
}
