#pragma once
#include "plugins/kvb/editors/field_editor.h"

// The editors that are tables of fields alone, and CFG-RATE, which also shows the frequencies
// its periods give.
class CCfgRateEditor : public CKvbFieldEditor {
public:
    using CKvbFieldEditor::CKvbFieldEditor;
    bool OnChange(CDialogPage& page, int control) const override;

protected:
    void ShowMore(CDialogPage& page, std::span<const uint8_t> payload) const override;
};

extern const CKvbFieldEditor kCfgInfEditor;
extern const CCfgRateEditor kCfgRateEditor;
extern const CKvbFieldEditor kCfgTpEditor;
extern const CKvbFieldEditor kCfgNavEditor;
extern const CKvbFieldEditor kCfgNav2Editor;
extern const CKvbFieldEditor kCfgTmodeEditor;
extern const CKvbFieldEditor kCfgNmeaEditor;
extern const CKvbFieldEditor kCfgAntEditor;
extern const CKvbFieldEditor kCfgRxmEditor;
