#pragma once
#include "plugins/kvb/editors/field_editor.h"

// CFG-FXW: when the receiver sleeps between fixes and how long it tries to get one; a template
// fills the page with one of the common sets.
class CCfgFxwEditor : public CKvbFieldEditor {
public:
    using CKvbFieldEditor::CKvbFieldEditor;

    void Init(CDialogPage& page) const override;
    bool OnChange(CDialogPage& page, int control) const override;
};

extern const CCfgFxwEditor kCfgFxwEditor;
