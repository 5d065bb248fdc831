#pragma once
#include "plugins/kvb/editors/field_editor.h"

// CFG-PRT: a port's serial format, rate and protocols. Its protocol lists follow the protocol
// table (more rows in extended mode); the serial format does not apply to the USB port, whose
// rows the page hides.
class CCfgPrtEditor : public CKvbFieldEditor {
public:
    using CKvbFieldEditor::CKvbFieldEditor;

    void Init(CDialogPage& page) const override;
    bool OnChange(CDialogPage& page, int control) const override;

protected:
    void ShowMore(CDialogPage& page, std::span<const uint8_t> payload) const override;
};

extern const CCfgPrtEditor kCfgPrtEditor;
