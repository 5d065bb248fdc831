#pragma once
#include <string>

#include "plugins/kvb/catalogue/kvb_node.h"

// Takes any KVB frame: "Unknown" catches every frame no class node takes, "Custom" holds the
// frames the user builds. Named after the class and id of the last frame, as "%02X-%02X".
class CKvbPseudoMessage : public CKvbNode {
public:
    explicit CKvbPseudoMessage(const KvbNodeInfo& info) : CKvbNode(info), name(info.name) {}

    void StoreFrame(const uint8_t* bytes, int length) override;
    const char16_t* Name() const override { return name.c_str(); }

private:
    std::u16string name;
};
