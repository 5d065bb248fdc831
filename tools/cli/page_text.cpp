#include "page_text.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "host/core/messages/page_template.h"
#include "platform/text.h"
#include "shared/memory_page.h"

namespace {

using Control = CMemoryPage::Control;

std::u16string Joined(const std::vector<std::u16string>& parts, size_t count) {
    std::u16string line;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) line += u" | ";
        if (i < parts.size()) line += parts[i];
    }
    return line;
}

std::u16string ListText(const Control& control) {
    std::u16string text;
    std::vector<std::u16string> headings;
    for (const CMemoryPage::Column& column : control.columns) headings.push_back(column.heading);
    const size_t columns = std::max<size_t>(headings.size(), 1);
    text += Joined(headings, columns) + u"\n";
    for (const CMemoryPage::Row& row : control.rows) text += Joined(row.cells, columns) + u"\n";
    return text;
}

std::u16string ItemsText(const Control& control) { return Joined(control.items, control.items.size()); }

// The value a control holds, or nothing for controls that only label or group others.
std::optional<std::u16string> ValueOf(const Control& control) {
    switch (control.source.kind) {
        case ControlKind::Edit:
        case ControlKind::MultiLineEdit:
        case ControlKind::DropDownList:
        case ControlKind::DropDownEdit:
            return control.text;
        case ControlKind::ListBox:
        case ControlKind::MultiSelectListBox:
            return ItemsText(control);
        case ControlKind::Spin:
        case ControlKind::ProgressBar:
            return platform::FormatW(u"%d", control.position);
        default:
            return std::nullopt;
    }
}

// Multi-line edits hold their lines as the platform's edit controls did, ended by CR LF.
std::u16string WithLineFeeds(std::u16string text) {
    for (size_t at = text.find(u"\r\n"); at != std::u16string::npos; at = text.find(u"\r\n", at)) text.erase(at, 1);
    return text;
}

}  // namespace

std::string PageText(const CMemoryPage& page, const DialogTemplate& dialog) {
    std::u16string text;
    for (const Control& control : page.Controls()) {
        const ControlKind kind = control.source.kind;
        if (!control.visible) continue;
        if (kind == ControlKind::ListControl) {
            text += ListText(control);
        } else if (kind == ControlKind::CheckBox || kind == ControlKind::RadioButton) {
            text += (control.checked ? u"[x] " : u"[ ] ") + control.text + u"\n";
        } else if (const auto value = ValueOf(control)) {
            const std::optional<std::u16string> label = FindControlLabel(dialog, control.source.id);
            text += (label ? *label + u": " : u"") + WithLineFeeds(*value) + u"\n";
        }
    }
    return platform::WideToUtf8(text);
}
