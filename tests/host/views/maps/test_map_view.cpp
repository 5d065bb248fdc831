#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QStatusBar>
#include <cmath>
#include <numbers>

#include "host/core/maps/calibration_file.h"
#include "host/core/maps/map_geometry.h"
#include "host/core/maps/world_file.h"
#include "host/views/maps/deviation_map_view.h"
#include "host/views/maps/map_view.h"
#include "host/views/qt_text.h"
#include "resources/veltro/command_ids.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"
#include "tests/host/views/forms/simulated_document.h"
#include "tests/host/views/forms/view_pixels.h"
#include "tests/host/views/gui_test_support.h"
#include "tests/host/views/maps/map_test_files.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180;

class MapViewTest : public ::testing::Test {
protected:
    void Open(CMapView& view, ViewContext context) {
        view.Create(context, u"", nullptr);
        view.resize(400, 300);
        view.OnInitialUpdate();
    }
    CMapView& View() {
        if (!view.IsWindow()) Open(view, {document, colors, profile, host, ScreenDensity{96, 96}});
        return view;
    }
    // A 400 x 300 picture whose top-left pixel lies at 8.50 E, 47.40 N, 0.0001 degrees a pixel.
    std::string Map(const std::string& name, const std::string& mcf) {
        const std::string picture = files.Picture(name + ".png", 400, 300);
        if (!mcf.empty()) files.Write(name + ".mcf", mcf);
        return picture;
    }
    const std::vector<std::u16string>& Shown() const { return host.prompts.shown; }
    void Click(QPoint at, QPoint to) {
        QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, {});
        QMouseEvent move(QEvent::MouseMove, to, to, Qt::NoButton, Qt::LeftButton, {});
        QMouseEvent release(QEvent::MouseButtonRelease, to, to, Qt::LeftButton, {}, {});
        QCoreApplication::sendEvent(&View(), &press);
        if (to != at) QCoreApplication::sendEvent(&View(), &move);
        QCoreApplication::sendEvent(&View(), &release);
    }

    TestFolder files;
    CVeltroDoc document{DocumentSettings{10, "/nonexistent/", nullptr}};
    CColorTable colors;
    platform::CMemoryProfile profile;
    TestViewHost host;
    CMapView view;
};

}  // namespace

TEST(MapTransform, PixelToGeoToPixelWithinHalfAPixel) {
    const auto references = [](double lon, double lat, double scale, double turn, double skew) {
        std::array<MapReference, 3> r{};
        const MapPixel pixels[3] = {{12, 7}, {3000, 40}, {90, 2500}};
        for (size_t i = 0; i < 3; ++i) {
            const double east = pixels[i].x * std::cos(turn) + pixels[i].y * (std::sin(turn) + skew);
            const double south = -pixels[i].x * std::sin(turn) + pixels[i].y * std::cos(turn);
            r[i] = {pixels[i], {(lat - south * scale) * kDegree, (lon + east * scale) * kDegree}};
        }
        return r;
    };
    for (const auto& r : {references(8.5, 47.4, 1e-5, 0, 0), references(-122.4, -33.9, 3e-4, 0.5, 0),
                          references(179.9, 65, 1e-6, -1.2, 0.3), references(0, 0, 0.05, 3, -0.2)}) {
        const std::optional<CMapTransform> transform = CMapTransform::Solve(r);
        ASSERT_TRUE(transform);
        for (const MapPixel pixel : {MapPixel{0, 0}, MapPixel{12, 7}, MapPixel{4095, 17}, MapPixel{1234, 3210}}) {
            const MapPixel back = transform->ToPixel(transform->ToGeo(pixel));
            EXPECT_LT(std::hypot(back.x - pixel.x, back.y - pixel.y), 0.5);
            const MapPoint rounded = RoundedPixel(back);
            EXPECT_EQ(rounded.x, pixel.x);
            EXPECT_EQ(rounded.y, pixel.y);
        }
    }
}

TEST(MapGeometry, ScaleBarFitAndFileNames) {
    const std::optional<ScaleBar> metres = ScaleBarFor(1508, 400);
    ASSERT_TRUE(metres);
    EXPECT_EQ(metres->pixels, 133);  // 500 m of 1508
    EXPECT_EQ(metres->label, u"500 m");
    EXPECT_EQ(ScaleBarFor(7000, 350)->label, u"2 km");  // m >= 6 doubles
    EXPECT_EQ(ScaleBarFor(4000, 400)->pixels, 100);
    EXPECT_FALSE(ScaleBarFor(0, 400));
    EXPECT_DOUBLE_EQ(FitZoom(400, 300, 800, 400), 0.95 * 0.5);

    EXPECT_EQ(CalibrationPath("/data/maps.v2/plan"), "/data/maps.v2/plan.mcf");
    EXPECT_EQ(CalibrationPath("/data/maps.v2/plan.png"), "/data/maps.v2/plan.mcf");
    EXPECT_EQ(WorldFilePaths("/m/a.jpeg"), (std::vector<std::string>{"/m/a.jgw", "/m/a.wld"}));
    const std::vector<MapFileFilter> filters = MapFileFilters();
    ASSERT_EQ(filters.size(), 6u);
    EXPECT_EQ(filters[0].description, u"Map Files (*.png;*.jpg;*.jpeg;*.gif;*.bmp)");
    EXPECT_EQ(filters[2].description, u"JPEG File Interchange Format (*.jpg;*.jpeg)");
    EXPECT_EQ(filters[5].patterns, u"*.*");
}

TEST_F(MapViewTest, ReferencesThatSpanNoPlaneGiveTheDivisionMessage) {
    const std::string lines[] = {// On one line in latitude and longitude.
                                 "[Reference]\r\n1=0,0,8.50,47.40\r\n2=100,50,8.51,47.41\r\n3=300,150,8.53,47.43\r\n",
                                 // Latitude changes, longitude stays.
                                 "[Reference]\r\n1=0,0,8.50,47.40\r\n2=400,0,8.50,47.38\r\n3=0,300,8.50,47.37\r\n"};
    for (const std::string& mcf : lines) {
        host.prompts.shown.clear();
        ASSERT_TRUE(View().LoadMap(Map("plane", mcf)));
        EXPECT_FALSE(View().IsCalibrated());
        EXPECT_EQ(Shown(), std::vector<std::u16string>{u"Division by zero while applying calibration"});
    }
}

TEST_F(MapViewTest, MarkersOfBothTypesAndOneMessageForTheMissingOne) {
    const std::string path = Map("hut", Mcf(8.50, 47.40, 0.0001,
                                            "[Marker]\r\nCount=3\r\n1=c,8.52,47.38,\"Bridge\"\r\n"
                                            "3=i, 100, 200 \"Hut\"\r\n"));
    ASSERT_TRUE(View().LoadMap(path));
    EXPECT_TRUE(View().IsCalibrated());
    const std::string mcf = CalibrationPath(path);
    EXPECT_EQ(Shown(), std::vector<std::u16string>{u"Syntax error in calibration file " + platform::Utf8ToWide(mcf) +
                                                   u"\nMarker 2 not found"});
    const std::vector<MapMarker>& markers = View().Markers();
    ASSERT_EQ(markers.size(), 5u);
    EXPECT_EQ(markers[0].name, u"Reference 1");
    EXPECT_EQ(markers[3].name, u"Bridge");
    EXPECT_NEAR(markers[3].position.longitude, 8.52 * kDegree, 1e-12);
    EXPECT_EQ(markers[4].name, u"Hut");
    const std::optional<MapPoint> hut = View().GeoToPixel(markers[4].position);
    ASSERT_TRUE(hut);
    EXPECT_EQ(hut->x, 100);
    EXPECT_EQ(hut->y, 200);
}

TEST_F(MapViewTest, ManyBadLinesInOneMessageAndTheCountCapped) {
    std::string markers = "[Marker]\r\nCount=100000\r\n";
    for (int key = 1; key <= 15; ++key) markers += std::to_string(key) + "=bad\r\n";
    ASSERT_TRUE(View().LoadMap(Map("bad", Mcf(8.50, 47.40, 0.0001, markers))));
    EXPECT_TRUE(View().IsCalibrated());
    ASSERT_EQ(Shown().size(), 1u);
    const std::u16string& message = Shown()[0];
    EXPECT_TRUE(message.starts_with(u"Syntax error in calibration file "));
    EXPECT_NE(message.find(u"\nCount = 100000: only the first 2000 markers are read\n1 = bad\n"), std::u16string::npos);
    // The capped count, 15 bad lines and 1985 missing markers: ten listed.
    EXPECT_TRUE(message.ends_with(u"\n9 = bad\n... and 1991 more"));
    EXPECT_EQ(View().Markers().size(), 3u);
}

TEST_F(MapViewTest, TheExtensionIsTakenAfterTheLastSeparatorOnly) {
    const std::string picture = files.Picture("maps.v2/plan", 400, 300);
    files.Write("maps.v2/plan.mcf", Mcf(8.50, 47.40, 0.0001));
    ASSERT_TRUE(View().LoadMap(picture));
    EXPECT_TRUE(View().IsCalibrated());
    EXPECT_TRUE(Shown().empty());
}

TEST_F(MapViewTest, AMissingPictureOrCalibration) {
    EXPECT_FALSE(View().LoadMap((files.path / "none.png").string()));
    EXPECT_FALSE(View().HasMap());
    EXPECT_EQ(Shown(), std::vector<std::u16string>{u"ERROR: Map file could not be opened"});
    host.prompts.shown.clear();
    ASSERT_TRUE(View().LoadMap(Map("plain", {})));
    EXPECT_FALSE(View().IsCalibrated());
    EXPECT_EQ(Shown(), std::vector<std::u16string>{u"ERROR: Calibration File not found\n"});
    Click({200, 150}, {200, 150});
    EXPECT_EQ(View().StatusText(), u"Map File Not Calibrated X 200, Y 150");
    Click({100, 150}, {300, 160});
    EXPECT_EQ(View().StatusText(), u"Map File Not Calibrated X 100..300, Y 150..160");
}

TEST_F(MapViewTest, AWorldFileAgreesWithTheEquivalentMcf) {
    const std::string mcfMap = Map("mcf", Mcf(8.50, 47.40, 0.0001));
    const std::string worldMap = files.Picture("world.png", 400, 300);
    files.Write("world.pgw", "0.0001\n0\n0\n-0.0001\n8.50\n47.40\n");
    CMapView other;
    Open(other, {document, colors, profile, host, ScreenDensity{96, 96}});
    ASSERT_TRUE(View().LoadMap(mcfMap));
    ASSERT_TRUE(other.LoadMap(worldMap));
    ASSERT_TRUE(other.IsCalibrated());
    EXPECT_TRUE(Shown().empty());
    for (const MapPoint pixel : {MapPoint{0, 0}, MapPoint{399, 0}, MapPoint{123, 287}}) {
        EXPECT_NEAR(View().PixelToGeo(pixel)->latitude, other.PixelToGeo(pixel)->latitude, 1e-11);
        EXPECT_NEAR(View().PixelToGeo(pixel)->longitude, other.PixelToGeo(pixel)->longitude, 1e-11);
    }
    // Metres of a projected grid are not degrees.
    files.Write("world.pgw", "2.5\n0\n0\n-2.5\n465000\n5250000\n");
    EXPECT_FALSE(other.LoadMap(worldMap) && other.IsCalibrated());
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_NE(Shown()[0].find(u"does not hold WGS 84 degrees"), std::u16string::npos);
}

TEST_F(MapViewTest, TapsDragsCalibrationPointsAndTheStateBlock) {
    const std::string path = Map("tap", Mcf(8.50, 47.40, 0.0001));
    host.prompts.mapFile = path;
    View().OnCommand(cmd::kOpenMap);
    ASSERT_TRUE(View().IsCalibrated());
    EXPECT_EQ(profile.GetString(u"Settings", u"DefaultDirMap", u""), platform::Utf8ToWide(path));
    Click({200, 150}, {200, 150});
    EXPECT_EQ(View().StatusText(), u"Lon 8.520000, Lat 47.385000 (X 200, Y 150)");
    Click({100, 150}, {300, 150});
    // 0.02 degrees of longitude at 47.385 N on the ellipsoid.
    EXPECT_EQ(View().StatusText(),
              u"Lon 8.510000..8.530000, Lat 47.385000..47.385000, dx=1510.2m, dy=0.0m, "
              u"dist=1510.2m (X 100..300, Y 150..150)");
    View().OnCommand(cmd::kCalibrationPoints);
    Click({200, 150}, {200, 150});
    Click({10, 20}, {10, 20});
    EXPECT_EQ(View().StatusText(), u"Calibration Point 2. X 10, Y 20");

    // The wheel keeps the pixel under the pointer; the block carries the zoom to another view.
    const MapPoint under = View().ScreenToPixel({50, 60});
    View().ZoomBy(2, QPointF(50, 60));
    EXPECT_EQ(View().ScreenToPixel({50, 60}).x, under.x);
    EXPECT_EQ(View().ScreenToPixel({50, 60}).y, under.y);
    const std::span<const uint8_t> block = View().GetViewState();
    ASSERT_EQ(block.size(), 600u);
    CMapView restored;
    Open(restored, {document, colors, profile, host, ScreenDensity{96, 96}});
    ASSERT_TRUE(restored.SetViewState(block));
    EXPECT_DOUBLE_EQ(restored.Settings().zoom, 2);
    EXPECT_EQ(restored.Settings().picturePath, platform::Utf8ToWide(path));
    EXPECT_TRUE(restored.IsCalibrated());
    EXPECT_FALSE(restored.SetViewState(std::vector<uint8_t>(599)));
}

TEST_F(MapViewTest, FollowingCentresThePosition) {
    ASSERT_TRUE(View().LoadMap(Map("follow", Mcf(8.50, 47.40, 0.0001))));
    const GeoPosition position{47.39 * kDegree, 8.51 * kDegree};
    document.Database().FindAs<CStorageValue>(entry::kLatitude)->SetValue(position.latitude);
    document.Database().FindAs<CStorageValue>(entry::kLongitude)->SetValue(position.longitude);
    View().OnUpdate(nullptr, HINT_REFRESH_DUE | HINT_VALUES, nullptr);
    EXPECT_EQ(View().GeoToScreen(position), QPoint(200, 150));
    View().OnCommand(cmd::kFollowPosition);
    View().ZoomBy(0.5, QPointF(0, 0));
    View().OnUpdate(nullptr, HINT_REFRESH_DUE | HINT_VALUES, nullptr);
    EXPECT_NE(View().GeoToScreen(position), QPoint(200, 150));
}

// A picture of 3 by 3 km around the simulator's drive, and the drive on it.
TEST(MapViewScreenshot, ACalibratedMapWithTheSimulatorsTrack) {
    SimulatedDocument simulated;
    ASSERT_TRUE(simulated.HasPlugins());
    TestFolder files;
    const std::string picture = files.Picture("drive.png", 600, 600);
    files.Write("drive.mcf",
                "[Reference]\r\n1=0,0,8.5220,47.3904\r\n2=600,0,8.5614,47.3904\r\n"
                "3=0,600,8.5220,47.3634\r\n[Marker]\r\nCount=1\r\n1=c,8.5417,47.3769,\"Start\"\r\n");
    simulated.Feed(240);
    CMapView view;
    view.Create(simulated.Context(), u"", nullptr);
    view.resize(640, 480);
    view.OnInitialUpdate();
    ASSERT_TRUE(view.LoadMap(picture));
    ASSERT_TRUE(view.IsCalibrated());
    view.OnUpdate(nullptr, HINT_FORCED, nullptr);
    const QImage image = Rendered(view);
    EXPECT_GT(CountPixels(image, image.rect(), simulated.colors.Color(12)), 50);  // the track
    EXPECT_TRUE(HasColor(image, image.rect(), simulated.colors.Color(9)));        // the position
    QDir().mkpath(QStringLiteral(VELTRO_SCREENSHOT_DIR));
    EXPECT_TRUE(image.save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/map_view.png")));
}

// Through the program's window: the View menu opens the map, another view keeps it in the recent
// list, and the list brings it back as it was; a tap's text stands in the window's status bar.
class MapFrameTest : public GuiAppTest {};

TEST_F(MapFrameTest, TheRecentListBringsTheMapBack) {
    CMainFrameMobile& frame = Start({});
    frame.resize(800, 600);
    TestFolder files;
    const std::string path = files.Picture("town.png", 400, 300);
    files.Write("town.mcf", Mcf(8.50, 47.40, 0.0001));
    EXPECT_FALSE(Enabled(frame, cmd::kFirstRecentMap));
    frame.CommandBar().Run(cmd::kNewMapView);
    auto* map = dynamic_cast<CMapView*>(frame.ActiveView());
    ASSERT_NE(map, nullptr);
    prompts.mapFile = path;
    map->OnCommand(cmd::kOpenMap);
    map->ZoomBy(2, QPointF(0, 0));
    frame.CommandBar().Run(cmd::kDeviationMap);
    ASSERT_NE(dynamic_cast<CDeviationMapView*>(frame.ActiveView()), nullptr);
    ASSERT_TRUE(Enabled(frame, cmd::kFirstRecentMap));
    EXPECT_EQ(Item(frame, cmd::kFirstRecentMap)->text(), QStringLiteral("&1 town.png"));

    frame.CommandBar().Run(cmd::kFirstRecentMap);
    map = dynamic_cast<CMapView*>(frame.ActiveView());
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(map->IsCalibrated());
    EXPECT_DOUBLE_EQ(map->Settings().zoom, 2);
    const QPoint at = map->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, {}, {});
    QCoreApplication::sendEvent(map, &press);
    QCoreApplication::sendEvent(map, &release);
    EXPECT_EQ(frame.statusBar()->currentMessage(), ToQString(map->StatusText()));
    frame.show();
    RunEventsUntil([] { return false; }, std::chrono::milliseconds(200));
    QDir().mkpath(QStringLiteral(VELTRO_SCREENSHOT_DIR));
    EXPECT_TRUE(frame.grab().save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/map_view_window.png")));
    EXPECT_TRUE(map->StatusText().starts_with(u"Lon 8."));
}
