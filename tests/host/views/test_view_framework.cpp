#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <array>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/command_state.h"
#include "host/views/connection_indicator.h"
#include "host/views/main_frame_factory.h"
#include "host/views/mem_dc_view.h"
#include "host/views/recent_view_list.h"
#include "host/views/view_registry.h"
#include "platform/profile.h"
#include "resources/veltro/command_ids.h"
#include "tests/host/views/test_view_host.h"

namespace {

// Paints itself in one colour, counts its updates and keeps a state block of four bytes.
class SolidView : public CMemDCView {
public:
    void OnUpdate(CView*, uint32_t hint, CMessageNode*) override { hints.push_back(hint); }

    std::vector<uint32_t> hints;
    std::array<uint8_t, 4> settings{1, 2, 3, 4};
    int applied = 0;

protected:
    void OnDraw(QPainter& painter, const QRect& rect) override { painter.fillRect(rect, QColor(10, 200, 30)); }
    std::span<uint8_t> ViewStateBlock() override { return block; }
    void RefreshViewState() override { block = settings; }
    void ApplyViewState() override {
        settings = block;
        ++applied;
    }

private:
    std::array<uint8_t, 4> block{};
};

class ViewTest : public ::testing::Test {
protected:
    ViewContext Context() { return {document, colors, profile, host, {}}; }

    CVeltroDoc document{DocumentSettings{10, "/nonexistent/", nullptr}};
    CColorTable colors;
    platform::CMemoryProfile profile;
    TestViewHost host;
};

std::vector<uint8_t> Block(uint8_t value) { return {value, value, value}; }

}  // namespace

TEST_F(ViewTest, AViewReceivesHintsOnlyWhileItIsAWindow) {
    SolidView view;
    document.ForceUpdate();
    EXPECT_TRUE(view.hints.empty());

    view.Create(Context(), u"SolidView", nullptr);
    document.ForceUpdate();
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_TRUE(view.hints[0] & HINT_FORCED);
    {
        SolidView gone;
        gone.Create(Context(), u"SolidView", nullptr);
    }
    // The destroyed view is no longer told anything.
    document.NotifyNewDocument();
    EXPECT_EQ(view.hints.size(), 2u);
}

TEST_F(ViewTest, AStateBlockOfAnotherSizeIsRefusedAndTheRightOneApplied) {
    SolidView view;
    const std::span<const uint8_t> state = view.GetViewState();
    ASSERT_EQ(state.size(), 4u);
    EXPECT_EQ(state[3], 4);

    const std::array<uint8_t, 3> tooShort{9, 9, 9};
    EXPECT_FALSE(view.SetViewState(tooShort));
    EXPECT_EQ(view.applied, 0);
    const std::array<uint8_t, 4> fits{9, 8, 7, 6};
    EXPECT_TRUE(view.SetViewState(fits));
    EXPECT_EQ(view.settings, fits);
}

TEST_F(ViewTest, AViewWithoutStateAnswersNeitherRequest) {
    std::unique_ptr<CView> view = CMainFrameFactory::StandardViews().Create(u"CPlaceholderView");
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->GetViewState().empty());
    const std::array<uint8_t, 1> any{0};
    EXPECT_FALSE(view->SetViewState(any));
    EXPECT_FALSE(CMainFrameFactory::StandardViews().Create(u"CNoSuchView"));
}

TEST_F(ViewTest, TheOffScreenPictureCoversTheWholeViewAndClicksAreSwallowed) {
    SolidView view;
    view.Create(Context(), u"SolidView", nullptr);
    view.resize(64, 48);
    const QImage shown = view.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(64, 48));
    for (const QPoint corner : {QPoint(0, 0), QPoint(63, 0), QPoint(0, 47), QPoint(63, 47), QPoint(32, 24)})
        EXPECT_EQ(shown.pixelColor(corner), QColor(10, 200, 30));

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    press.ignore();
    QCoreApplication::sendEvent(&view, &press);
    EXPECT_TRUE(press.isAccepted());
}

TEST(RecentViewList, KeepsTheNewestFirstWithoutDoubleTitles) {
    CRecentViewList list = CRecentViewList::Charts();
    EXPECT_TRUE(list.IsEmpty());
    for (uint8_t i = 1; i <= 8; ++i) list.Add(u"Chart " + std::u16string(1, u'0' + i), Block(i));
    EXPECT_EQ(list.At(0).title, u"Chart 8");
    EXPECT_EQ(list.At(7).title, u"Chart 1");

    // The same title moves to the front with its new setup, and nothing drops.
    list.Add(u"Chart 3", Block(33));
    EXPECT_EQ(list.At(0).title, u"Chart 3");
    EXPECT_EQ(list.At(0).block, Block(33));
    EXPECT_EQ(list.At(1).title, u"Chart 8");
    EXPECT_EQ(list.At(7).title, u"Chart 1");

    // A ninth title drops the eighth.
    list.Add(u"Chart 9", Block(9));
    EXPECT_EQ(list.At(0).title, u"Chart 9");
    EXPECT_EQ(list.At(7).title, u"Chart 2");

    list.Promote(7);
    EXPECT_EQ(list.At(0).title, u"Chart 2");
    list.Remove(0);
    EXPECT_EQ(list.At(0).title, u"Chart 9");
    EXPECT_TRUE(list.At(7).title.empty());
}

TEST(RecentViewList, ReadsBackWhatItSavedAndForgetsRemovedEntries) {
    platform::CMemoryProfile profile;
    CRecentViewList list = CRecentViewList::Charts();
    list.Add(u"Speed / Index", Block(1));
    list.Add(u"Altitude / Index", {});
    list.Add(u"Latitude / Longitude", Block(3));
    list.Save(profile);
    EXPECT_EQ(profile.GetString(u"View\\Chart\\Recent List", u"View01", u""), u"Latitude / Longitude");
    std::vector<uint8_t> stored;
    EXPECT_FALSE(profile.GetBinary(u"View\\Chart\\Recent List", u"View02.Data", stored));

    CRecentViewList loaded = CRecentViewList::Charts();
    loaded.Load(profile);
    EXPECT_EQ(loaded.At(2).title, u"Speed / Index");
    EXPECT_EQ(loaded.At(2).block, Block(1));
    EXPECT_TRUE(loaded.At(1).block.empty());

    loaded.Remove(0);
    loaded.Save(profile);
    EXPECT_EQ(profile.GetString(u"View\\Chart\\Recent List", u"View03", u""), u"");
    EXPECT_FALSE(profile.GetBinary(u"View\\Chart\\Recent List", u"View03.Data", stored));
}

TEST(ColorTable, DefaultsFillWhatTheSettingsLack) {
    platform::CMemoryProfile profile;
    profile.WriteInt(u"Colors", u"Color11", 0x00203040);
    CColorTable colors;
    colors.Load(profile);
    EXPECT_EQ(colors.Color(11), QColor(0x40, 0x30, 0x20));
    EXPECT_EQ(colors.Color(0), QColor(192, 0, 0));
    EXPECT_EQ(colors.Color(14), QColor(64, 64, 64));

    colors.Save(profile);
    EXPECT_EQ(profile.GetInt(u"Colors", u"Color08", 0), 0x0000C0FF);
}

TEST(ConnectionIndicator, ShowsEachStateForTheReadsOfItsTable) {
    CConnectionIndicator indicator;
    EXPECT_EQ(indicator.Button(), cmd::kIndicatorClosed);
    indicator.OnPortState(true);
    EXPECT_EQ(indicator.Button(), cmd::kIndicatorQuiet);

    // Before a second burst the interval is taken to be a second.
    indicator.OnPortRead(true, 20, 0, 1000);
    EXPECT_EQ(indicator.Button(), cmd::kIndicatorReceiving);
    indicator.OnPortRead(true, 0, 0, 2499);
    EXPECT_EQ(indicator.Button(), cmd::kIndicatorReceiving);
    indicator.OnPortRead(true, 0, 0, 2500);
    EXPECT_EQ(indicator.Button(), cmd::kIndicatorQuiet);

    // The second burst, two seconds after the first: silence counts from 2.5 s on.
    indicator.OnPortRead(true, 20, 0x08, 3000);
    EXPECT_EQ(indicator.Button(), cmd::kIndicatorLineErrors);
    indicator.OnPortRead(true, 0, 0x04, 3100);
    EXPECT_EQ(indicator.Button(), cmd::kIndicatorLineErrors);
    indicator.OnPortRead(true, 20, 0, 4000);
    EXPECT_EQ(indicator.Button(), cmd::kIndicatorLineErrors);
    // Quiet keeps the errors shown; clean traffic a second after them does not.
    indicator.OnPortRead(true, 0, 0, 6400);
    EXPECT_EQ(indicator.Button(), cmd::kIndicatorQuietAfterErrors);
    indicator.OnPortRead(true, 20, 0, 6500);
    EXPECT_EQ(indicator.Button(), cmd::kIndicatorReceiving);

    indicator.OnPortRead(false, 0, 0, 7000);
    EXPECT_EQ(indicator.Button(), cmd::kIndicatorClosed);
}

// A 10 Hz receiver, then a 1 Hz one: each shows receiving between its bursts and turns quiet
// soon after it falls silent.
TEST(ConnectionIndicator, KeepsReceivingBetweenTheBurstsOfEachRate) {
    for (const uint32_t interval : {100u, 1000u}) {
        CConnectionIndicator indicator;
        indicator.OnPortState(true);
        uint32_t now = 0;
        for (int burst = 0; burst < 5; ++burst) {
            indicator.OnPortRead(true, 300, 0, now);
            for (uint32_t quiet = now + 50; quiet < now + interval; quiet += 100) {
                indicator.OnPortRead(true, 0, 0, quiet);
                EXPECT_EQ(indicator.Button(), cmd::kIndicatorReceiving) << interval << " ms at " << quiet;
            }
            now += interval;
        }
        indicator.OnPortRead(true, 0, 0, now + CConnectionIndicator::kQuietMarginMs);
        EXPECT_EQ(indicator.Button(), cmd::kIndicatorQuiet) << interval;
    }
}

TEST(NumberedMenuText, CountsFromOneToZeroAndKeepsAmpersands) {
    EXPECT_EQ(NumberedMenuText(0, u"Speed / Index"), u"&1 Speed / Index");
    EXPECT_EQ(NumberedMenuText(9, u"Tenth"), u"&0 Tenth");
    EXPECT_EQ(NumberedMenuText(1, u"/logs/a&b.kvb"), u"&2 /logs/a&&b.kvb");
}
