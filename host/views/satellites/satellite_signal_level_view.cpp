#include "satellite_signal_level_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/satellites/pixel_drawing.h"
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
    const QColor background = colors.Color(CColorTable::kBackground);
    const QColor scale = colors.Color(CColorTable::kScale);
    painter.fillRect(rect, background);
    painter.setFont(SharedTextFont(Context().density));
    painter.setPen(scale);
    const QFontMetrics metrics(painter.font());
    const QRect plot = rect.adjusted(metrics.horizontalAdvance(QStringLiteral("dB")) + kMarginGap, 0, 0,
                                     -(metrics.height() + kMarginGap));

    const CChannelHistory& channels = Document().Database().Channels();
    const int count = ChannelCount(rect.width(), FreshChannels(channels));
    for (int channel = 0; channel < count; ++channel) {
        const int left = PartStart(plot.left(), plot.width(), count, channel);
        const QRect column(left, plot.top(), PartStart(plot.left(), plot.width(), count, channel + 1) - left,
                           plot.height());
        DrawFrame(painter, column, scale);
        const CChannelHistory::Sample& newest = channels.At(channel, 0);
        if (newest.satellite == 0) continue;
        const Cn0Range range = Cn0RangeOf(channels, channel);
        if (newest.cn0 > 0) {
            const int height = LevelHeight(newest.cn0, plot.height());
            painter.fillRect(column.left(), plot.bottom() + 1 - height, column.width(), height,
                             colors.Color(StateColorIndex(newest.state)));
        }
        for (const double level : {range.maximum, range.minimum})
            if (level > 0) DrawHorizontalLine(painter, column.left(), column.right(), LevelY(plot, level), scale);
        if (newest.cn0 > 0) {
            painter.setPen(background);
            painter.drawText(column, Qt::AlignHCenter | Qt::AlignBottom, QString::number(std::trunc(newest.cn0), 'f', 0));
            painter.setPen(scale);
        }
        painter.drawText(QRect(column.left(), plot.bottom() + 1, column.width(), rect.bottom() - plot.bottom()),
                         Qt::AlignHCenter | Qt::AlignBottom, QString::number(newest.satellite));
    }
    DrawGrid(painter, rect, plot, scale);
}
