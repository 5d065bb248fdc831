#include "message_form_page.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QTextCursor>
#include <QTreeWidget>
#include <algorithm>

#include "host/views/messages/control_widgets.h"
#include "host/views/messages/icon_strip.h"
#include "host/views/messages/input_rule.h"
#include "host/views/qt_text.h"
#include "shared/page_listener.h"

namespace {

constexpr int kIconRole = Qt::UserRole;

std::u16string FromQString(const QString& text) { return text.toStdU16String(); }

QRect ToQRect(const PageRect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

bool InRange(int index, int count) { return index >= 0 && index < count; }

Qt::Alignment CellAlignment(bool right) { return (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter; }

// What the columns before this one leave of the list's width.
int RemainingWidth(const QTreeWidget& list, int column) {
    int remaining = list.viewport()->width();
    for (int before = 0; before < column; ++before) remaining -= list.columnWidth(before);
    return remaining;
}

int ColumnWidth(QTreeWidget& list, int column, int width) {
    if (width == CDialogPage::kColumnToContent) {
        width = static_cast<const QAbstractItemView&>(list).sizeHintForColumn(column);
    } else if (width == CDialogPage::kColumnToHeader) {
        width = list.header()->sectionSizeHint(column);
        // As the platform's list did: the last column sized to its heading fills what is left.
        if (column == list.columnCount() - 1) width = std::max(width, RemainingWidth(list, column));
    }
    return std::max(width, list.header()->minimumSectionSize());
}

}  // namespace

CMessageFormPage::CMessageFormPage(const DialogTemplate& dialog, const QColor& rejectedColor, QWidget* parent)
    : QWidget(parent), units(BaseUnitsOf(font())), rejectedColor(rejectedColor) {
    const PageRect size = ToPagePixels({0, 0, dialog.width, dialog.height}, units);
    pageSize = {size.width, size.height};
    setMinimumSize(pageSize);
    resize(pageSize);
    controls.reserve(dialog.controls.size());
    QButtonGroup* radios = nullptr;
    for (const ControlTemplate& source : dialog.controls) {
        if (source.style & STYLE_GROUP) radios = nullptr;
        AddControl(source);
        if (auto* radio = qobject_cast<QRadioButton*>(controls.back().widget)) {
            if (!radios) radios = new QButtonGroup(this);
            radios->addButton(radio);
        }
    }
    // A group box frames the controls placed over it without being their parent.
    for (const Control& control : controls)
        if (qobject_cast<QGroupBox*>(control.widget)) control.widget->lower();
}

void CMessageFormPage::AddControl(const ControlTemplate& source) {
    QWidget* widget = CreateControlWidget(source, *this);
    widget->setGeometry(ToQRect(ToPagePixels(source.rect, units)));
    controls.push_back({.id = source.id, .widget = widget});
    Listen(controls.back());
}

void CMessageFormPage::Listen(const Control& control) {
    const int id = control.id;
    const auto notify = [this, id] { Notify(id); };
    if (auto* edit = qobject_cast<QLineEdit*>(control.widget); edit && !edit->isReadOnly())
        connect(edit, &QLineEdit::textEdited, this, notify);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(control.widget); edit && !edit->isReadOnly())
        connect(edit, &QPlainTextEdit::textChanged, this, [this, id] { OnMultiLineEdited(id); });
    if (auto* button = qobject_cast<QAbstractButton*>(control.widget))
        connect(button, &QAbstractButton::clicked, this, notify);
    if (auto* combo = qobject_cast<QComboBox*>(control.widget)) {
        connect(combo, &QComboBox::activated, this, [this, id] { OnComboChanged(id, false); });
        if (combo->isEditable())
            connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, id] { OnComboChanged(id, true); });
    }
    if (auto* list = qobject_cast<QListWidget*>(control.widget))
        connect(list, &QListWidget::itemSelectionChanged, this, notify);
    if (auto* spin = qobject_cast<QSpinBox*>(control.widget)) connect(spin, &QSpinBox::valueChanged, this, notify);
}

void CMessageFormPage::OnMultiLineEdited(int controlId) {
    if (writing) return;
    const Control* control = Find(controlId);
    auto* edit = qobject_cast<QPlainTextEdit*>(control->widget);
    if (control->textLimit > 0 && edit->toPlainText().size() > control->textLimit) {
        const QScopedValueRollback quiet(writing, true);
        QTextCursor beyond(edit->document());
        beyond.setPosition(control->textLimit);
        beyond.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        beyond.removeSelectedText();
    }
    Notify(controlId);
}

void CMessageFormPage::OnComboChanged(int controlId, bool typed) {
    Find(controlId)->typedOver = typed;
    Notify(controlId);
}

void CMessageFormPage::Notify(int controlId) {
    if (!writing && listener) listener->OnControlChanged(controlId);
}

const CMessageFormPage::Control* CMessageFormPage::Find(int controlId) const {
    for (const Control& control : controls)
        if (control.id == controlId) return &control;
    return nullptr;
}

CMessageFormPage::Control* CMessageFormPage::Find(int controlId) {
    return const_cast<Control*>(std::as_const(*this).Find(controlId));
}

template <class Widget>
Widget* CMessageFormPage::Get(int controlId) const {
    return qobject_cast<Widget*>(ControlWidget(controlId));
}

QWidget* CMessageFormPage::ControlWidget(int controlId) const {
    const Control* control = Find(controlId);
    return control ? control->widget : nullptr;
}

void CMessageFormPage::SetControlRejected(int controlId, bool rejected) {
    QWidget* widget = ControlWidget(controlId);
    if (!widget) return;
    QPalette palette;
    if (rejected) {
        palette.setColor(QPalette::Base, rejectedColor);
        palette.setColor(QPalette::Button, rejectedColor);
    }
    widget->setPalette(palette);
}

int CMessageFormPage::FocusedControlId() const {
    const QWidget* focused = QApplication::focusWidget();
    if (!focused) return 0;
    for (const Control& control : controls)
        if (control.widget == focused || control.widget->isAncestorOf(focused)) return control.id;
    return 0;
}

bool CMessageFormPage::HasControl(int controlId) const { return Find(controlId) != nullptr; }

std::u16string CMessageFormPage::GetControlText(int controlId) const {
    const QWidget* widget = ControlWidget(controlId);
    return widget ? FromQString(WidgetText(*widget)) : std::u16string();
}

void CMessageFormPage::SetControlText(int controlId, const std::u16string& text) {
    const QScopedValueRollback quiet(writing, true);
    if (QWidget* widget = ControlWidget(controlId)) SetWidgetText(*widget, ToQString(text));
}

void CMessageFormPage::SetTextLimit(int controlId, int characters) {
    Control* control = Find(controlId);
    if (!control) return;
    if (QLineEdit* field = EditField(control->widget)) CInputRule::Of(*field).SetLimit(characters);
    control->textLimit = characters;
}

bool CMessageFormPage::IsChecked(int controlId) const {
    const auto* button = Get<QAbstractButton>(controlId);
    return button && button->isChecked();
}

void CMessageFormPage::SetChecked(int controlId, bool checked) {
    auto* button = Get<QAbstractButton>(controlId);
    if (!button) return;
    // An exclusive group keeps one button checked; the page may uncheck them all.
    QButtonGroup* group = button->group();
    if (group) group->setExclusive(checked);
    button->setChecked(checked);
    if (group) group->setExclusive(true);
}

bool CMessageFormPage::IsControlEnabled(int controlId) const {
    const QWidget* widget = ControlWidget(controlId);
    return widget && widget->isEnabledTo(this);
}

void CMessageFormPage::EnableControl(int controlId, bool enable) {
    if (QWidget* widget = ControlWidget(controlId)) widget->setEnabled(enable);
}

bool CMessageFormPage::IsControlVisible(int controlId) const {
    const QWidget* widget = ControlWidget(controlId);
    return widget && !widget->isHidden();
}

void CMessageFormPage::ShowControl(int controlId, bool show) {
    if (QWidget* widget = ControlWidget(controlId)) widget->setVisible(show);
}

PageRect CMessageFormPage::ControlRect(int controlId) const {
    const QWidget* widget = ControlWidget(controlId);
    if (!widget) return {};
    const QRect rect = widget->geometry();
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

void CMessageFormPage::MoveControl(int controlId, int x, int y, int width, int height) {
    if (QWidget* widget = ControlWidget(controlId)) widget->setGeometry(x, y, width, height);
}

void CMessageFormPage::RedrawControl(int controlId) {
    if (QWidget* widget = ControlWidget(controlId)) widget->update();
}

void CMessageFormPage::ClearItems(int controlId) {
    const QScopedValueRollback quiet(writing, true);
    if (auto* combo = Get<QComboBox>(controlId)) {
        // An edit field keeps its text without the items; a drop-down list can show none but an item's.
        const QString text = combo->currentText();
        combo->clear();
        if (combo->isEditable()) combo->setEditText(text);
        Find(controlId)->typedOver = false;
    }
    if (auto* list = Get<QListWidget>(controlId)) list->clear();
}

int CMessageFormPage::AddItem(int controlId, const std::u16string& text) {
    if (auto* combo = Get<QComboBox>(controlId)) {
        combo->addItem(ToQString(text));
        return combo->count() - 1;
    }
    if (auto* list = Get<QListWidget>(controlId)) {
        list->addItem(ToQString(text));
        return list->count() - 1;
    }
    return -1;
}

int CMessageFormPage::ItemCount(int controlId) const {
    if (const auto* combo = Get<QComboBox>(controlId)) return combo->count();
    if (const auto* list = Get<QListWidget>(controlId)) return list->count();
    return 0;
}

std::u16string CMessageFormPage::ItemText(int controlId, int index) const {
    if (const auto* combo = Get<QComboBox>(controlId); combo && InRange(index, combo->count()))
        return FromQString(combo->itemText(index));
    if (const auto* list = Get<QListWidget>(controlId); list && InRange(index, list->count()))
        return FromQString(list->item(index)->text());
    return {};
}

int CMessageFormPage::Selection(int controlId) const {
    if (const auto* combo = Get<QComboBox>(controlId)) return Find(controlId)->typedOver ? -1 : combo->currentIndex();
    const auto* list = Get<QListWidget>(controlId);
    if (!list) return -1;
    if (list->selectionMode() == QAbstractItemView::MultiSelection) return list->currentRow();
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

void CMessageFormPage::SetSelection(int controlId, int index) {
    const QScopedValueRollback quiet(writing, true);
    if (auto* combo = Get<QComboBox>(controlId)) {
        Find(controlId)->typedOver = false;
        // The edit field shows the item again, though it was current already.
        combo->setCurrentIndex(InRange(index, combo->count()) ? index : -1);
    }
    auto* list = Get<QListWidget>(controlId);
    if (!list) return;
    // The current item of a multiple-selection list box is apart from the items selected.
    const bool multiple = list->selectionMode() == QAbstractItemView::MultiSelection;
    list->setCurrentRow(InRange(index, list->count()) ? index : -1,
                        multiple ? QItemSelectionModel::NoUpdate : QItemSelectionModel::ClearAndSelect);
}

QListWidgetItem* CMessageFormPage::MultiSelectItem(int controlId, int index) const {
    const auto* list = Get<QListWidget>(controlId);
    return list && list->selectionMode() == QAbstractItemView::MultiSelection && InRange(index, list->count())
               ? list->item(index)
               : nullptr;
}

bool CMessageFormPage::IsItemSelected(int controlId, int index) const {
    const QListWidgetItem* item = MultiSelectItem(controlId, index);
    return item && item->isSelected();
}

void CMessageFormPage::SelectItem(int controlId, int index, bool selected) {
    const QScopedValueRollback quiet(writing, true);
    if (QListWidgetItem* item = MultiSelectItem(controlId, index)) item->setSelected(selected);
}

int CMessageFormPage::AddColumn(int controlId, const std::u16string& heading, int width) {
    auto* list = Get<QTreeWidget>(controlId);
    if (!list) return -1;
    const int column = list->columnCount();
    list->setColumnCount(column + 1);
    list->headerItem()->setText(column, ToQString(heading));
    SetColumnWidth(controlId, column, width);
    return column;
}

int CMessageFormPage::ColumnCount(int controlId) const {
    const auto* list = Get<QTreeWidget>(controlId);
    return list ? list->columnCount() : 0;
}

std::u16string CMessageFormPage::ColumnHeading(int controlId, int column) const {
    const auto* list = Get<QTreeWidget>(controlId);
    return list && InRange(column, list->columnCount()) ? FromQString(list->headerItem()->text(column))
                                                        : std::u16string();
}

void CMessageFormPage::SetColumnWidth(int controlId, int column, int width) {
    if (auto* list = Get<QTreeWidget>(controlId); list && InRange(column, list->columnCount()))
        list->setColumnWidth(column, ColumnWidth(*list, column, width));
}

void CMessageFormPage::SetColumnRightAligned(int controlId, int column, bool right) {
    Control* control = Find(controlId);
    auto* list = qobject_cast<QTreeWidget*>(control ? control->widget : nullptr);
    if (!list || !InRange(column, list->columnCount())) return;
    std::vector<int>& columns = control->rightColumns;
    std::erase(columns, column);
    if (right) columns.push_back(column);
    list->headerItem()->setTextAlignment(column, CellAlignment(right));
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        list->topLevelItem(row)->setTextAlignment(column, CellAlignment(right));
}

int CMessageFormPage::RowCount(int controlId) const {
    const auto* list = Get<QTreeWidget>(controlId);
    return list ? list->topLevelItemCount() : 0;
}

int CMessageFormPage::InsertRow(int controlId, int row, const std::u16string& firstCell) {
    auto* list = Get<QTreeWidget>(controlId);
    if (!list) return -1;
    const int at = std::clamp(row, 0, list->topLevelItemCount());
    auto* item = new QTreeWidgetItem(QStringList{ToQString(firstCell)});
    item->setData(0, kIconRole, -1);
    for (const int column : Find(controlId)->rightColumns) item->setTextAlignment(column, CellAlignment(true));
    list->insertTopLevelItem(at, item);
    return at;
}

void CMessageFormPage::DeleteRow(int controlId, int row) { delete Row(controlId, row); }

void CMessageFormPage::DeleteAllRows(int controlId) {
    if (auto* list = Get<QTreeWidget>(controlId)) list->clear();
}

QTreeWidgetItem* CMessageFormPage::Row(int controlId, int row) const {
    const auto* list = Get<QTreeWidget>(controlId);
    return list && InRange(row, list->topLevelItemCount()) ? list->topLevelItem(row) : nullptr;
}

std::u16string CMessageFormPage::CellText(int controlId, int row, int column) const {
    const QTreeWidgetItem* item = Row(controlId, row);
    return item && column >= 0 ? FromQString(item->text(column)) : std::u16string();
}

void CMessageFormPage::SetCellText(int controlId, int row, int column, const std::u16string& text) {
    if (QTreeWidgetItem* item = Row(controlId, row); item && column >= 0) item->setText(column, ToQString(text));
}

void CMessageFormPage::SetListIcons(int controlId, const BitmapResource* icons) {
    Control* control = Find(controlId);
    auto* list = qobject_cast<QTreeWidget*>(control ? control->widget : nullptr);
    if (!list) return;
    control->icons = icons ? CutIconStrip(*icons) : std::vector<QIcon>();
    if (icons) list->setIconSize({icons->iconWidth, icons->iconHeight});
    for (int row = 0; row < list->topLevelItemCount(); ++row) ShowRowIcon(*control, *list->topLevelItem(row));
}

void CMessageFormPage::SetRowIcon(int controlId, int row, int icon) {
    QTreeWidgetItem* item = Row(controlId, row);
    if (!item) return;
    item->setData(0, kIconRole, icon);
    ShowRowIcon(*Find(controlId), *item);
}

void CMessageFormPage::ShowRowIcon(const Control& control, QTreeWidgetItem& row) const {
    const int icon = row.data(0, kIconRole).toInt();
    row.setIcon(
        0, InRange(icon, static_cast<int>(control.icons.size())) ? control.icons[static_cast<size_t>(icon)] : QIcon());
}

void CMessageFormPage::SetFullRowSelect(int controlId, bool fullRow) {
    auto* list = Get<QTreeWidget>(controlId);
    if (!list) return;
    list->setSelectionBehavior(fullRow ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    list->setAllColumnsShowFocus(fullRow);
}

void CMessageFormPage::SetPicture(int controlId, const BitmapResource* image) {
    auto* label = Get<QLabel>(controlId);
    if (!label) return;
    const std::vector<QIcon> icons = image ? CutIconStrip(*image) : std::vector<QIcon>();
    label->setPixmap(icons.empty() ? QPixmap() : icons.front().pixmap(image->iconWidth, image->iconHeight));
}

void CMessageFormPage::SetRange(int controlId, int minimum, int maximum) {
    const int low = std::min(minimum, maximum);
    const int high = std::max(minimum, maximum);
    const QScopedValueRollback quiet(writing, true);
    if (auto* spin = Get<QSpinBox>(controlId)) spin->setRange(low, high);
    if (auto* bar = Get<QProgressBar>(controlId)) bar->setRange(low, high);
}

int CMessageFormPage::Position(int controlId) const {
    if (const auto* spin = Get<QSpinBox>(controlId)) return spin->value();
    if (const auto* bar = Get<QProgressBar>(controlId)) return bar->value();
    return 0;
}

void CMessageFormPage::SetPosition(int controlId, int position) {
    const QScopedValueRollback quiet(writing, true);
    if (auto* spin = Get<QSpinBox>(controlId)) spin->setValue(position);
    // A progress bar ignores a value out of its range, where the old one took the nearest end.
    if (auto* bar = Get<QProgressBar>(controlId)) bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}
