// The logger retrieval in the window, offscreen: File "&LOG Upload..." asks for the file in its
// save dialog, and the view reads the simulated receiver's logger into it, green at its end; a
// stopped retrieval ends red and the view stays with its log.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <filesystem>

#include "host/views/log_file_dialogs.h"
#include "host/views/services/log_read_view.h"
#include "host/views/view_classes.h"
#include "resources/veltro/command_ids.h"
#include "tests/host/views/gui_test_support.h"
#include "tests/platform/test_serial_terminal.h"
#include "tests/tools/simulator.h"

namespace {

const QString kFolder = QStringLiteral(VELTRO_SCREENSHOT_DIR);

class LogReadViewTest : public GuiAppTest {
protected:
    CLogReadView* StartRetrieval(CMainFrameMobile& frame) {
        prompts.saveFile = Path();
        frame.CommandBar().Run(cmd::kLogUpload);
        return dynamic_cast<CLogReadView*>(frame.ActiveView());
    }
    std::string Log(CLogReadView& view) {
        view.Refresh();
        return view.Edit().toPlainText().toStdString();
    }
    bool Ends(const CLogReadView& view) {
        return RunEventsUntil([&] { return view.Retrieval()->Ended(); }, std::chrono::milliseconds(10000));
    }

    std::string Path() const { return (folder / "logger.kvb").string(); }
};

TEST_F(LogReadViewTest, TheLoggerOfTheSimulatedReceiverBecomesTheFileChosen) {
    QDir().mkpath(kFolder);
    Simulator simulator({"--log-every", "0", "--log-preset", "150"});
    CMainFrameMobile& frame = Start({"-logging", "-port", simulator.DevicePath()});
    ASSERT_TRUE(RunEventsUntil([&] { return Enabled(frame, cmd::kLogUpload); }));
    frame.CommandBar().Run(cmd::kLogUpload);
    EXPECT_EQ(frame.ActiveView()->ViewClass(), view_class::kMainFormSVInfo) << "cancelled";

    CLogReadView* view = StartRetrieval(frame);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(Ends(*view));
    EXPECT_FALSE(view->Retrieval()->Failed());
    EXPECT_TRUE(view->IsFinished());
    EXPECT_EQ(view->BackgroundColor(), QColor(192, 255, 192));
    EXPECT_EQ(view->ProgressBar()->value(), 0);
    EXPECT_TRUE(
        Log(*view).starts_with("Quering Size\n150 records to retrieve\nRetrieve @      0 Done\n"
                               "Retrieve @    100 Done\nAll done\nWrote 150 records\n"))
        << Log(*view);
    EXPECT_EQ(std::filesystem::file_size(Path()), 150u * 60);
    EXPECT_TRUE(frame.grab().save(kFolder + "/log_read_view.png"));
}

// The stop command ends a retrieval that waits for its receiver: red, and the view stays.
TEST_F(LogReadViewTest, AStoppedRetrievalEndsRedAndTheViewStays) {
    PseudoTerminal receiver;
    ASSERT_TRUE(receiver.IsOpen());
    CMainFrameMobile& frame = Start({"-logging", "-port", receiver.SlavePath()});
    CLogReadView* view = StartRetrieval(frame);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(RunEventsUntil([&] { return view->Retrieval()->State() == CLoggerRetrieval::kAwaitCount; }));
    EXPECT_FALSE(view->IsFinished());
    view->OnCommand(cmd::kProgressAction);
    ASSERT_TRUE(Ends(*view));
    EXPECT_EQ(Log(*view), "Quering Size\nERROR: Abort by User\nDone\n");
    EXPECT_EQ(view->BackgroundColor(), QColor(255, 192, 192));
    EXPECT_TRUE(frame.grab().save(kFolder + "/log_read_view_failed.png"));
    EXPECT_FALSE(RunEventsUntil([&] { return frame.ActiveView() != view; }, std::chrono::milliseconds(300)));
}

}  // namespace

TEST_F(LogReadViewTest, TheSaveDialogProposesAKvbFile) {
    CQtLogFileDialogs dialogs(nullptr);
    QString title, proposed, filters;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        title = dialog->windowTitle();
        proposed = dialog->selectedFiles().value(0);
        filters = dialog->nameFilters().join(";;");
        dialog->reject();
    });
    EXPECT_FALSE(dialogs.AskLoggerFile());
    EXPECT_EQ(title, "Save KVB File to ...");
    EXPECT_TRUE(proposed.endsWith("/log.kvb")) << proposed.toStdString();
    EXPECT_EQ(filters, "KVB File (*.kvb);;All Files (*.*)");
}
