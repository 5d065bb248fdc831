#include "serial_errors.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <vector>

#include "platform/serial_probe.h"
#include "platform/text.h"

namespace platform {

namespace {

// The group that owns the device node, usually "dialout" (or "uucp" on some systems).
std::string OwningGroup(const std::string& devicePath) {
    struct stat info {};
    if (stat(devicePath.c_str(), &info) != 0) return "dialout";
    std::vector<char> buffer(4096);
    struct group entry {};
    struct group* found = nullptr;
    if (getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return "dialout";
    return found->gr_name;
}

}  // namespace

SerialError SerialErrorFromErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
        case ENODEV:
        case ENXIO:
            return kSerialNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return kSerialAccessDenied;
        case EBUSY:
        case EWOULDBLOCK:
            return kSerialInUse;
        default:
            return kSerialNotFunctioning;
    }
}

std::u16string DescribeSerialError(SerialError error, const std::string& devicePath) {
    const std::u16string device = Utf8ToWide(devicePath);
    switch (error) {
        case kSerialOk:
            return {};
        case kSerialNotFound:
            return device + u": not found";
        case kSerialAccessDenied: {
            const std::u16string group = Utf8ToWide(OwningGroup(devicePath));
            return device + u": access denied. Add your user to the group \"" + group + u"\" (sudo usermod -aG " +
                   group + u" $USER) and log in again.";
        }
        case kSerialInUse: {
            const std::string holder = DeviceHolder(devicePath);
            return device + u": in use by " + Utf8ToWide(holder.empty() ? "another program" : holder);
        }
        case kSerialNotFunctioning:
            break;
    }
    return device + u": device not functioning";
}

}  // namespace platform
