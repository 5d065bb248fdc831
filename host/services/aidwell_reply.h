#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// What the Aidwell server's reply header says of its body. Taken from untrusted bytes.
enum class AidwellContent { Missing, Binary, Text, Other };

struct AidwellReplyHeader {
    // The number after "Content-Length: "; nullopt without that header.
    std::optional<uint64_t> length;
    // After "Content-Type: ": "application/kvb" or "text/plain" in any letter case, at its start.
    AidwellContent content = AidwellContent::Missing;
};

AidwellReplyHeader ParseAidwellReplyHeader(std::string_view header);

// How many of the bytes left to forward go to the receiver next: one whole KVB message when they
// start with one (its sync bytes and at least 9 bytes), else all of them. Never more than there
// are, whatever a message's length field says.
size_t NextAidingPiece(std::span<const uint8_t> rest);
