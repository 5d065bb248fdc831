#pragma once
#include <cstdint>
#include <span>

#include "shared/message_node.h"

// A KVB frame: sync bytes A4 51, class, id, payload length N (16-bit little-endian), N payload
// bytes, then the two Fletcher checksum bytes CK_A and CK_B over class, id, length and payload.
constexpr uint8_t kKvbSync1 = 0xA4;
constexpr uint8_t kKvbSync2 = 0x51;
constexpr int kKvbHeaderLength = 6;
// Header and checksum: the length of a frame with an empty payload, such as a poll.
constexpr int kKvbFrameOverhead = 8;
constexpr int kKvbMaxPayload = 8192;

constexpr uint8_t kKvbClassNav = 0x01;
constexpr uint8_t kKvbClassInf = 0x04;
constexpr uint8_t kKvbClassCfg = 0x06;
constexpr uint8_t kKvbClassMon = 0x0A;
constexpr uint8_t kKvbIdCfgMsg = 0x01;

struct KvbChecksum {
    uint8_t a;
    uint8_t b;
};

KvbChecksum ComputeKvbChecksum(const uint8_t* bytes, int count);

// The recogniser the host runs at every candidate position (a FrameCheckFn): -1 when more bytes
// are needed, 0 when no KVB frame starts here, else the length of the complete, valid frame.
// Never reads past count; a wrong first byte is rejected after reading that byte alone.
int KvbCheckFrame(const uint8_t* bytes, int32_t count);

// Completes a frame whose payload already sits at offset 6: header, length field totalLength - 8
// and checksum. Returns the position just past the frame; a total length that no frame can have
// (below 8, or a payload beyond 65535 bytes) writes nothing and returns frame itself.
uint8_t* KvbWriteFrame(uint8_t messageClass, uint8_t id, uint8_t* frame, int totalLength);

// Writes a whole frame with the given payload. outLength is the frame's length in every case;
// false, with nothing written, when it exceeds the capacity.
bool KvbBuildFrame(uint8_t messageClass, uint8_t id, std::span<const uint8_t> payload, uint8_t* buffer, int& outLength,
                   int capacity);

// The poll of a message: its frame with an empty payload (8 bytes).
bool KvbBuildPoll(uint8_t messageClass, uint8_t id, uint8_t* buffer, int& outLength, int capacity);

// CFG-MSG switching a message's output on (rate 1) or off (rate 0); 11 bytes.
bool KvbBuildRateCommand(uint8_t messageClass, uint8_t id, bool enable, uint8_t* buffer, int& outLength, int capacity);

// One step of polling a configuration: outLength is the frame's length, or -1 when the buffer is
// too small for it.
void KvbBuildPollStep(uint8_t messageClass, uint8_t id, std::span<const uint8_t> payload, uint8_t* buffer, int capacity,
                      int& outLength);

// The poll of a node that only receivers with a matching capability (given to Configure) support:
// outLength -1 when the buffer is too small, 0 when the receiver lacks the capability, else 8.
// Returns the number of polls that follow, always 0.
int KvbBuildPollIfSupported(const CMessageNode& node, uint8_t messageClass, uint8_t id, uint8_t* buffer, int capacity,
                            int& outLength);

// Completes every frame of a send list with the class and id already at its offsets 2 and 3.
// Returns the number of records.
int KvbFinalizeFrames(std::span<SendRecord> sendList);
