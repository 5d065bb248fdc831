#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The datum of the receiver as it answers a poll of CFG-DAT: the datum's number, its code in six
// characters, then the user form (ellipsoid, shifts, rotations, scale). The simulator computes in
// WGS84 alone, so of the predefined datums only WGS84 comes with its parameters; the others with
// zeros. A user datum is reported with number 0xFFFF and code "USER".
inline constexpr uint8_t kSimDatumId = 0x06;
inline constexpr size_t kSimDatumAnswerLength = 52;

std::vector<uint8_t> SimWgs84Datum();
// What a CFG-DAT payload of the host sets: a datum number below 216 (2 bytes) or a user datum
// (44 bytes); nothing for any other payload.
std::optional<std::vector<uint8_t>> SimDatumAnswer(std::span<const uint8_t> payload);
