#pragma once
#include <cstdint>

#include "shared/message_node.h"

// What tells the nodes of the catalogue apart on screen and on the wire.
struct NmeaNodeIdentity {
    const char16_t* label;
    const char16_t* description;
    const char16_t* name;
    int dialogId;
    int rateId;  // kNoRateCommand for nodes whose sentence the receiver cannot switch
};

constexpr int kNoRateCommand = -1;

// A node of the NMEA tree: keeps its sentence as bytes and as text and accepts every sentence.
// As such it is the Unknown and the Custom node; the sentence nodes narrow what they accept.
class NmeaNode : public CMessageNode {
public:
    explicit NmeaNode(const NmeaNodeIdentity& identity);

    void StoreFrame(const uint8_t* bytes, int length) override;
    bool BuildRateCommand(bool enable, uint8_t* buffer, int& outLength, int capacity) override;
    ModuleHandle ResourceModule() const override;
    int ResourceDialogId() const override;
    const char16_t* Label() const override;
    const char16_t* Description() const override;
    const char16_t* Name() const override;
    uint32_t OwnMask() const override;

protected:
    // Whether bytes 3 to 5 of the sentence, its formatter, are the three letters given.
    static bool HasFormatter(const uint8_t* bytes, int length, const char16_t* letters);

private:
    const NmeaNodeIdentity& identity;
};

// Text transmissions from any talker.
class NmeaTxtNode : public NmeaNode {
public:
    using NmeaNode::NmeaNode;

    bool Accept(const uint8_t* bytes, int length) override;
};
