#include "plugins/kvb/catalogue/cfg_msg_message.h"

#include <algorithm>

#include "plugins/kvb/catalogue/kvb_output_messages.h"
#include "plugins/kvb/catalogue/kvb_plugin.h"

namespace {

void CopyNameIfItFits(const std::u16string& name, char16_t* nameBuffer, int nameCapacity) {
    if (!nameBuffer || static_cast<int>(name.size()) >= nameCapacity) return;
    std::copy(name.begin(), name.end(), nameBuffer);
    nameBuffer[name.size()] = u'\0';
}

}  // namespace

int CCfgMsgMessage::BuildPollIfSupported(uint8_t* buffer, int capacity, int& outLength, char16_t* nameBuffer,
                                         int nameCapacity, int index) {
    const int steps = static_cast<int>(kKvbOutputMessages.size());
    outLength = 0;
    if (index < 0 || index >= steps) return 0;
    const int following = steps - 1 - index;
    const KvbOutputMessage& output = kKvbOutputMessages[static_cast<size_t>(index)];
    const bool extended = KvbExtendedMode();
    if (!output.basic && !extended) return following;

    const uint8_t payload[] = {output.messageClass, output.id};
    KvbBuildPollStep(Message().messageClass, Message().id, payload, buffer, capacity, outLength);
    if (extended && outLength > 0) CopyNameIfItFits(output.Name(), nameBuffer, nameCapacity);
    return following;
}
