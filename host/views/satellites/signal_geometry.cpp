#include "signal_geometry.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "host/views/mem_dc_view.h"

namespace {
constexpr int kPixelsPerChannel = 50;
constexpr int kFewestChannels = 8;
constexpr int kLinesPerHeight = 14;
constexpr int kNumberPadding = 2;
}  // namespace

uint64_t FreshChannels(const CChannelHistory& channels) {
    static_assert(CChannelHistory::kChannels <= 64);
    uint64_t fresh = 0;
    for (int channel = 0; channel < CChannelHistory::kChannels; ++channel)
        if (channels.At(channel, 0).age < CChannelHistory::kStaleAge) fresh |= uint64_t{1} << channel;
    return fresh;
}

int ChannelCount(int extent, uint64_t freshChannels) {
    int count = std::clamp(extent / kPixelsPerChannel, kFewestChannels, CChannelHistory::kClassicChannels);
    for (int channel = count; channel < CChannelHistory::kChannels; ++channel)
        if (freshChannels >> channel & 1) count = channel + 1;
    return count;
}

int PartStart(int origin, int extent, int count, int index) { return origin + index * extent / count; }

QFont SignalLevelFont(QSize client, int columns, const ScreenDensity& density) {
    const auto fits = [&](int pixels) {
        const QFontMetrics metrics(RequestFont(u"Tahoma", pixels));
        return metrics.horizontalAdvance(QStringLiteral("888")) + kNumberPadding <= client.width() / columns &&
               kLinesPerHeight * metrics.height() <= client.height();
    };
    return RequestFont(u"Tahoma", PaneTextPixels(density, fits));
}

QRect ColumnBox(const QRect& plot, int count, int channel) {
    const int left = PartStart(plot.left(), plot.width(), count, channel);
    return QRect(left, plot.top(), PartStart(plot.left(), plot.width(), count, channel + 1) - left, plot.height());
}

int LevelHeight(double cn0, int scaleHeight) {
    const double level = std::isnan(cn0) ? kLowestLevel : std::clamp(cn0, double{kLowestLevel}, double{kHighestLevel});
    return static_cast<int>((level - kLowestLevel) * scaleHeight * 0.02);
}

Cn0Range Cn0RangeOf(const CChannelHistory& channels, int channel) {
    const CChannelHistory::Sample& newest = channels.At(channel, 0);
    Cn0Range range{newest.cn0, newest.cn0};
    for (int i = 1; i < CChannelHistory::kSamples && channels.At(channel, i).satellite == newest.satellite; ++i) {
        range.minimum = std::min<double>(range.minimum, channels.At(channel, i).cn0);
        range.maximum = std::max<double>(range.maximum, channels.At(channel, i).cn0);
    }
    return range;
}

int StateColorIndex(uint8_t state) { return state <= CChannelHistory::STATE_USED ? state : 10; }

QRect SampleBox(const QRect& strip, int sample) {
    const int slot = CChannelHistory::kSamples - 1 - sample;
    const int left = PartStart(strip.left(), strip.width(), CChannelHistory::kSamples, slot);
    const int right = PartStart(strip.left(), strip.width(), CChannelHistory::kSamples, slot + 1);
    return QRect(left, strip.top(), right - left, strip.height());
}

std::vector<QRect> SampleBars(const QRect& box, const CChannelHistory::Sample& sample) {
    if (!(sample.cn0 > 0)) return {};
    const QRect inside = box.adjusted(1, 1, -1, -1);
    const auto bar = [&](int left, int right, double level) {
        const int height = LevelHeight(level, inside.height());
        return QRect(left, inside.bottom() + 1 - height, right - left, height);
    };
    if (sample.measurements.empty()) return {bar(inside.left(), inside.right() + 1, sample.cn0)};
    std::vector<QRect> bars;
    const int parts = static_cast<int>(sample.measurements.size());
    for (int i = 0; i < parts; ++i)
        bars.push_back(bar(PartStart(inside.left(), inside.width(), parts, i),
                           PartStart(inside.left(), inside.width(), parts, i + 1), sample.measurements[i]));
    return bars;
}
