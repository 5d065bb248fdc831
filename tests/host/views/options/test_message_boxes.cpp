// The program's message boxes from their one table: each one through the Qt box, offscreen, with
// its text, buttons and icon. Where each is raised, its raiser's test checks text and icon.
#include <QAbstractButton>
#include <QMessageBox>
#include <set>

#include "host/views/message_box.h"
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
