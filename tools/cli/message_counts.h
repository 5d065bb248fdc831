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
    // One line per node, by its path in the message tree, then the unrecognised bytes.
    void Print(std::FILE* out) const;

private:
    CVeltroDoc& document;
    std::map<std::u16string, uint64_t> counts;
    uint64_t unrecognisedBytes = 0;
};
