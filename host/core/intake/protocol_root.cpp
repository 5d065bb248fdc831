#include "protocol_root.h"

VELTRO_IMPLEMENT_CLASS(CProtocolRoot, CMessageNode)

CProtocolRoot::CProtocolRoot(FrameCheckFn check, std::u16string name, ModuleHandle module, int dialogId,
                             uint32_t ownMask)
    : check(check), name(std::move(name)), module(module), dialogId(dialogId), ownMask(ownMask) {}

bool CProtocolRoot::Accept(const uint8_t* bytes, int length) {
    if (!check) return true;
    const int result = check(bytes, length);
    return result != 0 && result != -1;
}
