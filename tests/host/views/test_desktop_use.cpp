// The window as a desktop user meets it: folders the file dialogs start in, the status bar, the
// recording's look, the replay's pace and position, and closing on a signal.
#include <QAbstractFileIconProvider>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <chrono>
#include <filesystem>

#include "host/core/app/app_identity.h"
#include "host/core/connection/port_thread.h"
#include "host/core/frame/main_frame_core.h"
#include "host/core/log/log_file_texts.h"
#include "platform/file_profile.h"
#include "platform/folders.h"
#include "platform/text.h"
#include "tests/host/views/gui_test_support.h"
#include "tests/platform/test_serial_terminal.h"

namespace {

using Clock = std::chrono::steady_clock;

class DesktopUseTest : public GuiAppTest {
protected:
    std::u16string DefaultDirLog() { return app->Profile().GetString(u"Settings", u"DefaultDirLog", u""); }
    QSlider* ReplaySlider(CMainFrameMobile& frame) { return frame.statusBar()->findChild<QSlider*>(); }
    QLabel* LogLabel(CMainFrameMobile& frame) {
        for (QLabel* label : frame.statusBar()->findChildren<QLabel*>())
            if (label->text().contains(QStringLiteral("REC"))) return label;
        return nullptr;
    }
};

}  // namespace

TEST_F(DesktopUseTest, OnlyAFolderThatTookAFileIsRemembered) {
    CMainFrameMobile& frame = Start({});
    // A "folder" that is a plain file can take no file, even for root.
    const std::string notAFolder = WriteFile("not-a-folder", "x");
    prompts.saveFile = notAFolder + "/drive.kvb";
    frame.CommandBar().Run(cmd::kNew);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].rfind(kLogNotCreated.text, 0), 0u);
    EXPECT_EQ(prompts.shownIcons[0], kLogNotCreated.icon);
    EXPECT_EQ(DefaultDirLog(), u"");

    // A folder remembered before, among the kernel's files, is not started in.
    app->Profile().WriteString(u"Settings", u"DefaultDirLog", u"/proc");
    prompts.openFile.reset();
    frame.CommandBar().Run(cmd::kOpen);
    EXPECT_EQ(prompts.shownFolder, platform::HomeFolder());

    prompts.saveFile = (folder / "drive.kvb").string();
    frame.CommandBar().Run(cmd::kNew);
    ASSERT_EQ(app->Log().State(), LogState::Recording);
    EXPECT_EQ(DefaultDirLog(), platform::Utf8ToWide(folder.string()));
    frame.CommandBar().Run(cmd::kStop);
    frame.CommandBar().Run(cmd::kEject);
    frame.CommandBar().Run(cmd::kOpen);
    EXPECT_EQ(prompts.shownFolder, folder.string());
}

TEST_F(DesktopUseTest, ARecentFileThatNoLongerOpensLeavesTheList) {
    CMainFrameMobile& frame = Start({});
    OpenLog(frame, 3);
    frame.CommandBar().Run(cmd::kEject);
    std::filesystem::remove(folder / "replay.kvb");
    ASSERT_NE(Item(frame, cmd::kFirstRecentFile), nullptr);
    Item(frame, cmd::kFirstRecentFile)->trigger();
    // The system's reason follows the program's text.
    EXPECT_EQ(prompts.shown.back(), std::u16string(kLogNotOpened.text) + u"\n\nNo such file or directory");
    EXPECT_EQ(prompts.shownIcons.back(), kLogNotOpened.icon);
    EXPECT_TRUE(frame.Logic().RecentFiles().Entries().empty());
    QAction* first = Item(frame, cmd::kFirstRecentFile);
    EXPECT_TRUE(!first || !first->text().endsWith(QStringLiteral("replay.kvb")));
}

TEST_F(DesktopUseTest, TheStatusBarNamesTheDeviceOpenNow) {
    PseudoTerminal first;
    PseudoTerminal second;
    ASSERT_TRUE(first.IsOpen() && second.IsOpen());
    CMainFrameMobile& frame = Start({"-port", first.SlavePath()});
    EXPECT_NE(frame.ConnectionText().find(platform::Utf8ToWide(first.SlavePath())), std::u16string::npos);
    ASSERT_TRUE(frame.Logic().ConnectToDevice(second.SlavePath()));
    EXPECT_NE(frame.ConnectionText().find(platform::Utf8ToWide(second.SlavePath())), std::u16string::npos)
        << platform::WideToUtf8(frame.ConnectionText());
}

TEST_F(DesktopUseTest, ARecordingShowsRedAndPausesWhenAsked) {
    CMainFrameMobile& frame = Start({});
    const QImage recording =
        frame.CommandBar().ToolBarAction(cmd::kRecord)->icon().pixmap(32, QIcon::Disabled, QIcon::On).toImage();
    EXPECT_GT(recording.pixelColor(16, 16).red(), 200);
    EXPECT_LT(recording.pixelColor(16, 16).green(), 60);

    prompts.saveFile = (folder / "drive.kvb").string();
    frame.CommandBar().Run(cmd::kNew);
    ASSERT_NE(LogLabel(frame), nullptr);
    EXPECT_TRUE(LogLabel(frame)->styleSheet().contains(QStringLiteral("background")));
    EXPECT_TRUE(Enabled(frame, cmd::kPause));
    frame.CommandBar().Run(cmd::kPause);
    EXPECT_TRUE(Checked(frame, cmd::kPause));
    EXPECT_TRUE(LogLabel(frame)->text().startsWith(QStringLiteral("REC paused")));
    const std::string fix = NmeaFix(1);
    const FrameRecord record{nullptr, reinterpret_cast<const uint8_t*>(fix.data()), static_cast<int>(fix.size())};
    const int64_t written = app->Log().Length();
    frame.Logic().Core().OnPortFrame(&record, true);
    EXPECT_EQ(app->Log().Length(), written);
    frame.CommandBar().Run(cmd::kPause);
    EXPECT_TRUE(LogLabel(frame)->styleSheet().contains(QStringLiteral("background")));
    frame.Logic().Core().OnPortFrame(&record, true);
    EXPECT_EQ(app->Log().Length(), written + static_cast<int64_t>(fix.size()));
}

TEST_F(DesktopUseTest, AReplayThatEndedAndStoppedIsNotShownPaused) {
    CMainFrameMobile& frame = Start({});
    OpenLog(frame, 5);
    frame.CommandBar().Run(cmd::kPlayFast);
    ASSERT_TRUE(RunEventsUntil([&] { return app->Log().IsPaused(); }));
    EXPECT_TRUE(Checked(frame, cmd::kPause));
    frame.CommandBar().Run(cmd::kStop);
    EXPECT_FALSE(Checked(frame, cmd::kPause));
}

// File "Export..." writes every epoch of the replayed log, its last included, in the format its
// file's extension names; a file that cannot be written is told.
TEST_F(DesktopUseTest, TheEpochsOfAReplayAreExportedAsATrack) {
    CMainFrameMobile& frame = Start({});
    OpenLog(frame, 5);
    EXPECT_FALSE(Enabled(frame, cmd::kExport));
    frame.CommandBar().Run(cmd::kPlayFast);
    ASSERT_TRUE(RunEventsUntil([&] { return app->Log().IsPaused(); }));
    ASSERT_TRUE(Enabled(frame, cmd::kExport));
    prompts.saveFile = (folder / "replay.gpx").string();
    frame.CommandBar().Run(cmd::kExport);
    std::ifstream file(*prompts.saveFile);
    const std::string gpx((std::istreambuf_iterator<char>(file)), {});
    EXPECT_TRUE(gpx.starts_with("<?xml")) << gpx;
    size_t points = 0;
    for (size_t at = gpx.find("<trkpt "); at != std::string::npos; at = gpx.find("<trkpt ", at + 1)) ++points;
    EXPECT_EQ(points, 5u) << gpx;
    EXPECT_TRUE(prompts.shown.empty());

    prompts.saveFile = (folder / "missing" / "replay.csv").string();
    frame.CommandBar().Run(cmd::kExport);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].rfind(u"ERROR: Export file could not be written.", 0), 0u);
}

// Five fixes a second apart: the pace is known once two epochs have told their times, and the
// two epochs after them each follow a second later; ten frames a second would take half a second.
TEST_F(DesktopUseTest, NormalPlaysALogAtTheReceiversPace) {
    CMainFrameMobile& frame = Start({});
    OpenLog(frame, 5);
    const auto start = Clock::now();
    frame.CommandBar().Run(cmd::kPlayNormal);
    ASSERT_TRUE(RunEventsUntil([&] { return app->Log().IsPaused(); }, std::chrono::seconds(10)));
    const auto played = Clock::now() - start;
    EXPECT_GE(played, std::chrono::milliseconds(1950));
    EXPECT_LT(played, std::chrono::milliseconds(4500));
}

TEST_F(DesktopUseTest, TheReplaySliderShowsThePositionAndSeeksBothWays) {
    CMainFrameMobile& frame = Start({});
    QSlider* slider = ReplaySlider(frame);
    ASSERT_NE(slider, nullptr);
    EXPECT_FALSE(slider->isVisibleTo(&frame));
    OpenLog(frame, 40);
    EXPECT_TRUE(slider->isVisibleTo(&frame));

    const auto seekTo = [&](int value) {
        slider->setSliderPosition(value);
        emit slider->sliderReleased();
        return RunEventsUntil([&] { return app->Log().IsPaused() && app->Log().Position() > 0; });
    };
    ASSERT_TRUE(seekTo(750));
    const int64_t length = app->Log().Length();
    EXPECT_GE(app->Log().Position(), length * 3 / 4);
    // The slider follows with the status bar's refresh, once a second.
    const int expected = static_cast<int>(app->Log().Position() * 1000 / length);
    EXPECT_TRUE(RunEventsUntil([&] { return slider->value() == expected; }, std::chrono::seconds(2)));
    const uint32_t epochsAtThreeQuarters = app->Document().Database().GetEpochCounter();

    ASSERT_TRUE(seekTo(250));
    EXPECT_GE(app->Log().Position(), length / 4);
    EXPECT_LT(app->Log().Position(), length / 2);
    // Going back decodes again from the start: fewer epochs than before.
    EXPECT_LT(app->Document().Database().GetEpochCounter(), epochsAtThreeQuarters);
}

TEST_F(DesktopUseTest, CloseWithoutAskingCancelsDialogsAndEndsARecording) {
    CMainFrameMobile& frame = Start({});
    prompts.saveFile = (folder / "kept.kvb").string();
    frame.CommandBar().Run(cmd::kNew);
    ASSERT_EQ(app->Log().State(), LogState::Recording);
    QDialog dialog(&frame);
    QTimer::singleShot(0, &frame, [&] { frame.CloseWithoutAsking(); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    ASSERT_TRUE(RunEventsUntil([&] { return !frame.isVisible(); }));
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(app->Log().State(), LogState::None);
}

// Qt's own provider reads a file without a telling name to guess its type; a kernel file such
// as /proc/kmsg never answers that read.
TEST_F(DesktopUseTest, TheFileDialogTellsTypesByNameAlone) {
    const std::string notes = WriteFile("notes", "plain text that content sniffing would recognise\n");
    CQtLogFileDialogs dialogs(nullptr);
    QString type;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        type = dialog->iconProvider()->type(QFileInfo(QString::fromStdString(notes)));
        dialog->reject();
    });
    EXPECT_FALSE(dialogs.AskOpenFile(folder.string()));
    EXPECT_EQ(type, QStringLiteral("File"));
}

TEST(BuildDate, IsWrittenAsADate) {
    EXPECT_EQ(IsoBuildDate("Dec  8 2026"), "2026-12-08");
    EXPECT_EQ(IsoBuildDate("Jan 31 2025"), "2025-01-31");
    EXPECT_EQ(IsoBuildDate("sometime"), "sometime");
}
