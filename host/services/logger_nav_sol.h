#pragma once
#include <array>
#include <cstdint>
#include <span>

// A record of the receiver's data logger: a 4-byte header (byte 2: the record's position in its
// batch), speed and fix (16 bits: km/h in bits 0-9, differential in bit 10, fix class 0 to 3 in
// bits 11-12), GPS week (16 bits, signed, perhaps reduced modulo 1024), time of week (32 bits,
// s), ECEF X, Y and Z (32 bits each, signed, m); little-endian.
inline constexpr int kLoggerRecordBytes = 24;
inline constexpr int kLoggerRecordPositionAt = 2;
inline constexpr int kNavSolPayloadBytes = 52;
using LoggerRecord = std::span<const uint8_t, kLoggerRecordBytes>;
using NavSolPayload = std::array<uint8_t, kNavSolPayloadBytes>;

// Turns the logger's records, one after another, into the payloads of NAV-SOL messages: the fix
// class stands for a fix, accuracies, a dilution and a number of satellites, the week is made
// whole again, and the velocity follows the direction from the previous record when that one is
// recent enough.
class CLoggerNavSol {
public:
    NavSolPayload Convert(LoggerRecord record);

private:
    // The payload converted last; all zeros before the first.
    NavSolPayload previous{};
};
