#pragma once
#include <cstdint>

#include "shared/message_node.h"

struct NmeaFieldList;

// What tells the nodes of the catalogue apart on screen and on the wire.
struct NmeaNodeIdentity {
    const char16_t* label;
    const char16_t* description;
    const char16_t* name;
    int dialogId;
    int rateId;  // kNoRateCommand for nodes whose sentence the receiver cannot switch
    // The rows of the node's page when it lists the fields of its sentence.
    const NmeaFieldList* fields = nullptr;
};

constexpr int kNoRateCommand = -1;

// A node of the NMEA tree: keeps its sentence as bytes and as text and accepts every sentence;
// the sentence nodes narrow what they accept.
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
    const NmeaFieldList* FieldList() const { return identity.fields; }

private:
    const NmeaNodeIdentity& identity;
};

// Text transmissions from any talker.
class NmeaTxtNode : public NmeaNode {
public:
    using NmeaNode::NmeaNode;

    bool Accept(const uint8_t* bytes, int length) override;
    void ShowData(CDialogPage& page, const uint8_t* bytes, int length) override;
};

// Every sentence that no other node takes, shown as text.
class NmeaUnknownNode : public NmeaNode {
public:
    using NmeaNode::NmeaNode;

    void ShowData(CDialogPage& page, const uint8_t* bytes, int length) override;
    void ResizePage(CDialogPage& page, int width, int height) override;
};

// A sentence typed by hand, checked and sent.
class NmeaCustomNode : public NmeaNode {
public:
    using NmeaNode::NmeaNode;

    void InitPage(CDialogPage& page) override;
    void ShowData(CDialogPage& page, const uint8_t* bytes, int length) override;
    bool BuildFromPage(CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) override;
    void ResizePage(CDialogPage& page, int width, int height) override;
    bool ValidateControl(CDialogPage& page, int controlId) override;
};
