#include "plugins/kvb/catalogue/kvb_tree.h"

#include <new>

#include "plugins/kvb/catalogue/kvb_catalogue.h"
#include "plugins/kvb/catalogue/kvb_pseudo_message.h"

namespace {

// A node that cannot be allocated is left out; AddChild ignores null.
CMessageNode* CreateMessage(const KvbMessageInfo& message) {
    return message.create ? message.create(message) : MakeKvbMessage<CKvbMessage>(message);
}

CMessageNode* CreateClassNode(const KvbClassInfo& info) {
    CKvbClassNode* classNode = info.create ? info.create(info) : MakeKvbClassNode<CKvbClassNode>(info);
    if (!classNode) return nullptr;
    for (const KvbMessageInfo& message : kKvbMessages)
        if (message.messageClass == info.messageClass) classNode->AddChild(CreateMessage(message), true, false);
    return classNode;
}

}  // namespace

void PopulateKvbTree(CMessageNode& root) {
    for (const KvbClassInfo& info : kKvbClasses) root.AddChild(CreateClassNode(info), true, false);
    root.AddChild(new (std::nothrow) CKvbPseudoMessage(kKvbUnknownMessage), true, true);
    root.AddChild(new (std::nothrow) CKvbPseudoMessage(kKvbCustomMessage), false, true);
}

void PopulatePkvbTree(CMessageNode& root) {
    auto* classNode = new (std::nothrow) CPkvbClassNode(kPkvbClass);
    if (!classNode) return;
    for (const PkvbSentenceInfo& sentence : kPkvbSentences) classNode->AddChild(sentence.create(sentence), true, false);
    root.AddChild(classNode, true, false);
}
