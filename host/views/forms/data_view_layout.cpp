#include "data_view_layout.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

#include "host/views/mem_dc_view.h"
#include "platform/text.h"

namespace {

constexpr int kInset = 5;
constexpr int kLabelGap = 2;
constexpr double kDopWithoutBar = 99.0;
constexpr char16_t kWidestValue[] = u"-000.000000 \u00B0";

QFont PanelFont(int pixels) { return RequestFont(u"Tahoma", pixels); }

bool RowsFit(const QRect& inner, int pixels) {
    const QFontMetrics metrics(PanelFont(pixels));
    return kDataRowCount * metrics.height() <= inner.height() &&
           DataLabelWidth(metrics) + kLabelGap + metrics.horizontalAdvance(QString::fromUtf16(kWidestValue)) <=
               inner.width();
}

}  // namespace

QFont DataPanelFont(const QRect& inner, const ScreenDensity& density) {
    return PanelFont(PaneTextPixels(density, [&](int pixels) { return RowsFit(inner, pixels); }));
}

int DataLabelWidth(const QFontMetrics& metrics) {
    int width = 0;
    for (const char16_t* label : kDataLabels) width = std::max(width, metrics.horizontalAdvance(QString::fromUtf16(label)));
    return width;
}

QRect DataPanelInner(const QRect& client) { return client.adjusted(kInset, kInset, -kInset, -kInset); }

QRect DataCell(const QRect& inner, int labelWidth, int rowHeight, int row) {
    const int left = inner.left() + labelWidth + kLabelGap;
    return QRect(left, inner.top() + row * rowHeight, inner.right() + 1 - left, rowHeight - 1);
}

double DopBarValue(double dop) { return std::isnan(dop) || dop >= kDopWithoutBar ? 0.0 : dop; }

int DopScale(double pdopBar, double hdopBar) {
    const double larger = std::max(pdopBar, hdopBar);
    if (!(larger > 0)) return 1;
    int scale = std::max(1, static_cast<int>(std::pow(10.0, std::ceil(std::log10(larger)))));
    const double ratio = larger / scale;
    if (ratio < 0.2)
        scale /= 2;
    else if (ratio > 0.6)
        scale *= 2;
    // Below a DOP of 0.2 halving would reach 0: the bars would divide by it.
    return std::max(scale, 1);
}

int DopBarLength(int cellWidth, double value, int scale) {
    return static_cast<int>(std::clamp(value / scale, 0.0, 1.0) * cellWidth);
}

std::u16string SpeedText(double metresPerSecond) {
    if (std::isnan(metresPerSecond)) return {};
    // "%.0f" of the truncated value prints what "%d" would, also beyond the range of an int.
    return platform::FormatW(u"%.0f km/h", std::trunc(metresPerSecond * 3.6) + 0.0);
}

std::u16string FixText(double navigationValid, const std::u16string& modeLabel, double dgpsUsed) {
    if (navigationValid != 1.0) return u"No Fix";
    const bool dgps = !std::isnan(dgpsUsed) && dgpsUsed != 0.0;
    return dgps ? modeLabel + u"/DGPS" : modeLabel;
}
