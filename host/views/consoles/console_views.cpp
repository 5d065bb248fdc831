#include "host/views/consoles/console_views.h"

#include "host/views/view_classes.h"
#include "host/views/view_registry.h"
#include "shared/message_node.h"

namespace {

std::u16string_view OrEmpty(const char16_t* text) { return text ? text : u""; }

// A node's root link is the one its parent had when it was added, so a message added to its
// class before the class joined the tree names the class; the protocol is at the top.
const CMessageNode& ProtocolRootOf(const CMessageNode& node) {
    const CMessageNode* top = &node;
    while (top->Parent()) top = top->Parent();
    return *top;
}

}  // namespace

std::optional<std::u16string> CTextConsoleView::BuildEntry(CMessageNode& node) {
    const char16_t* text = node.Text();
    if (!text) return std::nullopt;
    return std::u16string(text);
}

std::optional<std::u16string> CBinaryConsoleView::BuildEntry(CMessageNode& node) {
    return console::HexDump({node.FrameBytes(), static_cast<size_t>(node.FrameLength())});
}

// A protocol root's label is the protocol's name; its own name is "???".
std::optional<std::u16string> CPacketConsoleView::BuildEntry(CMessageNode& node) {
    return console::PacketLine(OrEmpty(ProtocolRootOf(node).Label()), OrEmpty(node.Name()),
                               static_cast<unsigned>(node.FrameLength()), OrEmpty(node.Description()));
}

void RegisterConsoleViews(CViewRegistry& registry) {
    registry.Register(view_class::kPacketConsoleView, [] { return std::make_unique<CPacketConsoleView>(); });
    registry.Register(view_class::kBinaryConsoleView, [] { return std::make_unique<CBinaryConsoleView>(); });
    registry.Register(view_class::kTextConsoleView, [] { return std::make_unique<CTextConsoleView>(); });
}
