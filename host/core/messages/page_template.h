#pragma once
#include <optional>
#include <string>

#include "shared/dialog_template.h"

class CDialogPage;
class CMessageNode;

// The template of a node's page, from the node's module; null when the module carries none.
const DialogTemplate* PageTemplateOf(const CMessageNode& node);

// Gives each picture control of the page the bitmap of module that its template text names by
// number, as the platform's dialogs load a picture from the module of their template.
void ShowPagePictures(CDialogPage& page, const DialogTemplate& dialog, ModuleHandle module);

// What names a control to the user: a check box's or button's own text, else the static text
// that precedes it in the template, without a closing colon; nothing when neither does.
std::optional<std::u16string> FindControlLabel(const DialogTemplate& dialog, int controlId);
// The label, or the control's number when it has none.
std::u16string ControlLabel(const DialogTemplate& dialog, int controlId);
