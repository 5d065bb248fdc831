#include "orbitpack_source.h"

#include "platform/profile.h"
#include "platform/text.h"

namespace {
constexpr char16_t kSection[] = u"Orbitpack";
constexpr char16_t kLinkKey[] = u"Link";
constexpr char16_t kDirKey[] = u"Dir";
constexpr char16_t kLinkPrefixKey[] = u"LinkPrefix";

// The leading number of an item's text.
int DaysOf(const std::u16string& item) {
    int days = 0;
    for (size_t k = 0; k < item.size() && item[k] >= u'0' && item[k] <= u'9'; ++k) days = days * 10 + (item[k] - u'0');
    return days;
}
}  // namespace

OrbitpackSettings LoadOrbitpackSettings(const platform::CProfile& profile) {
    OrbitpackSettings settings;
    settings.link = profile.GetString(kSection, kLinkKey, settings.link);
    settings.dir = profile.GetString(kSection, kDirKey, settings.dir);
    settings.linkPrefix = profile.GetString(kSection, kLinkPrefixKey, settings.linkPrefix);
    return settings;
}

void SaveOrbitpackSettings(platform::CProfile& profile, const OrbitpackSettings& settings) {
    profile.WriteString(kSection, kLinkKey, settings.link);
    profile.WriteString(kSection, kDirKey, settings.dir);
}

std::u16string ResolveOrbitpackSource(const std::u16string& text, const std::u16string& linkPrefix) {
    for (const char16_t* item : kOrbitpackItems)
        if (text == item) return linkPrefix + platform::FormatW(u"current_%dd.opk", DaysOf(text));
    return text;
}
