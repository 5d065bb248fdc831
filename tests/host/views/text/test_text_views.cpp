#include <QAction>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QToolBar>

#include "host/views/color_table.h"
#include "host/views/main_frame_factory.h"
#include "host/views/text/progress_view.h"
#include "host/views/text/view_tool_bar.h"
#include "host/views/view_classes.h"
#include "platform/profile.h"
#include "platform/ticks.h"
#include "resources/veltro/command_ids.h"
#include "resources/veltro/strings.h"
#include "tests/host/views/gui_test_support.h"

namespace {

// A job that the test starts and ends.
class TestProgressView : public CProgressView {
public:
    void Start() { SetFinished(false); }
    void Finish() {
        AppendFormat(u"Done\n");
        SetFinished(true);
        OnFinished();
    }
};

class TextViewTest : public ::testing::Test {
protected:
    template <typename View>
    void Open(View& view) {
        view.Create(ViewContext{document, colors, profile, host, {}}, u"TextView", nullptr);
        view.resize(300, 200);
        view.show();
        view.OnInitialUpdate();
    }

    CVeltroDoc document{DocumentSettings{10, "/nonexistent/", nullptr}};
    CColorTable colors;
    platform::CMemoryProfile profile;
    TestViewHost host;
    platform::ManualTickClock clock{100000};
};

QString Shown(const CReadOnlyEditViewEx& view) { return view.Edit().toPlainText(); }

void PressStylus(QWidget& viewport, QEvent::Type type) {
    QMouseEvent event(type, QPointF(4, 4), viewport.mapToGlobal(QPointF(4, 4)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&viewport, &event);
}

bool ButtonShown(CViewToolBar& bar, unsigned command) { return bar.Button(command)->isVisible(); }

}  // namespace

TEST_F(TextViewTest, AppendedTextWaitsForTheDocumentsRefresh) {
    CReadOnlyEditViewEx view;
    Open(view);
    view.AppendFormat(u"Done\n");
    view.AppendLine(u"first\nsecond");
    view.OnUpdate(nullptr, HINT_MESSAGE, nullptr);
    EXPECT_EQ(Shown(view), QString());
    EXPECT_TRUE(view.HasPendingText());

    view.OnUpdate(nullptr, HINT_REFRESH_DUE | HINT_VALUES, nullptr);
    EXPECT_EQ(Shown(view), QString::fromUtf16(u"Done\nfirst\x0Bsecond\n"));
    EXPECT_EQ(view.Edit().blockCount(), 3);
    EXPECT_TRUE(view.QueryCommand(cmd::kEditClearAll).enabled);
    // Lower limits trim what is shown at once.
    view.SetLineLimits(3, 0);
    EXPECT_EQ(Shown(view), QString::fromUtf16(u"first\x0Bsecond\n"));

    view.AppendStampedLine(u"stamped");
    document.ForceUpdate();
    EXPECT_TRUE(Shown(view).endsWith(QStringLiteral("??:??:??  stamped\n")));

    document.NotifyNewDocument();
    EXPECT_EQ(Shown(view), QString());
    EXPECT_FALSE(view.QueryCommand(cmd::kEditClearAll).enabled);

    // Without any refresh from the document (a quiet receiver), the text still shows soon.
    view.AppendLine(u"late");
    EXPECT_TRUE(RunEventsUntil([&] { return Shown(view) == QStringLiteral("late\n"); }));
}

TEST_F(TextViewTest, TheViewFollowsTheEndUnlessTheUserHoldsASelection) {
    CReadOnlyEditViewEx view;
    Open(view);
    QScrollBar& scroll = *view.Edit().verticalScrollBar();
    QScrollBar& across = *view.Edit().horizontalScrollBar();
    view.AppendLine(std::u16string(200, u'w'));
    for (int i = 0; i < 100; ++i) view.AppendLine(u"line");
    view.Refresh();
    ASSERT_GT(scroll.maximum(), 0);
    EXPECT_EQ(scroll.value(), scroll.maximum());

    scroll.triggerAction(QAbstractSlider::SliderToMinimum);
    PressStylus(*view.Edit().viewport(), QEvent::MouseButtonPress);
    ASSERT_GT(across.maximum(), 40);
    across.setValue(40);
    const int caret = view.Edit().textCursor().position();
    clock.Advance(10000);
    for (int i = 0; i < 20; ++i) view.AppendLine(u"more");
    view.Refresh();
    EXPECT_EQ(scroll.value(), 0);
    EXPECT_EQ(view.Edit().textCursor().position(), caret);

    // Let go, and four quiet seconds later the view follows again; the caret and the column stay
    // with the user.
    PressStylus(*view.Edit().viewport(), QEvent::MouseButtonRelease);
    clock.Advance(4001);
    view.AppendLine(u"last");
    view.Refresh();
    EXPECT_EQ(scroll.value(), scroll.maximum());
    EXPECT_EQ(view.Edit().textCursor().position(), caret);
    EXPECT_EQ(across.value(), 40);

    // Back at the end, the caret follows the text to the bottom left.
    view.Edit().moveCursor(QTextCursor::End);
    across.setValue(40);
    clock.Advance(4001);
    view.AppendLine(u"after");
    view.Refresh();
    EXPECT_EQ(view.Edit().textCursor().position(), view.Edit().document()->characterCount() - 1);
    EXPECT_EQ(across.value(), 0);
}

TEST_F(TextViewTest, TheProgressViewAsksBeforeItIsClosedWhileItsJobRuns) {
    TestProgressView view;
    Open(view);
    FakePrompts& prompts = host.prompts;
    std::unique_ptr<QToolBar> bar(view.CreateViewToolBar(nullptr));
    auto& buttons = static_cast<CViewToolBar&>(*bar);
    ASSERT_NE(view.ProgressBar(), nullptr);
    EXPECT_TRUE(view.CanLeave());
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_FALSE(buttons.Button(cmd::kViewPause)->isEnabled());

    view.Start();
    EXPECT_TRUE(buttons.Button(cmd::kViewPause)->isEnabled());
    EXPECT_TRUE(ButtonShown(buttons, cmd::kViewPause));
    EXPECT_FALSE(ButtonShown(buttons, cmd::kViewRun));
    buttons.Button(cmd::kViewPause)->trigger();
    EXPECT_TRUE(view.KeepOpen());
    EXPECT_TRUE(ButtonShown(buttons, cmd::kViewRun));
    view.RunCommand(cmd::kViewTogglePause);
    EXPECT_FALSE(view.KeepOpen());

    prompts.answerYes = false;
    EXPECT_FALSE(view.CanLeave());
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], kProcessStillRunning.text);
    EXPECT_EQ(prompts.askedIcons[0], kProcessStillRunning.icon);
    prompts.answerYes = true;
    EXPECT_TRUE(view.CanLeave());
}

class ProgressFrameTest : public GuiAppTest {
protected:
    CMainFrameMobile& StartWithProgressView() {
        CViewRegistry registry = CMainFrameFactory::StandardViews();
        registry.Register(view_class::kOPKUpdateView, [] { return std::make_unique<TestProgressView>(); });
        registry.Register(view_class::kMainFormSVInfo, [] { return std::make_unique<CReadOnlyEditViewEx>(); });
        return Start({}, std::move(registry));
    }
    TestProgressView& ShowProgress(CMainFrameMobile& frame) {
        EXPECT_TRUE(frame.SwitchView(view_class::kOPKUpdateView));
        return dynamic_cast<TestProgressView&>(*frame.ActiveView());
    }
};

TEST_F(ProgressFrameTest, AFinishedJobMakesWayForTheSummaryUnlessKeptOpen) {
    CMainFrameMobile& frame = StartWithProgressView();
    TestProgressView& running = ShowProgress(frame);
    running.Start();
    prompts.answerYes = false;
    EXPECT_FALSE(frame.SwitchView(view_class::kMainFormSVInfo));
    EXPECT_EQ(frame.ActiveView(), &running);
    EXPECT_FALSE(running.IsFinished());

    running.Finish();
    EXPECT_TRUE(RunEventsUntil([&] { return frame.ActiveView()->ViewClass() == view_class::kMainFormSVInfo; }));

    TestProgressView& kept = ShowProgress(frame);
    kept.Start();
    kept.RunCommand(cmd::kViewPause);
    kept.Finish();
    EXPECT_FALSE(RunEventsUntil([&] { return frame.ActiveView()->ViewClass() != view_class::kOPKUpdateView; },
                                std::chrono::milliseconds(300)));
    kept.Refresh();
    EXPECT_EQ(kept.Edit().toPlainText(), QStringLiteral("Done\n"));
}
