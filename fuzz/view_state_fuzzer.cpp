// Arbitrary bytes as the views' state blocks from the profile and as the numbers a chart axis
// takes: the first 28 bytes as the chart's block, the next 88 as the statistic view's, the rest as
// doubles for an axis's source and its view. What is read back must lie in its ranges, and an
// axis never takes a value that is not finite into its scaling.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "host/views/charts/chart_axis.h"
#include "host/views/charts/chart_state.h"
#include "host/views/statistics/statistic_cells.h"

namespace {

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

void CheckChartBlock(std::span<const uint8_t, ChartSettings::kBlockSize> block) {
    const ChartSettings settings = ChartSettings::Decode(block);
    Check(static_cast<int>(settings.mouseMode) >= 0 && static_cast<int>(settings.mouseMode) <= 3);
    Check(static_cast<int>(settings.pointStyle) >= 0 && static_cast<int>(settings.pointStyle) <= 4);
    Check(static_cast<int>(settings.connectStyle) >= 0 && static_cast<int>(settings.connectStyle) <= 2);
    Check(settings.smoothingFactor > 0);
    Check(!(settings.x.fit && settings.x.follow) && !(settings.y.fit && settings.y.follow));
    const auto again = settings.Encode();
    Check(ChartSettings::Decode(again).Encode() == again);
}

void CheckStatisticBlock(std::span<const uint8_t, StatisticViewState::kSize> block) {
    const StatisticViewState state = StatisticViewState::Decode(block);
    uint32_t seen = 0;
    for (int i = 0; i < kStatisticColumns; ++i) {
        Check(state.widths[i] >= 0 && state.widths[i] <= 4000);
        Check(state.order[i] >= 0 && state.order[i] < kStatisticColumns);
        seen |= 1u << state.order[i];
    }
    Check(seen == (1u << kStatisticColumns) - 1);
    Check(state.scrollX >= 0 && state.scrollY >= 0);
}

void CheckAxis(const uint8_t* data, size_t size) {
    double numbers[9] = {};
    std::memcpy(numbers, data, std::min(size, sizeof numbers));
    ChartAxis axis;
    axis.vertical = numbers[8] < 0;
    axis.pixelLow = 10;
    axis.pixelHigh = 500;
    axis.SetView(numbers[0], numbers[1]);
    AxisSource source{true, numbers[2], numbers[3], numbers[4], -1e300, 1e300, std::fabs(numbers[5])};
    ReEvaluateAxis(axis, source);
    RescaleAxis(axis);
    if (!std::isfinite(numbers[2]) || !std::isfinite(numbers[3])) Check(!axis.hasData);
    if (axis.hasData) Check(std::isfinite(axis.extentLow) && std::isfinite(axis.extentHigh));
    (void)axis.ToPixel(numbers[6]);
    (void)axis.ToValue(numbers[7]);
    if (axis.hasData && std::isfinite(axis.Span()) && axis.Span() > 0) ZoomAxisOut(axis, 10, 500);
    ScrollAxisTo(axis, ScrollBarOf(axis).maximum);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < ChartSettings::kBlockSize) return 0;
    CheckChartBlock(std::span<const uint8_t, ChartSettings::kBlockSize>(data, ChartSettings::kBlockSize));
    data += ChartSettings::kBlockSize;
    size -= ChartSettings::kBlockSize;
    if (size < StatisticViewState::kSize) return 0;
    CheckStatisticBlock(std::span<const uint8_t, StatisticViewState::kSize>(data, StatisticViewState::kSize));
    data += StatisticViewState::kSize;
    size -= StatisticViewState::kSize;
    CheckAxis(data, size);
    return 0;
}
