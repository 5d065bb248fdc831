#pragma once
#include "host/core/intake/protocol_root.h"

// The root "CUSTOM": bytes the user types in, as text or as hexadecimal bytes, sent as they stand.
class CCustomRoot final : public CProtocolRoot {
    VELTRO_DECLARE_CLASS(CCustomRoot)

public:
    CCustomRoot();

    void InitPage(CDialogPage& page) override;
    void ShowData(CDialogPage& page, const uint8_t* bytes, int length) override;
    bool BuildFromPage(CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) override;
    void ResizePage(CDialogPage& page, int width, int height) override;
    bool ValidateControl(CDialogPage& page, int controlId) override;
    bool OnControlChange(CDialogPage& page, int controlId) override;
};
