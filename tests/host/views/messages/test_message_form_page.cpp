#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "host/views/color_table.h"
#include "host/views/messages/message_form_page.h"
#include "shared/memory_page.h"
#include "shared/page_listener.h"
#include "tests/host/views/gui_test_support.h"

namespace {

// clang-format off
enum Id { kTitle = 100, kName, kSerial, kDigits, kNotes, kLogging, kFrame, kRate1, kRate5, kActive, kPassive, kApply,
          kMode, kBaud, kTalker, kSystems, kChannels, kRate, kProgress, kPicture, kSecret, kStatus, kMissing = 999 };
// clang-format on

constexpr ControlTemplate kControls[] = {
    {kTitle, ControlKind::StaticText, u"Receiver", {4, 4, 60, 8}, STYLE_NONE, ControlFont::Bold},
    {kName, ControlKind::Edit, u"KVB-7", {70, 2, 60, 12}},
    {kSerial, ControlKind::Edit, u"SN 0042", {140, 2, 60, 12}, STYLE_READ_ONLY},
    {kDigits, ControlKind::Edit, u"5", {206, 2, 30, 12}, STYLE_DIGITS},
    {kNotes, ControlKind::MultiLineEdit, u"", {4, 18, 126, 24}},
    {kLogging, ControlKind::CheckBox, u"Logging", {140, 18, 60, 10}},
    {kFrame, ControlKind::GroupBox, u"Rate and antenna", {4, 46, 126, 40}},
    {kRate1, ControlKind::RadioButton, u"1 Hz", {10, 56, 50, 10}, STYLE_GROUP},
    {kRate5, ControlKind::RadioButton, u"5 Hz", {10, 70, 50, 10}},
    {kActive, ControlKind::RadioButton, u"Active", {70, 56, 56, 10}, STYLE_GROUP},
    {kPassive, ControlKind::RadioButton, u"Passive", {70, 70, 56, 10}},
    {kApply, ControlKind::PushButton, u"Apply", {206, 18, 40, 14}},
    {kMode, ControlKind::DropDownList, u"", {140, 34, 60, 14}},
    {kBaud, ControlKind::DropDownEdit, u"", {140, 52, 60, 14}},
    {kTalker, ControlKind::ListBox, u"Talkers", {4, 90, 60, 40}},
    {kSystems, ControlKind::MultiSelectListBox, u"", {70, 90, 60, 40}},
    {kChannels, ControlKind::ListControl, u"", {4, 134, 242, 52}},
    {kRate, ControlKind::Spin, u"", {140, 90, 40, 12}},
    {kProgress, ControlKind::ProgressBar, u"", {140, 106, 106, 10}},
    {kPicture, ControlKind::Picture, u"", {206, 70, 16, 12}},
    {kSecret, ControlKind::Edit, u"", {140, 120, 60, 12}, STYLE_PASSWORD | STYLE_HIDDEN},
    {kStatus, ControlKind::StaticText, u"ok", {186, 90, 60, 8}, STYLE_RIGHT | STYLE_DISABLED, ControlFont::System},
};
constexpr DialogTemplate kDialog{7, 250, 190, kControls};

// Two 4×4 icons: red with a transparent top-left corner, and green.
constexpr uint32_t M = 0xFFFF00FF, R = 0xFFE02020, G = 0xFF20C020;
constexpr uint32_t kPixels[] = {M, R, R, R, G, G, G, G, R, R, R, R, G, G, G, G,
                                R, R, R, R, G, G, G, G, R, R, R, R, G, G, G, G};
constexpr BitmapResource kIcons{1, 4, 4, 2, kPixels, M};

// What a message's code does to its page.
void Drive(CDialogPage& page) {
    page.SetControlText(kName, u"KVB-8");
    page.SetControlText(kNotes, u"cold start");
    page.SetControlText(kMissing, u"nowhere");
    page.SetChecked(kLogging, true);
    for (int id : {kRate1, kRate5, kActive}) page.SetChecked(id, true);
    for (const char16_t* mode : {u"GPS", u"GLONASS", u"Galileo"}) page.AddItem(kMode, mode);
    page.SetSelection(kMode, 2);
    for (const char16_t* baud : {u"4800", u"9600", u"115200"}) page.AddItem(kBaud, baud);
    page.SetSelection(kBaud, 1);
    page.SetControlText(kBaud, u"38400");
    for (const char16_t* talker : {u"GP", u"GL", u"GA"}) page.AddItem(kTalker, talker), page.AddItem(kSystems, talker);
    page.SetSelection(kTalker, 1);
    for (int index : {0, 2}) page.SelectItem(kSystems, index, true);
    page.SelectItem(kSystems, 0, false);
    page.AddColumn(kChannels, u"Ch", 50);
    page.AddColumn(kChannels, u"Signal", CDialogPage::kColumnToHeader);
    page.AddColumn(kChannels, u"State", 40);
    page.SetColumnRightAligned(kChannels, 1, true);
    for (auto [row, text] : {std::pair{0, u"G01"}, {99, u"G03"}, {1, u"G02"}, {0, u"G00"}})
        page.InsertRow(kChannels, row, text);
    page.DeleteRow(kChannels, 0);
    page.SetCellText(kChannels, 0, 1, u"41");
    page.SetCellText(kChannels, 2, 2, u"Tracking");
    page.SetColumnWidth(kChannels, 2, CDialogPage::kColumnToContent);
    page.SetListIcons(kChannels, &kIcons);
    page.SetRowIcon(kChannels, 0, 0);
    page.SetRowIcon(kChannels, 1, 1);
    page.SetFullRowSelect(kChannels, true);
    page.SetColumnRightAligned(kChannels, 2, true);
    page.SetColumnRightAligned(kChannels, 2, false);
    page.SetPicture(kPicture, &kIcons);
    page.SetRange(kRate, 1, 10);
    page.SetPosition(kRate, 20);
    page.SetRange(kProgress, 0, 50);
    page.SetPosition(kProgress, 25);
    page.EnableControl(kApply, false);
    page.ShowControl(kSecret, true);
    page.MoveControl(kPicture, 300, 60, 24, 20);
}

std::string Utf8(const std::u16string& text) { return QString::fromStdU16String(text).toStdString(); }

// Everything that CDialogPage lets its user read, one line a control.
std::vector<std::string> Snapshot(const CDialogPage& page) {
    std::vector<int> ids{kMissing};
    for (const ControlTemplate& source : kControls) ids.push_back(source.id);
    std::vector<std::string> lines;
    for (int id : ids) {
        const PageRect r = page.ControlRect(id);
        std::string line = std::to_string(id) + (page.HasControl(id) ? " '" : " missing '") +
                           Utf8(page.GetControlText(id)) + "' " + std::to_string(page.IsChecked(id)) +
                           std::to_string(page.IsControlEnabled(id)) + std::to_string(page.IsControlVisible(id)) +
                           " at " + std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) +
                           "x" + std::to_string(r.height) + " sel " + std::to_string(page.Selection(id)) + " pos " +
                           std::to_string(page.Position(id));
        for (int i = 0; i < page.ItemCount(id); ++i)
            line += " [" + Utf8(page.ItemText(id, i)) + (page.IsItemSelected(id, i) ? "*]" : "]");
        for (int c = 0; c < page.ColumnCount(id); ++c) line += " <" + Utf8(page.ColumnHeading(id, c)) + ">";
        for (int row = 0; row < page.RowCount(id); ++row)
            for (int c = 0; c < 3; ++c) line += (c ? "|" : " /") + Utf8(page.CellText(id, row, c));
        lines.push_back(line);
    }
    return lines;
}

struct RecordingListener final : IPageListener {
    void OnControlChanged(int controlId) override { changed.push_back(controlId); }
    std::vector<int> changed;
};

void Type(QWidget& widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(&widget, &press);
    }
}

template <class Widget>
Widget& WidgetOf(CMessageFormPage& page, int id) {
    auto* widget = dynamic_cast<Widget*>(page.ControlWidget(id));
    EXPECT_NE(widget, nullptr) << id;
    return *widget;
}

const QColor kRejected = CColorTable().Color(CColorTable::kRejectedInput);

}  // namespace

TEST(MessageFormPage, PlacesEachControlByTheDialogUnitsOfItsFont) {
    CMessageFormPage page(kDialog, kRejected);
    const DialogBaseUnits units = page.BaseUnits();
    const QFontMetrics metrics(page.font());
    EXPECT_NEAR(
        units.charWidth,
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0, 0.5);
    EXPECT_EQ(units.charHeight, metrics.height());
    EXPECT_EQ(page.PageSize(), QSize(250 * units.charWidth / 4, 190 * units.charHeight / 8));
    EXPECT_EQ(page.ControlWidget(kName)->geometry(), QRect(70 * units.charWidth / 4, 2 * units.charHeight / 8,
                                                           60 * units.charWidth / 4, 12 * units.charHeight / 8));
    EXPECT_EQ(Snapshot(page), Snapshot(CMemoryPage(kDialog, units)));

    EXPECT_TRUE(WidgetOf<QLabel>(page, kTitle).font().bold());
    EXPECT_EQ(WidgetOf<QLabel>(page, kStatus).font().family(),
              QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    EXPECT_TRUE(WidgetOf<QLabel>(page, kStatus).alignment() & Qt::AlignRight);
    EXPECT_EQ(WidgetOf<QLineEdit>(page, kSecret).echoMode(), QLineEdit::Password);
    EXPECT_FALSE(WidgetOf<QTreeWidget>(page, kChannels).rootIsDecorated());
    // The group box lies behind the radio buttons it frames.
    EXPECT_EQ(page.children().indexOf(static_cast<QObject*>(page.ControlWidget(kFrame))), 0);
    page.setEnabled(false);
    EXPECT_TRUE(page.IsControlEnabled(kName));
}

TEST(MessageFormPage, AnswersTheMessageCodeAsTheMemoryPageDoes) {
    CMessageFormPage page(kDialog, kRejected);
    CMemoryPage memory(kDialog, page.BaseUnits());
    Drive(page);
    Drive(memory);
    EXPECT_EQ(Snapshot(page), Snapshot(memory));
    EXPECT_FALSE(page.IsChecked(kRate1));
    EXPECT_TRUE(page.IsChecked(kRate5) && page.IsChecked(kActive));
    EXPECT_EQ(page.FindItemPrefix(kMode, u"G", 1), 1);
    EXPECT_EQ(page.FindItemPrefix(kMode, u"Gal"), 2);
    EXPECT_EQ(page.FindItemPrefix(kMode, u"B"), -1);

    EXPECT_EQ(WidgetOf<QComboBox>(page, kMode).currentText(), QStringLiteral("Galileo"));
    auto& channels = WidgetOf<QTreeWidget>(page, kChannels);
    EXPECT_EQ(channels.headerItem()->text(1), QStringLiteral("Signal"));
    EXPECT_EQ(channels.columnWidth(0), 50);
    EXPECT_EQ(channels.selectionBehavior(), QAbstractItemView::SelectRows);
    const QImage red = channels.topLevelItem(0)->icon(0).pixmap(4, 4).toImage();
    EXPECT_EQ(red.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(red.pixel(1, 0), R);
    EXPECT_EQ(channels.topLevelItem(1)->icon(0).pixmap(4, 4).toImage().pixel(0, 0), G);
    EXPECT_TRUE(channels.topLevelItem(2)->icon(0).isNull());
    // Rows added after a column was aligned follow it.
    EXPECT_TRUE(channels.headerItem()->textAlignment(1) & Qt::AlignRight);
    EXPECT_TRUE(channels.topLevelItem(2)->textAlignment(1) & Qt::AlignRight);
    EXPECT_TRUE(channels.topLevelItem(2)->textAlignment(2) & Qt::AlignLeft);
    // A picture shows the first image of a strip.
    EXPECT_EQ(WidgetOf<QLabel>(page, kPicture).pixmap().toImage().pixel(1, 0), R);

    for (CDialogPage* each : std::initializer_list<CDialogPage*>{&page, &memory}) {
        each->SetChecked(kActive, false);
        each->SetSelection(kTalker, -1);
        each->ClearItems(kBaud);
        each->DeleteAllRows(kChannels);
    }
    EXPECT_EQ(Snapshot(page), Snapshot(memory));
    // A multiple-selection list box's caret moves apart from its selected items.
    page.SetSelection(kSystems, 1);
    EXPECT_EQ(page.Selection(kSystems), 1);
    EXPECT_FALSE(page.IsItemSelected(kSystems, 1));
}

TEST(MessageFormPage, TellsTheListenerOfTheUsersChangesOnly) {
    CMessageFormPage page(kDialog, kRejected);
    RecordingListener listener;
    page.SetListener(&listener);
    Drive(page);
    EXPECT_TRUE(listener.changed.empty());

    page.SetTextLimit(kName, 6);
    Type(WidgetOf<QLineEdit>(page, kName), QStringLiteral("XYZ"));
    EXPECT_EQ(page.GetControlText(kName), u"KVB-8X");
    Type(WidgetOf<QLineEdit>(page, kSerial), QStringLiteral("1"));
    Type(WidgetOf<QLineEdit>(page, kDigits), QStringLiteral("a7"));
    EXPECT_EQ(page.GetControlText(kDigits), u"57");
    page.SetTextLimit(kNotes, 11);
    Type(WidgetOf<QPlainTextEdit>(page, kNotes), QStringLiteral("!!"));
    EXPECT_EQ(page.GetControlText(kNotes), u"!!cold star");
    WidgetOf<QAbstractButton>(page, kLogging).click();
    WidgetOf<QAbstractButton>(page, kRate1).click();
    EXPECT_FALSE(page.IsChecked(kRate5));
    Type(*WidgetOf<QComboBox>(page, kBaud).lineEdit(), QStringLiteral("0"));
    EXPECT_EQ(page.Selection(kBaud), -1);
    page.SetSelection(kBaud, 1);
    EXPECT_EQ(page.GetControlText(kBaud), u"9600");
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QCoreApplication::sendEvent(page.ControlWidget(kMode), &up);
    EXPECT_EQ(page.Selection(kMode), 1);
    auto& systems = WidgetOf<QListWidget>(page, kSystems);
    const QPoint onFirst = systems.visualItemRect(systems.item(0)).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, onFirst, systems.viewport()->mapToGlobal(onFirst), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(systems.viewport(), &click);
    }
    EXPECT_TRUE(page.IsItemSelected(kSystems, 0) && page.IsItemSelected(kSystems, 2));
    EXPECT_EQ(listener.changed,
              (std::vector<int>{kName, kDigits, kNotes, kNotes, kLogging, kRate1, kBaud, kMode, kSystems}));
}

TEST(MessageFormPage, DrawsRejectedInputAndKnowsWhichControlHasTheFocus) {
    CMessageFormPage page(kDialog, kRejected);
    Drive(page);
    page.SetControlRejected(kDigits, true);
    EXPECT_EQ(page.ControlWidget(kDigits)->palette().color(QPalette::Base), kRejected);
    EXPECT_EQ(page.FocusedControlId(), 0);
    page.show();
    page.activateWindow();
    WidgetOf<QComboBox>(page, kBaud).lineEdit()->setFocus();
    EXPECT_TRUE(RunEventsUntil([&] { return page.FocusedControlId() == kBaud; }));
    QDir().mkpath(QStringLiteral(VELTRO_SCREENSHOT_DIR));
    EXPECT_TRUE(page.grab().save(QStringLiteral(VELTRO_SCREENSHOT_DIR "/message_form_page.png")));
    page.SetControlRejected(kDigits, false);
    EXPECT_NE(page.ControlWidget(kDigits)->palette().color(QPalette::Base), kRejected);
}
