#include "page_template.h"

#include <charconv>

#include "platform/text.h"
#include "shared/dialog_page.h"
#include "shared/message_node.h"

namespace {

bool NamesItself(ControlKind kind) {
    return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton || kind == ControlKind::PushButton;
}

std::u16string WithoutColon(std::u16string text) {
    while (!text.empty() && (text.back() == u':' || text.back() == u' ')) text.pop_back();
    return text;
}

}  // namespace

const DialogTemplate* PageTemplateOf(const CMessageNode& node) {
    return LoadDialogTemplate(node.ResourceModule(), node.ResourceDialogId());
}

void ShowPagePictures(CDialogPage& page, const DialogTemplate& dialog, ModuleHandle module) {
    for (const ControlTemplate& control : dialog.controls) {
        if (control.kind != ControlKind::Picture || !control.text) continue;
        const std::string digits = platform::WideToAnsi(control.text);
        int bitmap = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), bitmap);
        if (error == std::errc() && end == digits.data() + digits.size())
            page.SetPicture(control.id, LoadBitmapResource(module, bitmap));
    }
}

std::optional<std::u16string> FindControlLabel(const DialogTemplate& dialog, int controlId) {
    const char16_t* label = nullptr;
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id == controlId) {
            if (NamesItself(control.kind) && control.text && *control.text) label = control.text;
            if (label) return WithoutColon(label);
            break;
        }
        if (control.kind == ControlKind::StaticText && control.text && *control.text) label = control.text;
    }
    return std::nullopt;
}

std::u16string ControlLabel(const DialogTemplate& dialog, int controlId) {
    if (std::optional<std::u16string> label = FindControlLabel(dialog, controlId)) return *label;
    std::u16string number;
    for (const char c : std::to_string(controlId)) number.push_back(static_cast<char16_t>(c));
    return number;
}
