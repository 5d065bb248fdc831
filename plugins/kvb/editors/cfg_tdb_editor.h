#pragma once
#include "plugins/kvb/editors/field_editor.h"

// CFG-TDB: the tracking debugger's sixteen probes, each reading a field of 1, 2 or 4 bytes from
// the tracking structure of one receiver channel. The fields are offered by name from the field
// table; any offset may be typed.
class CCfgTdbEditor : public CKvbFieldEditor {
public:
    using CKvbFieldEditor::CKvbFieldEditor;

    void Init(CDialogPage& page) const override;
    bool Validate(const CDialogPage& page, int control) const override;
};

extern const CCfgTdbEditor kCfgTdbEditor;
