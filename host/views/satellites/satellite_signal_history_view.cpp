#include "satellite_signal_history_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/qt_text.h"
#include "host/views/satellites/pixel_drawing.h"
#include "host/views/satellites/satellite_system.h"
#include "host/views/satellites/signal_geometry.h"
#include "platform/text.h"

namespace {

constexpr int kTextPadding = 3;

int WidestOf(const QFontMetrics& metrics, std::initializer_list<const char*> texts) {
    int widest = 0;
    for (const char* text : texts) widest = std::max(widest, metrics.horizontalAdvance(QLatin1String(text)));
    return widest;
}

// A rectangle of a third of the row: line 0 at the top, 1 in the middle, 2 at the bottom.
QRect ThirdOf(const QRect& column, int line) {
    const int top = PartStart(column.top(), column.height(), 3, line);
    return QRect(column.left(), top, column.width(), PartStart(column.top(), column.height(), 3, line + 1) - top);
}

}  // namespace

std::u16string CSatelliteSignalHistoryView::NumberLine(int satellite) {
    return platform::FormatW(u"%d - %s", satellite, platform::WideToUtf8(SatelliteSystemName(satellite)).c_str());
}

std::u16string CSatelliteSignalHistoryView::NumberLine(SatelliteSystem system, int satellite) {
    return platform::FormatW(u"%d - %s", NumberWithinSystem(system, satellite),
                             platform::WideToUtf8(SatelliteSystemName(system, satellite)).c_str());
}

std::u16string CSatelliteSignalHistoryView::PositionLine(double elevation, double azimuth) {
    if (std::isnan(elevation) || std::isnan(azimuth)) return u"El --- Az --";
    return platform::FormatW(u"El %.0f Az %.0f", elevation, azimuth);
}

std::u16string CSatelliteSignalHistoryView::Cn0Line(double cn0) {
    return cn0 > 0 ? platform::FormatW(u"C/N0 %.1f", cn0) : u"C/N0 --.-";
}

void CSatelliteSignalHistoryView::OnDraw(QPainter& painter, const QRect& rect) {
    const CColorTable& colors = Context().colors;
    painter.fillRect(rect, colors.Color(CColorTable::kBackground));
    painter.setPen(colors.Color(CColorTable::kScale));

    const CChannelHistory& channels = Document().Database().Channels();
    const int count = ChannelCount(rect.height(), FreshChannels(channels));
    const int rowHeight = rect.height() / count;
    painter.setFont(RequestFont(u"Arial", Context().density.PointsToPixels(2 * rowHeight / 9)));
    const QFontMetrics metrics(painter.font());
    const int textWidth = WidestOf(metrics, {"El 00 Az 000", "C/NO 00.0", "00 - GPS"}) + 2 * kTextPadding;
    const int scaleWidth = WidestOf(metrics, {"55", "dB"}) + 2 * kTextPadding;
    for (int channel = 0; channel < count; ++channel)
        DrawRow(painter, QRect(rect.left(), rect.top() + channel * rowHeight, rect.width(), rowHeight), channel,
                textWidth, scaleWidth);
}

void CSatelliteSignalHistoryView::DrawRow(QPainter& painter, const QRect& row, int channel, int textWidth,
                                          int scaleWidth) {
    const CChannelHistory& channels = Document().Database().Channels();
    const CChannelHistory::Sample& newest = channels.At(channel, 0);
    const QRect text = QRect(row.left(), row.top(), textWidth, row.height()).adjusted(kTextPadding, 0, 0, 0);
    if (newest.age < CChannelHistory::kStaleAge && newest.satellite != 0) {
        const std::u16string lines[] = {NumberLine(newest.system, newest.satellite),
                                        PositionLine(newest.elevation, newest.azimuth), Cn0Line(newest.cn0)};
        const QColor scale = painter.pen().color();
        for (int line = 0; line < 3; ++line) {
            painter.setPen(line == 0 ? SystemColor(newest.system, scale) : scale);
            painter.drawText(ThirdOf(text, line), Qt::AlignLeft | Qt::AlignVCenter, ToQString(lines[line]));
        }
        painter.setPen(scale);
    }
    const QRect scale(row.left() + textWidth, row.top(), scaleWidth, row.height());
    painter.drawText(scale, Qt::AlignHCenter | Qt::AlignTop, QString::number(kHighestLevel));
    painter.drawText(scale, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("dB"));
    painter.drawText(scale, Qt::AlignHCenter | Qt::AlignBottom, QString::number(kLowestLevel));

    // A pixel above and below keeps the strips of neighbouring rows apart.
    const QRect strip(scale.right() + 1, row.top() + 1, row.right() - scale.right(), row.height() - 2);
    const CColorTable& colors = Context().colors;
    for (int sample = 0; sample < CChannelHistory::kSamples; ++sample) {
        const CChannelHistory::Sample& data = channels.At(channel, sample);
        const std::vector<QRect> bars = SampleBars(SampleBox(strip, sample), data);
        if (bars.empty()) continue;
        const QColor color = colors.Color(StateColorIndex(data.state));
        DrawFrame(painter, SampleBox(strip, sample), color);
        for (const QRect& bar : bars) painter.fillRect(bar, color);
    }
}
