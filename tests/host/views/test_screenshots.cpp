// Pictures of the main window for a reviewer: the start-up view, and each menu dropped down.
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <set>

#include "host/core/app/simulator_process.h"
#include "host/views/command_bar.h"
#include "host/views/forms/data_view.h"
#include "host/views/forms/data_view_layout.h"
#include "host/views/forms/main_form.h"
#include "host/views/instruments/speed_meter_view.h"
#include "host/views/instruments/world_view.h"
#include "host/views/messages/message_form_view.h"
#include "tests/host/views/gui_test_support.h"
#include "tests/platform/test_serial_terminal.h"
#include "tests/plugins/kvb/kvb_test_frames.h"

namespace {

const QString kFolder = QStringLiteral(VELTRO_SCREENSHOT_DIR);

// More than a handful of colours: something was drawn, not just a background.
bool ShowsSomething(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    return colours.size() > 8;
}

QString FileName(const QString& menuTitle) {
    QString name = menuTitle;
    name.remove(u'&');
    return QStringLiteral("menu_%1.png").arg(name.toLower());
}

class ScreenshotTest : public GuiAppTest {
protected:
    void SetUp() override {
        GuiAppTest::SetUp();
        QDir().mkpath(kFolder);
    }

    // Opens the message view and saves a picture of each named message's page.
    void PictureMessagePages(CMainFrameMobile& frame,
                             std::initializer_list<std::pair<const char*, const char*>> pages) {
        frame.CommandBar().Run(cmd::kMessageView);
        auto* view = dynamic_cast<CMessageFormView*>(frame.ActiveView());
        ASSERT_NE(view, nullptr);
        for (const auto& [name, file] : pages) {
            const int index = view->MessageList()->findText(QString::fromUtf8(name));
            ASSERT_GE(index, 0) << name;
            view->PickMessage(index);
            ASSERT_NE(view->FormPage(), nullptr) << name;
            RunEventsUntil([] { return false; }, std::chrono::milliseconds(200));
            const QImage picture = frame.grab().toImage();
            EXPECT_TRUE(ShowsSomething(picture)) << name;
            EXPECT_TRUE(picture.save(kFolder + "/" + file)) << name;
        }
    }
};

}  // namespace

TEST_F(ScreenshotTest, TheMainWindowAndEachOfItsMenus) {
    CMainFrameMobile& frame = Start({});
    frame.resize(800, 600);
    RunEventsUntil([] { return false; }, std::chrono::milliseconds(200));
    const QImage window = frame.grab().toImage();
    ASSERT_TRUE(ShowsSomething(frame.ActiveView()->grab().toImage()));
    ASSERT_TRUE(window.save(kFolder + "/main_window.png"));

    for (QMenu* menu : frame.CommandBar().Menus()) {
        const QRect item = frame.menuBar()->actionGeometry(menu->menuAction());
        const QPoint at = frame.menuBar()->mapTo(&frame, item.bottomLeft());
        menu->popup(frame.mapToGlobal(at));
        RunEventsUntil([menu] { return menu->isVisible(); });
        QImage picture = window.copy();
        {
            QPainter painter(&picture);
            painter.drawPixmap(at, menu->grab());
        }
        menu->hide();
        EXPECT_TRUE(ShowsSomething(picture));
        EXPECT_TRUE(picture.save(kFolder + "/" + FileName(menu->title()))) << menu->title().toStdString();
    }
}

TEST_F(ScreenshotTest, TheMainWindowReceivingFromAReceiver) {
    PseudoTerminal receiver;
    ASSERT_TRUE(receiver.IsOpen());
    CMainFrameMobile& frame = Start({"-port", receiver.SlavePath()});
    frame.resize(800, 600);
    std::string stream;
    for (int second = 1; second <= 3; ++second)
        stream += NmeaSentence("GPRMC,12000" + std::to_string(second) +
                               ".00,A,4717.11399,N,00833.91590,E,0.004,77.52,010324,,,A") +
                  NmeaFix(second);
    receiver.Send({stream.begin(), stream.end()});
    const auto* summary = dynamic_cast<const CMainFormSVInfo*>(frame.ActiveView());
    ASSERT_NE(summary, nullptr);
    ASSERT_TRUE(RunEventsUntil([&] { return summary->Data()->RowTexts()[ROW_UTC] == u"12:00:03.000"; }));
    RunEventsUntil([] { return false; }, std::chrono::milliseconds(1100));
    EXPECT_TRUE(frame.grab().toImage().save(kFolder + "/main_window_receiving.png"));
}

TEST_F(ScreenshotTest, TheMessageViewFromTheViewMenu) {
    CMainFrameMobile& frame = Start({});
    frame.resize(800, 600);
    ASSERT_TRUE(Enabled(frame, cmd::kMessageView));
    frame.CommandBar().Run(cmd::kMessageView);
    auto* view = dynamic_cast<CMessageFormView*>(frame.ActiveView());
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->MessageList(), nullptr);
    view->PickMessage(view->MessageList()->findText(QStringLiteral("CUSTOM")));
    ASSERT_NE(view->FormPage(), nullptr);
    RunEventsUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_TRUE(frame.grab().toImage().save(kFolder + "/message_view.png"));
}

// The NMEA pages as a receiver fills them: the fix, the satellites of a GSV cycle, and the
// protocol's information page with its logo.
TEST_F(ScreenshotTest, TheMessageViewWithTheNmeaPages) {
    PseudoTerminal receiver;
    ASSERT_TRUE(receiver.IsOpen());
    CMainFrameMobile& frame = Start({"-port", receiver.SlavePath()});
    frame.resize(800, 600);
    const std::string stream = NmeaFix(1) + NmeaSentence("GPGSA,A,3,03,07,08,11,19,28,40,,,,,,1.80,1.01,1.49") +
                               NmeaSentence("GPGSV,3,1,10,03,40,083,46,07,17,308,41,08,07,344,39,11,22,228,45") +
                               NmeaSentence("GPGSV,3,2,10,19,64,270,47,28,12,010,33,40,33,158,41,12,05,150,") +
                               NmeaSentence("GPGSV,3,3,10,22,,,,24,02,210,");
    receiver.Send({stream.begin(), stream.end()});
    CMessageNode* gsv = app->Document().FindNodeByProtocol(u"NMEA", u"GPGSV", nullptr);
    ASSERT_TRUE(RunEventsUntil([&] { return gsv->FrameLength() > 150; }));

    PictureMessagePages(frame, {{"NMEA GPGGA", "message_view_nmea_gga.png"},
                                {"NMEA GPGSV", "message_view_nmea_gsv.png"},
                                {"NMEA", "message_view_nmea.png"}});
}

// Editors of the KVB plug-in as the message view lays them out: the fixwise mode, USB, the time
// marks, and the odometer, whose group the start-up keyword shows, as a receiver reports it off.
TEST_F(ScreenshotTest, TheMessageViewWithKvbEditors) {
    PseudoTerminal receiver;
    ASSERT_TRUE(receiver.IsOpen());
    CMainFrameMobile& frame = Start({"-odometer", "-port", receiver.SlavePath()});
    frame.resize(800, 600);
    receiver.Send(KvbTestFrame(0x06, 0x1E, {0, 0, 0, 0, 2, 0, 0, 0}));
    CMessageNode* odo = app->Document().FindNodeByProtocol(u"KVB", u"ODO", nullptr);
    ASSERT_TRUE(RunEventsUntil([&] { return odo->FrameLength() > 0; }));
    PictureMessagePages(frame, {{"KVB CFG-FXW", "message_view_kvb_fxw.png"},
                                {"KVB CFG-USB", "message_view_kvb_usb.png"},
                                {"KVB CFG-TM2", "message_view_kvb_tm2.png"},
                                {"KVB ODO", "message_view_kvb_odo.png"}});
}

// The instruments and the world map as the View menu shows them, fed by the simulated receiver.
TEST_F(ScreenshotTest, TheNavSummaryAndTheWorldMapWithTheSimulatedReceiver) {
    CSimulatorProcess simulator;
    std::string error;
    ASSERT_TRUE(simulator.Start(10, error)) << error;
    CMainFrameMobile& frame = Start({"-port", simulator.DevicePath()});
    frame.resize(800, 600);
    frame.CommandBar().Run(cmd::kNavSummary);
    const auto* summary = dynamic_cast<const CMainFormNAVInfo*>(frame.ActiveView());
    ASSERT_NE(summary, nullptr);
    ASSERT_TRUE(RunEventsUntil([&] { return summary->Speed()->HasReading(); }));
    RunEventsUntil([] { return false; }, std::chrono::milliseconds(1000));
    EXPECT_TRUE(frame.grab().toImage().save(kFolder + "/main_window_nav_summary.png"));

    ASSERT_TRUE(Enabled(frame, cmd::kWorldMap));
    frame.CommandBar().Run(cmd::kWorldMap);
    const auto* world = dynamic_cast<const CWorldView*>(frame.ActiveView());
    ASSERT_NE(world, nullptr);
    ASSERT_TRUE(RunEventsUntil([&] { return world->Trail().size() >= 3; }));
    EXPECT_TRUE(ShowsSomething(frame.grab().toImage()));
    EXPECT_TRUE(frame.grab().toImage().save(kFolder + "/main_window_world_map.png"));
}
