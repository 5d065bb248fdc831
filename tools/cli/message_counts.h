#pragma once
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "host/core/intake/document_observer.h"

class CVeltroDoc;

// How many frames reached each message node, and how many bytes no protocol claimed.
class CMessageCounts : public IDocumentObserver {
public:
    explicit CMessageCounts(CVeltroDoc& document);
    ~CMessageCounts() override;
    CMessageCounts(const CMessageCounts&) = delete;
    CMessageCounts& operator=(const CMessageCounts&) = delete;

    void OnUpdate(uint32_t hint, CMessageNode* node) override;
    // One line per node, in the order of its path in the message tree: the count, the name that
    // commands take ("NAV-SOL", "GPGGA") and the path of labels; then the unrecognised bytes.
    void Print(std::FILE* out) const;

private:
    CVeltroDoc& document;
    struct Count {
        std::u16string name;
        uint64_t frames = 0;
    };

    // By the node's path in the message tree.
    std::map<std::u16string, Count> counts;
    uint64_t unrecognisedBytes = 0;
};
