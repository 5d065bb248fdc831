#pragma once
#include <cstdint>

class CMessageNode;

// What the document tells its views.
enum UpdateHint : uint32_t {
    HINT_VALUES = 0x0001,
    HINT_EPOCH = 0x0002,
    HINT_MESSAGE = 0x0008,
    // With HINT_MESSAGE: the message came from the receiver's port, not from the host or a log.
    HINT_RECEIVED = 0x0010,
    HINT_REFRESH_DUE = 0x0100,
    HINT_FORCED = 0x0200,
    HINT_NEW_DOCUMENT = 0x0400,
};

class IDocumentObserver {
public:
    virtual ~IDocumentObserver() = default;
    // node is the message for HINT_MESSAGE, else null.
    virtual void OnUpdate(uint32_t hint, CMessageNode* node) = 0;
};
