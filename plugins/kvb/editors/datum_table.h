#pragma once
#include <cstddef>
#include <string_view>

// The receiver's predefined datums by number: each a short code of at most five characters in a
// slot of six, the code and its terminating zero. The datums' parameters are the receiver's.
inline constexpr size_t kDatumCount = 216;
inline constexpr size_t kDatumCodeSlot = 6;

extern const char16_t kDatumCodes[kDatumCount][kDatumCodeSlot];

// The code of a datum number; empty for a number the table does not hold.
std::u16string_view DatumCode(size_t number);
