#pragma once
#include <cstdint>

#include "shared/frame_check.h"
#include "shared/message_node.h"

// The object a plug-in hands the host from Initialize: it names the protocol, supplies the frame
// recogniser and fills the message trees. Static in the plug-in; the host never deletes it.
class CProtocolObject : public CObject {
public:
    virtual const char16_t* GetVersion() const = 0;
    virtual const char16_t* GetName() const = 0;
    // The name under which the host files the protocol.
    virtual const char16_t* GetProtocolName() const = 0;
    virtual FrameCheckFn GetFrameCheck() const = 0;
    virtual int GetRootDialogId() const = 0;
    // Adds the plug-in's nodes under the root of the named protocol; ignores names it does not serve.
    virtual void PopulateTree(const char16_t* protocolName, CMessageNode* root) = 0;
};

// The exports of a plug-in library, looked up by these unmangled names.
extern "C" {
using InitializeFn = CProtocolObject* (*)(uint32_t flags, ModuleHandle module);
using ConfigureFn = void (*)(uint32_t mask);
}

#define VELTRO_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
