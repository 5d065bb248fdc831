#include "memory_page.h"

#include <algorithm>

#include "shared/page_listener.h"

namespace {

bool InRange(int index, size_t size) { return index >= 0 && static_cast<size_t>(index) < size; }

bool HasItems(ControlKind kind) {
    return kind == ControlKind::DropDownList || kind == ControlKind::DropDownEdit || kind == ControlKind::ListBox ||
           kind == ControlKind::MultiSelectListBox;
}

}  // namespace

CMemoryPage::CMemoryPage(const DialogTemplate& dialog, DialogBaseUnits units) {
    controls.reserve(dialog.controls.size());
    for (const ControlTemplate& source : dialog.controls) {
        Control control;
        control.source = source;
        control.text = source.text ? source.text : u"";
        control.rect = ToPagePixels(source.rect, units);
        control.enabled = !(source.style & STYLE_DISABLED);
        control.visible = !(source.style & STYLE_HIDDEN);
        // A list or combo box shows its items, not its template text.
        if (HasItems(source.kind) || source.kind == ControlKind::ListControl) control.text.clear();
        controls.push_back(std::move(control));
    }
}

const CMemoryPage::Control* CMemoryPage::FindControl(int controlId) const {
    for (const Control& control : controls)
        if (control.source.id == controlId) return &control;
    return nullptr;
}

CMemoryPage::Control* CMemoryPage::Find(int controlId) { return const_cast<Control*>(FindControl(controlId)); }

void CMemoryPage::Notify(int controlId) {
    if (listener) listener->OnControlChanged(controlId);
}

void CMemoryPage::TypeText(int controlId, const std::u16string& text) {
    Control* control = Find(controlId);
    if (!control || !control->enabled || (control->source.style & STYLE_READ_ONLY)) return;
    control->text = control->textLimit > 0 ? text.substr(0, static_cast<size_t>(control->textLimit)) : text;
    if (control->source.kind == ControlKind::DropDownEdit) control->selection = -1;
    Notify(controlId);
}

void CMemoryPage::Click(int controlId) {
    Control* control = Find(controlId);
    if (!control || !control->enabled) return;
    if (control->source.kind == ControlKind::CheckBox) control->checked = !control->checked;
    if (control->source.kind == ControlKind::RadioButton) {
        SetChecked(controlId, true);
    }
    Notify(controlId);
}

void CMemoryPage::ChooseItem(int controlId, int index) {
    Control* control = Find(controlId);
    if (!control || !control->enabled || !InRange(index, control->items.size())) return;
    if (control->source.kind == ControlKind::MultiSelectListBox)
        control->selected[static_cast<size_t>(index)] = !control->selected[static_cast<size_t>(index)];
    else
        SetSelection(controlId, index);
    Notify(controlId);
}

bool CMemoryPage::HasControl(int controlId) const { return FindControl(controlId) != nullptr; }

std::u16string CMemoryPage::GetControlText(int controlId) const {
    const Control* control = FindControl(controlId);
    return control ? control->text : std::u16string();
}

void CMemoryPage::SetControlText(int controlId, const std::u16string& text) {
    if (Control* control = Find(controlId)) control->text = text;
}

void CMemoryPage::SetTextLimit(int controlId, int characters) {
    if (Control* control = Find(controlId)) control->textLimit = characters;
}

bool CMemoryPage::IsChecked(int controlId) const {
    const Control* control = FindControl(controlId);
    return control && control->checked;
}

void CMemoryPage::SetChecked(int controlId, bool checked) {
    Control* control = Find(controlId);
    if (!control) return;
    control->checked = checked;
    if (!checked || control->source.kind != ControlKind::RadioButton) return;
    // The other radio buttons of the group: back to the control that starts it, on to the next group.
    size_t first = static_cast<size_t>(control - controls.data());
    while (first > 0 && !(controls[first].source.style & STYLE_GROUP)) --first;
    for (size_t i = first; i < controls.size(); ++i) {
        if (i > first && (controls[i].source.style & STYLE_GROUP)) break;
        if (&controls[i] != control && controls[i].source.kind == ControlKind::RadioButton) controls[i].checked = false;
    }
}

bool CMemoryPage::IsControlEnabled(int controlId) const {
    const Control* control = FindControl(controlId);
    return control && control->enabled;
}

void CMemoryPage::EnableControl(int controlId, bool enable) {
    if (Control* control = Find(controlId)) control->enabled = enable;
}

bool CMemoryPage::IsControlVisible(int controlId) const {
    const Control* control = FindControl(controlId);
    return control && control->visible;
}

void CMemoryPage::ShowControl(int controlId, bool show) {
    if (Control* control = Find(controlId)) control->visible = show;
}

PageRect CMemoryPage::ControlRect(int controlId) const {
    const Control* control = FindControl(controlId);
    return control ? control->rect : PageRect{};
}

void CMemoryPage::MoveControl(int controlId, int x, int y, int width, int height) {
    if (Control* control = Find(controlId)) control->rect = {x, y, width, height};
}

void CMemoryPage::RedrawControl(int controlId) {
    if (Control* control = Find(controlId)) ++control->redraws;
}

void CMemoryPage::ClearItems(int controlId) {
    Control* control = Find(controlId);
    if (!control) return;
    control->items.clear();
    control->selected.clear();
    control->selection = -1;
}

int CMemoryPage::AddItem(int controlId, const std::u16string& text) {
    Control* control = Find(controlId);
    if (!control) return -1;
    control->items.push_back(text);
    control->selected.push_back(false);
    return static_cast<int>(control->items.size()) - 1;
}

int CMemoryPage::ItemCount(int controlId) const {
    const Control* control = FindControl(controlId);
    return control ? static_cast<int>(control->items.size()) : 0;
}

std::u16string CMemoryPage::ItemText(int controlId, int index) const {
    const Control* control = FindControl(controlId);
    return control && InRange(index, control->items.size()) ? control->items[static_cast<size_t>(index)]
                                                            : std::u16string();
}

int CMemoryPage::Selection(int controlId) const {
    const Control* control = FindControl(controlId);
    return control ? control->selection : -1;
}

void CMemoryPage::SetSelection(int controlId, int index) {
    Control* control = Find(controlId);
    if (!control) return;
    control->selection = InRange(index, control->items.size()) ? index : -1;
    // A combo box's edit field shows the chosen item.
    if (control->selection >= 0 && control->source.kind != ControlKind::ListBox)
        control->text = control->items[static_cast<size_t>(index)];
}

bool CMemoryPage::IsItemSelected(int controlId, int index) const {
    const Control* control = FindControl(controlId);
    return control && InRange(index, control->selected.size()) && control->selected[static_cast<size_t>(index)];
}

void CMemoryPage::SelectItem(int controlId, int index, bool selected) {
    Control* control = Find(controlId);
    if (control && InRange(index, control->selected.size())) control->selected[static_cast<size_t>(index)] = selected;
}

int CMemoryPage::AddColumn(int controlId, const std::u16string& heading, int width) {
    Control* control = Find(controlId);
    if (!control) return -1;
    control->columns.push_back({heading, width});
    return static_cast<int>(control->columns.size()) - 1;
}

int CMemoryPage::ColumnCount(int controlId) const {
    const Control* control = FindControl(controlId);
    return control ? static_cast<int>(control->columns.size()) : 0;
}

std::u16string CMemoryPage::ColumnHeading(int controlId, int column) const {
    const Control* control = FindControl(controlId);
    return control && InRange(column, control->columns.size()) ? control->columns[static_cast<size_t>(column)].heading
                                                               : std::u16string();
}

void CMemoryPage::SetColumnWidth(int controlId, int column, int width) {
    Control* control = Find(controlId);
    if (control && InRange(column, control->columns.size()))
        control->columns[static_cast<size_t>(column)].width = width;
}

void CMemoryPage::SetColumnRightAligned(int controlId, int column, bool right) {
    Control* control = Find(controlId);
    if (control && InRange(column, control->columns.size()))
        control->columns[static_cast<size_t>(column)].rightAligned = right;
}

int CMemoryPage::RowCount(int controlId) const {
    const Control* control = FindControl(controlId);
    return control ? static_cast<int>(control->rows.size()) : 0;
}

int CMemoryPage::InsertRow(int controlId, int row, const std::u16string& firstCell) {
    Control* control = Find(controlId);
    if (!control) return -1;
    const size_t at = row < 0 ? 0 : std::min(static_cast<size_t>(row), control->rows.size());
    control->rows.insert(control->rows.begin() + static_cast<std::ptrdiff_t>(at), Row{{firstCell}, -1});
    return static_cast<int>(at);
}

void CMemoryPage::DeleteRow(int controlId, int row) {
    Control* control = Find(controlId);
    if (control && InRange(row, control->rows.size())) control->rows.erase(control->rows.begin() + row);
}

void CMemoryPage::DeleteAllRows(int controlId) {
    if (Control* control = Find(controlId)) control->rows.clear();
}

std::u16string CMemoryPage::CellText(int controlId, int row, int column) const {
    const Control* control = FindControl(controlId);
    if (!control || !InRange(row, control->rows.size())) return {};
    const auto& cells = control->rows[static_cast<size_t>(row)].cells;
    return InRange(column, cells.size()) ? cells[static_cast<size_t>(column)] : std::u16string();
}

void CMemoryPage::SetCellText(int controlId, int row, int column, const std::u16string& text) {
    Control* control = Find(controlId);
    if (!control || !InRange(row, control->rows.size()) || column < 0) return;
    auto& cells = control->rows[static_cast<size_t>(row)].cells;
    if (cells.size() <= static_cast<size_t>(column)) cells.resize(static_cast<size_t>(column) + 1);
    cells[static_cast<size_t>(column)] = text;
}

void CMemoryPage::SetListIcons(int controlId, const BitmapResource* icons) {
    if (Control* control = Find(controlId)) control->icons = icons;
}

void CMemoryPage::SetRowIcon(int controlId, int row, int icon) {
    Control* control = Find(controlId);
    if (control && InRange(row, control->rows.size())) control->rows[static_cast<size_t>(row)].icon = icon;
}

void CMemoryPage::SetFullRowSelect(int controlId, bool fullRow) {
    if (Control* control = Find(controlId)) control->fullRowSelect = fullRow;
}

void CMemoryPage::SetPicture(int controlId, const BitmapResource* image) {
    if (Control* control = Find(controlId)) control->picture = image;
}

void CMemoryPage::SetRange(int controlId, int minimum, int maximum) {
    Control* control = Find(controlId);
    if (!control) return;
    control->minimum = minimum;
    control->maximum = maximum;
}

int CMemoryPage::Position(int controlId) const {
    const Control* control = FindControl(controlId);
    return control ? control->position : 0;
}

void CMemoryPage::SetPosition(int controlId, int position) {
    Control* control = Find(controlId);
    if (control)
        control->position = std::clamp(position, std::min(control->minimum, control->maximum),
                                       std::max(control->minimum, control->maximum));
}
