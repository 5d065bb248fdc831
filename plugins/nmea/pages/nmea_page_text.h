#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// How the pages write what a sentence holds.

// The sentence's 8-bit text as the page's wide text.
std::u16string ShownText(std::string_view ansi);

// "12", or "40(=127)" for a number from 33 to 64, which stands for the SBAS satellite 87 higher.
std::u16string SatelliteText(int nmeaNumber);

// A stored sentence without its "$", its line end (CR LF or a bare LF) and the "*hh" before it;
// whether it carried that checksum.
struct NmeaSentenceBody {
    std::string_view text;
    bool hasChecksum;
};
NmeaSentenceBody SentenceBody(const uint8_t* bytes, int length);

// What follows the n-th comma; empty when there are fewer commas.
std::string_view TextAfterComma(std::string_view text, int n);
