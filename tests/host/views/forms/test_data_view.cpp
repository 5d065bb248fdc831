#include <gtest/gtest.h>

#include <QFontMetrics>
#include <cmath>

#include "host/views/forms/data_view.h"
#include "host/views/forms/data_view_layout.h"
#include "host/views/forms/navigation_status.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"
#include "tests/host/views/forms/simulated_document.h"
#include "tests/host/views/forms/view_pixels.h"

namespace {

constexpr int kRed = 4, kBlue = 5, kCyan = 6, kGreen = 7, kOrange = 8;
constexpr int kCellFrame = 14;

class DataViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.Create(Context(), u"CDataView", nullptr);
        view.resize(260, 200);
        view.OnInitialUpdate();
    }
    ViewContext Context() { return {document, colors, profile, host, ScreenDensity{96, 96}}; }
    void Set(uint16_t id, double value) { document.Database().FindAs<CStorageValue>(id)->SetValue(value); }
    QFontMetrics Metrics() { return QFontMetrics(DataPanelFont(DataPanelInner(view.rect()), ScreenDensity{96, 96})); }
    QRect Cell(int row) {
        const QFontMetrics metrics = Metrics();
        return DataCell(DataPanelInner(view.rect()), DataLabelWidth(metrics), metrics.height(), row);
    }
    QColor Color(int index) const { return colors.Color(index); }

    CVeltroDoc document{DocumentSettings{10, "/nonexistent/", nullptr}};
    CColorTable colors;
    platform::CMemoryProfile profile;
    TestViewHost host;
    CDataView view;
};

}  // namespace

TEST(DataViewLayout, DopScaleKeepsTheLargerBarBetweenAFifthAndThreeFifths) {
    EXPECT_EQ(DopScale(1.2, 0.8), 5);
    EXPECT_EQ(DopBarLength(200, 1.2, 5), 48);  // 24 %
    EXPECT_EQ(DopScale(0, 0), 1);
    EXPECT_EQ(DopScale(0.8, 0), 2);
    EXPECT_EQ(DopScale(45, 3), 100);
    EXPECT_EQ(DopScale(7, 0), 20);
    // Halving the scale of a tiny DOP would reach 0.
    EXPECT_EQ(DopScale(0.15, 0.05), 1);
    EXPECT_EQ(DopScale(0.05, 0), 1);

    EXPECT_EQ(DopBarValue(150), 0);
    EXPECT_EQ(DopBarValue(99), 0);
    EXPECT_EQ(DopBarValue(NAN), 0);
    EXPECT_EQ(DopBarValue(98.9), 98.9);
}

TEST(DataViewLayout, SpeedAndFixTexts) {
    EXPECT_EQ(SpeedText(9.99), u"35 km/h");
    EXPECT_EQ(SpeedText(0.1), u"0 km/h");
    EXPECT_EQ(SpeedText(-0.1), u"0 km/h");
    EXPECT_EQ(SpeedText(NAN), u"");
    EXPECT_EQ(SpeedText(1e300).substr(0, 4), u"3600");

    EXPECT_EQ(FixText(NAN, u"3D", 1), u"No Fix");
    EXPECT_EQ(FixText(0.5, u"3D", 1), u"No Fix");
    EXPECT_EQ(FixText(1, u"3D", 1), u"3D/DGPS");
    EXPECT_EQ(FixText(1, u"2D", 0), u"2D");
    EXPECT_EQ(FixText(1, u"2D", NAN), u"2D");
}

TEST(DataViewLayout, NavigationStatusColours) {
    EXPECT_EQ(NavigationStatusColorOf(NAN, 4), kRed);
    EXPECT_EQ(NavigationStatusColorOf(0, 4), kRed);
    EXPECT_EQ(NavigationStatusColorOf(1.5, 4), kGreen);
    EXPECT_EQ(NavigationStatusColorOf(1, NAN), kCyan);
    for (const int mode : {0, 1, 6}) EXPECT_EQ(NavigationStatusColorOf(1, mode), kBlue) << mode;
    EXPECT_EQ(NavigationStatusColorOf(1, 2), kCyan);
    for (const int mode : {3, 4, 5, 8}) EXPECT_EQ(NavigationStatusColorOf(1, mode), kGreen) << mode;
    EXPECT_EQ(NavigationStatusColorOf(1, 7), kOrange);
    EXPECT_EQ(NavigationStatusColorOf(1, 9), kRed);
    EXPECT_EQ(NavigationStatusColorOf(1, 1e300), kRed);
}

TEST(PaneText, TheLargestFittingSizeFromEightToTwentyFourPoints) {
    const ScreenDensity screen{96, 96};
    EXPECT_EQ(PaneTextPixels(screen, [](int) { return true; }), 32);
    EXPECT_EQ(PaneTextPixels(screen, [](int) { return false; }), 10);
    EXPECT_EQ(PaneTextPixels(screen, [](int pixels) { return pixels <= 17; }), 17);
    EXPECT_EQ(PaneTextPixels(ScreenDensity{192, 192}, [](int) { return true; }), 64);
}

TEST_F(DataViewTest, TheTextGrowsWithThePaneAndEveryRowFits) {
    for (const auto& [size, pixels] : {std::pair{QSize(200, 120), 10}, std::pair{QSize(800, 500), 32}}) {
        view.resize(size);
        const QRect inner = DataPanelInner(view.rect());
        EXPECT_EQ(DataPanelFont(inner, ScreenDensity{96, 96}).pixelSize(), pixels);
        const QRect last = Cell(ROW_HDOP);
        EXPECT_LE(last.bottom(), inner.bottom());
        const QImage image = Rendered(view);
        const QRect label(inner.left(), last.top(), last.left() - inner.left(), last.height());
        EXPECT_GT(CountLightPixels(image, label, 128), 0);
        EXPECT_EQ(image.pixelColor(last.bottomRight()), Color(kCellFrame));
    }
}

TEST_F(DataViewTest, WithoutDataTheLabelsAndEmptyFramesShowAndTheFixIsMissingInRed) {
    const auto texts = view.RowTexts();
    for (int row = 0; row < kDataRowCount; ++row)
        EXPECT_EQ(texts[row], row == ROW_FIX ? u"No Fix" : u"") << row;

    const QImage image = Rendered(view);
    for (int row = 0; row < kDataRowCount; ++row) {
        const QRect cell = Cell(row);
        EXPECT_EQ(image.pixelColor(cell.topLeft()), Color(kCellFrame)) << row;
        EXPECT_EQ(image.pixelColor(cell.bottomRight()), Color(kCellFrame)) << row;
        // The label is drawn left of the cell.
        EXPECT_TRUE(HasColor(image, QRect(0, cell.top(), cell.left(), cell.height()), Color(CColorTable::kScale)));
        const QRect inside = cell.adjusted(1, 1, -1, -1);
        EXPECT_EQ(CountPixels(image, inside, Color(CColorTable::kBackground)) == inside.width() * inside.height(),
                  row != ROW_FIX)
            << row;
    }
    EXPECT_TRUE(HasColor(image, Cell(ROW_FIX), Color(kRed)));
}

TEST_F(DataViewTest, AFixWithDgpsSpeedTimeAndDopBars) {
    Set(entry::kNavigationValid, 1);
    Set(entry::kNavigationMode, 4);
    Set(entry::kDgpsUsed, 1);
    Set(entry::kSpeedOverGround, 9.99);
    Set(entry::kPdop, 1.2);
    Set(entry::kHdop, 0.8);
    Set(entry::kUtc, 1709294405.25);
    Set(entry::kLatitude, 47.285233 * M_PI / 180);
    document.ForceUpdate();

    const auto texts = view.RowTexts();
    EXPECT_EQ(texts[ROW_FIX], u"3D/DGPS");
    EXPECT_EQ(texts[ROW_SOG], u"35 km/h");
    EXPECT_EQ(texts[ROW_UTC], u"12:00:05.250");
    EXPECT_EQ(texts[ROW_DATE], u"03/01/2024");
    EXPECT_EQ(texts[ROW_LAT], u"47.285233 °");
    EXPECT_EQ(texts[ROW_PDOP], u"1.2");

    const QImage image = Rendered(view);
    EXPECT_TRUE(HasColor(image, Cell(ROW_FIX), Color(kGreen)));
    EXPECT_FALSE(HasColor(image, Cell(ROW_FIX), Color(kRed)));
    // Scale 5: the PDOP bar covers 24 % of its cell, the HDOP bar 16 %.
    for (const auto& [row, percent] : {std::pair{ROW_PDOP, 24}, std::pair{ROW_HDOP, 16}}) {
        const QRect cell = Cell(row);
        const int end = cell.left() + cell.width() * percent / 100;
        const int barTop = cell.bottom() - 3;
        EXPECT_EQ(image.pixelColor(end - 1, barTop), Color(CColorTable::kScale)) << row;
        EXPECT_EQ(image.pixelColor(end + 1, barTop), Color(CColorTable::kBackground)) << row;
    }

    // In a narrow panel the latitude is wider than its cell: it is drawn whole, into the gap behind
    // its label.
    view.resize(100, 200);
    const QRect cell = Cell(ROW_LAT);
    const int labelEnd = DataPanelInner(view.rect()).left() + Metrics().horizontalAdvance(QStringLiteral("Lat"));
    const QRect gap(labelEnd + 1, cell.top() + 1, cell.left() - labelEnd - 1, cell.height() - 2);
    EXPECT_GT(CountLightPixels(Rendered(view), gap, 128), 0);
}

TEST_F(DataViewTest, APdopOf150IsShownButDoesNotScaleTheBars) {
    Set(entry::kPdop, 150);
    Set(entry::kHdop, 0.8);
    document.ForceUpdate();
    EXPECT_EQ(view.RowTexts()[ROW_PDOP], u"150.0");

    const QImage image = Rendered(view);
    // No PDOP bar; the HDOP bar on the scale of 0.8 alone (2): 40 % of its cell.
    const QRect pdop = Cell(ROW_PDOP);
    EXPECT_EQ(image.pixelColor(pdop.left() + 1, pdop.bottom() - 3), Color(CColorTable::kBackground));
    const QRect hdop = Cell(ROW_HDOP);
    const int end = hdop.left() + hdop.width() * 40 / 100;
    EXPECT_EQ(image.pixelColor(end - 1, hdop.bottom() - 3), Color(CColorTable::kScale));
    EXPECT_EQ(image.pixelColor(end + 1, hdop.bottom() - 3), Color(CColorTable::kBackground));
}
