// The Rx menu's receiver commands and Aidwell Online in the window, offscreen: the commands follow
// the connection, the dialogs are their templates on the services' cores, and what they send
// reaches a receiver on a pseudo-terminal through the real send path.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <numbers>

#include "host/core/database/database_catalogue.h"
#include "host/services/aidwell_settings.h"
#include "host/services/aidwell_worker.h"
#include "host/services/diagnostic_outputs.h"
#include "host/services/kvb_frame.h"
#include "host/services/receiver_commands.h"
#include "host/views/color_table.h"
#include "host/views/messages/message_form_page.h"
#include "host/views/services/aidwell_online_dialog.h"
#include "host/views/services/worker_progress_dialog.h"
#include "platform/file_profile.h"
#include "platform/text.h"
#include "resources/veltro/dialogs.h"
#include "shared/epoch_history.h"
#include "shared/storage_values.h"
#include "tests/host/views/gui_test_support.h"
#include "tests/platform/test_serial_terminal.h"
#include "tests/support/loopback_server.h"

namespace {

const QString kFolder = QStringLiteral(VELTRO_SCREENSHOT_DIR);
constexpr unsigned kRxCommands[] = {cmd::kDebugMessages, cmd::kColdstart, cmd::kWarmstart, cmd::kHotstart,
                                    cmd::kAidwellOnline};

template <class Widget>
Widget* Control(const CMessageFormPage& page, int id) {
    return qobject_cast<Widget*>(page.ControlWidget(id));
}

std::string Message(size_t length) {
    std::vector<uint8_t> payload(length - kKvbFrameExtraBytes, 0x33);
    std::string frame(length, '\0');
    BuildKvbFrame(reinterpret_cast<uint8_t*>(frame.data()), 0x0B, 0x31, payload.data(),
                  static_cast<int>(payload.size()));
    return frame;
}

class ServiceDialogsTest : public GuiAppTest {
protected:
    void SetUp() override {
        GuiAppTest::SetUp();
        QDir().mkpath(kFolder);
        ASSERT_TRUE(receiver.IsOpen());
    }
    PseudoTerminal receiver;
};

TEST_F(ServiceDialogsTest, RxCommandsFollowTheConnectionAndAStartSendsItsFrameAtOnce) {
    CMainFrameMobile& frame = Start({"-port", receiver.SlavePath()});
    for (unsigned command : kRxCommands) EXPECT_TRUE(Enabled(frame, command)) << command;
    frame.CommandBar().Run(cmd::kWarmstart);
    const std::span<const uint8_t> warm = ResetFrame(ResetKind::Warm);
    EXPECT_EQ(receiver.Receive(warm.size(), 2000), std::vector<uint8_t>(warm.begin(), warm.end()));
    // The services' other frames take the same road: the poll of MON-VER.
    EXPECT_TRUE(SendKvbMessage(frame.Logic(), 0x0A, 0x04, nullptr, 0));
    EXPECT_EQ(receiver.Receive(8, 2000), (std::vector<uint8_t>{0xA4, 0x51, 0x0A, 0x04, 0x00, 0x00, 0x0E, 0x34}));
    frame.CommandBar().Run(kDisconnectCommand);
    for (unsigned command : kRxCommands) EXPECT_FALSE(Enabled(frame, command)) << command;
}

TEST_F(ServiceDialogsTest, TheAidwellDialogShowsUsesCurrentAndRefusesAPortItCannotKeep) {
    CEpochHistory history{4};
    CStorageDatabase database;
    BuildDatabaseCatalogue(database, history);
    database.FindAs<CStorageValue>(0x3001)->SetValue(47.5 * std::numbers::pi / 180);
    database.FindAs<CStorageValue>(0x3020)->SetValue(12.345);
    CAidwellOnlineDialog dialog(AidwellRequest{.resetCommand = 3, .user = u"me", .password = u"secret"}, database,
                                Qt::red, nullptr);
    dialog.show();
    const CMessageFormPage& page = dialog.Page();
    EXPECT_EQ(dialog.windowTitle(), "Aidwell Online");
    EXPECT_EQ(Control<QLineEdit>(page, dialog::kAidwellLatitude)->text(), "90.000000");
    EXPECT_EQ(Control<QLineEdit>(page, dialog::kAidwellPassword)->echoMode(), QLineEdit::Password);
    EXPECT_EQ(page.GetControlText(dialog::kAidwellReset), u"hot");
    Control<QPushButton>(page, dialog::kAidwellUseCurrent)->click();
    EXPECT_EQ(Control<QLineEdit>(page, dialog::kAidwellLatitude)->text(), "47.500000");
    EXPECT_EQ(Control<QLineEdit>(page, dialog::kAidwellAccuracy)->text(), "12.35");
    EXPECT_EQ(Control<QLineEdit>(page, dialog::kAidwellLongitude)->text(), "0.000000");

    QLineEdit* port = Control<QLineEdit>(page, dialog::kAidwellPort);
    port->setText("65536");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(port->palette().color(QPalette::Base), QColor(Qt::red));
    EXPECT_TRUE(dialog.grab().save(kFolder + "/aidwell_online_dialog.png"));
    port->setText("8080");
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Request().port, 8080);
    EXPECT_DOUBLE_EQ(dialog.Request().latitude, 47.5);
    EXPECT_EQ(dialog.Request().resetCommand, 3);
}

// From the menu: the dialog confirmed, the settings kept, the progress dialog closing by itself
// once the three messages have reached the receiver.
TEST_F(ServiceDialogsTest, AidwellOnlineFromTheMenuForwardsTheReplyAndKeepsTheSettings) {
    const std::string body = Message(60) + Message(200) + Message(8);
    LoopbackServer server(kAidwellRequestEnd, "Content-Length: " + std::to_string(body.size()) +
                                                  "\r\nContent-Type: application/kvb\r\n\r\n" + body);
    CMainFrameMobile& frame = Start({"-port", receiver.SlavePath()});
    platform::CFileProfile& profile = app->Profile();
    profile.WriteString(u"NetAid", u"Server", kRetiredAidwellServer);
    profile.WriteInt(u"NetAid", u"RstCmd", 0);

    WhenModal<CAidwellOnlineDialog>([&](CAidwellOnlineDialog& dialog) {
        EXPECT_EQ(dialog.Page().GetControlText(dialog::kAidwellServer), kDefaultAidwellServer);
        dialog.Page().SetControlText(dialog::kAidwellServer, u"127.0.0.1");
        dialog.Page().SetControlText(dialog::kAidwellPort, platform::Utf8ToWide(std::to_string(server.Port())));
        dialog.Page().SetControlText(dialog::kAidwellLatitude, u"47.5");
        WhenModal<CWorkerProgressDialog>([&](CWorkerProgressDialog& progress) {
            EXPECT_EQ(progress.windowTitle(), "Progress ...");
            RunEventsUntil([&] { return progress.Page().Position(dialog::kProgressBar) >= 60; });
            EXPECT_TRUE(progress.grab().save(kFolder + "/worker_progress_dialog.png"));
        });
        dialog.accept();
    });
    frame.CommandBar().Run(cmd::kAidwellOnline);

    EXPECT_EQ(receiver.Receive(body.size(), 3000), std::vector<uint8_t>(body.begin(), body.end()));
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_TRUE(server.Requests()[0].starts_with("cmd=full;user=;pwd=;lat=47.500000;")) << server.Requests()[0];
    const AidwellRequest kept = LoadAidwellSettings(profile);
    EXPECT_EQ(kept.server, u"127.0.0.1");
    EXPECT_EQ(kept.port, server.Port());
    EXPECT_EQ(kept.latitude, 47.5);
    EXPECT_EQ(kept.resetCommand, 0);
}

// A worker that fails leaves the dialog open on its status line; one cancelled ends at once.
TEST_F(ServiceDialogsTest, TheProgressDialogStaysOnAFailureAndCancelsARunningWorker) {
    CMainFrameMobile& frame = Start({"-port", receiver.SlavePath()});
    {
        RefusingPort refusing;
        const AidwellRequest request{.resetCommand = 0, .server = u"127.0.0.1", .port = refusing.Port()};
        CWorkerProgressDialog progress(
            frame.Logic().Window(), [&](CWorkerContext& context) { return AidwellWorker(context, request); }, nullptr);
        ASSERT_TRUE(progress.Start());
        progress.show();
        EXPECT_TRUE(RunEventsUntil([&] { return !progress.WorkerRunning(); }));
        EXPECT_TRUE(progress.isVisible());
        EXPECT_EQ(progress.ExitCode(), kWorkerFailed);
        EXPECT_EQ(Control<QLabel>(progress.Page(), dialog::kProgressStatus)->text(),
                  "Connecting to Korvala Aidwell Online Server");
    }
    CWorkerProgressDialog progress(frame.Logic().Window(), DiagnosticOutputsWorker, nullptr);
    ASSERT_TRUE(progress.Start());
    progress.show();
    QProgressBar* bar = Control<QProgressBar>(progress.Page(), dialog::kProgressBar);
    EXPECT_TRUE(RunEventsUntil([&] { return bar->value() >= 3; }));
    EXPECT_EQ(bar->maximum(), 21);
    progress.reject();
    EXPECT_FALSE(progress.WorkerRunning());
    EXPECT_FALSE(progress.isVisible());
    const size_t sent = receiver.Receive(21 * 11, 500).size();
    EXPECT_LT(sent, size_t{18 * 11});
}

}  // namespace
