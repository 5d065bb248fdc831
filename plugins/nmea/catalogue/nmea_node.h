#pragma once
#include <cstdint>
#include <string>
#include <string_view>

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
    void BindDatabase(CStorageDatabase* database) override;
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
    // Whether the sentence's talker (bytes 1 and 2) is the one of the node's name.
    bool HasOwnTalker(const uint8_t* bytes) const;
    bool IsGpNode() const { return Name()[0] == u'G' && Name()[1] == u'P'; }
    const NmeaFieldList* FieldList() const { return identity.fields; }
    CStorageDatabase* BoundDatabase() const { return boundDatabase; }

private:
    const NmeaNodeIdentity& identity;
    CStorageDatabase* boundDatabase = nullptr;
};

// The identity of a catalogue node for another talker: its label and name begin with the talker.
class NmeaTalkerIdentity {
public:
    NmeaTalkerIdentity(const NmeaNodeIdentity& gp, std::u16string_view talker);

    const NmeaNodeIdentity& Identity() const { return identity; }

private:
    std::u16string label;
    std::u16string name;
    NmeaNodeIdentity identity;
};

// A node of the catalogue's class made for another talker; it owns the identity it is made with.
template <typename Node>
class NmeaTalkerNode final : private NmeaTalkerIdentity, public Node {
public:
    NmeaTalkerNode(const NmeaNodeIdentity& gp, std::u16string_view talker)
        : NmeaTalkerIdentity(gp, talker), Node(NmeaTalkerIdentity::Identity()) {}
};

// Text transmissions of its talker; the GP node takes those of talkers without nodes of their own too.
class NmeaTxtNode : public NmeaNode {
public:
    using NmeaNode::NmeaNode;

    bool Accept(const uint8_t* bytes, int length) override;
    void ShowData(CDialogPage& page, const uint8_t* bytes, int length) override;
};

// Every sentence that no other node takes, shown as text. A standard sentence of a satellite
// talker that has no node yet gets one under the root, which takes it and those that follow.
class NmeaUnknownNode : public NmeaNode {
public:
    using NmeaNode::NmeaNode;

    CMessageNode* Find(const uint8_t* bytes, int length, uint32_t mask) override;

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
