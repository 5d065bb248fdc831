// The Preferences from the File menu, offscreen: what the page shows, what OK applies at once,
// what it refuses before OK, what Cancel leaves, and the device each port number stands for.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/messages/message_form_page.h"
#include "host/views/options/options_prop_sheet.h"
#include "platform/file_profile.h"
#include "platform/port_map.h"
#include "platform/text.h"
#include "resources/veltro/dialogs.h"
#include "tests/host/views/gui_test_support.h"

namespace {

using namespace dialog;

class HintLog : public IDocumentObserver {
public:
    void OnUpdate(uint32_t hint, CMessageNode*) override { hints |= hint; }
    uint32_t hints = 0;
};

class OptionsTest : public GuiAppTest {
protected:
    // The program with the settings file holding text, and the sheet opened from the menu.
    CMainFrameMobile& StartWith(const std::string& settings) {
        WriteFile("Veltro3.ini", settings);
        CMainFrameMobile& frame = Start({});
        EXPECT_TRUE(Enabled(frame, cmd::kPreferences));
        return frame;
    }
    void WithSheet(CMainFrameMobile& frame, std::function<void(COptionsPropSheet&)> action) {
        bool ran = false;
        WhenModal<COptionsPropSheet>([&](COptionsPropSheet& sheet) {
            ran = true;
            action(sheet);
            if (sheet.isVisible()) sheet.reject();
        });
        frame.CommandBar().Run(cmd::kPreferences);
        EXPECT_TRUE(ran);
    }

    template <class Widget>
    static Widget* Control(COptionsPropSheet& sheet, int id) {
        return qobject_cast<Widget*>(sheet.Generic().Page().ControlWidget(id));
    }
    static void Type(COptionsPropSheet& sheet, int id, const QString& text) {
        auto* edit = Control<QLineEdit>(sheet, id);
        edit->setText(text);
        emit edit->textEdited(text);
    }
    static QString Duration(COptionsPropSheet& sheet) {
        return Control<QLabel>(sheet, kOptionsHistoryDuration)->text();
    }
    bool Rejected(COptionsPropSheet& sheet, int id) const {
        const QColor rejected =
            dynamic_cast<CMainFrameMobile*>(app->MainFrame())->Colors().Color(CColorTable::kRejectedInput);
        return Control<QLineEdit>(sheet, id)->palette().color(QPalette::Base) == rejected;
    }
    void FillHistory(int epochs) {
        CEpochHistory& history = app->Document().History();
        for (int k = 0; k < epochs; ++k) history.Push(history.NewSnapshot(0));
    }
};

}  // namespace

TEST_F(OptionsTest, OkAppliesThePageAndResizesTheHistoryAtOnce) {
    CMainFrameMobile& frame = StartWith("[Settings]\nMaxPorts=i:20\n");
    FillHistory(100);
    HintLog views;
    app->Document().AddObserver(&views);
    WithSheet(frame, [&](COptionsPropSheet& sheet) {
        EXPECT_EQ(sheet.windowTitle(), "Preferences");
        EXPECT_EQ(Control<QLineEdit>(sheet, kOptionsMaxPorts)->text(), "9") << "20 in the profile";
        EXPECT_EQ(Control<QLineEdit>(sheet, kOptionsHistorySize)->text(), "900");
        EXPECT_EQ(Duration(sheet), "= 00:15:00 at 1Hz rate");
        EXPECT_FALSE(sheet.Button(QDialogButtonBox::Apply)->isEnabled());
        Type(sheet, kOptionsHistorySize, "3600");
        EXPECT_EQ(Duration(sheet), "= 01:00:00 at 1Hz rate");
        EXPECT_EQ(Control<QSpinBox>(sheet, kOptionsHistorySizeSpin)->value(), 3600);
        Type(sheet, kOptionsHistorySize, "604800");
        EXPECT_EQ(Duration(sheet), "= 168:00:00 at 1Hz rate");
        Control<QSpinBox>(sheet, kOptionsHistorySizeSpin)->setValue(61);
        EXPECT_EQ(Control<QLineEdit>(sheet, kOptionsHistorySize)->text(), "61");
        Type(sheet, kOptionsHistorySize, "60");
        Type(sheet, kOptionsMaxPorts, "20");
        Control<QCheckBox>(sheet, kOptionsAutoConnect)->click();
        Control<QCheckBox>(sheet, kOptionsEnumPorts)->click();
        Type(sheet, kOptionsCommandLine, "-logging -history 3600");
        EXPECT_TRUE(sheet.Button(QDialogButtonBox::Apply)->isEnabled());
        QDir().mkpath(QStringLiteral(VELTRO_SCREENSHOT_DIR));
        EXPECT_TRUE(sheet.grab().save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/preferences.png")));
        sheet.Button(QDialogButtonBox::Ok)->click();
        EXPECT_FALSE(sheet.isVisible());
    });
    app->Document().RemoveObserver(&views);
    const ConnectionSettings& settings = frame.Logic().Connection().Settings();
    EXPECT_EQ(settings.maxPorts, 9);
    EXPECT_TRUE(settings.autoConnect);
    EXPECT_TRUE(settings.enumPorts);
    EXPECT_EQ(app->Document().History().Capacity(), 60u);
    EXPECT_EQ(app->Document().History().Count(), 60u);
    EXPECT_TRUE(views.hints & HINT_FORCED);
    EXPECT_EQ(app->Profile().GetString(u"Settings", u"CommandLine", u""), u"-logging -history 3600");
}

TEST_F(OptionsTest, ValuesOutOfRangeAreRefusedBeforeOkAndCancelChangesNothing) {
    CMainFrameMobile& frame = StartWith("[Settings]\nMaxPorts=i:-3\nCommandLine=s:-odometer\n");
    app->Document().History().SetCapacity(12);
    FillHistory(20);
    WithSheet(frame, [&](COptionsPropSheet& sheet) {
        EXPECT_EQ(Control<QLineEdit>(sheet, kOptionsMaxPorts)->text(), "1");
        EXPECT_EQ(Control<QLineEdit>(sheet, kOptionsHistorySize)->text(), "60") << "12 reads as the lower bound";
        for (const char* refused : {"59", "604801", "3600x", "", "many"}) {
            Type(sheet, kOptionsHistorySize, refused);
            EXPECT_EQ(Duration(sheet), "") << refused;
            sheet.Button(QDialogButtonBox::Ok)->click();
            EXPECT_TRUE(sheet.isVisible()) << refused;
            EXPECT_TRUE(Rejected(sheet, kOptionsHistorySize)) << refused;
        }
        Type(sheet, kOptionsHistorySize, "120");
        EXPECT_FALSE(Rejected(sheet, kOptionsHistorySize));
        Type(sheet, kOptionsMaxPorts, "0");
        Control<QCheckBox>(sheet, kOptionsAutoConnect)->click();
        Control<QCheckBox>(sheet, kOptionsEnumPorts)->click();
        Type(sheet, kOptionsCommandLine, "-rtc");
        Control<QComboBox>(sheet, kOptionsPortDevice + 2)->setEditText("/dev/ttyUSB7");
        sheet.Button(QDialogButtonBox::Cancel)->click();
    });
    const ConnectionSettings& settings = frame.Logic().Connection().Settings();
    EXPECT_EQ(settings.maxPorts, 1);
    EXPECT_FALSE(settings.autoConnect);
    EXPECT_FALSE(settings.enumPorts);
    EXPECT_EQ(app->Document().History().Capacity(), 12u);
    EXPECT_EQ(app->Document().History().Count(), 12u);
    EXPECT_EQ(app->Profile().GetString(u"Settings", u"CommandLine", u""), u"-odometer");
    EXPECT_EQ(app->Ports().Mapping(2), "");

    WithSheet(frame, [&](COptionsPropSheet& sheet) {
        Type(sheet, kOptionsMaxPorts, "-4");
        sheet.Button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_EQ(settings.maxPorts, 1);
    EXPECT_EQ(app->Document().History().Capacity(), 60u);
}

TEST_F(OptionsTest, APortNumberIsGivenADevicePresentByItsStableName) {
    std::filesystem::create_directories(folder / "sys" / "ttyUSB0" / "device");
    std::ofstream(folder / "dev" / "ttyUSB0");
    std::filesystem::create_directories(folder / "dev" / "serial" / "by-id");
    const std::filesystem::path link = folder / "dev" / "serial" / "by-id" / "usb-Korvala_GPS-if00";
    std::filesystem::create_symlink("../../ttyUSB0", link);
    CMainFrameMobile& frame = StartWith("");
    const std::string device = (folder / "dev" / "ttyUSB0").string();
    ASSERT_EQ(app->Ports().DevicePath(1), device) << "the first number goes to the device present";

    WithSheet(frame, [&](COptionsPropSheet& sheet) {
        auto* com3 = Control<QComboBox>(sheet, kOptionsPortDevice + 3);
        ASSERT_EQ(com3->count(), 3);
        EXPECT_EQ(com3->currentText(), "(automatic)");
        EXPECT_EQ(com3->itemText(1).toStdString(), link.string());
        EXPECT_EQ(com3->itemText(2).toStdString(), device);
        com3->setCurrentIndex(1);
        emit com3->activated(1);
        sheet.Button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_EQ(app->Profile().GetString(u"Ports", u"COM3", u""), platform::Utf8ToWide(link.string()));
    EXPECT_EQ(app->Ports().DevicePath(3), link.string());
    EXPECT_EQ(app->Ports().DevicePath(1), "") << "a device mapped since keeps only its own number";

    WithSheet(frame, [&](COptionsPropSheet& sheet) {
        auto* com3 = Control<QComboBox>(sheet, kOptionsPortDevice + 3);
        EXPECT_EQ(com3->currentText().toStdString(), link.string());
        com3->setCurrentIndex(0);
        emit com3->activated(0);
        sheet.Button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_EQ(app->Ports().Mapping(3), "");
    EXPECT_EQ(app->Ports().DevicePath(1), device);
}
