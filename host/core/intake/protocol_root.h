#pragma once
#include <string>

#include "shared/frame_check.h"
#include "shared/message_node.h"

// The host's root of one protocol's message tree, and of the two host trees "UNKNOWN" (every
// frame no protocol claims) and "CUSTOM" (messages the user types in).
class CProtocolRoot : public CMessageNode {
    VELTRO_DECLARE_CLASS(CProtocolRoot)

public:
    CProtocolRoot(FrameCheckFn check, std::u16string name, ModuleHandle module, int dialogId, uint32_t ownMask);

    bool Accept(const uint8_t* bytes, int length) override;
    ModuleHandle ResourceModule() const override { return module; }
    int ResourceDialogId() const override { return dialogId; }
    const char16_t* Label() const override { return name.c_str(); }
    const char16_t* Description() const override { return name.c_str(); }
    const char16_t* Name() const override { return u"???"; }
    uint32_t OwnMask() const override { return ownMask; }

    FrameCheckFn Check() const { return check; }
    const std::u16string& ProtocolName() const { return name; }

private:
    FrameCheckFn check;
    std::u16string name;
    ModuleHandle module;
    int dialogId;
    uint32_t ownMask;
};
