#pragma once
// NMEA sentences for tests, checksummed here independently of the plug-in.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// "$" + body + "*hh\r\n".
inline std::string NmeaTestSentence(const std::string& body) {
    unsigned sum = 0;
    for (char c : body) sum ^= static_cast<uint8_t>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

inline std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }
