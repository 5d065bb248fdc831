#pragma once
#include <array>
#include <bit>
#include <cstdint>

// A set of satellite slots, bit i for slot i, in four 64-bit words: room for every slot of every
// system. A value type without allocation; the word operations stay inline for the intake's sake.
class SatelliteMask {
public:
    static constexpr int kWords = 4;
    static constexpr int kBits = 64 * kWords;

    constexpr SatelliteMask() = default;
    // Slots 0 to 63, as the masks of the receiver's own protocol hold them.
    constexpr SatelliteMask(uint64_t low) : words{low} {}  // NOLINT(google-explicit-constructor)
    constexpr explicit SatelliteMask(const std::array<uint64_t, kWords>& words) : words(words) {}

    // The first count slots.
    static constexpr SatelliteMask FirstSlots(int count) {
        SatelliteMask mask;
        for (int word = 0; word < kWords; ++word) {
            const int bits = count - 64 * word;
            mask.words[word] = bits >= 64 ? ~uint64_t{0} : bits > 0 ? (uint64_t{1} << bits) - 1 : 0;
        }
        return mask;
    }

    // Slots outside the mask are ignored. Unsigned, a negative slot fails the one bound check.
    constexpr void Set(int slot) {
        const auto bit = static_cast<unsigned>(slot);
        if (bit < kBits) words[bit / 64] |= uint64_t{1} << (bit % 64);
    }
    constexpr bool Test(int slot) const {
        const auto bit = static_cast<unsigned>(slot);
        return bit < kBits && (words[bit / 64] >> (bit % 64) & 1) != 0;
    }
    constexpr int Count() const {
        int count = 0;
        for (uint64_t word : words) count += std::popcount(word);
        return count;
    }
    constexpr bool Any() const {
        for (uint64_t word : words)
            if (word != 0) return true;
        return false;
    }
    constexpr uint64_t Word(int index) const { return words[index]; }
    // Calls visit(slot) for every slot in the mask, lowest first.
    template <typename Visit>
    constexpr void ForEachSlot(Visit visit) const {
        for (int word = 0; word < kWords; ++word)
            for (uint64_t bits = words[word]; bits != 0; bits &= bits - 1) visit(64 * word + std::countr_zero(bits));
    }

    constexpr SatelliteMask& operator|=(const SatelliteMask& other) {
        for (int word = 0; word < kWords; ++word) words[word] |= other.words[word];
        return *this;
    }
    constexpr SatelliteMask& operator&=(const SatelliteMask& other) {
        for (int word = 0; word < kWords; ++word) words[word] &= other.words[word];
        return *this;
    }
    friend constexpr SatelliteMask operator|(SatelliteMask a, const SatelliteMask& b) { return a |= b; }
    friend constexpr SatelliteMask operator&(SatelliteMask a, const SatelliteMask& b) { return a &= b; }
    constexpr bool operator==(const SatelliteMask&) const = default;

private:
    std::array<uint64_t, kWords> words{};
};
