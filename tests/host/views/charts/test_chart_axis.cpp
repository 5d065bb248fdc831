// The chart's axes, settings and series, apart from any widget.
#include <gtest/gtest.h>

#include <cmath>

#include "host/views/charts/chart_axis.h"
#include "host/views/charts/chart_plot.h"
#include "host/views/charts/chart_series.h"
#include "host/views/charts/chart_state.h"

namespace {

// A value axis of limits −100 … 100 and resolution 0.01 over pixels 0 … 1000.
ChartAxis ValueAxis(bool vertical = false) {
    ChartAxis axis;
    axis.vertical = vertical;
    axis.useValue = true;
    axis.pixelLow = 0;
    axis.pixelHigh = 1000;
    return axis;
}

AxisSource Data(double low, double high, double current = NAN) { return {true, low, high, current, -100, 100, 0.01}; }

void ExpectView(const ChartAxis& axis, double low, double high) {
    EXPECT_NEAR(axis.viewLow, low, 1e-9);
    EXPECT_NEAR(axis.viewHigh, high, 1e-9);
}

}  // namespace

TEST(ChartAxis, ReEvaluationStartsAtTheExtentAndThenFitsFollowsOrStays) {
    ChartAxis axis = ValueAxis();
    ReEvaluateAxis(axis, Data(10, 20));
    ExpectView(axis, 10, 20);  // gaining data: the extent
    EXPECT_DOUBLE_EQ(axis.extentLow, 9);
    ReEvaluateAxis(axis, Data(0, 40));
    ExpectView(axis, 10, 20);  // neither mode: the view stays

    axis.fit = true;
    ReEvaluateAxis(axis, Data(0, 40));
    ExpectView(axis, -4, 44);

    axis.fit = false;
    axis.follow = true;
    axis.SetView(0, 10);
    axis.follow = true;
    ReEvaluateAxis(axis, Data(0, 12, 12));  // the newest value keeps a tenth of the span to the edge
    ExpectView(axis, 3, 13);
    ReEvaluateAxis(axis, Data(0, 12, -5));
    ExpectView(axis, -6, 4);
    ReEvaluateAxis(axis, Data(0, 12, 0));
    ExpectView(axis, -6, 4);

    ReEvaluateAxis(axis, Data(INFINITY, 3));
    EXPECT_FALSE(axis.hasData);
    EXPECT_FALSE(IndexAxisSource(0).hasData);
    EXPECT_DOUBLE_EQ(IndexAxisSource(0).high, 1);
    EXPECT_DOUBLE_EQ(IndexAxisSource(5).current, 4);
}

TEST(ChartAxis, RescalingKeepsFiveResolutionsAndTheLimits) {
    ChartAxis axis = ValueAxis();
    ReEvaluateAxis(axis, Data(5, 5));
    RescaleAxis(axis);
    ExpectView(axis, 4.975, 5.025);  // the 0.05 minimum span
    axis.SetView(90, 110);
    RescaleAxis(axis);
    ExpectView(axis, 80, 100);  // moved inside the limits
    axis.SetView(-500, 500);
    RescaleAxis(axis);
    ExpectView(axis, -100, 100);  // no wider than the limits, so that it fits inside them

    axis.SetView(0, 10);
    RescaleAxis(axis);
    EXPECT_EQ(axis.ToPixel(0), 0);
    EXPECT_EQ(axis.ToPixel(10), 1000);
    EXPECT_DOUBLE_EQ(axis.ToValue(500), 5);
    ChartAxis y = ValueAxis(true);
    ReEvaluateAxis(y, Data(0, 10));
    RescaleAxis(y);
    EXPECT_EQ(y.ToPixel(0), 1000);  // up is larger
    EXPECT_EQ(y.ToPixel(10), 0);
}

TEST(ChartAxis, StylusZoomsMovesAndEndsFitAndFollow) {
    ChartAxis axis = ValueAxis();
    ReEvaluateAxis(axis, Data(0, 10));
    axis.fit = true;
    RescaleAxis(axis);
    axis.SetView(0, 10);
    RescaleAxis(axis);
    axis.fit = true;
    ZoomAxisIn(axis, 200, 202);  // a tap: centred on 2, half the span
    ExpectView(axis, -0.5, 4.5);
    EXPECT_FALSE(axis.fit);
    ZoomAxisIn(axis, 0, 400);  // a drag: the interval dragged
    ExpectView(axis, -0.5, 1.5);
    ZoomAxisOut(axis, 500, 500);  // a tap: twice the span around the value tapped
    ExpectView(axis, -1.5, 2.5);
    ZoomAxisOut(axis, 250, 750);  // a drag over half the span doubles it around the drag's centre
    ExpectView(axis, -3.5, 4.5);
    axis.follow = true;
    MoveAxis(axis, 500, 750);
    ExpectView(axis, -5.5, 2.5);
    EXPECT_FALSE(axis.follow);
}

TEST(ChartAxis, ScrollBarsShowTheViewWithinTheData) {
    ChartAxis x = ValueAxis();
    EXPECT_EQ(ScrollBarOf(x).page, kScrollRange);  // no data: the page is everything
    EXPECT_EQ(ScrollBarOf(x).maximum, 0);
    ReEvaluateAxis(x, Data(0, 80));  // extent −8 … 88
    x.SetView(-8, 40);
    RescaleAxis(x);
    const AxisScrollBar bar = ScrollBarOf(x);
    EXPECT_NEAR(bar.page, kScrollRange / 2, 1);
    EXPECT_EQ(bar.position, 0);
    ChartAxis y = x;
    y.vertical = true;
    EXPECT_EQ(ScrollBarOf(y).position, ScrollBarOf(y).maximum);  // counted from the top
    ScrollAxisTo(x, bar.maximum);
    EXPECT_NEAR(x.viewLow, 40, 0.01);
    EXPECT_NEAR(x.Span(), 48, 1e-9);
}

TEST(ChartState, TheBlockRoundTripsAndMendsWhatWouldFault) {
    ChartSettings settings;
    settings.mouseMode = ChartMouseMode::ZoomOut;
    settings.smoothing = true;
    settings.smoothingFactor = 4;
    settings.x = {0x3002, false, true, true, false};
    const std::array<uint8_t, 28> block = settings.Encode();
    EXPECT_EQ(block[0], 3);
    EXPECT_EQ(block[14], 4);
    EXPECT_EQ(block[16], 0x02);  // X's identifier, little-endian
    EXPECT_EQ(block[17], 0x30);
    const ChartSettings back = ChartSettings::Decode(block);
    EXPECT_EQ(back.mouseMode, ChartMouseMode::ZoomOut);
    EXPECT_EQ(back.smoothingFactor, 4);
    EXPECT_TRUE(back.x.follow);
    EXPECT_EQ(back.y.valueId, 0x3003);

    std::array<uint8_t, 28> broken = block;
    broken[0] = 7;                // no such mouse mode
    broken[4] = 0xFF;             // nor point style
    broken[8] = 3;                // nor connect style
    broken[14] = broken[15] = 0;  // a factor that would divide by zero
    broken[18] = broken[19] = 1;  // fit and follow both
    const ChartSettings mended = ChartSettings::Decode(broken);
    EXPECT_EQ(mended.mouseMode, ChartMouseMode::Cursor);
    EXPECT_EQ(mended.pointStyle, ChartPointStyle::BoldDot);
    EXPECT_EQ(mended.connectStyle, ChartConnectStyle::Consecutive);
    EXPECT_EQ(mended.smoothingFactor, 16);
    EXPECT_TRUE(mended.x.fit);
    EXPECT_FALSE(mended.x.follow);
}

TEST(ChartSeries, SmoothingSkipsGapsAndLinesBreakAtThem) {
    std::vector<double> values = {10, NAN, 20, 20};
    SmoothSeries(values, 2);
    EXPECT_DOUBLE_EQ(values[0], 10);
    EXPECT_TRUE(std::isnan(values[1]));
    EXPECT_DOUBLE_EQ(values[2], 15);
    EXPECT_DOUBLE_EQ(values[3], 17.5);

    ChartAxis x;
    x.SetView(10.5, 20);
    EXPECT_EQ(EpochsInView(x, 100).first, 10u);
    EXPECT_EQ(EpochsInView(x, 100).end, 22u);
    EXPECT_EQ(EpochsInView(x, 15).end, 15u);

    const std::vector<PlotPoint> points = {{{0, 0}, 0}, {{1, 1}, 1}, {{3, 3}, 3}, {{4, 4}, 4}};
    EXPECT_EQ(ConnectingLines(points, ChartConnectStyle::Consecutive).size(), 2u);
    EXPECT_EQ(ConnectingLines(points, ChartConnectStyle::Always).size(), 1u);
    EXPECT_TRUE(ConnectingLines(points, ChartConnectStyle::None).empty());
    EXPECT_EQ(NearestPoint(points, {3, 2}), 2);
    EXPECT_EQ(NearestPoint({}, {3, 2}), -1);
}
