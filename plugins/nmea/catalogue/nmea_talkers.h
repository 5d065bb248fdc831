#pragma once
#include <cstdint>

// The talkers of satellite receivers: GPS, GLONASS, Galileo, BeiDou (two spellings), QZSS (two
// spellings), NavIC and GN for a solution of several systems. Each talker's sentences have nodes of
// their own; sentences of other talkers keep to the GP nodes that take any talker, or end unknown.
inline constexpr char kSatelliteTalkers[][3] = {"GP", "GL", "GA", "GB", "BD", "GQ", "QZ", "GI", "GN"};

inline bool IsSatelliteTalker(char first, char second) {
    for (const char* talker : kSatelliteTalkers)
        if (talker[0] == first && talker[1] == second) return true;
    return false;
}
