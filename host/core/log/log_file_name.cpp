#include "log_file_name.h"

#include "platform/text.h"

std::u16string ProposeLogFileName(int port, const std::tm& localTime) {
    char stamp[32];
    if (std::strftime(stamp, sizeof stamp, "%y%m%d_%H%M%S", &localTime) == 0) stamp[0] = '\0';
    const std::string prefix = port > 0 ? platform::FormatC("COM%d", port) : "Untitled";
    return platform::AnsiToWide(prefix + "_" + stamp);
}

std::u16string ProposeLogFileName(int port) {
    const std::time_t now = std::time(nullptr);
    std::tm localTime{};
    localtime_r(&now, &localTime);
    return ProposeLogFileName(port, localTime);
}
