#pragma once
#include "plugins/kvb/editors/kvb_editor.h"

// CFG-CFG: clears, saves and loads parts of the receiver's configuration, by one of three
// common choices or part by part; in extended mode also on chosen devices (13 bytes).
class CCfgCfgEditor : public CKvbEditor {
public:
    constexpr CCfgCfgEditor() : CKvbEditor(0x09) {}

    void Init(CDialogPage& page) const override;
    bool OnChange(CDialogPage& page, int control) const override;

protected:
    bool Fits(size_t size) const override { return size == 12 || size == 13; }
    size_t PayloadSize(const CDialogPage& page) const override;
    void ShowPayload(CDialogPage& page, std::span<const uint8_t> payload) const override;
    bool BuildPayload(const CDialogPage& page, std::span<uint8_t> payload) const override;
};

extern const CCfgCfgEditor kCfgCfgEditor;
