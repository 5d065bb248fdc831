// The Orbitpack update in the window, offscreen: File "&Orbitpack..." asks for the source on its
// template, and the view writes the file into a receiver on a pseudo-terminal that answers each
// frame, its log and progress bar following every block.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>

#include "host/services/kvb_frame.h"
#include "host/services/orbitpack_source.h"
#include "host/views/messages/message_form_page.h"
#include "host/views/services/opk_update_view.h"
#include "host/views/services/orbitpack_source_dialog.h"
#include "host/views/view_classes.h"
#include "platform/file_profile.h"
#include "platform/text.h"
#include "resources/veltro/dialogs.h"
#include "tests/host/views/gui_test_support.h"
#include "tests/platform/test_serial_terminal.h"

namespace {

using Bytes = std::vector<uint8_t>;

const QString kFolder = QStringLiteral(VELTRO_SCREENSHOT_DIR);
const Bytes kAcknowledgement = {0xA4, 0x51, 0x0B, 0x50, 0x01, 0x00, 0x01, 0x5D, 0x7B};
const Bytes kRefusal = {0xA4, 0x51, 0x0B, 0x50, 0x01, 0x00, 0x00, 0x5C, 0x7A};
const Bytes kCancel = {0xA4, 0x51, 0x0B, 0x50, 0x01, 0x00, 0xFF, 0x5B, 0x79};

// Runs action on the source prompt once it is the modal dialog.
void WhenPrompted(std::function<void(OrbitpackSourceDialog&)> action) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* dialog = dynamic_cast<OrbitpackSourceDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        action(*dialog);
    });
    timer->start(10);
}

class OrbitpackViewTest : public GuiAppTest {
protected:
    void SetUp() override {
        GuiAppTest::SetUp();
        QDir().mkpath(kFolder);
        ASSERT_TRUE(receiver.IsOpen());
    }
    // File "&Orbitpack..." with a file of 1300 bytes typed into the prompt.
    COPKUpdateView* StartUpdate(CMainFrameMobile& frame) {
        file.resize(1300);
        for (size_t k = 0; k < file.size(); ++k) file[k] = static_cast<uint8_t>(k ^ (k >> 3));
        path = WriteFile("current_5d.opk", std::string(file.begin(), file.end()));
        WhenPrompted([&](OrbitpackSourceDialog& dialog) {
            dialog.Page().SetControlText(dialog::kLinkPromptSource, platform::Utf8ToWide(path));
            dialog.accept();
        });
        frame.CommandBar().Run(cmd::kOrbitpack);
        return dynamic_cast<COPKUpdateView*>(frame.ActiveView());
    }
    bool Reaches(const COPKUpdateView& view, int state, int position) {
        return RunEventsUntil(
            [&] { return view.Update()->State() == state && view.ProgressBar()->value() == position; });
    }
    std::string Log(COPKUpdateView& view) {
        view.Refresh();
        return view.Edit().toPlainText().toStdString();
    }

    PseudoTerminal receiver;
    Bytes file;
    std::string path;
};

TEST_F(OrbitpackViewTest, TheSourcePromptKeepsItsTextAndTheFileBrowsedTo) {
    std::u16string browsedFrom;
    const auto browse = [&](QWidget*, const std::u16string& start) {
        browsedFrom = start;
        return std::optional<std::u16string>(u"/data/new.opk");
    };
    OrbitpackSettings settings;
    settings.link = u"7 Days Orbitpack";
    OrbitpackSourceDialog dialog(settings, nullptr, browse);
    dialog.show();
    const CMessageFormPage& page = dialog.Page();
    EXPECT_EQ(dialog.windowTitle(), "Orbitpack");
    ASSERT_EQ(page.ItemCount(dialog::kLinkPromptSource), 5);
    EXPECT_EQ(page.ItemText(dialog::kLinkPromptSource, 4), u"10 Days Orbitpack");
    EXPECT_EQ(page.Selection(dialog::kLinkPromptSource), 3);
    EXPECT_TRUE(dialog.grab().save(kFolder + "/orbitpack_source_dialog.png"));
    dialog.accept();
    EXPECT_EQ(dialog.Source(), std::u16string(kDefaultOrbitpackLinkPrefix) + u"current_7d.opk");

    settings.link = u"7 days";
    settings.dir = u"/data/old.opk";
    OrbitpackSourceDialog other(settings, nullptr, browse);
    EXPECT_EQ(other.Page().GetControlText(dialog::kLinkPromptSource), u"7 days");
    other.Page().SetControlText(dialog::kLinkPromptSource, u"");
    other.Browse();
    other.accept();
    EXPECT_EQ(browsedFrom, u"/data/old.opk");
    EXPECT_EQ(other.Source(), u"/data/new.opk");
    EXPECT_EQ(other.Settings().link, u"/data/new.opk");
    EXPECT_EQ(other.Settings().dir, u"/data/new.opk");
    EXPECT_EQ(OrbitpackSourceDialog(OrbitpackSettings{}, nullptr).Page().Selection(dialog::kLinkPromptSource), 0);
}

// Every frame the view sends is answered as the receiver would; the bar stands at 0, 39, 78 and
// 100 as the blocks go, and the ending is green.
TEST_F(OrbitpackViewTest, FromTheMenuTheFileGoesIntoTheReceiverBlockByBlock) {
    CMainFrameMobile& frame = Start({"-port", receiver.SlavePath()});
    WhenPrompted([](OrbitpackSourceDialog& dialog) { dialog.reject(); });
    frame.CommandBar().Run(cmd::kOrbitpack);
    EXPECT_EQ(frame.ActiveView()->ViewClass(), view_class::kMainFormSVInfo);

    COPKUpdateView* view = StartUpdate(frame);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(app->Profile().GetString(u"Orbitpack", u"Link", u""), platform::Utf8ToWide(path));
    const auto reaches = [&](int state, int position) { return Reaches(*view, state, position); };
    ASSERT_TRUE(reaches(COrbitpackUpdate::kAwaitOpening, 0));
    EXPECT_FALSE(view->IsFinished());
    EXPECT_EQ(receiver.Receive(kCancel.size(), 2000), kCancel);

    Bytes written;
    for (const int position : {0, 39, 78}) {
        receiver.Send(kAcknowledgement);
        ASSERT_TRUE(reaches(COrbitpackUpdate::kAwaitBlock, position)) << position;
        const size_t size = position == 78 ? 276 : 512;
        const Bytes block = receiver.Receive(size + kKvbFrameExtraBytes, 2000);
        ASSERT_EQ(block.size(), size + kKvbFrameExtraBytes);
        written.insert(written.end(), block.begin() + 6, block.end() - 2);
    }
    EXPECT_EQ(written, file);
    receiver.Send(kAcknowledgement);
    ASSERT_TRUE(reaches(COrbitpackUpdate::kAwaitClosing, 100));
    EXPECT_EQ(receiver.Receive(kCancel.size(), 2000), kCancel);
    receiver.Send(kAcknowledgement);
    ASSERT_TRUE(reaches(COrbitpackUpdate::kEnded, 0));

    EXPECT_TRUE(view->IsFinished());
    EXPECT_EQ(view->BackgroundColor(), QColor(192, 255, 192));
    EXPECT_EQ(Log(*view), "Start Orbitpack Update\nLoad File " + path +
                              "\nSend Cancel\nWrite Block 0x00000 Size 512\nWrite Block 0x00200 Size 512\n"
                              "Write Block 0x00400 Size 276\nSend Cancel\nDone\n");
    EXPECT_TRUE(frame.grab().save(kFolder + "/opk_update_view.png"));
}

// A refused opening cancel lets the upload begin; a refused block still closes the transfer, and
// the view stays, red, with its log.
TEST_F(OrbitpackViewTest, ARefusedBlockEndsRedAndTheViewStays) {
    CMainFrameMobile& frame = Start({"-port", receiver.SlavePath()});
    COPKUpdateView* view = StartUpdate(frame);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(Reaches(*view, COrbitpackUpdate::kAwaitOpening, 0));
    EXPECT_EQ(receiver.Receive(kCancel.size(), 2000), kCancel);
    const std::pair<Bytes, int> answers[] = {{kRefusal, 0}, {kAcknowledgement, 39}};
    for (const auto& [answer, position] : answers) {
        receiver.Send(answer);
        ASSERT_TRUE(Reaches(*view, COrbitpackUpdate::kAwaitBlock, position));
        EXPECT_EQ(receiver.Receive(512 + kKvbFrameExtraBytes, 2000).size(), 512 + kKvbFrameExtraBytes);
    }
    receiver.Send(kRefusal);
    ASSERT_TRUE(Reaches(*view, COrbitpackUpdate::kAwaitClosing, 39));
    EXPECT_EQ(receiver.Receive(kCancel.size(), 2000), kCancel);
    receiver.Send(kAcknowledgement);
    ASSERT_TRUE(Reaches(*view, COrbitpackUpdate::kEnded, 0));
    EXPECT_EQ(view->BackgroundColor(), QColor(255, 192, 192));
    EXPECT_TRUE(
        Log(*view).ends_with("Write Block 0x00200 Size 512\nERROR: NotAcknowledge received\nSend Cancel\nDone\n"));
    EXPECT_TRUE(frame.grab().save(kFolder + "/opk_update_view_failed.png"));
    EXPECT_FALSE(RunEventsUntil([&] { return frame.ActiveView() != view; }, std::chrono::milliseconds(300)));
}

}  // namespace
