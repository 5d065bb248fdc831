#pragma once
#include <cstdint>

// A small deterministic generator (SplitMix64): the same seed gives the same drive on every
// machine and standard library, so a run can be repeated and compared.
class CSimRandom {
public:
    explicit CSimRandom(uint64_t seed) : state(seed) {}

    uint64_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [low, high).
    double Uniform(double low, double high) { return low + (high - low) * static_cast<double>(Next() >> 11) * 0x1p-53; }

private:
    uint64_t state;
};
