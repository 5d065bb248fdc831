#pragma once
#include "plugins/kvb/editors/kvb_editor.h"

// CFG-DAT: selects one of the receiver's predefined datums by number, or defines a datum of the
// user's by its ellipsoid and its shifts, rotations and scale against WGS84. The receiver answers
// a poll with the number, the code and the parameters of the datum it uses.
class CCfgDatEditor : public CKvbEditor {
public:
    constexpr CCfgDatEditor() : CKvbEditor(0x06) {}

    void Init(CDialogPage& page) const override;
    bool Validate(const CDialogPage& page, int control) const override;
    bool OnChange(CDialogPage& page, int control) const override;

protected:
    bool Fits(size_t payloadSize) const override;
    size_t PayloadSize(const CDialogPage& page) const override;
    void ShowPayload(CDialogPage& page, std::span<const uint8_t> payload) const override;
    bool BuildPayload(const CDialogPage& page, std::span<uint8_t> payload) const override;
};

extern const CCfgDatEditor kCfgDatEditor;
