#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QShortcut>
#include <QToolBar>
#include <array>
#include <atomic>
#include <thread>

#include "host/core/connection/connection_control.h"
#include "host/core/connection/port_thread.h"
#include "host/core/frame/main_frame_core.h"
#include "host/core/log/stream_file_thread.h"
#include "host/core/threads/ui_thread_sink.h"
#include "host/views/command_bar.h"
#include "host/views/main_frame_factory.h"
#include "host/views/mem_dc_view.h"
#include "host/views/recent_view_list.h"
#include "host/views/view_classes.h"
#include "platform/file_profile.h"
#include "resources/veltro/command_ids.h"
#include "tests/host/views/gui_test_support.h"
#include "tests/platform/test_serial_terminal.h"

namespace {

// A view that tests create by any class name: it counts how often it was made, may refuse to be
// left, and keeps a state block of four bytes.
class TestView : public CMemDCView {
public:
    explicit TestView(int& created, bool mayLeave = true) : mayLeave(mayLeave) { ++created; }
    bool CanLeave() override { return mayLeave; }

    std::array<uint8_t, 4> block{};

protected:
    void OnDraw(QPainter& painter, const QRect& rect) override { painter.fillRect(rect, Qt::darkBlue); }
    std::span<uint8_t> ViewStateBlock() override { return block; }

private:
    bool mayLeave;
};

// A view with a toolbar of its own.
class ToolBarView : public TestView {
public:
    using TestView::TestView;
    QToolBar* CreateViewToolBar(QWidget* parent) override {
        auto* bar = new QToolBar(parent);
        bar->addAction(QStringLiteral("Zoom"));
        return bar;
    }
};

CViewRegistry WithTestView(const std::u16string& viewClass, int& created, bool mayLeave = true) {
    CViewRegistry registry = CMainFrameFactory::StandardViews();
    registry.Register(viewClass, [&created, mayLeave] { return std::make_unique<TestView>(created, mayLeave); });
    return registry;
}

class MessageCounter : public IDocumentObserver {
public:
    void OnUpdate(uint32_t hint, CMessageNode*) override {
        if (hint & HINT_MESSAGE) ++messages;
        if (hint & HINT_NEW_DOCUMENT) ++newDocuments;
    }
    int messages = 0;
    int newDocuments = 0;
};

class MainFrameTest : public GuiAppTest {};

}  // namespace

TEST_F(MainFrameTest, StartsWithTheSvSummaryAndOffersViewsThatDoNotExistYetDisabled) {
    CMainFrameMobile& frame = Start({});
    EXPECT_EQ(frame.windowTitle(), "Veltro 4.02");
    ASSERT_NE(frame.ActiveView(), nullptr);
    EXPECT_EQ(frame.ActiveView()->ViewClass(), view_class::kMainFormSVInfo);
    EXPECT_EQ(frame.centralWidget(), frame.ActiveView());
    EXPECT_TRUE(Checked(frame, cmd::kSvSummary));

    for (unsigned command : {cmd::kSvSummary, cmd::kNavSummary, cmd::kPacketConsole, cmd::kBinaryConsole,
                             cmd::kTextConsole, cmd::kPreferences, cmd::kNewChartView, cmd::kStatisticsView,
                             cmd::kDeviationMap, cmd::kNewMapView})
        EXPECT_TRUE(Enabled(frame, command)) << command;
    // With no setup stored, the recent chart views are one disabled item.
    QAction* recent = Item(frame, cmd::kFirstRecentChart);
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->text(), "Recent Chart View");
    EXPECT_FALSE(recent->isEnabled());
    EXPECT_EQ(Item(frame, cmd::kFirstRecentFile)->text(), "Recent Files");
    EXPECT_FALSE(Enabled(frame, cmd::kFirstRecentFile));
    EXPECT_TRUE(Enabled(frame, cmd::kDatabaseEmpty));

    QStringList shortcuts;
    for (const QShortcut* key : frame.findChildren<QShortcut*>()) shortcuts << key->key().toString();
    for (const char* key : {"Ctrl+N", "Ctrl+O", "Ctrl+R", "Ctrl+E", "Ctrl+Space", "Ctrl+G", "Ctrl+F"})
        EXPECT_TRUE(shortcuts.contains(key)) << key;
}

TEST_F(MainFrameTest, ChoosingTheViewAlreadyShownDoesNotRecreateIt) {
    int created = 0;
    CMainFrameMobile& frame = Start({}, WithTestView(view_class::kMainFormSVInfo, created));
    ASSERT_EQ(created, 1);
    CView* shown = frame.ActiveView();
    EXPECT_EQ(shown->ViewClass(), view_class::kMainFormSVInfo);
    EXPECT_TRUE(Checked(frame, cmd::kSvSummary));

    Item(frame, cmd::kSvSummary)->trigger();
    EXPECT_EQ(created, 1);
    EXPECT_EQ(frame.ActiveView(), shown);
}

TEST_F(MainFrameTest, AViewThatMayNotBeLeftStays) {
    int summaries = 0;
    int messageViews = 0;
    CViewRegistry registry = WithTestView(view_class::kMainFormSVInfo, summaries);
    registry.Register(view_class::kMessageFormView, [&] { return std::make_unique<TestView>(messageViews, false); });
    CMainFrameMobile& frame = Start({}, std::move(registry));

    frame.CommandBar().Run(cmd::kMessageView);
    ASSERT_EQ(frame.ActiveView()->ViewClass(), view_class::kMessageFormView);
    EXPECT_TRUE(Checked(frame, cmd::kMessageView));
    frame.CommandBar().Run(cmd::kSvSummary);
    EXPECT_EQ(frame.ActiveView()->ViewClass(), view_class::kMessageFormView);
    EXPECT_EQ(summaries, 1);
}

TEST_F(MainFrameTest, AViewsOwnToolBarComesAndGoesWithIt) {
    int consoles = 0;
    CViewRegistry registry = CMainFrameFactory::StandardViews();
    registry.Register(view_class::kTextConsoleView, [&] { return std::make_unique<ToolBarView>(consoles); });
    CMainFrameMobile& frame = Start({}, std::move(registry));
    EXPECT_FALSE(Enabled(frame, cmd::kViewToolbar));
    const int mainBars = frame.findChildren<QToolBar*>().size();

    frame.CommandBar().Run(cmd::kTextConsole);
    ASSERT_EQ(frame.findChildren<QToolBar*>().size(), mainBars + 1);
    EXPECT_TRUE(Enabled(frame, cmd::kViewToolbar));
    EXPECT_TRUE(Checked(frame, cmd::kViewToolbar));
    frame.CommandBar().Run(cmd::kViewToolbar);
    EXPECT_FALSE(Checked(frame, cmd::kViewToolbar));
    frame.CommandBar().Run(cmd::kViewToolbar);
    EXPECT_TRUE(Checked(frame, cmd::kViewToolbar));

    ASSERT_TRUE(frame.SwitchView(view_class::kPlaceholder));
    EXPECT_EQ(frame.findChildren<QToolBar*>().size(), mainBars);
    EXPECT_FALSE(Enabled(frame, cmd::kViewToolbar));
}

TEST_F(MainFrameTest, MenuStatesFollowTheReplayStates) {
    CMainFrameMobile& frame = Start({});
    // No file: recording and playing first ask for one; nothing to stop, step or eject.
    EXPECT_TRUE(Enabled(frame, cmd::kRecord));
    EXPECT_TRUE(Enabled(frame, cmd::kPlayNormal));
    EXPECT_FALSE(Enabled(frame, cmd::kEject));
    EXPECT_FALSE(ToolBarButtonShown(frame, cmd::kEject));
    EXPECT_FALSE(Enabled(frame, cmd::kStop));
    EXPECT_FALSE(Enabled(frame, cmd::kStep));

    OpenLog(frame, 40);
    EXPECT_TRUE(Enabled(frame, cmd::kEject));
    EXPECT_TRUE(ToolBarButtonShown(frame, cmd::kEject));
    EXPECT_TRUE(Enabled(frame, cmd::kStep));
    EXPECT_TRUE(Enabled(frame, cmd::kRecord));
    EXPECT_FALSE(Enabled(frame, cmd::kStop));
    EXPECT_FALSE(Checked(frame, cmd::kPlayNormal));

    frame.CommandBar().Run(cmd::kPlayFast);
    EXPECT_EQ(app->Log().State(), LogState::Playing);
    EXPECT_TRUE(Checked(frame, cmd::kPlayFast));
    EXPECT_FALSE(Checked(frame, cmd::kPlayNormal));
    EXPECT_TRUE(Enabled(frame, cmd::kStop));
    EXPECT_FALSE(Enabled(frame, cmd::kRecord));
    ASSERT_TRUE(RunEventsUntil([&] { return app->Log().IsPaused(); }));
    EXPECT_TRUE(Checked(frame, cmd::kPause));
    EXPECT_FALSE(Checked(frame, cmd::kPlayFast));

    frame.CommandBar().Run(cmd::kEject);
    EXPECT_EQ(app->Log().State(), LogState::None);
    EXPECT_FALSE(Enabled(frame, cmd::kEject));

    prompts.saveFile = (folder / "recording.kvb").string();
    frame.CommandBar().Run(cmd::kRecord);
    EXPECT_EQ(app->Log().State(), LogState::Recording);
    EXPECT_TRUE(Checked(frame, cmd::kRecord));
    EXPECT_FALSE(Enabled(frame, cmd::kRecord));
    EXPECT_FALSE(Enabled(frame, cmd::kPlayNormal));
    EXPECT_FALSE(Enabled(frame, cmd::kOpen));
    EXPECT_TRUE(Enabled(frame, cmd::kStop));
    EXPECT_TRUE(Enabled(frame, cmd::kPause));

    frame.CommandBar().Run(cmd::kStop);
    EXPECT_EQ(app->Log().State(), LogState::Open);
    EXPECT_TRUE(Enabled(frame, cmd::kRecord));
}

TEST_F(MainFrameTest, RecentFilesAreListedAndOpenAgain) {
    CMainFrameMobile& frame = Start({});
    OpenLog(frame, 3);
    frame.CommandBar().Run(cmd::kEject);
    QAction* first = Item(frame, cmd::kFirstRecentFile);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->text().startsWith("&1 "));
    EXPECT_TRUE(first->text().endsWith("replay.kvb"));
    first->trigger();
    EXPECT_EQ(app->Log().State(), LogState::Open);
}

TEST_F(MainFrameTest, ReceiverCommandsAreEnabledOnlyWhileTheConnectionCanSend) {
    PseudoTerminal receiver;
    ASSERT_TRUE(receiver.IsOpen());
    CMainFrameMobile& frame = Start({"-port", receiver.SlavePath()});
    int coldstarts = 0;
    frame.SetCommandHandler(
        cmd::kColdstart, [&] { ++coldstarts; }, true);
    ASSERT_TRUE(app->PortThread().IsOpen());
    EXPECT_TRUE(Enabled(frame, cmd::kColdstart));
    EXPECT_TRUE(Enabled(frame, cmd::kWarmstart));
    frame.CommandBar().Run(cmd::kColdstart);
    EXPECT_EQ(coldstarts, 1);

    // A service on a worker thread has bytes sent through the window.
    const std::string poll = NmeaSentence("EIGPQ,RMC");
    const auto* bytes = reinterpret_cast<const uint8_t*>(poll.data());
    std::atomic<intptr_t> sent{-1};
    std::thread service([&] {
        sent = ui_thread::SendBytes(*frame.Logic().Window(), bytes, static_cast<int>(poll.size())) ? 1 : 0;
    });
    EXPECT_TRUE(RunEventsUntil([&] { return sent != -1; }));
    service.join();
    EXPECT_EQ(sent, 1);
    const std::vector<uint8_t> received = receiver.Receive(poll.size(), 2000);
    EXPECT_EQ(std::string(received.begin(), received.end()), poll);

    // A replay takes the place of the receiver.
    OpenLog(frame, 3);
    EXPECT_FALSE(Enabled(frame, cmd::kColdstart));
    frame.CommandBar().Run(cmd::kColdstart);
    EXPECT_EQ(coldstarts, 1);
    frame.CommandBar().Run(cmd::kEject);
    EXPECT_TRUE(Enabled(frame, cmd::kColdstart));

    EXPECT_FALSE(Checked(frame, kDisconnectCommand));
    frame.CommandBar().Run(kDisconnectCommand);
    EXPECT_FALSE(app->PortThread().IsOpen());
    EXPECT_TRUE(Checked(frame, kDisconnectCommand));
    EXPECT_FALSE(Enabled(frame, cmd::kColdstart));
}

TEST_F(MainFrameTest, TheLogUploadItemExistsOnlyWithTheLoggingGroup) {
    {
        CMainFrameMobile& frame = Start({});
        EXPECT_EQ(Item(frame, cmd::kLogUpload), nullptr);
        EXPECT_NE(Item(frame, cmd::kOrbitpack), nullptr);
        app->ExitInstance();
        app.reset();
    }
    MessageMask = 1;
    CMainFrameMobile& frame = Start({"-logging"});
    QAction* upload = Item(frame, cmd::kLogUpload);
    ASSERT_NE(upload, nullptr);
    EXPECT_EQ(upload->text(), "&LOG Upload...");
    EXPECT_FALSE(upload->isEnabled());
}

TEST_F(MainFrameTest, ClosingWhileRecordingAsksAndNoKeepsRecording) {
    CMainFrameMobile& frame = Start({});
    prompts.saveFile = (folder / "kept.kvb").string();
    frame.CommandBar().Run(cmd::kNew);
    ASSERT_EQ(app->Log().State(), LogState::Recording);

    prompts.answerYes = false;
    EXPECT_FALSE(frame.close());
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], kExitWhileRecording.text);
    EXPECT_EQ(prompts.askedIcons[0], kExitWhileRecording.icon);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(app->Log().State(), LogState::Recording);

    prompts.answerYes = true;
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(app->Log().State(), LogState::None);
    EXPECT_TRUE(std::filesystem::exists(folder / "kept.kvb"));
}

TEST_F(MainFrameTest, TheConnectionIndicatorShowsEachOfItsFiveStates) {
    PseudoTerminal receiver;
    ASSERT_TRUE(receiver.IsOpen());
    CMainFrameMobile& frame = Start({"-port", receiver.SlavePath()});
    QAction* button = frame.CommandBar().ToolBarAction(cmd::kIndicatorClosed);
    ASSERT_NE(button, nullptr);
    const auto shows = [&](unsigned expected) {
        return frame.IndicatorButton() == expected && button->toolTip() != QString();
    };
    frame.OnPortRead(0, 0);
    EXPECT_TRUE(shows(cmd::kIndicatorQuiet));
    const QString quiet = button->toolTip();
    frame.OnPortRead(64, 0);
    EXPECT_TRUE(shows(cmd::kIndicatorReceiving));
    EXPECT_NE(button->toolTip(), quiet);
    frame.OnPortRead(64, 0x08);
    EXPECT_TRUE(shows(cmd::kIndicatorLineErrors));
    // Silence longer than a receiver's interval between bursts.
    RunEventsUntil([] { return false; }, std::chrono::milliseconds(CConnectionIndicator::kDefaultIntervalMs +
                                                                    CConnectionIndicator::kQuietMarginMs + 100));
    frame.OnPortRead(0, 0);
    EXPECT_TRUE(shows(cmd::kIndicatorQuietAfterErrors)) << frame.IndicatorButton();

    // The indicator's button toggles the connection.
    button->trigger();
    EXPECT_FALSE(app->PortThread().IsOpen());
    EXPECT_TRUE(shows(cmd::kIndicatorClosed));
    button->trigger();
    EXPECT_TRUE(app->PortThread().IsOpen());

    // Real traffic, once the line errors are a second old, turns it back to receiving.
    RunEventsUntil([] { return false; }, std::chrono::milliseconds(CConnectionIndicator::kErrorHoldMs + 100));
    const std::string fixes = NmeaLog(3);
    receiver.Send({fixes.begin(), fixes.end()});
    EXPECT_TRUE(RunEventsUntil([&] { return frame.IndicatorButton() == cmd::kIndicatorReceiving; }));
}

TEST_F(MainFrameTest, RecentChartSetupsAreOfferedRestoredAndDroppedWhenStale) {
    int charts = 0;
    CMainFrameMobile& frame = Start({}, WithTestView(view_class::kChartView, charts));
    CRecentViewList list = CRecentViewList::Charts();
    list.Add(u"Stale / Index", {1, 2, 3});
    list.Add(u"Speed / Index", {4, 3, 2, 1});
    list.Save(app->Profile());

    QAction* newest = Item(frame, cmd::kFirstRecentChart);
    ASSERT_NE(newest, nullptr);
    EXPECT_EQ(newest->text(), "&1 Speed / Index");
    EXPECT_TRUE(newest->isEnabled());
    EXPECT_EQ(Item(frame, cmd::kFirstRecentChart + 1)->text(), "&2 Stale / Index");

    Item(frame, cmd::kFirstRecentChart + 1)->trigger();
    ASSERT_EQ(frame.ActiveView()->ViewClass(), view_class::kChartView);
    ASSERT_EQ(prompts.shown.size(), 1u);
    list.Load(app->Profile());
    EXPECT_EQ(list.At(0).title, u"Speed / Index");
    EXPECT_TRUE(list.At(1).title.empty());

    Item(frame, cmd::kFirstRecentChart)->trigger();
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(static_cast<TestView*>(frame.ActiveView())->block, (std::array<uint8_t, 4>{4, 3, 2, 1}));
    EXPECT_EQ(charts, 1);
}

TEST_F(MainFrameTest, BytesThatCouldNotBeSentAreReportedAndNotShownAsSent) {
    CMainFrameMobile& frame = Start({});
    MessageCounter counter;
    app->Document().AddObserver(&counter);
    const std::string poll = NmeaSentence("EIGPQ,RMC");
    EXPECT_FALSE(
        frame.SendToReceiver(nullptr, reinterpret_cast<const uint8_t*>(poll.data()), static_cast<int>(poll.size())));
    app->Document().RemoveObserver(&counter);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0], kMessageNotSent.text);
    EXPECT_EQ(prompts.shownIcons[0], kMessageNotSent.icon);
    EXPECT_EQ(counter.messages, 0);
    EXPECT_EQ(app->Log().History().Fill(), 0u);
}

TEST_F(MainFrameTest, DatabaseEmptyStartsTheDocumentAfresh) {
    CMainFrameMobile& frame = Start({});
    OpenLog(frame, 5);
    frame.CommandBar().Run(cmd::kPlayFast);
    ASSERT_TRUE(RunEventsUntil([&] { return app->Log().IsPaused(); }));
    ASSERT_GE(app->Document().LastEpochTime(), 0);

    MessageCounter counter;
    app->Document().AddObserver(&counter);
    frame.CommandBar().Run(cmd::kDatabaseEmpty);
    app->Document().RemoveObserver(&counter);
    EXPECT_EQ(counter.newDocuments, 1);
    EXPECT_EQ(app->Document().LastEpochTime(), -1);
}

TEST_F(MainFrameTest, ClosingWithTheReceiverTalkingAndAReplayRunningEndsPromptly) {
    PseudoTerminal receiver;
    ASSERT_TRUE(receiver.IsOpen());
    CMainFrameMobile& frame = Start({"-port", receiver.SlavePath()});
    OpenLog(frame, 2000);
    frame.CommandBar().Run(cmd::kPlayFast);
    RunEventsUntil([&] { return app->Log().Position() > 0; });
    // While the window handles nothing, both workers get stuck handing their next frame over.
    const std::string fixes = NmeaLog(20);
    receiver.Send({fixes.begin(), fixes.end()});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(app->ExitInstance(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(CVeltroApp::kThreadStopTimeoutMs));
}
