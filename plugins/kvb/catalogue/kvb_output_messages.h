#pragma once
#include <array>
#include <cstdint>
#include <string>

// An output of the receiver whose rate CFG-MSG sets.
struct KvbOutputMessage {
    uint8_t messageClass;
    uint8_t id;
    const char16_t* className;
    // Null for the outputs that carry a single name (the NMEA sentences).
    const char16_t* messageName;
    // Listed and polled without extended mode too.
    bool basic;

    // "NAV-SOL", or the single name.
    std::u16string Name() const;
};

// In the order in which the CFG-MSG page lists them and the configuration poll steps through them.
extern const std::array<KvbOutputMessage, 70> kKvbOutputMessages;
