#include "statistic_cells.h"

#include <algorithm>
#include <numeric>

#include "host/views/state_block.h"
#include "shared/storage_database.h"
#include "shared/storage_values.h"

const std::array<StatisticColumn, kStatisticColumns> kStatisticColumnTable = {{
    {u"Title", 90, false},
    {u"Count", 50, true},
    {u"Age", 50, true},
    {u"Current", 90, true},
    {u"Minimum", 90, true},
    {u"Maximum", 90, true},
    {u"Average", 90, true},
    {u"Deviation", 90, true},
    {u"Unit", 60, true},
    {u"Description", 140, false},
}};

namespace {

constexpr int32_t kWidestColumn = 4000;

std::u16string StatisticsText(const CStorage& entry, int column) {
    if (!entry.IsKindOf(CStorageValueStatistics::StaticClass())) return {};
    const auto& value = static_cast<const CStorageValueStatistics&>(entry);
    switch (column) {
        case 4:
            return value.FormatMinimum();
        case 5:
            return value.FormatMaximum();
        case 6:
            return value.FormatAverage();
        default:
            return value.FormatDeviation();
    }
}

}  // namespace

std::vector<uint16_t> StatisticRowIds(const CStorageDatabase& database, uint32_t mask) {
    std::vector<uint16_t> ids;
    for (const auto& [id, entry] : database.Entries())
        if (entry->GroupMask() & mask) ids.push_back(id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::u16string StatisticCellText(const CStorage& entry, int column) {
    switch (column) {
        case 0:
            return entry.GetName();
        case 1:
            return entry.FormatCount();
        case 2:
            return entry.FormatAge();
        case kCurrentColumn:
            return entry.FormatCurrent();
        case 4:
        case 5:
        case 6:
        case 7:
            return StatisticsText(entry, column);
        case 8:
            if (!entry.IsKindOf(CStorageValue::StaticClass())) return {};
            return static_cast<const CStorageValue&>(entry).GetUnit();
        case 9:
            return entry.GetDescription();
        default:
            return {};
    }
}

std::array<uint8_t, StatisticViewState::kSize> StatisticViewState::Encode() const {
    std::array<uint8_t, kSize> block{};
    CStateBlockWriter writer(block);
    for (const int32_t width : widths) writer.Put(static_cast<uint32_t>(width), 4);
    for (const int32_t column : order) writer.Put(static_cast<uint32_t>(column), 4);
    writer.Put(static_cast<uint32_t>(scrollX), 4);
    writer.Put(static_cast<uint32_t>(scrollY), 4);
    return block;
}

StatisticViewState StatisticViewState::Decode(std::span<const uint8_t, kSize> block) {
    CStateBlockReader reader(block);
    StatisticViewState state;
    for (int32_t& width : state.widths) width = std::clamp(reader.TakeInt(), 0, kWidestColumn);
    for (int32_t& column : state.order) column = reader.TakeInt();
    std::array<int32_t, kStatisticColumns> sorted = state.order;
    std::sort(sorted.begin(), sorted.end());
    std::array<int32_t, kStatisticColumns> identity{};
    std::iota(identity.begin(), identity.end(), 0);
    if (sorted != identity) state.order = identity;
    state.scrollX = std::max(reader.TakeInt(), 0);
    state.scrollY = std::max(reader.TakeInt(), 0);
    return state;
}
