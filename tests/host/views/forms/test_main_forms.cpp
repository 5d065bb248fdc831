#include <gtest/gtest.h>

#include <QDir>

#include "host/views/forms/data_view.h"
#include "host/views/forms/main_form.h"
#include "host/views/instruments/compass_view.h"
#include "host/views/instruments/speed_meter_view.h"
#include "host/views/satellites/satellite_pos_view.h"
#include "host/views/satellites/satellite_signal_history_view.h"
#include "host/views/satellites/satellite_signal_level_view.h"
#include "host/views/satellites/satellite_system.h"
#include "host/views/satellites/signal_geometry.h"
#include "host/views/view_classes.h"
#include "tests/host/views/forms/simulated_document.h"
#include "tests/host/views/forms/view_pixels.h"

namespace {

const QString kFolder = QStringLiteral(VELTRO_SCREENSHOT_DIR);
constexpr int kUsed = 3;
constexpr int kGreen = 7;

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.HasPlugins()) << "plug-ins not loaded from " << VELTRO_PLUGIN_DIR; }

    template <typename Form>
    std::unique_ptr<Form> Open(const std::u16string& viewClass, int width, int height) {
        auto form = std::make_unique<Form>();
        form->Create(sim.Context(), viewClass, nullptr);
        form->resize(width, height);
        form->OnInitialUpdate();
        form->show();
        return form;
    }
    void Save(QWidget& widget, const QString& name) {
        QDir().mkpath(kFolder);
        EXPECT_TRUE(Rendered(widget).save(kFolder + "/" + name));
    }

    SimulatedDocument sim;
};

}  // namespace

TEST(MainFormLayout, HalvesAreIntegerHalves) {
    const auto sv = SvSummaryLayout(801, 601);
    EXPECT_EQ(sv[0], QRect(0, 0, 400, 300));
    EXPECT_EQ(sv[1], QRect(400, 0, 400, 300));
    EXPECT_EQ(sv[2], QRect(0, 300, 801, 300));
    const auto nav = NavSummaryLayout(801, 601);
    EXPECT_EQ(nav[0], QRect(0, 0, 400, 300));
    EXPECT_EQ(nav[1], QRect(400, 0, 400, 300));
    EXPECT_EQ(nav[2], QRect(0, 300, 400, 300));
    EXPECT_EQ(nav[3], QRect(400, 300, 400, 300));
}

TEST_F(MainFormTest, TheSvSummaryPlacesItsThreeViewsAndFollowsResizing) {
    auto form = Open<CMainFormSVInfo>(view_class::kMainFormSVInfo, 640, 480);
    ASSERT_NE(form->SatellitePosition(), nullptr);
    ASSERT_NE(form->Data(), nullptr);
    ASSERT_NE(form->SignalLevel(), nullptr);
    for (const char* unused : {"Speed", "Compass", "Altitude", "Watch"})
        EXPECT_TRUE(form->Placeholder(unused)->isHidden()) << unused;

    form->resize(801, 600);
    EXPECT_EQ(form->Placeholder("SatPos")->geometry(), QRect(0, 0, 400, 300));
    EXPECT_EQ(form->Placeholder("Data")->geometry(), QRect(400, 0, 400, 300));
    EXPECT_EQ(form->Placeholder("SatLevel")->geometry(), QRect(0, 300, 801, 300));
    EXPECT_EQ(form->SatellitePosition()->size(), QSize(400, 300));
    EXPECT_EQ(form->Data()->size(), QSize(400, 300));
    EXPECT_EQ(form->SignalLevel()->size(), QSize(801, 300));

    // A size of nothing moves nothing.
    form->resize(0, 600);
    EXPECT_EQ(form->Data()->size(), QSize(400, 300));
}

TEST_F(MainFormTest, EachPaneOfTheNavSummaryHoldsItsInstrument) {
    auto form = Open<CMainFormNAVInfo>(view_class::kMainFormNAVInfo, 641, 480);
    Save(*form, "nav_summary_no_data.png");
    const char* names[] = {"Compass", "Speed", "Altitude", "Watch"};
    for (size_t pane = 0; pane < 4; ++pane) {
        EXPECT_FALSE(form->Placeholder(names[pane])->isHidden()) << names[pane];
        EXPECT_EQ(form->PaneView(pane)->size(), QSize(320, 240)) << names[pane];
    }
    EXPECT_NE(dynamic_cast<CCompassView*>(form->PaneView(0)), nullptr);
    EXPECT_NE(form->Speed(), nullptr);
    EXPECT_NE(form->Altitude(), nullptr);
    EXPECT_NE(form->Watch(), nullptr);
    EXPECT_EQ(form->Placeholder("Watch")->geometry(), QRect(320, 240, 320, 240));
    EXPECT_FALSE(form->Speed()->HasReading());
}

TEST_F(MainFormTest, TheSvSummaryAndTheSignalHistoryFedByTheSimulatedReceiver) {
    sim.Feed(30);
    auto form = Open<CMainFormSVInfo>(view_class::kMainFormSVInfo, 800, 600);
    const QImage image = Rendered(*form);
    Save(*form, "sv_summary_800x600.png");

    EXPECT_EQ(form->Data()->RowTexts()[6].substr(0, 2), u"3D");
    EXPECT_TRUE(HasColor(image, QRect(400, 0, 400, 300), sim.colors.Color(kGreen)));
    int shown = 0;
    for (int slot = 0; slot < kSatelliteSlots; ++slot) shown += form->SatellitePosition()->Shown(slot).visible;
    EXPECT_GE(shown, 4);
    EXPECT_GT(CountPixels(image, QRect(0, 0, 400, 300), sim.colors.Color(kUsed)), 400);
    EXPECT_GT(CountPixels(image, QRect(0, 300, 800, 300), sim.colors.Color(kUsed)), 2000);

    form->resize(1600, 1000);
    Save(*form, "sv_summary_1600x1000.png");

    CSatelliteSignalHistoryView history;
    history.Create(sim.Context(), u"CSatelliteSignalHistoryView", nullptr);
    history.resize(480, 800);
    history.OnInitialUpdate();
    Save(history, "signal_history.png");
    EXPECT_GT(CountPixels(Rendered(history), history.rect(), sim.colors.Color(kUsed)), 1000);
}

TEST(MainFormSeveralSystems, TheSvSummaryFedByTheSimulatorOfFiveSystems) {
    SimulatedDocument sim(SimSystemBit(SatelliteSystem::Gps) | SimSystemBit(SatelliteSystem::Glonass) |
                          SimSystemBit(SatelliteSystem::Galileo) | SimSystemBit(SatelliteSystem::BeiDou) |
                          SimSystemBit(SatelliteSystem::Qzss));
    ASSERT_TRUE(sim.HasPlugins());
    sim.Feed(30);
    const CChannelHistory& channels = sim.document.Database().Channels();
    const std::vector<SatelliteSystem> systems = SystemsOfChannels(channels, CChannelHistory::kChannels);
    EXPECT_GE(systems.size(), 4u);
    EXPECT_GT(ChannelCount(800, FreshChannels(channels)), CChannelHistory::kClassicChannels);

    CMainFormSVInfo form;
    form.Create(sim.Context(), view_class::kMainFormSVInfo, nullptr);
    form.resize(1200, 800);
    form.OnInitialUpdate();
    form.show();
    const QImage image = Rendered(form);
    QDir().mkpath(kFolder);
    EXPECT_TRUE(image.save(kFolder + "/sv_summary_several_systems.png"));
    EXPECT_EQ(form.Data()->RowTexts()[6].substr(0, 2), u"3D");
    // The bars' labels and the legend in the colours of the systems.
    const QRect levels(0, 400, 1200, 400);
    for (SatelliteSystem system : {SatelliteSystem::Glonass, SatelliteSystem::Galileo, SatelliteSystem::BeiDou})
        EXPECT_GT(CountPixels(image, levels, SystemColor(system, Qt::gray)), 10) << static_cast<int>(system);
    EXPECT_GT(CountPixels(image, levels, sim.colors.Color(kUsed)), 2000);
    // The sky plot: satellites of every system in their own slots.
    for (SatelliteSystem system : {SatelliteSystem::Glonass, SatelliteSystem::Galileo, SatelliteSystem::BeiDou}) {
        int shown = 0;
        for (int slot = kGpsSbasSlots; slot < kSatelliteSlots; ++slot)
            shown += form.SatellitePosition()->Shown(slot).visible &&
                     SatelliteOfNumberAcrossSystems(SatelliteNumber(slot)).system == system;
        EXPECT_GE(shown, 2) << static_cast<int>(system);
    }

    CSatelliteSignalHistoryView history;
    history.Create(sim.Context(), u"CSatelliteSignalHistoryView", nullptr);
    history.resize(480, 1400);
    history.OnInitialUpdate();
    EXPECT_TRUE(Rendered(history).save(kFolder + "/signal_history_several_systems.png"));
}
