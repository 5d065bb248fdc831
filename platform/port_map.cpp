#include "port_map.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>

#include "platform/profile.h"
#include "platform/text.h"

namespace platform {

namespace {

// Links such as /dev/serial/by-id/… name the same device as the node they point to.
std::string Resolved(const std::string& path) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target.string();
}

std::u16string MappingKey(int n) { return FormatW(u"COM%d", n); }

}  // namespace

CPortMap::CPortMap(const CProfile& profile, SerialDeviceFolders folders)
    : profile(profile), folders(std::move(folders)) {}

std::string CPortMap::MappedPath(int n) const {
    if (!thisRun[n].empty()) return thisRun[n];
    const std::u16string key = MappingKey(n);
    const std::optional<std::string> path = GetBoundedText(profile, u"Ports", key, kMaxProfilePath);
    if (!path && !std::exchange(tooLongReported[n], true)) ReportTooLong(u"Ports", key, kMaxProfilePath);
    return path.value_or("");
}

bool CPortMap::IsMapped(const std::string& device) const {
    for (int n = 1; n <= kMaxPort; ++n) {
        const std::string mapped = MappedPath(n);
        if (!mapped.empty() && Resolved(mapped) == device) return true;
    }
    return false;
}

// The lowest number neither mapped nor given out; else the lowest one whose device is absent.
int CPortMap::FreeNumber(const std::vector<std::string>& present) const {
    for (int n = 1; n <= kMaxPort; ++n)
        if (MappedPath(n).empty() && assigned[n].empty()) return n;
    for (int n = 1; n <= kMaxPort; ++n)
        if (MappedPath(n).empty() && std::find(present.begin(), present.end(), assigned[n]) == present.end()) return n;
    return 0;
}

std::string CPortMap::Mapping(int n) const {
    if (n < 1 || n > kMaxPort) return {};
    return ReadBoundedText(profile, u"Ports", MappingKey(n), kMaxProfilePath);
}

void CPortMap::WriteMapping(CProfile& profile, int n, const std::string& device) {
    if (n < 1 || n > kMaxPort) return;
    if (device.empty())
        profile.DeleteValue(u"Ports", MappingKey(n));
    else
        profile.WriteString(u"Ports", MappingKey(n), Utf8ToWide(device));
}

void CPortMap::ForgetRemapped() {
    for (int n = 1; n <= kMaxPort; ++n)
        if (!assigned[n].empty() && (!MappedPath(n).empty() || IsMapped(assigned[n]))) assigned[n].clear();
}

void CPortMap::AssignNewDevices() {
    ForgetRemapped();
    const std::vector<std::string> present = ListSerialDevices(folders);
    for (const std::string& device : present) {
        if (std::find(assigned.begin(), assigned.end(), device) != assigned.end() || IsMapped(device)) continue;
        const int n = FreeNumber(present);
        if (n == 0) return;
        assigned[n] = device;
    }
}

std::string CPortMap::DevicePath(int n) {
    if (n < 1 || n > kMaxPort) return {};
    std::string mapped = MappedPath(n);
    if (!mapped.empty()) return mapped;
    AssignNewDevices();
    return assigned[n];
}

void CPortMap::UseForThisRun(int n, const std::string& device) {
    if (n >= 1 && n <= kMaxPort) thisRun[n] = device;
}

}  // namespace platform
