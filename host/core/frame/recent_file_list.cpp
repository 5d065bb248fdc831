#include "recent_file_list.h"

#include <algorithm>
#include <utility>

#include "platform/profile.h"
#include "platform/text.h"

namespace {

constexpr char16_t kSection[] = u"Recent File List";

std::u16string KeyOf(size_t index) { return platform::FormatW(u"File%d", static_cast<int>(index + 1)); }

}  // namespace

void CRecentFileList::Load(const platform::CProfile& profile) {
    entries.clear();
    for (size_t i = 0; i < capacity; ++i) {
        std::string path = platform::ReadBoundedText(profile, kSection, KeyOf(i), platform::kMaxProfilePath);
        if (!path.empty()) entries.push_back(std::move(path));
    }
}

void CRecentFileList::Save(platform::CProfile& profile) const {
    for (size_t i = 0; i < capacity; ++i) {
        if (i < entries.size())
            profile.WriteString(kSection, KeyOf(i), platform::Utf8ToWide(entries[i]));
        else
            profile.DeleteValue(kSection, KeyOf(i));
    }
}

void CRecentFileList::Add(const std::string& path) {
    std::erase(entries, path);
    entries.insert(entries.begin(), path);
    if (entries.size() > capacity) entries.resize(capacity);
}

void CRecentFileList::Remove(const std::string& path) { std::erase(entries, path); }
