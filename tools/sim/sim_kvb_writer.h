#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "tools/sim/sim_epoch.h"

// The simulated receiver's KVB output, written from the truth of an epoch in the receiver's units.

// A complete frame with the payload, appended to out.
void AppendKvbFrame(uint8_t messageClass, uint8_t id, std::span<const uint8_t> payload, std::vector<uint8_t>& out);
// The navigation message (class 0x01) with this id; false for one the receiver does not output.
bool AppendKvbNavMessage(uint8_t id, const SimEpoch& epoch, std::vector<uint8_t>& out);
// MON-VER: software and hardware version and one extension.
void AppendKvbMonVer(std::vector<uint8_t>& out);
// An information message (class INF) with the text, such as a notice (id 2).
void AppendKvbInformation(uint8_t id, std::string_view text, std::vector<uint8_t>& out);
