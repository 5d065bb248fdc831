#pragma once
#include <cstdint>

#include "shared/satellite_mask.h"

// Per-satellite data lives in slots, one per satellite of every system. The receiver's own
// protocol knows slots 0-51: satellites 1-32 in slots 0-31, SBAS satellites 120-138 in slots
// 32-50, satellite 209 in slot 51. The other systems follow, by their numbers across systems
// (shared/satellite_systems.h): SBAS 139-158, GLONASS 65-96, Galileo 301-336, BeiDou 401-463,
// QZSS 193-202, NavIC 501-514. Bit i of a satellite mask stands for slot i.
namespace satellite_slot_detail {

struct SlotRange {
    int firstSlot;
    int firstNumber;  // the number across systems of the first slot
    int count;
};

// clang-format off
inline constexpr SlotRange kSlotRanges[] = {
    {  0,   1, 32}, { 32, 120, 19}, { 51, 209,  1},
    { 52, 139, 20}, { 72,  65, 32}, {104, 301, 36}, {140, 401, 63}, {203, 193, 10}, {213, 501, 14},
};
// clang-format on

}  // namespace satellite_slot_detail

constexpr int kGpsSbasSlots = 52;
constexpr int kSatelliteSlots = 227;
inline constexpr SatelliteMask kAllSatellitesMask = SatelliteMask::FirstSlots(kSatelliteSlots);
static_assert(kSatelliteSlots <= SatelliteMask::kBits);

// The slot of a satellite in the receiver's own numbering (GPS and SBAS, slots 0-51), or -1 when
// it has none.
constexpr int SatelliteSlot(int number) {
    if (number >= 1 && number <= 32) return number - 1;
    if (number >= 120 && number <= 138) return number - 120 + 32;
    if (number == 209) return 51;
    return -1;
}

// The slot of a satellite by its number across systems, or -1 when it has none.
constexpr int SatelliteSlotAcrossSystems(int number) {
    for (const satellite_slot_detail::SlotRange& range : satellite_slot_detail::kSlotRanges)
        if (number >= range.firstNumber && number < range.firstNumber + range.count)
            return range.firstSlot + number - range.firstNumber;
    return -1;
}

// Satellites 33 to 64 in NMEA numbering are the SBAS satellites 120 to 151.
constexpr int SatelliteNumberOfNmea(int nmeaNumber) {
    return nmeaNumber >= 33 && nmeaNumber <= 64 ? nmeaNumber + 87 : nmeaNumber;
}

// The satellite number shown for a slot (across systems), or 0 outside the slots.
constexpr int SatelliteNumber(int slot) {
    for (const satellite_slot_detail::SlotRange& range : satellite_slot_detail::kSlotRanges)
        if (slot >= range.firstSlot && slot < range.firstSlot + range.count)
            return range.firstNumber + slot - range.firstSlot;
    return 0;
}

// Identifier of per-satellite database item k (1..15) of a slot: 0xD000 to 0xDE2F.
constexpr uint16_t SatelliteItemId(int slot, int item) {
    return static_cast<uint16_t>(0xD000 | (slot << 4) | item);
}
static_assert(SatelliteItemId(kSatelliteSlots - 1, 15) <= 0xDFFF);

constexpr bool IsSatelliteItemId(uint16_t id) { return id >= 0xD000 && ((id - 0xD000) >> 4) < kSatelliteSlots; }
constexpr int SatelliteItemOf(uint16_t id) { return id & 0xF; }
constexpr int SatelliteSlotOfItem(uint16_t id) { return (id - 0xD000) >> 4; }
