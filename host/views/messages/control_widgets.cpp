#include "control_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>

#include "host/views/messages/input_rule.h"
#include "host/views/qt_text.h"

namespace {

QWidget* NewLabel(uint32_t style, QWidget& page) {
    auto* label = new QLabel(&page);
    label->setAlignment((style & STYLE_RIGHT ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    // A static text of the platform wraps its words and shows "<" as it stands.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QWidget* NewEdit(uint32_t style, QWidget& page) {
    auto* edit = new QLineEdit(&page);
    edit->setReadOnly(style & STYLE_READ_ONLY);
    if (style & STYLE_PASSWORD) edit->setEchoMode(QLineEdit::Password);
    if (style & STYLE_DIGITS) CInputRule::Of(*edit).SetDigitsOnly(true);
    if (style & STYLE_RIGHT) edit->setAlignment(Qt::AlignRight);
    return edit;
}

QWidget* NewMultiLineEdit(uint32_t style, QWidget& page) {
    auto* edit = new QPlainTextEdit(&page);
    edit->setReadOnly(style & STYLE_READ_ONLY);
    return edit;
}

QWidget* NewComboBox(bool editable, QWidget& page) {
    auto* combo = new QComboBox(&page);
    combo->setEditable(editable);
    // What the user types stays as typed: no completion, and no new item on Enter.
    combo->setInsertPolicy(QComboBox::NoInsert);
    if (editable) combo->setCompleter(nullptr);
    return combo;
}

QWidget* NewListBox(bool multiSelect, QWidget& page) {
    auto* list = new QListWidget(&page);
    list->setSelectionMode(multiSelect ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
    return list;
}

// A report-style list: a header, rows without a tree's decoration, no columns until the page adds them.
QWidget* NewReportList(QWidget& page) {
    auto* list = new QTreeWidget(&page);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setColumnCount(0);
    list->header()->setStretchLastSection(false);
    list->setSelectionBehavior(QAbstractItemView::SelectItems);
    return list;
}

// Both start with the range 0 to 100 at 0, as the controls of the old platform did.
QWidget* NewSpin(QWidget& page) {
    auto* spin = new QSpinBox(&page);
    spin->setRange(0, 100);
    return spin;
}

QWidget* NewProgressBar(QWidget& page) {
    auto* bar = new QProgressBar(&page);
    bar->setRange(0, 100);
    bar->setValue(0);
    return bar;
}

QWidget* NewWidget(const ControlTemplate& source, QWidget& page) {
    switch (source.kind) {
        case ControlKind::Edit:
            return NewEdit(source.style, page);
        case ControlKind::MultiLineEdit:
            return NewMultiLineEdit(source.style, page);
        case ControlKind::CheckBox:
            return new QCheckBox(&page);
        case ControlKind::RadioButton:
            return new QRadioButton(&page);
        case ControlKind::GroupBox:
            return new QGroupBox(&page);
        case ControlKind::PushButton:
            return new QPushButton(&page);
        case ControlKind::DropDownList:
            return NewComboBox(false, page);
        case ControlKind::DropDownEdit:
            return NewComboBox(true, page);
        case ControlKind::ListBox:
            return NewListBox(false, page);
        case ControlKind::MultiSelectListBox:
            return NewListBox(true, page);
        case ControlKind::ListControl:
            return NewReportList(page);
        case ControlKind::Spin:
            return NewSpin(page);
        case ControlKind::ProgressBar:
            return NewProgressBar(page);
        case ControlKind::StaticText:
        case ControlKind::Picture:
            break;
    }
    return NewLabel(source.style, page);
}

bool ShowsItems(ControlKind kind) {
    return kind == ControlKind::DropDownList || kind == ControlKind::DropDownEdit || kind == ControlKind::ListBox ||
           kind == ControlKind::MultiSelectListBox || kind == ControlKind::ListControl;
}

void ApplyFont(QWidget& widget, ControlFont font, const QFont& pageFont) {
    if (font == ControlFont::System) widget.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    if (font != ControlFont::Bold) return;
    QFont bold = pageFont;
    bold.setBold(true);
    widget.setFont(bold);
}

}  // namespace

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // The width of the 52 letters over 52, rounded.
    return {(alphabet / 26 + 1) / 2, metrics.height()};
}

QWidget* CreateControlWidget(const ControlTemplate& source, QWidget& page) {
    QWidget* widget = NewWidget(source, page);
    ApplyFont(*widget, source.font, page.font());
    widget->setEnabled(!(source.style & STYLE_DISABLED));
    if (source.style & STYLE_HIDDEN) widget->hide();
    // A list or combo box shows its items, not its template text; a picture's text names its image.
    if (!ShowsItems(source.kind) && source.kind != ControlKind::Picture)
        SetWidgetText(*widget, ToQString(source.text ? source.text : u""));
    return widget;
}

QString WidgetText(const QWidget& widget) {
    if (auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(&widget)) return edit->text();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(&widget)) return edit->toPlainText();
    if (auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(&widget)) return group->title();
    if (auto* combo = qobject_cast<const QComboBox*>(&widget)) return combo->currentText();
    return widget.windowTitle();
}

void SetWidgetText(QWidget& widget, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(&widget)) return label->setText(text);
    if (auto* edit = qobject_cast<QLineEdit*>(&widget)) return edit->setText(text);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(&widget)) return edit->setPlainText(text);
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) return button->setText(text);
    if (auto* group = qobject_cast<QGroupBox*>(&widget)) return group->setTitle(text);
    if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
        // A drop-down list shows only its items: the text chooses the item that has it.
        if (combo->isEditable()) return combo->setEditText(text);
        if (const int index = combo->findText(text); index >= 0) combo->setCurrentIndex(index);
        return;
    }
    widget.setWindowTitle(text);
}

QLineEdit* EditField(QWidget* widget) {
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit();
    return qobject_cast<QLineEdit*>(widget);
}
