#pragma once
#include "plugins/kvb/editors/field_editor.h"

// CFG-MSG: the rates of one output of the receiver on the four targets; its list holds the
// outputs that the configuration poll steps through.
class CCfgMsgEditor : public CKvbFieldEditor {
public:
    using CKvbFieldEditor::CKvbFieldEditor;

    void Init(CDialogPage& page) const override;
};

extern const CCfgMsgEditor kCfgMsgEditor;
