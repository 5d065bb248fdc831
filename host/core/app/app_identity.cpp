#include "app_identity.h"

#include <array>
#include <cstdio>
#include <string_view>

std::string IsoBuildDate(const std::string& compilerDate) {
    constexpr std::array<std::string_view, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char month[4] = {};
    int day = 0;
    int year = 0;
    if (std::sscanf(compilerDate.c_str(), "%3s %d %d", month, &day, &year) != 3) return compilerDate;
    for (size_t i = 0; i < kMonths.size(); ++i) {
        if (kMonths[i] != month) continue;
        char iso[16];
        std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", year, static_cast<int>(i + 1), day);
        return iso;
    }
    return compilerDate;
}
