#pragma once
#include "plugins/kvb/catalogue/kvb_class_node.h"

// The class INF: it has no messages of its own and takes every frame of its class, whatever its
// id and length. Each frame is also kept as text, for the page and for the text consoles.
class CKvbInformationNode : public CKvbClassNode {
public:
    using CKvbClassNode::CKvbClassNode;

    void StoreFrame(const uint8_t* bytes, int length) override;
};
