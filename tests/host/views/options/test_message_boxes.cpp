// The program's message boxes from their one table: each one through the Qt box, offscreen, with
// its text, buttons and icon; and those that the frame raises, raised where the program raises them.
#include <QAbstractButton>
#include <QMessageBox>
#include <set>

#include "resources/veltro/message_boxes.h"
#include "tests/host/views/gui_test_support.h"

namespace {

QMessageBox::Icon QtIcon(MessageBoxIcon icon) {
    switch (icon) {
        case MessageBoxIcon::Information:
            return QMessageBox::Information;
        case MessageBoxIcon::Warning:
            return QMessageBox::Warning;
        case MessageBoxIcon::Question:
            return QMessageBox::Question;
        case MessageBoxIcon::Stop:
            return QMessageBox::Critical;
        case MessageBoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

class MessageBoxesTest : public GuiAppTest {
protected:
    // What the frame showed or asked last, with its icon, as the table's row would have it.
    void ExpectRaised(const MessageBoxResource& box) {
        const bool asks = box.buttons == MessageBoxButtons::YesNo;
        const auto& texts = asks ? prompts.asked : prompts.shown;
        const auto& icons = asks ? prompts.askedIcons : prompts.shownIcons;
        ASSERT_FALSE(texts.empty()) << box.id;
        EXPECT_EQ(texts.back().rfind(box.text, 0), 0u) << box.id;
        EXPECT_EQ(icons.back(), box.icon) << box.id;
    }
};

}  // namespace

TEST(MessageBoxTable, EveryBoxShowsItsTextButtonsAndIcon) {
    std::set<int> ids;
    for (const MessageBoxResource& box : message_box::kTable) {
        EXPECT_TRUE(ids.insert(box.id).second) << box.id;
        QWidget parent;
        CQtMessageBox boxes(&parent);
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        WhenModal<QMessageBox>([&](QMessageBox& shown) {
            text = shown.text();
            buttons = shown.standardButtons();
            icon = shown.icon();
            shown.button(buttons & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok)->click();
        });
        EXPECT_TRUE(boxes.Raise(box, u"reason")) << box.id;
        EXPECT_EQ(text, QString::fromUtf16(box.text) + "\n\nreason") << box.id;
        EXPECT_EQ(buttons, box.buttons == MessageBoxButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                                   : QMessageBox::StandardButtons(QMessageBox::Ok))
            << box.id;
        EXPECT_EQ(icon, QtIcon(box.icon)) << box.id;
    }
}

// The log's, the send path's and the closing question; the message view's and the progress
// view's are raised by their views' tests.
TEST_F(MessageBoxesTest, TheFrameRaisesItsBoxesFromTheTable) {
    CMainFrameMobile& frame = Start({});
    prompts.saveFile = WriteFile("not-a-folder", "x") + "/drive.kvb";
    frame.CommandBar().Run(cmd::kNew);
    ExpectRaised(kLogNotCreated);

    prompts.openFile = ILogFileDialogs::OpenChoice{(folder / "missing.kvb").string(), false};
    frame.CommandBar().Run(cmd::kOpen);
    ExpectRaised(kLogNotOpened);

    const std::string poll = NmeaSentence("EIGPQ,RMC");
    frame.SendToReceiver(nullptr, reinterpret_cast<const uint8_t*>(poll.data()), static_cast<int>(poll.size()));
    ExpectRaised(kMessageNotSent);

    prompts.saveFile = (folder / "drive.kvb").string();
    frame.CommandBar().Run(cmd::kNew);
    prompts.answerYes = false;
    EXPECT_FALSE(frame.close());
    ExpectRaised(kExitWhileRecording);
}
