#pragma once
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <vector>

#include "host/views/charts/chart_axis.h"
#include "host/views/charts/chart_series.h"
#include "host/views/charts/chart_state.h"
#include "shared/axis_ticks.h"

class QFontMetrics;

// Where the chart draws: the plot area, the points and the lines between them, the ticks, and the
// point nearest to the stylus.

// The plot area of a client area that leaves room for the scroll bars (scrollBar pixels wide).
QRect ChartPlotArea(const QRect& client, int scrollBar, int lineWidth);
// Sets both axes' pixels from the plot area and rescales them.
void PlaceAxes(ChartAxis& x, ChartAxis& y, const QRect& plot);

// A point of the series that both axes can place: its pixel and its place in the series.
struct PlotPoint {
    QPoint pixel;
    size_t index;
};
std::vector<PlotPoint> PlotPoints(const ChartSeries& series, const ChartAxis& x, const ChartAxis& y);
// The lines to draw: none, all points joined, or joined only between neighbouring epochs (an
// epoch without a value breaks the line).
std::vector<QPolygon> ConnectingLines(const std::vector<PlotPoint>& points, ChartConnectStyle style);
// The point nearest to at; -1 when there is none.
int NearestPoint(const std::vector<PlotPoint>& points, const QPoint& at);

// The axis's ticks over its view: the value's own for a value (index axis: the general rule).
AxisTicks ChartAxisTicks(const CStorageValueStatistics* value, const ChartAxis& axis);
// A tick's label: the value's own format; the index as a whole number, none below 0.
QString TickLabel(const CStorageValueStatistics* value, double tick);
// The text cut to width pixels, ending in " .." when cut.
QString FitLabel(const QFontMetrics& metrics, const QString& text, int width);
