#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

// The most recent 4 MiB of the stream, kept at all times so that a recording can start with what
// happened just before the user pressed Record. Allocated once; appending never allocates.
class CHistoryRing {
public:
    static constexpr size_t kCapacity = 4194304;

    // The content oldest byte first, in at most two pieces.
    struct Pieces {
        std::span<const uint8_t> older;
        std::span<const uint8_t> newer;
    };

    CHistoryRing();

    void Append(const uint8_t* bytes, size_t length);
    size_t Fill() const { return fill; }
    Pieces Contents() const;

private:
    std::unique_ptr<uint8_t[]> buffer;
    size_t writeIndex = 0;
    size_t fill = 0;
};
