#pragma once
#include "plugins/kvb/editors/field_editor.h"

// CFG-USB: the identity the receiver gives itself on the bus, its device configuration and power,
// and its three texts. The configuration, the firmware-update boxes and the remote wake-up are
// the maker's: they take input in extended mode only.
class CCfgUsbEditor : public CKvbFieldEditor {
public:
    using CKvbFieldEditor::CKvbFieldEditor;

    void Init(CDialogPage& page) const override;
};

extern const CCfgUsbEditor kCfgUsbEditor;
