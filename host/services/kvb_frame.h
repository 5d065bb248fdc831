#pragma once
#include <cstdint>

class CMainFrameLogic;

// The host's own KVB frames (the plug-in builds those of its messages): sync bytes A4 51, class,
// id, 16-bit little-endian payload length, payload, and the two Fletcher checksum bytes over
// class, id, length and payload.
inline constexpr int kKvbFrameExtraBytes = 8;

// Writes the frame into buffer, which must hold length + 8 bytes; returns the frame's length. A
// length that no frame can have (negative, or above 65535) writes nothing and gives 0.
int BuildKvbFrame(uint8_t* buffer, uint8_t messageClass, uint8_t id, const uint8_t* payload, int length);

// Builds the frame in a buffer of its own and hands it to the frame's send path; false unless
// every byte went out.
bool SendKvbMessage(CMainFrameLogic& frame, uint8_t messageClass, uint8_t id, const uint8_t* payload, int length);
