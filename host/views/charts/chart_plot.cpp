#include "chart_plot.h"

#include <QFontMetrics>
#include <cmath>
#include <limits>

#include "host/views/qt_text.h"
#include "shared/storage_values.h"

QRect ChartPlotArea(const QRect& client, int scrollBar, int lineWidth) {
    const int margin = 2 * lineWidth;
    return client.adjusted(margin, margin, -scrollBar - margin, -scrollBar - margin);
}

void PlaceAxes(ChartAxis& x, ChartAxis& y, const QRect& plot) {
    x.pixelLow = plot.left();
    x.pixelHigh = plot.right();
    y.pixelLow = plot.top();
    y.pixelHigh = plot.bottom();
    RescaleAxis(x);
    RescaleAxis(y);
}

std::vector<PlotPoint> PlotPoints(const ChartSeries& series, const ChartAxis& x, const ChartAxis& y) {
    std::vector<PlotPoint> points;
    if (!x.hasData || !y.hasData) return points;
    points.reserve(series.x.size());
    for (size_t i = 0; i < series.x.size(); ++i)
        if (std::isfinite(series.x[i]) && std::isfinite(series.y[i]))
            points.push_back({QPoint(x.ToPixel(series.x[i]), y.ToPixel(series.y[i])), i});
    return points;
}

std::vector<QPolygon> ConnectingLines(const std::vector<PlotPoint>& points, ChartConnectStyle style) {
    std::vector<QPolygon> lines;
    if (style == ChartConnectStyle::None || points.size() < 2) return lines;
    QPolygon line;
    for (size_t i = 0; i < points.size(); ++i) {
        const bool broken =
            style == ChartConnectStyle::Consecutive && i > 0 && points[i].index != points[i - 1].index + 1;
        if (broken) {
            if (line.size() > 1) lines.push_back(line);
            line.clear();
        }
        line.append(points[i].pixel);
    }
    if (line.size() > 1) lines.push_back(line);
    return lines;
}

int NearestPoint(const std::vector<PlotPoint>& points, const QPoint& at) {
    int nearest = -1;
    long long best = std::numeric_limits<long long>::max();
    for (size_t i = 0; i < points.size(); ++i) {
        const long long dx = points[i].pixel.x() - at.x();
        const long long dy = points[i].pixel.y() - at.y();
        if (dx * dx + dy * dy < best) {
            best = dx * dx + dy * dy;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}

AxisTicks ChartAxisTicks(const CStorageValueStatistics* value, const ChartAxis& axis) {
    if (!axis.hasData) return {};
    return value ? value->ComputeAxis(axis.viewLow, axis.viewHigh) : GeneralAxisTicks(axis.viewLow, axis.viewHigh);
}

QString TickLabel(const CStorageValueStatistics* value, double tick) {
    if (value) return ToQString(value->Format(tick));
    if (tick < -1e-9) return {};
    return QString::number(std::max(tick, 0.0), 'f', 0);
}

QString FitLabel(const QFontMetrics& metrics, const QString& text, int width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    static const QString kCut = QStringLiteral(" ..");
    for (qsizetype keep = text.size() - 1; keep > 0; --keep) {
        const QString cut = text.left(keep).trimmed() + kCut;
        if (metrics.horizontalAdvance(cut) <= width) return cut;
    }
    return {};
}
