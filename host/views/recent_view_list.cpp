#include "recent_view_list.h"

#include <algorithm>

#include "platform/profile.h"
#include "platform/text.h"

namespace {
constexpr char16_t kDataSuffix[] = u".Data";
}

CRecentViewList::CRecentViewList(size_t capacity, std::u16string section, std::u16string valueFormat)
    : entries(std::max<size_t>(capacity, 1)), section(std::move(section)), valueFormat(std::move(valueFormat)) {}

CRecentViewList CRecentViewList::Charts() { return CRecentViewList(8, u"View\\Chart\\Recent List", u"View%02d"); }

CRecentViewList CRecentViewList::Maps() { return CRecentViewList(8, u"View\\Map\\Recent List", u"View%02d"); }

std::u16string CRecentViewList::TitleKey(size_t k) const {
    return platform::FormatW(valueFormat.c_str(), static_cast<int>(k + 1));
}

void CRecentViewList::Load(const platform::CProfile& profile) {
    for (size_t k = 0; k < entries.size(); ++k) {
        Entry& entry = entries[k];
        entry.title = profile.GetString(section, TitleKey(k), u"");
        entry.block.clear();
        if (!entry.title.empty()) profile.GetBinary(section, TitleKey(k) + kDataSuffix, entry.block);
    }
}

// The profile cannot drop a whole section; the list's own values are all it ever holds.
void CRecentViewList::Save(platform::CProfile& profile) const {
    for (size_t k = 0; k < entries.size(); ++k) {
        const std::u16string key = TitleKey(k);
        profile.DeleteValue(section, key);
        profile.DeleteValue(section, key + kDataSuffix);
        const Entry& entry = entries[k];
        if (entry.title.empty()) continue;
        profile.WriteString(section, key, entry.title);
        if (!entry.block.empty()) profile.WriteBinary(section, key + kDataSuffix, entry.block);
    }
}

void CRecentViewList::Add(const std::u16string& title, const std::vector<uint8_t>& block) {
    const auto searched = entries.end() - 1;
    const auto same = std::find_if(entries.begin(), searched, [&](const Entry& e) { return e.title == title; });
    MoveToFront(static_cast<size_t>(same - entries.begin()));
    entries.front() = Entry{title, block};
}

void CRecentViewList::Promote(size_t k) {
    if (k < entries.size()) MoveToFront(k);
}

void CRecentViewList::Remove(size_t k) {
    if (k >= entries.size()) return;
    std::rotate(entries.begin() + static_cast<ptrdiff_t>(k), entries.begin() + static_cast<ptrdiff_t>(k) + 1,
                entries.end());
    entries.back() = Entry{};
}

void CRecentViewList::MoveToFront(size_t k) {
    std::rotate(entries.begin(), entries.begin() + static_cast<ptrdiff_t>(k),
                entries.begin() + static_cast<ptrdiff_t>(k) + 1);
}
