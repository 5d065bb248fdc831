#pragma once
#include <map>
#include <string>

#include "host/core/intake/document_observer.h"
#include "shared/message_node.h"

// Counts the messages the document reports, by node name.
class MessageCounter : public IDocumentObserver {
public:
    void OnUpdate(uint32_t hint, CMessageNode* node) override {
        if ((hint & HINT_MESSAGE) && node) ++counts[node->Name()];
    }
    int Count(const std::u16string& name) const {
        const auto found = counts.find(name);
        return found == counts.end() ? 0 : found->second;
    }
    const std::map<std::u16string, int>& Counts() const { return counts; }

private:
    std::map<std::u16string, int> counts;
};
