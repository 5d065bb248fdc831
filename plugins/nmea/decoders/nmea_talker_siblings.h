#pragma once
#include <vector>

#include "shared/message_node.h"

// The nodes of one kind under a root, such as the GSA nodes of every talker. Talkers get their
// nodes as they first appear, so the list is gathered again whenever the root has gained a child.
template <typename Node>
class NmeaTalkerSiblings {
public:
    const std::vector<const Node*>& Under(const CMessageNode& root) const {
        if (&root != gatheredFrom || root.ChildCount() != childrenSeen) Gather(root);
        return nodes;
    }

private:
    void Gather(const CMessageNode& root) const {
        nodes.clear();
        for (auto position = root.GetFirstChild(); position;)
            if (const auto* node = dynamic_cast<const Node*>(root.GetNextChild(position))) nodes.push_back(node);
        gatheredFrom = &root;
        childrenSeen = root.ChildCount();
    }

    mutable std::vector<const Node*> nodes;
    mutable const CMessageNode* gatheredFrom = nullptr;
    mutable int childrenSeen = -1;
};
