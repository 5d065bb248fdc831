#pragma once
#include <cstdint>

// A satellite is a system and its number within the system. One number a satellite across every
// system (the numbering that receivers with the talker GN use, and the channel table and the
// views): GPS 1-32, SBAS 120-158, GLONASS 65-96, QZSS 193-202, Galileo 301-336, BeiDou 401-463,
// NavIC 501-514.
enum class SatelliteSystem : uint8_t { None, Gps, Sbas, Glonass, Galileo, BeiDou, Qzss, Navic };

struct SatelliteId {
    SatelliteSystem system = SatelliteSystem::None;
    int number = 0;  // within the system; SBAS satellites by their PRN 120-158
};

namespace satellite_detail {

struct SystemRange {
    SatelliteSystem system;
    int first;  // first number within the system
    int last;
    int offset;  // the number across systems less the one within
};

// clang-format off
inline constexpr SystemRange kRanges[] = {
    {SatelliteSystem::Gps,      1,  32,   0},
    {SatelliteSystem::Sbas,   120, 158,   0},
    {SatelliteSystem::Glonass,  1,  32,  64},
    {SatelliteSystem::Qzss,     1,  10, 192},
    {SatelliteSystem::Galileo,  1,  36, 300},
    {SatelliteSystem::BeiDou,   1,  63, 400},
    {SatelliteSystem::Navic,    1,  14, 500},
};
// clang-format on

constexpr SatelliteId InRange(SatelliteSystem system, int number) {
    for (const SystemRange& range : kRanges)
        if (range.system == system && number >= range.first && number <= range.last) return {system, number};
    return {};
}

}  // namespace satellite_detail

// The number across systems of a satellite; 0 for none.
constexpr int SatelliteNumberAcrossSystems(SatelliteId id) {
    for (const satellite_detail::SystemRange& range : satellite_detail::kRanges)
        if (range.system == id.system && id.number >= range.first && id.number <= range.last)
            return id.number + range.offset;
    return 0;
}

// The satellite of a number across systems (as the talker GN numbers); SBAS also as NMEA's 33-64.
constexpr SatelliteId SatelliteOfNumberAcrossSystems(int number) {
    using satellite_detail::InRange;
    if (number >= 33 && number <= 64) return InRange(SatelliteSystem::Sbas, number + 87);
    for (const satellite_detail::SystemRange& range : satellite_detail::kRanges)
        if (number >= range.first + range.offset && number <= range.last + range.offset)
            return {range.system, number - range.offset};
    return {};
}

// NMEA 4.10 system identifiers (GSA field 18): 1 GPS, 2 GLONASS, 3 Galileo, 4 BeiDou, 5 QZSS, 6 NavIC.
constexpr SatelliteSystem SystemOfNmeaId(int systemId) {
    constexpr SatelliteSystem kSystems[] = {SatelliteSystem::Gps,    SatelliteSystem::Glonass, SatelliteSystem::Galileo,
                                            SatelliteSystem::BeiDou, SatelliteSystem::Qzss,    SatelliteSystem::Navic};
    return systemId >= 1 && systemId <= 6 ? kSystems[systemId - 1] : SatelliteSystem::None;
}

// The system whose satellites a talker reports; None for GN and any other talker, whose numbers
// count across systems.
constexpr SatelliteSystem SystemOfTalker(char first, char second) {
    if (first == 'G' && second == 'P') return SatelliteSystem::Gps;
    if (first == 'G' && second == 'L') return SatelliteSystem::Glonass;
    if (first == 'G' && second == 'A') return SatelliteSystem::Galileo;
    if ((first == 'G' && second == 'B') || (first == 'B' && second == 'D')) return SatelliteSystem::BeiDou;
    if ((first == 'G' && second == 'Q') || (first == 'Q' && second == 'Z')) return SatelliteSystem::Qzss;
    if (first == 'G' && second == 'I') return SatelliteSystem::Navic;
    return SatelliteSystem::None;
}

// The satellite of a number in a sentence of the given talker and, where the sentence names one,
// system. A system's own talker numbers within the system, but receivers also send the number
// across systems there (GLONASS 65-96, QZSS 193-202, Galileo 301-336, BeiDou 401-463), and SBAS
// satellites (33-64 or 120-158) appear among those of any system. GPS keeps every other number
// across systems, as GP sentences always did.
constexpr SatelliteId SatelliteOfNmea(char first, char second, int number, int systemId = 0) {
    SatelliteSystem system = SystemOfNmeaId(systemId);
    if (system == SatelliteSystem::None) system = SystemOfTalker(first, second);
    const SatelliteId across = SatelliteOfNumberAcrossSystems(number);
    if (system == SatelliteSystem::None || system == SatelliteSystem::Gps || across.system == SatelliteSystem::Sbas)
        return across;
    const SatelliteId own = satellite_detail::InRange(system, number);
    if (own.system != SatelliteSystem::None) return own;
    return across.system == system ? across : SatelliteId{};
}
