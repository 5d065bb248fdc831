#include <gtest/gtest.h>

#include <vector>

#include "tests/support/labelled_node.h"

namespace {

std::vector<std::u16string> ChildLabels(const CMessageNode& node) {
    std::vector<std::u16string> labels;
    for (auto position = node.GetFirstChild(); position;) labels.emplace_back(node.GetNextChild(position)->Label());
    return labels;
}

using Labels = std::vector<std::u16string>;

}  // namespace

TEST(MessageNode, SortedChildrenGoAfterEqualLabels) {
    CLabelledNode root(u"root");
    auto* firstB = new CLabelledNode(u"B");
    root.AddChild(firstB, true, false);
    root.AddChild(new CLabelledNode(u"A"), true, false);
    auto* secondB = new CLabelledNode(u"B");
    root.AddChild(secondB, true, false);
    EXPECT_EQ(ChildLabels(root), (Labels{u"A", u"B", u"B"}));
    auto position = root.GetFirstChild();
    root.GetNextChild(position);
    EXPECT_EQ(root.GetNextChild(position), firstB);
    EXPECT_EQ(secondB->Parent(), &root);
    EXPECT_EQ(secondB->Root(), &root);
    // A class built with its messages before it joins the tree: the messages join too.
    auto* classNode = new CLabelledNode(u"CFG");
    auto* message = new CLabelledNode(u"CFG-PRT");
    classNode->AddChild(message, true, false);
    root.AddChild(classNode, true, false);
    EXPECT_EQ(message->Root(), &root);
}

TEST(MessageNode, TrailingChildrenStayBehindTheSortedOnes) {
    CLabelledNode root(u"root");
    root.AddChild(new CLabelledNode(u"NAV"), true, false);
    root.AddChild(new CLabelledNode(u"??-?? (Unknown)"), true, true);
    root.AddChild(new CLabelledNode(u"??-?? (Custom)"), false, true);
    // Added after the trailing section exists, and sorting before it by label, yet kept ahead.
    root.AddChild(new CLabelledNode(u"CFG"), true, false);
    root.AddChild(new CLabelledNode(u"ZED"), true, false);
    EXPECT_EQ(ChildLabels(root), (Labels{u"CFG", u"NAV", u"ZED", u"??-?? (Unknown)", u"??-?? (Custom)"}));
    root.AddChild(new CLabelledNode(u"!!"), true, true);  // sorted into the trailing section: its new head
    root.AddChild(new CLabelledNode(u"MON"), false, false);
    EXPECT_EQ(ChildLabels(root),
              (Labels{u"CFG", u"NAV", u"ZED", u"MON", u"!!", u"??-?? (Unknown)", u"??-?? (Custom)"}));
}

TEST(MessageNode, FindTakesTheDeepestAcceptingNodeAndStoresTheFrameOnThePath) {
    CLabelledNode root(u"root", MASK_EXPERT);
    auto* group = new CLabelledNode(u"group", MASK_EXPERT, 'a');
    auto* leaf = new CLabelledNode(u"leaf", MASK_ORDINARY, 'a');
    auto* expert = new CLabelledNode(u"expert", MASK_EXPERT, 'b');
    group->AddChild(leaf, true, false);
    root.AddChild(group, true, false);
    root.AddChild(expert, true, false);

    const uint8_t frameA[] = {'a', 1};
    EXPECT_EQ(root.Find(frameA, 2, MASK_ORDINARY), leaf);
    EXPECT_EQ(group->FrameLength(), 2);
    EXPECT_EQ(root.FrameLength(), 2);
    EXPECT_EQ(expert->FrameLength(), 0);

    // The expert node is outside the mask: its frame ends in the nearest accepting ancestor.
    const uint8_t frameB[] = {'b'};
    EXPECT_EQ(root.Find(frameB, 1, MASK_ORDINARY | MASK_EXPERT), expert);
    EXPECT_EQ(root.Find(frameB, 1, MASK_ORDINARY), &root);
    EXPECT_EQ(root.Find(frameB, 1, MASK_LOGGING), nullptr);  // no node of the tree takes part
    root.AddChild(new CLabelledNode(u"catch-all", MASK_ORDINARY), false, true);
    EXPECT_EQ(root.Find(frameB, 1, MASK_ORDINARY)->Label(), std::u16string(u"catch-all"));
}

TEST(MessageNode, MasksReachEveryAncestor) {
    CLabelledNode root(u"root", 0);
    auto* group = new CLabelledNode(u"group", 0);
    root.AddChild(group, true, false);
    group->AddChild(new CLabelledNode(u"log", MASK_LOGGING), true, false);
    EXPECT_EQ(root.Mask(), MASK_LOGGING);
    EXPECT_EQ(root.RecomputeMask(), MASK_LOGGING);
}

TEST(MessageNode, FindChildSearchesDepthFirst) {
    CLabelledNode root(u"root");
    auto* group = new CLabelledNode(u"group");
    auto* deep = new CLabelledNode(u"deep");
    group->AddChild(deep, true, false);
    root.AddChild(group, true, false);
    EXPECT_EQ(root.FindChild(u"deep", nullptr), deep);
    EXPECT_EQ(root.FindChild(nullptr, nullptr), &root);
    EXPECT_EQ(root.FindChild(u"deep", u"other"), nullptr);
    EXPECT_EQ(root.FindChildByLabel(u"group"), group);
    EXPECT_EQ(root.FindChildByLabel(u"deep"), nullptr);
    EXPECT_TRUE(deep->IsDescendantOf(&root));
    EXPECT_FALSE(root.IsDescendantOf(deep));
}

TEST(MessageNode, TextFramesDropOneLineEndAndResetForgetsEverything) {
    CLabelledNode root(u"root");
    auto* child = new CLabelledNode(u"child");
    root.AddChild(child, true, false);
    const std::string sentence = "$GPTXT,caf\xe9\r\n\n";
    child->StoreTextFrame(reinterpret_cast<const uint8_t*>(sentence.data()), static_cast<int>(sentence.size()));
    EXPECT_EQ(std::u16string(child->Text()), u"$GPTXT,caf\u00e9\r\n");
    const std::string bare = "\r";
    child->StoreTextFrame(reinterpret_cast<const uint8_t*>(bare.data()), 1);
    EXPECT_EQ(std::u16string(child->Text()), u"");
    root.Reset();
    EXPECT_EQ(child->Text(), nullptr);
    EXPECT_EQ(child->FrameLength(), 0);
    EXPECT_EQ(child->LastReceiveTick(), 0u);
}
