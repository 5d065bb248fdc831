#include "message_list.h"

#include <algorithm>
#include <set>

#include "host/core/intake/veltro_doc.h"
#include "host/core/messages/page_template.h"

namespace {

bool Enabled(const CMessageNode& node) { return (node.Mask() & MessageMask) != 0; }

bool IsRoot(const CMessageNode& node) { return node.Root() == &node; }

template <typename Visit>
void ForEachChild(const CMessageNode& node, Visit visit) {
    CMessageNode::Position position = node.GetFirstChild();
    while (position) visit(*node.GetNextChild(position));
}

template <typename Visit>
void ForEachDescendant(const CMessageNode& node, Visit visit) {
    ForEachChild(node, [&](CMessageNode& child) {
        visit(child);
        ForEachDescendant(child, visit);
    });
}

CMessageNode* FindClass(CMessageNode* root, std::u16string_view className) {
    CMessageNode* found = nullptr;
    if (root)
        ForEachChild(*root, [&](CMessageNode& child) {
            if (!found && child.Name() == className) found = &child;
        });
    return found;
}

void AddClassMessages(std::vector<CMessageNode*>& entries, CMessageNode* root, const char16_t* className) {
    CMessageNode* classNode = FindClass(root, className);
    if (!classNode) return;
    ForEachChild(*classNode, [&](CMessageNode& message) {
        if (Enabled(message)) entries.push_back(&message);
    });
}

void AddCustomMessage(std::vector<CMessageNode*>& entries, CMessageNode* root, const char16_t* name) {
    if (CMessageNode* custom = root ? root->FindChild(name, u"Custom") : nullptr) entries.push_back(custom);
}

void AddOtherPages(std::vector<CMessageNode*>& entries, CVeltroDoc& document) {
    std::set<const CMessageNode*> listed(entries.begin(), entries.end());
    const auto add = [&](CMessageNode& node) {
        if (Enabled(node) && PageTemplateOf(node) && !listed.contains(&node)) entries.push_back(&node);
    };
    for (const auto& protocol : document.Plugins().Protocols()) {
        add(*protocol->root);
        ForEachDescendant(*protocol->root, add);
    }
}

}  // namespace

std::vector<CMessageNode*> MessageListEntries(CVeltroDoc& document) {
    CPluginHost& plugins = document.Plugins();
    CMessageNode* kvb = plugins.RootOf(u"KVB");
    std::vector<CMessageNode*> entries;
    AddClassMessages(entries, kvb, u"CFG");
    AddClassMessages(entries, kvb, u"MON");
    AddCustomMessage(entries, plugins.RootOf(u"NMEA"), u"?????");
    AddCustomMessage(entries, kvb, u"??-??");
    entries.push_back(&plugins.CustomRoot());
    AddOtherPages(entries, document);
    return entries;
}

bool IsConfigurationMessage(const CMessageNode& node) {
    const CMessageNode* parent = node.Parent();
    return parent && parent->Name() == std::u16string_view(u"CFG") &&
           node.Root()->Label() == std::u16string_view(u"KVB");
}

std::u16string MessageName(const CMessageNode& node) { return IsRoot(node) ? node.Label() : node.Name(); }

std::u16string DisplayName(const CMessageNode& node) {
    if (IsRoot(node)) return node.Label();
    return std::u16string(node.Root()->Label()) + u" " + node.Name();
}

CMessageNode* FindMessage(CVeltroDoc& document, std::u16string_view protocol, std::u16string_view name) {
    for (CMessageNode* node : MessageListEntries(document))
        if (node->Root()->Label() == protocol && MessageName(*node) == name) return node;
    const std::u16string protocolText(protocol);
    const std::u16string nameText(name);
    return document.FindNodeByProtocol(protocolText.c_str(), nameText.c_str(), nullptr);
}

CMessageNode* FindMessageByName(CVeltroDoc& document, std::u16string_view name) {
    for (CMessageNode* node : MessageListEntries(document))
        if (MessageName(*node) == name) return node;
    CPluginHost& plugins = document.Plugins();
    const std::u16string text(name);
    for (const auto& protocol : plugins.Protocols())
        if (CMessageNode* node = protocol->root->FindChild(text.c_str(), nullptr)) return node;
    for (CMessageNode* root :
         {static_cast<CMessageNode*>(&plugins.CustomRoot()), static_cast<CMessageNode*>(&plugins.UnknownRoot())})
        if (root->Label() == name) return root;
    return nullptr;
}

std::vector<std::u16string> MessageNames(CVeltroDoc& document) {
    std::set<std::u16string> names{document.Plugins().CustomRoot().Label(), document.Plugins().UnknownRoot().Label()};
    for (const auto& protocol : document.Plugins().Protocols()) {
        if (PageTemplateOf(*protocol->root)) names.insert(MessageName(*protocol->root));
        ForEachDescendant(*protocol->root, [&](CMessageNode& node) { names.insert(node.Name()); });
    }
    return {names.begin(), names.end()};
}
