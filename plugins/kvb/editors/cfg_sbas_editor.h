#pragma once
#include "plugins/kvb/editors/field_editor.h"

// CFG-SBAS: the subsystem, the use of its data and the satellites to scan, by system or as typed
// satellite numbers.
class CCfgSbasEditor : public CKvbFieldEditor {
public:
    using CKvbFieldEditor::CKvbFieldEditor;

    void Init(CDialogPage& page) const override;
    bool Validate(const CDialogPage& page, int control) const override;

protected:
    void ShowMore(CDialogPage& page, std::span<const uint8_t> payload) const override;
    bool BuildMore(const CDialogPage& page, std::span<uint8_t> payload) const override;
};

extern const CCfgSbasEditor kCfgSbasEditor;

// Satellite numbers 120–151 separated by blanks, commas or "+", as a scan mask (bit n for
// satellite 120 + n); nothing when a number is out of range or the text holds anything else.
std::optional<uint32_t> ParseSbasSatellites(std::u16string_view text);
std::u16string FormatSbasSatellites(uint32_t mask);
