#pragma once
#include <cstdint>

// Per-satellite data lives in 52 slots: satellites 1-32 in slots 0-31, SBAS satellites 120-138
// in slots 32-50, satellite 209 in slot 51. Bit i of a 64-bit satellite mask stands for slot i.
constexpr int kSatelliteSlots = 52;
constexpr uint64_t kAllSatellitesMask = (uint64_t{1} << kSatelliteSlots) - 1;

// The slot of a satellite number, or -1 when it has none.
constexpr int SatelliteSlot(int number) {
    if (number >= 1 && number <= 32) return number - 1;
    if (number >= 120 && number <= 138) return number - 120 + 32;
    if (number == 209) return 51;
    return -1;
}

// Satellites 33 to 64 in NMEA numbering are the SBAS satellites 120 to 151.
constexpr int SatelliteNumberOfNmea(int nmeaNumber) {
    return nmeaNumber >= 33 && nmeaNumber <= 64 ? nmeaNumber + 87 : nmeaNumber;
}

// The satellite number shown for a slot, or 0 outside 0..51.
constexpr int SatelliteNumber(int slot) {
    if (slot >= 0 && slot < 32) return slot + 1;
    if (slot >= 32 && slot < 51) return slot - 32 + 120;
    if (slot == 51) return 209;
    return 0;
}

// Identifier of per-satellite database item k (1..15) of a slot.
constexpr uint16_t SatelliteItemId(int slot, int item) {
    return static_cast<uint16_t>(0xD000 | (slot << 4) | item);
}
