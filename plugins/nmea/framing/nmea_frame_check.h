#pragma once
#include <cstdint>

// The recogniser of NMEA 0183 sentences: "$", address, comma-separated fields, an optional
// "*hh" checksum, ended by CR LF or a bare LF. A FrameCheckFn (-1 more bytes, 0 none, n found).
int NmeaCheckFrame(const uint8_t* bytes, int32_t count);

// The exclusive OR of the bytes that a checksum covers.
uint8_t NmeaChecksum(const uint8_t* bytes, int count);
