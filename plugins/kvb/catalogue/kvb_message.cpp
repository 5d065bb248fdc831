#include "plugins/kvb/catalogue/kvb_message.h"

#include "plugins/kvb/editors/kvb_editor.h"

bool CKvbMessage::Accept(const uint8_t* bytes, int length) {
    return length > 3 && bytes[2] == message.messageClass && bytes[3] == message.id &&
           message.length.Accepts(bytes, length);
}

int CKvbMessage::BuildPollIfSupported(uint8_t* buffer, int capacity, int& outLength, char16_t* nameBuffer,
                                      int nameCapacity, int index) {
    if (!message.pollSeries.empty()) return BuildSeriesPoll(buffer, capacity, outLength, index);
    if (message.PolledWithConfiguration())
        return KvbBuildPollIfSupported(*this, message.messageClass, message.id, buffer, capacity, outLength);
    return CKvbNode::BuildPollIfSupported(buffer, capacity, outLength, nameBuffer, nameCapacity, index);
}

int CKvbMessage::BuildSeriesPoll(uint8_t* buffer, int capacity, int& outLength, int index) const {
    const int steps = static_cast<int>(message.pollSeries.size());
    outLength = 0;
    if (index < 0 || index >= steps) return 0;
    KvbBuildPollStep(message.messageClass, message.id, message.pollSeries.subspan(index, 1), buffer, capacity,
                     outLength);
    return steps - 1 - index;
}

int CKvbMessage::BuildPoll(CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) {
    if (message.poll == KvbPoll::FromPage) return BuildPagePoll(page, buffer, outLength, capacity);
    if (message.poll != KvbPoll::Empty) return 0;
    return KvbBuildPoll(message.messageClass, message.id, buffer, outLength, capacity) ? outLength : 0;
}

bool CKvbMessage::BuildRateCommand(bool enable, uint8_t* buffer, int& outLength, int capacity) {
    return message.OffersRateCommand() &&
           KvbBuildRateCommand(message.messageClass, message.id, enable, buffer, outLength, capacity);
}

int CKvbMessage::BuildPagePoll(const CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) const {
    const CKvbEditor* editor = Editor();
    const std::optional<std::vector<uint8_t>> payload = editor ? editor->PollPayload(page) : std::nullopt;
    if (!payload) return 0;
    KvbBuildPollStep(message.messageClass, message.id, *payload, buffer, capacity, outLength);
    return outLength > 0 ? outLength : 0;
}
