#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/sim/sim_epoch.h"

// The simulated receiver's NMEA output, written from the truth of an epoch. Sentences are
// numbered as CFG-MSG numbers them in the class 0xF0: GGA 0, GLL 1, GSA 2, GSV 3, RMC 4, VTG 5,
// GRS 6, GST 7, ZDA 8, GBS 9, DTM 10.

// The sentence (all pages of GSV) for the epoch; false for a number the receiver does not output.
bool AppendNmeaSentence(uint8_t id, const SimEpoch& epoch, std::vector<uint8_t>& out);
// The number of a sentence formatter ("GGA"), or -1.
int NmeaSentenceId(std::string_view formatter);
// The proprietary sentence "$PKVB,nn,..." with that number (class 0xF1 for CFG-MSG); false for
// one the receiver does not output: it writes 00 (position), 03 (satellites) and 04 (time).
bool AppendPkvbSentence(uint8_t number, const SimEpoch& epoch, std::vector<uint8_t>& out);
// The number of a proprietary sentence from its two digits ("03"), or -1.
int PkvbSentenceNumber(std::string_view digits);
// A GPTXT notice.
void AppendNmeaNotice(std::string_view text, std::vector<uint8_t>& out);
