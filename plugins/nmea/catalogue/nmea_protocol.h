#pragma once
#include <cstdint>

#include "shared/protocol_object.h"

// The object the host receives from Initialize: names the protocol "NMEA", supplies the sentence
// recogniser and builds the sentence catalogue.
class NmeaProtocol : public CProtocolObject {
public:
    const char16_t* GetVersion() const override;
    const char16_t* GetName() const override;
    const char16_t* GetProtocolName() const override;
    FrameCheckFn GetFrameCheck() const override;
    int GetRootDialogId() const override;
    void PopulateTree(const char16_t* protocolName, CMessageNode* root) override;

    void SetFlags(uint32_t startFlags) { flags = startFlags; }
    uint32_t Flags() const { return flags; }

private:
    uint32_t flags = 0;
};

// The plug-in's own module, from which the host loads the sentence pages.
ModuleHandle NmeaModule();
void SetNmeaModule(ModuleHandle module);
