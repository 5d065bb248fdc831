#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>

// The message view's state block: hold, auto poll, the selected message by protocol and name,
// and the form's scroll position.
struct MessageViewState {
    static constexpr size_t kSize = 136;

    bool hold = false;
    bool autoPoll = true;
    std::u16string protocol;
    std::u16string message;
    int32_t scrollX = 0;
    int32_t scrollY = 0;

    std::array<uint8_t, kSize> Encode() const;
    // Names end at their first zero or at the end of their fields, whatever the block holds.
    static MessageViewState Decode(std::span<const uint8_t, kSize> block);
};
