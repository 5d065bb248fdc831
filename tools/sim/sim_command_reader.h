#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// What the host sends, cut into KVB frames and NMEA sentences with the protocols' recognisers;
// bytes that belong to neither are dropped, as a receiver drops line noise.
class CSimCommandReader {
public:
    struct Command {
        bool isKvb;
        std::vector<uint8_t> bytes;
    };

    void Feed(const uint8_t* bytes, size_t length);
    // The next complete command; false when more bytes are needed.
    bool Next(Command& command);

private:
    // A frame that keeps asking for more cannot stall the input beyond the longest frame.
    static constexpr size_t kMaxPending = 8200;

    std::vector<uint8_t> pending;
};
