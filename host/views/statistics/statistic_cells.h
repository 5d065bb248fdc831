#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CStorage;
class CStorageDatabase;

// What the statistic view shows, without widgets: its ten columns, its rows, each cell's text,
// and its 88-byte state block.

inline constexpr int kStatisticColumns = 10;

struct StatisticColumn {
    const char16_t* heading;
    // Pixels at the design density (96 dpi).
    int width;
    bool rightAligned;
};
extern const std::array<StatisticColumn, kStatisticColumns> kStatisticColumnTable;

// Column 3: the current value, drawn grey when not set in this epoch.
inline constexpr int kCurrentColumn = 3;

// The entries whose group mask has a bit in common with mask, ascending by identifier.
std::vector<uint16_t> StatisticRowIds(const CStorageDatabase& database, uint32_t mask);
// The text of a cell; empty where the column does not apply to the entry's kind.
std::u16string StatisticCellText(const CStorage& entry, int column);

// The state block: each column's width, the columns from left to right, and the scroll positions
// (horizontal in pixels, vertical in rows), as 32-bit little-endian integers.
struct StatisticViewState {
    static constexpr size_t kSize = 88;

    std::array<int32_t, kStatisticColumns> widths{};
    std::array<int32_t, kStatisticColumns> order{};
    int32_t scrollX = 0;
    int32_t scrollY = 0;

    std::array<uint8_t, kSize> Encode() const;
    // Widths are kept within 0 … 4000 pixels; an order that is not each column once is
    // replaced by the columns in their own order; scroll positions below 0 are 0.
    static StatisticViewState Decode(std::span<const uint8_t, kSize> block);
};
