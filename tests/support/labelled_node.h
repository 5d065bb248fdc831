#pragma once
#include <string>

#include "shared/message_node.h"

// A node with a fixed label and own mask that accepts frames whose first byte matches, for
// building trees by hand.
class CLabelledNode : public CMessageNode {
public:
    explicit CLabelledNode(std::u16string label, uint32_t ownMask = MASK_ORDINARY, int firstByte = -1)
        : label(std::move(label)), ownMask(ownMask), firstByte(firstByte) {}

    bool Accept(const uint8_t* bytes, int length) override {
        return firstByte < 0 || (length > 0 && bytes[0] == firstByte);
    }
    ModuleHandle ResourceModule() const override { return nullptr; }
    const char16_t* Label() const override { return label.c_str(); }
    const char16_t* Description() const override { return label.c_str(); }
    const char16_t* Name() const override { return label.c_str(); }
    uint32_t OwnMask() const override { return ownMask; }

private:
    std::u16string label;
    uint32_t ownMask;
    int firstByte;
};
