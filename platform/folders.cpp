#include "folders.h"

#include <linux/magic.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>

namespace platform {

namespace {

// File systems whose files are the kernel's interfaces rather than data.
constexpr std::array<decltype(statfs::f_type), 11> kKernelFileSystems{
    PROC_SUPER_MAGIC,   SYSFS_MAGIC,         DEVPTS_SUPER_MAGIC, DEBUGFS_MAGIC, TRACEFS_MAGIC, SECURITYFS_MAGIC,
    CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC, PSTOREFS_MAGIC,     BPF_FS_MAGIC,  EFIVARFS_MAGIC};

// The device folder reports the magic of an ordinary memory file system.
bool IsInDeviceFolder(const std::string& path) { return path == "/dev" || path.rfind("/dev/", 0) == 0; }

}  // namespace

bool IsOrdinaryFolder(const std::string& path) {
    struct stat status{};
    if (path.empty() || ::stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return false;
    struct statfs system{};
    if (::statfs(path.c_str(), &system) != 0) return false;
    char resolved[PATH_MAX];
    const std::string real = ::realpath(path.c_str(), resolved) ? resolved : path;
    return std::find(kKernelFileSystems.begin(), kKernelFileSystems.end(), system.f_type) == kKernelFileSystems.end() &&
           !IsInDeviceFolder(real);
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) return user->pw_dir;
    return "/";
}

std::string DataHomeFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') return data;
    return HomeFolder() + "/.local/share";
}

}  // namespace platform
