#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cmath>
#include <cstring>

#include "host/views/maps/deviation_map_view.h"
#include "host/views/maps/deviation_properties_dialog.h"
#include "host/views/messages/message_form_page.h"
#include "resources/veltro/command_ids.h"
#include "resources/veltro/dialogs.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"
#include "tests/host/views/forms/simulated_document.h"
#include "tests/host/views/forms/view_pixels.h"

namespace {

constexpr char16_t kSection[] = u"View\\Deviation";

class DeviationMapTest : public ::testing::Test {
protected:
    // A view as the frame makes it, reading the settings as it is created.
    std::unique_ptr<CDeviationMapView> NewView() {
        auto view = std::make_unique<CDeviationMapView>();
        view->Create({document, colors, profile, host, ScreenDensity{96, 96}}, u"", nullptr);
        EXPECT_TRUE(view->OnCreate());
        view->resize(300, 300);
        view->OnInitialUpdate();
        return view;
    }
    double StoredDouble(const char16_t* key) const {
        std::vector<uint8_t> bytes;
        double value = NAN;
        if (profile.GetBinary(kSection, key, bytes) && bytes.size() == sizeof value)
            std::memcpy(&value, bytes.data(), sizeof value);
        return value;
    }

    CVeltroDoc document{DocumentSettings{10, "/nonexistent/", nullptr}};
    CColorTable colors;
    platform::CMemoryProfile profile;
    TestViewHost host;
};

// Fills the dialog once it shows: each refused scale keeps it open, the last one closes it.
void AnswerDialog(std::vector<bool>& closedAfter) {
    QTimer::singleShot(0, [&closedAfter] {
        auto* dialog = dynamic_cast<CDeviationPropertiesDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        CMessageFormPage& page = dialog->Page();
        page.SetChecked(dialog::kDeviationAverage, false);
        page.SetChecked(dialog::kDeviationFixed, true);
        page.SetControlText(dialog::kDeviationLatitude, u"47.5");
        page.SetControlText(dialog::kDeviationLongitude, u"8.25");
        for (const char16_t* scale : {u"0", u"-3", u"nan", u"12.7"}) {
            page.SetControlText(dialog::kDeviationMaximum, scale);
            dialog->accept();
            closedAfter.push_back(!dialog->isVisible());
        }
    });
}

}  // namespace

TEST_F(DeviationMapTest, AFreshProfileAndAScaleThatCannotBe) {
    std::unique_ptr<CDeviationMapView> view = NewView();
    EXPECT_EQ(view->Settings().mode, DeviationSettings::kAveragePoint);
    EXPECT_EQ(view->Settings().maxDeviation, 50);
    EXPECT_EQ(view->Settings().referenceLatitude, 0);
    EXPECT_EQ(view->Settings().referenceLongitude, 0);

    for (const int stored : {0, -5}) {
        profile.WriteInt(kSection, u"Max Deviation", stored);
        EXPECT_EQ(NewView()->Settings().maxDeviation, 50) << stored;
    }
    DeviationSettings block{0.1, 0.2, NAN, DeviationSettings::kFixPoint};
    ASSERT_TRUE(view->SetViewState({reinterpret_cast<const uint8_t*>(&block), sizeof block}));
    EXPECT_EQ(view->Settings().maxDeviation, 50);
    EXPECT_EQ(view->Settings().referenceLatitude, 0.1);
    EXPECT_EQ(view->GetViewState().size(), 32u);
}

TEST_F(DeviationMapTest, TheDialogKeepsAFixedPointAcrossARestartAndTheScaleInWholeMetres) {
    std::unique_ptr<CDeviationMapView> view = NewView();
    std::vector<bool> closedAfter;
    AnswerDialog(closedAfter);
    ASSERT_TRUE(view->EditProperties());
    EXPECT_EQ(closedAfter, (std::vector<bool>{false, false, false, true}));
    EXPECT_NEAR(StoredDouble(u"Reference Lat"), 0.829031394697, 1e-12);
    EXPECT_NEAR(StoredDouble(u"Reference Lon"), 0.143989663289, 1e-12);
    EXPECT_EQ(profile.GetInt(kSection, u"Max Deviation", 0), 12);
    EXPECT_EQ(profile.GetInt(kSection, u"Ref Point Mode", 0), DeviationSettings::kFixPoint);
    EXPECT_DOUBLE_EQ(view->Settings().maxDeviation, 12.7);

    view.reset();
    std::unique_ptr<CDeviationMapView> restarted = NewView();
    EXPECT_EQ(restarted->Settings().mode, DeviationSettings::kFixPoint);
    EXPECT_EQ(restarted->Settings().referenceLatitude, StoredDouble(u"Reference Lat"));
    EXPECT_EQ(restarted->Settings().maxDeviation, 12);
}

TEST_F(DeviationMapTest, TheReferenceFollowsItsMode) {
    auto* latitude = document.Database().FindAs<CStorageValue>(entry::kLatitude);
    auto* longitude = document.Database().FindAs<CStorageValue>(entry::kLongitude);
    latitude->SetValue(0.8);
    profile.WriteInt(kSection, u"Ref Point Mode", DeviationSettings::kCurrentPoint);
    std::unique_ptr<CDeviationMapView> view = NewView();
    view->OnUpdate(nullptr, HINT_FORCED, nullptr);
    EXPECT_EQ(view->Settings().referenceLatitude, 0.8);
    EXPECT_EQ(view->Settings().referenceLongitude, 0);  // no longitude yet: unchanged
    longitude->SetValue(0.15);
    view->OnUpdate(nullptr, HINT_REFRESH_DUE, nullptr);  // no epoch: ignored
    EXPECT_EQ(view->Settings().referenceLongitude, 0);
    view->OnUpdate(nullptr, HINT_REFRESH_DUE | HINT_EPOCH, nullptr);
    EXPECT_EQ(view->Settings().referenceLongitude, 0.15);
}

TEST(DeviationMapScreenshot, TheSimulatorsDriveAroundItsAverage) {
    SimulatedDocument simulated;
    ASSERT_TRUE(simulated.HasPlugins());
    simulated.profile.WriteInt(kSection, u"Max Deviation", 2500);
    simulated.Feed(240);
    CDeviationMapView view;
    view.Create(simulated.Context(), u"", nullptr);
    ASSERT_TRUE(view.OnCreate());
    view.resize(480, 480);
    view.OnInitialUpdate();
    view.OnCommand(cmd::kDeviationStatistics);
    view.OnUpdate(nullptr, HINT_FORCED, nullptr);
    const QImage image = Rendered(view);
    EXPECT_TRUE(HasColor(image, image.rect(), simulated.colors.Color(9)));       // the current position
    EXPECT_GT(CountPixels(image, image.rect(), simulated.colors.Color(7)), 50);  // 3D fixes
    QDir().mkpath(QStringLiteral(VELTRO_SCREENSHOT_DIR));
    EXPECT_TRUE(image.save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/deviation_map.png")));
    EXPECT_TRUE(view.Picture().save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/deviation_map_copy.png")));
}
