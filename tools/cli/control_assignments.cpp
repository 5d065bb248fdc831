#include "control_assignments.h"

#include "host/core/messages/page_template.h"
#include "platform/text.h"
#include "shared/memory_page.h"

namespace {

using Control = CMemoryPage::Control;

bool TakesInput(ControlKind kind) {
    return kind != ControlKind::StaticText && kind != ControlKind::GroupBox && kind != ControlKind::Picture &&
           kind != ControlKind::ListControl && kind != ControlKind::ProgressBar;
}

bool IsAlphanumeric(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// "3" names "3 - Automotive" but not "32 - Other"; the whole text names an item too.
bool NamesItem(const std::u16string& item, const std::u16string& value) {
    if (value.empty() || !item.starts_with(value)) return false;
    return item.size() == value.size() || !IsAlphanumeric(item[value.size()]);
}

int ItemNamed(const Control& control, const std::u16string& value) {
    for (size_t i = 0; i < control.items.size(); ++i)
        if (control.items[i] == value) return static_cast<int>(i);
    for (size_t i = 0; i < control.items.size(); ++i)
        if (NamesItem(control.items[i], value)) return static_cast<int>(i);
    return -1;
}

const Control* FindInput(const CMemoryPage& page, const DialogTemplate& dialog, const std::u16string& name) {
    for (const Control& control : page.Controls()) {
        if (!TakesInput(control.source.kind)) continue;
        if (ControlLabel(dialog, control.source.id) == name ||
            name == u"#" + platform::Utf8ToWide(std::to_string(control.source.id)))
            return &control;
    }
    return nullptr;
}

std::vector<std::u16string> Split(const std::u16string& text, char16_t separator) {
    std::vector<std::u16string> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::u16string::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// A multiple-selection list takes the items separated by commas, and only those.
AssignResult SelectItems(CMemoryPage& page, const Control& control, const std::u16string& value) {
    std::vector<bool> wanted(control.items.size(), false);
    if (!value.empty())
        for (const std::u16string& name : Split(value, u',')) {
            const int index = ItemNamed(control, name);
            if (index < 0) return AssignResult::Refused;
            wanted[static_cast<size_t>(index)] = true;
        }
    const int id = control.source.id;
    for (size_t i = 0; i < wanted.size(); ++i)
        if (page.IsItemSelected(id, static_cast<int>(i)) != wanted[i]) page.ChooseItem(id, static_cast<int>(i));
    return AssignResult::Done;
}

AssignResult SetSwitch(CMemoryPage& page, const Control& control, const std::u16string& value) {
    if (value != u"on" && value != u"off") return AssignResult::Refused;
    const bool on = value == u"on";
    if (control.checked == on) return AssignResult::Done;
    // A radio button is switched off only by choosing another of its group.
    if (!on && control.source.kind == ControlKind::RadioButton) return AssignResult::Refused;
    page.Click(control.source.id);
    return AssignResult::Done;
}

}  // namespace

bool ControlAssignment::Parse(std::string_view text, ControlAssignment& assignment) {
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos || equals == 0) return false;
    assignment.control = platform::Utf8ToWide(text.substr(0, equals));
    assignment.value = platform::Utf8ToWide(text.substr(equals + 1));
    return true;
}

AssignResult AssignControl(CMemoryPage& page, const DialogTemplate& dialog, const ControlAssignment& assignment) {
    const Control* control = FindInput(page, dialog, assignment.control);
    if (!control) return AssignResult::UnknownControl;
    if (!control->enabled || (control->source.style & STYLE_READ_ONLY)) return AssignResult::Refused;
    const int id = control->source.id;
    switch (control->source.kind) {
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            return SetSwitch(page, *control, assignment.value);
        case ControlKind::MultiSelectListBox:
            return SelectItems(page, *control, assignment.value);
        case ControlKind::DropDownList:
        case ControlKind::ListBox:
        case ControlKind::DropDownEdit: {
            const int index = ItemNamed(*control, assignment.value);
            if (index >= 0) {
                page.ChooseItem(id, index);
                return AssignResult::Done;
            }
            if (control->source.kind != ControlKind::DropDownEdit) return AssignResult::Refused;
            page.TypeText(id, assignment.value);
            return AssignResult::Done;
        }
        default:
            page.TypeText(id, assignment.value);
            return AssignResult::Done;
    }
}

std::vector<std::u16string> InputLabels(const CMemoryPage& page, const DialogTemplate& dialog) {
    std::vector<std::u16string> labels;
    for (const Control& control : page.Controls())
        if (TakesInput(control.source.kind)) labels.push_back(ControlLabel(dialog, control.source.id));
    return labels;
}

AssignResult AssignAll(CMemoryPage& page, const DialogTemplate& dialog, const std::vector<ControlAssignment>& assignments,
                       std::string& error) {
    for (const ControlAssignment& assignment : assignments) {
        const AssignResult result = AssignControl(page, dialog, assignment);
        const std::string control = platform::WideToUtf8(assignment.control);
        if (result == AssignResult::UnknownControl) {
            error = "the page has no control \"" + control + "\"; its controls are:";
            for (const std::u16string& label : InputLabels(page, dialog)) error += "\n  " + platform::WideToUtf8(label);
        } else if (result == AssignResult::Refused) {
            error = control + " does not take \"" + platform::WideToUtf8(assignment.value) + "\"";
        }
        if (result != AssignResult::Done) return result;
    }
    return AssignResult::Done;
}
