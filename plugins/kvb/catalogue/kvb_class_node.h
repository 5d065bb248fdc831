#pragma once
#include <cstdint>
#include <new>

#include "plugins/kvb/catalogue/kvb_node.h"

class CKvbClassNode;

struct KvbClassInfo {
    KvbNodeInfo node;
    uint8_t messageClass;
    // Creates the node of a class whose behaviour differs; null for a plain CKvbClassNode.
    CKvbClassNode* (*create)(const KvbClassInfo& info) = nullptr;
};

// Groups the messages of one class. It keeps every frame of its class that none of its messages
// takes: an unknown id, or a known id with a length that message does not accept.
class CKvbClassNode : public CKvbNode {
public:
    explicit CKvbClassNode(const KvbClassInfo& info) : CKvbNode(info.node), messageClass(info.messageClass) {}

    bool Accept(const uint8_t* bytes, int length) override { return length > 2 && bytes[2] == messageClass; }

private:
    uint8_t messageClass;
};

template <typename Node>
CKvbClassNode* MakeKvbClassNode(const KvbClassInfo& info) {
    return new (std::nothrow) Node(info);
}
