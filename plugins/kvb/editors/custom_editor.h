#pragma once
#include "plugins/kvb/editors/kvb_editor.h"

// The custom message: any class, id and payload the user types, sent as a KVB frame.
class CCustomEditor : public CKvbEditor {
public:
    constexpr CCustomEditor() : CKvbEditor(0) {}

    void Init(CDialogPage& page) const override;
    void Show(CDialogPage& page, const uint8_t* frame, int length) const override;
    bool Build(const CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) const override;
    bool Validate(const CDialogPage& page, int control) const override;

protected:
    bool Fits(size_t) const override { return true; }
    size_t PayloadSize(const CDialogPage&) const override { return 0; }
    void ShowPayload(CDialogPage&, std::span<const uint8_t>) const override {}
    bool BuildPayload(const CDialogPage&, std::span<uint8_t>) const override { return true; }
};

extern const CCustomEditor kCustomEditor;
