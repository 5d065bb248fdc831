#include <gtest/gtest.h>

#include <cmath>

#include "host/views/satellites/label_color.h"
#include "host/views/satellites/satellite_pos_view.h"
#include "host/views/satellites/satellite_signal_history_view.h"
#include "host/views/satellites/satellite_signal_level_view.h"
#include "host/views/satellites/satellite_system.h"
#include "host/views/satellites/signal_geometry.h"
#include "host/views/satellites/sky_plot_geometry.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"
#include "tests/host/views/forms/simulated_document.h"
#include "tests/host/views/forms/view_pixels.h"

namespace {

constexpr double kDegree = 3.1415926535898 / 180;
constexpr int kTracking = 1;
constexpr int kUsed = 3;

class SatelliteViewTest : public ::testing::Test {
protected:
    ViewContext Context() { return {document, colors, profile, host, ScreenDensity{96, 96}}; }
    template <typename View>
    void Open(View& view, int width, int height) {
        view.Create(Context(), u"", nullptr);
        view.resize(width, height);
        view.OnInitialUpdate();
    }
    void SetSatellite(int number, double elevation, double azimuth, bool used) {
        const int slot = SatelliteSlot(number);
        Entry(SatelliteItemId(slot, entry::kSatelliteElevation))->SetValue(elevation * kDegree);
        Entry(SatelliteItemId(slot, entry::kSatelliteAzimuth))->SetValue(azimuth * kDegree);
        Entry(SatelliteItemId(slot, entry::kSatelliteUsed))->SetValue(used ? 1 : 0);
    }
    CStorageValue* Entry(uint16_t id) { return document.Database().FindAs<CStorageValue>(id); }
    void CloseEpoch() { document.Database().SaveSnapshot(document.History(), *document.History().NewSnapshot(0)); }
    CChannelHistory& Channels() { return document.Database().Channels(); }
    QColor Color(int index) const { return colors.Color(index); }

    CVeltroDoc document{DocumentSettings{10, "/nonexistent/", nullptr}};
    CColorTable colors;
    platform::CMemoryProfile profile;
    TestViewHost host;
};

}  // namespace

TEST(SatelliteSystem, NamesByNumber) {
    const std::pair<int, std::u16string> names[] = {
        {0, u""},         {1, u"GPS"},      {37, u"GPS"},       {38, u"Glonass"},  {61, u"Glonass"},
        {62, u"SV"},      {70, u"SV"},      {119, u"SV"},       {122, u"WAAS"},    {138, u"WAAS"},
        {120, u"EGNOS"},  {131, u"EGNOS"},  {129, u"MSAS"},     {137, u"MSAS"},    {133, u"SBAS"},
        {158, u"SBAS"},   {159, u"Galileo"}, {208, u"Galileo"}, {209, u"Giove-A"}, {210, u"SV"},
        {-1, u"SV"}};
    for (const auto& [number, name] : names) EXPECT_EQ(SatelliteSystemName(number), name) << number;
}

TEST(SkyPlotGeometry, FrameSymbolsAndPositions) {
    const SkyPlotFrame frame = SkyPlotFrameOf(300, 200);
    EXPECT_EQ(frame.centre, QPoint(150, 100));
    EXPECT_EQ(frame.radius, 90);
    EXPECT_EQ(SkyPlotFrameOf(50, 50).radius, 17);  // the margin is at least 8
    EXPECT_EQ(SkyPlotFrameOf(10, 10).radius, 0);

    EXPECT_EQ(ScaleToDpi(10, 96), 10);
    EXPECT_EQ(ScaleToDpi(13, 120), 16);
    EXPECT_EQ(ScaleToDpi(-10, 144), -15);
    const SkySymbolSize small = SkySymbolSizeOf(90, 96);
    EXPECT_EQ(small.circleRadius, 10);
    EXPECT_EQ(small.panelSpan, 13);
    const SkySymbolSize large = SkySymbolSizeOf(500, 192);
    EXPECT_EQ(large.circleRadius, 40);
    EXPECT_EQ(large.panelSpan, 52);
    EXPECT_EQ(large.labelPoints, 20);
    EXPECT_EQ(PanelHalfHeight(13), 11);

    EXPECT_EQ(SkyPoint(frame, 90 * kDegree, 123 * kDegree), frame.centre);
    EXPECT_EQ(SkyPoint(frame, 95 * kDegree, 0), frame.centre);
    EXPECT_EQ(SkyPoint(frame, 0, 0), QPoint(150, 10));
    EXPECT_EQ(SkyPoint(frame, 0, 90 * kDegree), QPoint(240, 100));
    EXPECT_EQ(SkyPoint(frame, 45 * kDegree, 0), QPoint(150, 55));
}

TEST(SkyPlotGeometry, ASymbolGrowsAroundAWideLabel) {
    const SkySymbolSize base{10, 13, 10};
    EXPECT_EQ(SymbolAround(base, QSize(14, 10)), base);
    // 22 x 10 pixels of ink: a radius of 13 reaches the corners, one more to spare.
    EXPECT_EQ(SymbolAround(base, QSize(22, 10)), (SkySymbolSize{14, 18, 10}));
}

TEST(LabelColor, WhiteOnDarkFillsBlackOnLightOnes) {
    CColorTable colors;
    EXPECT_EQ(LabelColorOn(colors.Color(kTracking)), QColor(Qt::white));
    EXPECT_EQ(LabelColorOn(colors.Color(0)), QColor(Qt::white));
    EXPECT_EQ(LabelColorOn(colors.Color(CColorTable::kBackground)), QColor(Qt::white));
    EXPECT_EQ(LabelColorOn(colors.Color(kUsed)), QColor(Qt::black));
    EXPECT_EQ(LabelColorOn(colors.Color(2)), QColor(Qt::black));
    EXPECT_EQ(LabelColorOn(colors.Color(CColorTable::kScale)), QColor(Qt::black));
    EXPECT_DOUBLE_EQ(RelativeLuminance(Qt::white), 1);
    EXPECT_DOUBLE_EQ(RelativeLuminance(Qt::black), 0);
}

TEST(SignalGeometry, ChannelCountsLevelsAndSampleBoxes) {
    EXPECT_EQ(ChannelCount(800, 0), 16);
    EXPECT_EQ(ChannelCount(200, 0), 8);
    EXPECT_EQ(ChannelCount(200, 0x00FF), 8);
    EXPECT_EQ(ChannelCount(200, 1u << 11), 12);
    EXPECT_EQ(ChannelCount(5000, 0), 16);

    EXPECT_EQ(LevelHeight(3, 100), 0);
    EXPECT_EQ(LevelHeight(5, 100), 0);
    EXPECT_EQ(LevelHeight(30, 100), 50);
    EXPECT_EQ(LevelHeight(60, 100), 100);
    EXPECT_EQ(LevelHeight(NAN, 100), 0);

    const QRect strip(100, 0, 200, 42);
    EXPECT_EQ(SampleBox(strip, 0), QRect(290, 0, 10, 42));
    EXPECT_EQ(SampleBox(strip, 19), QRect(100, 0, 10, 42));

    CChannelHistory::Sample sample;
    sample.cn0 = 30;
    EXPECT_EQ(SampleBars(QRect(0, 0, 10, 42), sample), std::vector<QRect>{QRect(1, 21, 8, 20)});
    sample.measurements = {55, 5, 30, 200};
    EXPECT_EQ(SampleBars(QRect(0, 0, 10, 42), sample),
              (std::vector<QRect>{QRect(1, 1, 2, 40), QRect(3, 41, 2, 0), QRect(5, 21, 2, 20), QRect(7, 1, 2, 40)}));
    sample.cn0 = 0;
    EXPECT_TRUE(SampleBars(QRect(0, 0, 10, 42), sample).empty());

    EXPECT_EQ(StateColorIndex(CChannelHistory::STATE_USED), 3);
    EXPECT_EQ(StateColorIndex(CChannelHistory::STATE_EMPTY), 10);
}

TEST(SignalGeometry, Cn0RangeKeepsToTheSatelliteOfTheNewestSample) {
    CChannelHistory channels;
    channels.AssignSatellite(2, 5);
    for (const double cn0 : {40.0, 30.0, 35.0}) {
        channels.SetCn0(2, cn0);
        channels.CloseEpoch();
    }
    channels.SetCn0(2, 36);
    EXPECT_EQ(Cn0RangeOf(channels, 2).minimum, 30);
    EXPECT_EQ(Cn0RangeOf(channels, 2).maximum, 40);
    channels.AssignSatellite(2, 7);
    channels.SetCn0(2, 20);
    EXPECT_EQ(Cn0RangeOf(channels, 2).minimum, 20);
    EXPECT_EQ(Cn0RangeOf(channels, 2).maximum, 20);
}

TEST_F(SatelliteViewTest, TheSkyPlotDrawsFreshSatellitesAboveTheHorizonWhereTheyStand) {
    SetSatellite(5, 90, 0, true);
    SetSatellite(7, 0, 90, false);
    Entry(SatelliteItemId(SatelliteSlot(7), entry::kSatelliteMode))->SetValue(1);
    SetSatellite(9, -3, 180, true);
    SetSatellite(11, 30, INFINITY, true);
    CSatellitePosView view;
    Open(view, 300, 200);
    document.ForceUpdate();
    EXPECT_TRUE(view.Shown(SatelliteSlot(5)).visible);
    EXPECT_EQ(view.Shown(SatelliteSlot(5)).state, kUsed);
    EXPECT_TRUE(view.Shown(SatelliteSlot(7)).visible);
    EXPECT_FALSE(view.Shown(SatelliteSlot(9)).visible);
    // An azimuth that is no angle has no place on the plot.
    EXPECT_FALSE(view.Shown(SatelliteSlot(11)).visible);

    // Satellite 5 in the centre, 7 on the horizon in the east; symbols of radius 10.
    const QImage image = Rendered(view);
    EXPECT_EQ(image.pixelColor(150 - 6, 100 - 6), Color(kUsed));
    EXPECT_EQ(image.pixelColor(240 - 6, 100 - 6), Color(kTracking));
    EXPECT_FALSE(HasColor(image, QRect(130, 170, 40, 30), Color(kUsed)));

    // Values are read at a due refresh that brings values.
    SetSatellite(9, 10, 180, true);
    view.OnUpdate(nullptr, HINT_REFRESH_DUE, nullptr);
    EXPECT_FALSE(view.Shown(SatelliteSlot(9)).visible);
    view.OnUpdate(nullptr, HINT_REFRESH_DUE | HINT_VALUES, nullptr);
    ASSERT_TRUE(view.Shown(SatelliteSlot(9)).visible);
    // Stale after 20 epochs without a position.
    for (int epoch = 1; epoch < 20; ++epoch) CloseEpoch();
    document.ForceUpdate();
    EXPECT_TRUE(view.Shown(SatelliteSlot(9)).visible);
    CloseEpoch();
    document.ForceUpdate();
    EXPECT_FALSE(view.Shown(SatelliteSlot(9)).visible);

    SetSatellite(9, 10, 180, true);
    document.ForceUpdate();
    document.NotifyNewDocument();
    EXPECT_FALSE(view.Shown(SatelliteSlot(9)).visible);
}

TEST_F(SatelliteViewTest, AThreeDigitNumberStandsWholeInItsSymbolInWhiteOnTrackingBlue) {
    SetSatellite(136, 90, 0, false);
    Entry(SatelliteItemId(SatelliteSlot(136), entry::kSatelliteMode))->SetValue(1);
    CSatellitePosView view;
    Open(view, 300, 200);
    document.ForceUpdate();
    const QImage image = Rendered(view);
    const QRect label(150 - 8, 100 - 8, 17, 17);
    // The circle reaches beyond the smallest radius of 10, and no strut runs through the number.
    EXPECT_EQ(image.pixelColor(150 + 9, 100 - 9), Color(kTracking));
    EXPECT_FALSE(HasColor(image, label, Color(CColorTable::kScale)));
    EXPECT_GT(CountLightPixels(image, label, 200), 15);
    EXPECT_FALSE(HasColor(image, label, Qt::black));
}

TEST_F(SatelliteViewTest, SignalBarsFillByLevelAndColumnsFollowTheWidth) {
    Channels().AssignSatellite(0, 5);
    Channels().SetCn0(0, 3);
    Channels().AssignSatellite(1, 7);
    Channels().SetCn0(1, 60);
    Channels().SetUsed(1, 1);
    Channels().AssignSatellite(11, 9);
    Channels().SetCn0(11, 30);

    CSatelliteSignalLevelView view;
    Open(view, 800, 200);
    QImage image = Rendered(view);
    // 16 columns about 48 pixels wide from x = 17: channel 0 (3 dB-Hz) has nothing filled, channel 1
    // (60 dB-Hz) is filled up to the top.
    EXPECT_FALSE(HasColor(image, QRect(0, 0, 60, 200), Color(kTracking)));
    EXPECT_TRUE(HasColor(image, QRect(75, 1, 25, 3), Color(kUsed)));
    EXPECT_FALSE(HasColor(image, QRect(0, 0, 800, 200), Color(0)));
    // The C/N0 of the tracked channel 11 in white at the foot of its blue bar.
    EXPECT_TRUE(HasColor(image, ColumnBox(QRect(17, 0, 783, 200), 16, 11).adjusted(0, 150, 0, 0), Qt::white));

    // 200 pixels: 8 columns, and more up to the last fresh channel (11); its bar is the last one.
    view.resize(200, 200);
    image = Rendered(view);
    EXPECT_TRUE(HasColor(image, QRect(188, 0, 10, 200), Color(kTracking)));
    EXPECT_FALSE(HasColor(image, QRect(150, 0, 30, 200), Color(kTracking)));
    for (int epoch = 0; epoch < 20; ++epoch) Channels().CloseEpoch();
    EXPECT_EQ(ChannelCount(200, FreshChannels(Channels())), 8);
}

TEST_F(SatelliteViewTest, SignalHistoryRowTexts) {
    EXPECT_EQ(CSatelliteSignalHistoryView::NumberLine(133), u"133 - SBAS");
    EXPECT_EQ(CSatelliteSignalHistoryView::NumberLine(7), u"7 - GPS");
    EXPECT_EQ(CSatelliteSignalHistoryView::PositionLine(45.4, 271.6), u"El 45 Az 272");
    EXPECT_EQ(CSatelliteSignalHistoryView::PositionLine(NAN, 10), u"El --- Az --");
    EXPECT_EQ(CSatelliteSignalHistoryView::Cn0Line(41.25), u"C/N0 41.2");
    EXPECT_EQ(CSatelliteSignalHistoryView::Cn0Line(0), u"C/N0 --.-");
    EXPECT_EQ(CSatelliteSignalHistoryView::Cn0Line(NAN), u"C/N0 --.-");
}
