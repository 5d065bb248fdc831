#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class CProfile;
}

// The last view setups of one kind (chart views, map views), newest first, each a title and the
// view's state block. Kept in a section of its own: "View01" holds the first title, "View01.Data"
// its block.
class CRecentViewList {
public:
    struct Entry {
        // Empty: the position holds no entry.
        std::u16string title;
        std::vector<uint8_t> block;
    };

    CRecentViewList(size_t capacity, std::u16string section, std::u16string valueFormat);

    void Load(const platform::CProfile& profile);
    void Save(platform::CProfile& profile) const;

    // An entry of the same title moves to the front with the new block; otherwise the last drops.
    void Add(const std::u16string& title, const std::vector<uint8_t>& block);
    void Promote(size_t k);
    void Remove(size_t k);

    size_t Capacity() const { return entries.size(); }
    bool IsEmpty() const { return entries.front().title.empty(); }
    const Entry& At(size_t k) const { return entries.at(k); }

    // The chart views' and the map views' lists, 8 entries each.
    static CRecentViewList Charts();
    static CRecentViewList Maps();

private:
    std::u16string TitleKey(size_t k) const;
    // Moves entry k to the front, the entries before it one place down.
    void MoveToFront(size_t k);

    std::vector<Entry> entries;
    std::u16string section;
    std::u16string valueFormat;
};
