#pragma once
#include <cstdint>

#include "shared/protocol_object.h"

// The plug-in's protocol object: names the KVB protocol, hands out its recogniser and fills the
// message trees of the protocols this plug-in serves.
class CKvbProtocol : public CProtocolObject {
public:
    static constexpr int kInformationPage = 657;

    const char16_t* GetVersion() const override { return u"3.05"; }
    const char16_t* GetName() const override { return u"KVB"; }
    const char16_t* GetProtocolName() const override { return u"KVB"; }
    FrameCheckFn GetFrameCheck() const override;
    int GetRootDialogId() const override { return kInformationPage; }
    void PopulateTree(const char16_t* protocolName, CMessageNode* root) override;

    // Non-zero: some pages and polls offer their extended choices.
    uint8_t Mode() const { return mode; }
    void SetMode(uint8_t newMode) { mode = newMode; }

private:
    uint8_t mode = 0;
};
