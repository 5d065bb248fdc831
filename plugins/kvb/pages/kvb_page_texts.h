#pragma once
#include <cstdint>

// Texts that several pages show for the same receiver codes.

// gpsFix, taken modulo 6.
inline const char16_t* KvbFixTypeName(uint8_t gpsFix) {
    static constexpr const char16_t* kNames[] = {u"No Fix", u"DR Fix", u"2D Fix", u"3D Fix", u"3D+DR", u"TIME"};
    return kNames[gpsFix % 6];
}

// The kind of differential corrections, from two bits.
inline const char16_t* KvbCorrectionName(unsigned bits) {
    static constexpr const char16_t* kNames[] = {u"None", u"PR+PRR", u"PR+PRR+CP", u"PR+PRR+CP HiAcc"};
    return kNames[bits & 3];
}

inline const char16_t* KvbYesNo(bool yes) { return yes ? u"Yes" : u"No"; }
