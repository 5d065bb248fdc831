#include "chart_state.h"

#include "host/views/state_block.h"

namespace {

void PutAxis(CStateBlockWriter& writer, const ChartSettings::Axis& axis) {
    writer.Put(axis.valueId, 2);
    writer.Put(axis.fit, 1);
    writer.Put(axis.follow, 1);
    writer.Put(axis.useValue, 1);
    writer.Put(axis.deviation, 1);
}

ChartSettings::Axis TakeAxis(CStateBlockReader& reader) {
    ChartSettings::Axis axis;
    axis.valueId = static_cast<uint16_t>(reader.Take(2));
    axis.fit = reader.Take(1) != 0;
    axis.follow = reader.Take(1) != 0 && !axis.fit;
    axis.useValue = reader.Take(1) != 0;
    axis.deviation = reader.Take(1) != 0;
    return axis;
}

// A 32-bit choice of 0 … highest; anything else is the fallback.
template <typename Choice>
Choice TakeChoice(CStateBlockReader& reader, int32_t highest, Choice fallback) {
    const int32_t value = reader.TakeInt();
    return value >= 0 && value <= highest ? static_cast<Choice>(value) : fallback;
}

}  // namespace

std::array<uint8_t, ChartSettings::kBlockSize> ChartSettings::Encode() const {
    std::array<uint8_t, kBlockSize> block{};
    CStateBlockWriter writer(block);
    writer.Put(static_cast<uint32_t>(mouseMode), 4);
    writer.Put(static_cast<uint32_t>(pointStyle), 4);
    writer.Put(static_cast<uint32_t>(connectStyle), 4);
    writer.Put(statistics, 1);
    writer.Put(smoothing, 1);
    writer.Put(smoothingFactor, 2);
    PutAxis(writer, x);
    PutAxis(writer, y);
    return block;
}

ChartSettings ChartSettings::Decode(std::span<const uint8_t, kBlockSize> block) {
    const ChartSettings defaults;
    CStateBlockReader reader(block);
    ChartSettings settings;
    settings.mouseMode = TakeChoice(reader, 3, defaults.mouseMode);
    settings.pointStyle = TakeChoice(reader, 4, defaults.pointStyle);
    settings.connectStyle = TakeChoice(reader, 2, defaults.connectStyle);
    settings.statistics = reader.Take(1) != 0;
    settings.smoothing = reader.Take(1) != 0;
    const auto factor = static_cast<uint16_t>(reader.Take(2));
    settings.smoothingFactor = factor == 0 ? kDefaultSmoothing : factor;
    settings.x = TakeAxis(reader);
    settings.y = TakeAxis(reader);
    return settings;
}
