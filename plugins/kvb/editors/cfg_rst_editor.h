#pragma once
#include "plugins/kvb/editors/field_editor.h"

// CFG-RST: what battery-backed data to clear, picked by a startup option or item by item, and the
// kind of reset.
class CCfgRstEditor : public CKvbFieldEditor {
public:
    using CKvbFieldEditor::CKvbFieldEditor;

    void Init(CDialogPage& page) const override;
    bool OnChange(CDialogPage& page, int control) const override;

protected:
    void ShowMore(CDialogPage& page, std::span<const uint8_t> payload) const override;
    bool BuildMore(const CDialogPage& page, std::span<uint8_t> payload) const override;
};

extern const CCfgRstEditor kCfgRstEditor;
