#pragma once
#include <string>

#include "shared/dialog_template.h"

class CMessageNode;

// The template of a node's page, from the node's module; null when the module carries none.
const DialogTemplate* PageTemplateOf(const CMessageNode& node);

// What names a control to the user: a check box's or button's own text, else the static text
// that precedes it in the template, without a closing colon; the control's number when neither.
std::u16string ControlLabel(const DialogTemplate& dialog, int controlId);
