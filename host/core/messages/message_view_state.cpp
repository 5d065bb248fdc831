#include "message_view_state.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kHold = 0;
constexpr size_t kAutoPoll = 1;
constexpr size_t kSelected = 2;
constexpr size_t kProtocol = 4;
constexpr size_t kProtocolUnits = 32;
constexpr size_t kMessage = kProtocol + 2 * kProtocolUnits;
constexpr size_t kMessageUnits = 28;
constexpr size_t kScrollX = kMessage + 2 * kMessageUnits;
constexpr size_t kScrollY = kScrollX + 4;
static_assert(kScrollY + 4 + 4 == MessageViewState::kSize);

// Keeps room for the terminating zero.
void PutName(uint8_t* field, size_t units, const std::u16string& name) {
    const size_t count = std::min(name.size(), units - 1);
    for (size_t i = 0; i < count; ++i) {
        field[2 * i] = static_cast<uint8_t>(name[i]);
        field[2 * i + 1] = static_cast<uint8_t>(name[i] >> 8);
    }
}

std::u16string TakeName(const uint8_t* field, size_t units) {
    std::u16string name;
    for (size_t i = 0; i < units; ++i) {
        const auto unit = static_cast<char16_t>(field[2 * i] | field[2 * i + 1] << 8);
        if (unit == 0) break;
        name.push_back(unit);
    }
    return name;
}

void PutInt(uint8_t* at, int32_t value) { std::memcpy(at, &value, sizeof value); }

int32_t TakeInt(const uint8_t* at) {
    int32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

}  // namespace

std::array<uint8_t, MessageViewState::kSize> MessageViewState::Encode() const {
    std::array<uint8_t, kSize> block{};
    block[kHold] = hold;
    block[kAutoPoll] = autoPoll;
    block[kSelected] = !message.empty();
    PutName(&block[kProtocol], kProtocolUnits, protocol);
    PutName(&block[kMessage], kMessageUnits, message);
    PutInt(&block[kScrollX], scrollX);
    PutInt(&block[kScrollY], scrollY);
    return block;
}

MessageViewState MessageViewState::Decode(std::span<const uint8_t, kSize> block) {
    MessageViewState state;
    state.hold = block[kHold] != 0;
    state.autoPoll = block[kAutoPoll] != 0;
    if (block[kSelected]) {
        state.protocol = TakeName(&block[kProtocol], kProtocolUnits);
        state.message = TakeName(&block[kMessage], kMessageUnits);
    }
    state.scrollX = TakeInt(&block[kScrollX]);
    state.scrollY = TakeInt(&block[kScrollY]);
    return state;
}
