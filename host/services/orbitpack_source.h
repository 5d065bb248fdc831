#pragma once
#include <array>
#include <string>

namespace platform {
class CProfile;
}

// Where an Orbitpack file comes from: one of the maker's downloads (an item of the source
// prompt's list), a link of the user's own, or a file.

// The source prompt's list, in its order.
inline constexpr std::array<const char16_t*, 5> kOrbitpackItems = {
    u"1 Day Orbitpack", u"3 Days Orbitpack", u"5 Days Orbitpack", u"7 Days Orbitpack", u"10 Days Orbitpack"};

// The maker's download folder is the user's to set (setting "LinkPrefix" of section
// "Orbitpack"); this stands in for it under the reserved domain. The file name follows it.
inline constexpr char16_t kDefaultOrbitpackLinkPrefix[] = u"http://orbitpack.korvala.invalid/orbitpack/";

// Section "Orbitpack": the source as last entered ("Link"), the file last browsed to ("Dir"),
// and the download folder of the list's items ("LinkPrefix").
struct OrbitpackSettings {
    std::u16string link;
    std::u16string dir;
    std::u16string linkPrefix = kDefaultOrbitpackLinkPrefix;
};

OrbitpackSettings LoadOrbitpackSettings(const platform::CProfile& profile);
// "Link" and "Dir"; the prefix is only ever read, so that the default stays the default.
void SaveOrbitpackSettings(platform::CProfile& profile, const OrbitpackSettings& settings);

// An item of the list is the download for its number of days, prefix + "current_7d.opk"; any
// other text is the source as it stands, a link when it begins with "http://" and else a file.
std::u16string ResolveOrbitpackSource(const std::u16string& text, const std::u16string& linkPrefix);
