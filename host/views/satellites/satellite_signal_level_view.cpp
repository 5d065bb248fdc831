#include "satellite_signal_level_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/satellites/label_color.h"
#include "host/views/satellites/pixel_drawing.h"
#include "host/views/satellites/satellite_system.h"
#include "host/views/satellites/signal_geometry.h"

namespace {

constexpr int kMarginGap = 2;
constexpr int kGridLevels[] = {10, 20, 30, 40, 50};

int LevelY(const QRect& plot, double cn0) { return plot.bottom() - LevelHeight(cn0, plot.height()); }

void DrawGrid(QPainter& painter, const QRect& client, const QRect& plot, const QColor& color) {
    painter.save();
    painter.setPen(QPen(color, 1, Qt::DashLine));
    for (const int level : kGridLevels) {
        const int y = LevelY(plot, level);
        painter.drawLine(plot.left(), y, plot.right(), y);
        const QRect label(client.left(), y - plot.height(), plot.left() - client.left() - kMarginGap, 2 * plot.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, QString::number(level));
    }
    painter.restore();
    painter.drawText(QRect(client.left(), plot.bottom() + 1, plot.left() - client.left(), client.bottom() - plot.bottom()),
                     Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("dB"));
}

}  // namespace

void CSatelliteSignalLevelView::OnDraw(QPainter& painter, const QRect& rect) {
    const CColorTable& colors = Context().colors;
    const QColor scale = colors.Color(CColorTable::kScale);
    painter.fillRect(rect, colors.Color(CColorTable::kBackground));
    const int count = ChannelCount(rect.width(), FreshChannels(Document().Database().Channels()));
    painter.setFont(SignalLevelFont(rect.size(), count, Context().density));
    painter.setPen(scale);
    const QFontMetrics metrics(painter.font());
    const QRect plot = rect.adjusted(metrics.horizontalAdvance(QStringLiteral("dB")) + kMarginGap, 0, 0,
                                     -(metrics.height() + kMarginGap));

    for (int channel = 0; channel < count; ++channel) DrawColumn(painter, ColumnBox(plot, count, channel), channel);
    DrawGrid(painter, rect, plot, scale);
    // The numbers come last: no bar edge or grid line runs through them.
    for (int channel = 0; channel < count; ++channel)
        DrawLabels(painter, ColumnBox(plot, count, channel), rect.bottom(), channel);
    DrawSystemLegend(painter, plot, SystemsOfChannels(Document().Database().Channels(), count), scale);
}

void CSatelliteSignalLevelView::DrawColumn(QPainter& painter, const QRect& column, int channel) {
    const CColorTable& colors = Context().colors;
    const QColor scale = colors.Color(CColorTable::kScale);
    DrawFrame(painter, column, scale);
    const CChannelHistory& channels = Document().Database().Channels();
    const CChannelHistory::Sample& newest = channels.At(channel, 0);
    if (newest.satellite == 0) return;
    if (newest.cn0 > 0) {
        const int height = LevelHeight(newest.cn0, column.height());
        painter.fillRect(column.left(), column.bottom() + 1 - height, column.width(), height,
                         colors.Color(StateColorIndex(newest.state)));
    }
    const Cn0Range range = Cn0RangeOf(channels, channel);
    for (const double level : {range.maximum, range.minimum})
        if (level > 0) DrawHorizontalLine(painter, column.left(), column.right(), LevelY(column, level), scale);
}

void CSatelliteSignalLevelView::DrawLabels(QPainter& painter, const QRect& column, int bottom, int channel) {
    const CColorTable& colors = Context().colors;
    const CChannelHistory::Sample& newest = Document().Database().Channels().At(channel, 0);
    if (newest.satellite == 0) return;
    if (newest.cn0 > 0) {
        const bool onBar = LevelHeight(newest.cn0, column.height()) >= QFontMetrics(painter.font()).height();
        painter.setPen(LabelColorOn(colors.Color(onBar ? StateColorIndex(newest.state) : CColorTable::kBackground)));
        painter.drawText(column, Qt::AlignHCenter | Qt::AlignBottom, QString::number(std::trunc(newest.cn0), 'f', 0));
    }
    painter.setPen(SystemColor(newest.system, colors.Color(CColorTable::kScale)));
    painter.drawText(QRect(column.left(), column.bottom() + 1, column.width(), bottom - column.bottom()),
                     Qt::AlignHCenter | Qt::AlignBottom, SatelliteLabel(newest.system, newest.satellite));
}
