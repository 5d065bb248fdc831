#include "receiver_commands.h"

#include "host/core/intake/veltro_doc.h"
#include "platform/text.h"
#include "shared/memory_page.h"

namespace {

constexpr int kCommandCapacity = 64;

CMessageNode* FindMessage(CVeltroDoc& document, const std::string& name) {
    const std::u16string wide = platform::Utf8ToWide(name);
    for (const auto& protocol : document.Plugins().Protocols())
        if (CMessageNode* node = document.FindNodeByProtocol(protocol->name.c_str(), wide.c_str(), nullptr))
            return node;
    return nullptr;
}

bool BuildPoll(CMessageNode& node, std::vector<uint8_t>& bytes) {
    CMemoryPage page;
    int length = 0;
    if (node.BuildPoll(page, bytes.data(), length, kCommandCapacity) <= 0) return false;
    bytes.resize(static_cast<size_t>(length));
    return true;
}

bool BuildSwitch(CMessageNode& node, bool enable, std::vector<uint8_t>& bytes) {
    int length = 0;
    if (!node.BuildRateCommand(enable, bytes.data(), length, kCommandCapacity) || length <= 0) return false;
    bytes.resize(static_cast<size_t>(length));
    return true;
}

}  // namespace

bool BuildReceiverCommands(CVeltroDoc& document, const SendOptions& send, std::vector<ReceiverCommand>& commands,
                           std::string& badName) {
    auto add = [&](const std::string& name, auto build) {
        CMessageNode* node = FindMessage(document, name);
        std::vector<uint8_t> bytes(kCommandCapacity);
        if (!node || !build(*node, bytes)) {
            badName = name;
            return false;
        }
        commands.push_back({node, std::move(bytes)});
        return true;
    };
    for (const std::string& name : send.polls)
        if (!add(name, BuildPoll)) return false;
    for (const std::string& name : send.enable)
        if (!add(name, [](CMessageNode& node, auto& bytes) { return BuildSwitch(node, true, bytes); })) return false;
    for (const std::string& name : send.disable)
        if (!add(name, [](CMessageNode& node, auto& bytes) { return BuildSwitch(node, false, bytes); })) return false;
    return true;
}
