#include "serial_probe.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <tuple>

namespace platform {

namespace {

template <typename T>
bool ParseNumber(std::string_view text, T& value, int base = 10) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = line.find_first_not_of(' ');
    while (start != std::string_view::npos) {
        const size_t end = line.find(' ', start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        start = line.find_first_not_of(' ', end);
    }
    return fields;
}

// A lock line reads "1: FLOCK  ADVISORY  WRITE 1234 00:05:87 0 EOF" (device in hex, inode in
// decimal); a request still waiting for the lock has "->" after the number and is not a holder.
bool LineLocksFile(std::string_view line, const struct stat& file) {
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() < 6 || fields[1] == "->") return false;
    pid_t holder = 0;
    if (!ParseNumber(fields[4], holder) || holder == getpid()) return false;
    const std::string_view id = fields[5];
    const size_t first = id.find(':');
    const size_t second = id.find(':', first + 1);
    if (first == std::string_view::npos || second == std::string_view::npos) return false;
    unsigned deviceMajor = 0, deviceMinor = 0;
    unsigned long inode = 0;
    return ParseNumber(id.substr(0, first), deviceMajor, 16) &&
           ParseNumber(id.substr(first + 1, second - first - 1), deviceMinor, 16) &&
           ParseNumber(id.substr(second + 1), inode) && deviceMajor == major(file.st_dev) &&
           deviceMinor == minor(file.st_dev) && inode == file.st_ino;
}

// The process other than this one that holds a lock on the file; 0 when none does.
pid_t LockHolder(const struct stat& file) {
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line))
        if (LineLocksFile(line, file)) return static_cast<pid_t>(std::stol(std::string(SplitFields(line)[4])));
    return 0;
}

bool LockedByOtherProcess(const struct stat& file) { return LockHolder(file) != 0; }

// A process other than this one with a descriptor open on the device; 0 when none is visible.
pid_t DescriptorHolder(const struct stat& device) {
    namespace fs = std::filesystem;
    std::error_code error;
    for (const fs::directory_entry& process : fs::directory_iterator("/proc", error)) {
        pid_t pid = 0;
        if (!ParseNumber(process.path().filename().string(), pid) || pid == getpid()) continue;
        std::error_code denied;
        for (const fs::directory_entry& fd : fs::directory_iterator(process.path() / "fd", denied)) {
            struct stat target {};
            if (stat(fd.path().c_str(), &target) == 0 && S_ISCHR(target.st_mode) && target.st_rdev == device.st_rdev)
                return pid;
        }
    }
    return 0;
}

// A UART that the serial core registered but found no hardware for reports port type 0.
bool IsPhantomUart(const std::filesystem::path& sysfsDevice) {
    std::ifstream typeFile(sysfsDevice / "type");
    std::string type;
    return typeFile >> type && type == "0";
}

std::filesystem::path SysfsOf(dev_t device) {
    return "/sys/dev/char/" + std::to_string(major(device)) + ":" + std::to_string(minor(device));
}

// "ttyUSB10" -> ("ttyUSB", 10), so that numbers sort as numbers.
std::tuple<std::string, unsigned long, std::string> NaturalKey(const std::string& name) {
    const size_t digits = name.find_last_not_of("0123456789") + 1;
    unsigned long number = 0;
    ParseNumber(std::string_view(name).substr(digits), number);
    return {name.substr(0, digits), number, name};
}

}  // namespace

SerialError ProbeSerialDevice(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return SerialErrorFromErrno(errno);
    if (!S_ISCHR(info.st_mode) || IsPhantomUart(SysfsOf(info.st_rdev))) return kSerialNotFunctioning;
    if (access(path.c_str(), R_OK | W_OK) != 0) return SerialErrorFromErrno(errno);
    if (LockedByOtherProcess(info)) return kSerialInUse;
    return kSerialOk;
}

std::string DeviceHolder(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return {};
    pid_t pid = LockHolder(info);
    if (pid == 0) pid = DescriptorHolder(info);
    if (pid == 0) return {};
    std::ifstream commFile("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(commFile, name);
    return (name.empty() ? std::string("a program") : name) + " (process " + std::to_string(pid) + ")";
}

std::string StableDeviceName(const std::string& path, const SerialDeviceFolders& folders) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path device = fs::canonical(path, error);
    if (error) return path;
    for (const fs::directory_entry& link : fs::directory_iterator(fs::path(folders.dev) / "serial" / "by-id", error))
        if (std::error_code linkError; fs::canonical(link.path(), linkError) == device && !linkError)
            return link.path().string();
    return path;
}

std::vector<std::string> ListSerialDevices(const SerialDeviceFolders& folders) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folders.sysClassTty, error)) {
        // Virtual terminals and pseudo-terminals have no device behind them.
        if (!fs::exists(entry.path() / "device", error) || IsPhantomUart(entry.path())) continue;
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NaturalKey(a) < NaturalKey(b); });
    std::vector<std::string> paths;
    for (const std::string& name : names) paths.push_back((fs::path(folders.dev) / name).string());
    return paths;
}

std::vector<std::string> ListSerialDeviceChoices(const SerialDeviceFolders& folders) {
    namespace fs = std::filesystem;
    std::error_code error;
    std::vector<std::pair<fs::path, fs::path>> links;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(folders.dev) / "serial" / "by-id", error)) {
        const fs::path target = fs::canonical(entry.path(), error);
        if (!error) links.emplace_back(entry.path(), target);
    }
    std::sort(links.begin(), links.end());
    std::vector<std::string> choices;
    for (const std::string& device : ListSerialDevices(folders)) {
        const fs::path node = fs::canonical(device, error);
        for (const auto& [link, target] : links)
            if (!error && target == node) choices.push_back(link.string());
        choices.push_back(device);
    }
    return choices;
}

}  // namespace platform
