#include <gtest/gtest.h>

#include <QDir>
#include <cmath>

#include "host/views/forms/main_form.h"
#include "host/views/instruments/altitude_meter_view.h"
#include "host/views/instruments/compass_view.h"
#include "host/views/instruments/instrument_geometry.h"
#include "host/views/instruments/speed_meter_view.h"
#include "host/views/instruments/watch_view.h"
#include "host/views/instruments/world_view.h"
#include "host/views/view_classes.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"
#include "tests/host/views/forms/simulated_document.h"
#include "tests/host/views/forms/view_pixels.h"

namespace {

const QString kFolder = QStringLiteral(VELTRO_SCREENSHOT_DIR);
constexpr int kTrailColor = 9;

class InstrumentViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.HasPlugins()) << "plug-ins not loaded from " << VELTRO_PLUGIN_DIR;
        QDir().mkpath(kFolder);
    }
    template <typename View>
    void Open(View& view, const std::u16string& viewClass, int width, int height) {
        view.Create(sim.Context(), viewClass, nullptr);
        view.resize(width, height);
        view.OnInitialUpdate();
        view.show();
    }
    void Save(QWidget& widget, const QString& name) { EXPECT_TRUE(Rendered(widget).save(kFolder + "/" + name)); }
    CStorageValue* Entry(uint16_t id) { return sim.document.Database().FindAs<CStorageValue>(id); }

    SimulatedDocument sim;
};

}  // namespace

TEST_F(InstrumentViewTest, TheNavSummaryFedByTheSimulatedReceiverAndEmptiedAgain) {
    sim.Feed(30);
    CMainFormNAVInfo form;
    Open(form, view_class::kMainFormNAVInfo, 800, 600);
    Save(form, "nav_summary.png");
    ASSERT_NE(form.Speed(), nullptr);
    const CInstrumentView* instruments[] = {form.Compass(), form.Speed(), form.Altitude(), form.Watch()};
    for (const CInstrumentView* view : instruments) {
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(view->HasReading());
        EXPECT_EQ(view->size(), QSize(400, 300));
    }
    EXPECT_EQ(form.Speed()->Texts().front().substr(0, 6), u"SoG = ");
    EXPECT_NEAR(form.Speed()->Shown(), Entry(entry::kSpeedOverGround)->GetValue() * 3.6, 1e-9);
    EXPECT_EQ(form.Watch()->Texts().size(), 2u);
    EXPECT_EQ(form.Watch()->Texts()[0].size(), std::u16string(u"12:00:00.000").size());
    // Something besides the dials: the hands and texts of a reading.
    const QImage image = Rendered(form);
    EXPECT_GT(CountLightPixels(image, QRect(0, 280, 800, 20), 128), 100);

    // "Database empty": no instrument shows the old reading until the value is set again.
    sim.document.OnNewDocument();
    for (const CInstrumentView* view : instruments) {
        EXPECT_FALSE(view->HasReading());
        EXPECT_TRUE(view->Texts().empty());
    }
    Save(form, "nav_summary_empty.png");
    EXPECT_EQ(CountLightPixels(Rendered(form), QRect(0, 280, 800, 20), 128), 0);
    Entry(entry::kSpeedOverGround)->SetValue(10);
    form.Speed()->OnUpdate(nullptr, HINT_REFRESH_DUE | HINT_VALUES, nullptr);
    EXPECT_EQ(form.Speed()->Texts().front(), u"SoG = 36.0 km/h");
}

TEST_F(InstrumentViewTest, ReadingsThatAreNotFiniteOrAbsurdDrawAsNoReading) {
    CSpeedMeterView speed;
    CAltitudeMeterView altitude;
    CCompassView compass;
    Open(speed, u"CSpeedMeterView", 200, 200);
    Open(altitude, u"CAltitudeMeterView", 200, 200);
    Open(compass, u"CCompassView", 200, 200);
    Entry(entry::kSpeedOverGround)->SetValue(1e300);
    Entry(entry::kHeightAboveEllipsoid)->SetValue(1e300);
    Entry(entry::kCourseOverGround)->SetValue(INFINITY);
    sim.document.ForceUpdate();
    EXPECT_FALSE(speed.HasReading());
    EXPECT_FALSE(altitude.HasReading());
    EXPECT_FALSE(compass.HasReading());
    Rendered(altitude);

    // Only a refresh that is due redraws an instrument; values alone do not.
    Entry(entry::kSpeedOverGround)->SetValue(100);
    speed.OnUpdate(nullptr, HINT_VALUES, nullptr);
    EXPECT_FALSE(speed.HasReading());
    Entry(entry::kCourseOverGround)->SetValue(-std::numbers::pi / 2);
    sim.document.ForceUpdate();
    EXPECT_NEAR(compass.Shown(), 1.5 * std::numbers::pi, 1e-12);
    EXPECT_TRUE(SpeedWarning(speed.Shown()));
    Save(speed, "speed_meter_warning.png");
    EXPECT_TRUE(HasColor(Rendered(speed), QRect(0, 150, 200, 50), sim.colors.Color(4)));
}

TEST_F(InstrumentViewTest, TheWorldMapFedByTheSimulatedReceiver) {
    sim.Feed(40);
    CWorldView world;
    Open(world, view_class::kWorldView, 800, 480);
    Save(world, "world_map.png");
    ASSERT_FALSE(std::isnan(world.Position().x()));
    // The simulator drives near Zürich.
    EXPECT_NEAR(world.Position().x(), 8.54 * 60, 60);
    EXPECT_NEAR(world.Position().y(), 47.38 * 60, 60);
    EXPECT_GE(world.Trail().size(), 30u);
    EXPECT_FALSE(world.LatitudeText().empty());
    const QImage image = Rendered(world);
    // Coastlines in light grey, and the trail and marker near the position.
    EXPECT_GT(CountPixels(image, world.rect(), sim.colors.Color(10)), 2000);
    const QFontMetrics metrics(SharedTextFont(ScreenDensity{96, 96}));
    const QRect plot = WorldAreasOf(world.rect(), metrics.height()).plot;
    const QPoint at = WorldPoint(plot, world.Position().x(), world.Position().y());
    EXPECT_TRUE(HasColor(image, QRect(at - QPoint(10, 10), QSize(21, 21)), sim.colors.Color(7)));

    world.resize(320, 200);
    Save(world, "world_map_small.png");
    sim.document.OnNewDocument();
    EXPECT_TRUE(std::isnan(world.Position().x()));
    EXPECT_TRUE(world.Trail().empty());
    EXPECT_FALSE(HasColor(Rendered(world), world.rect(), sim.colors.Color(kTrailColor)));
}
