#pragma once
#include <cstdint>

#include "plugins/kvb/catalogue/kvb_node.h"

struct KvbClassInfo {
    KvbNodeInfo node;
    uint8_t messageClass;
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
