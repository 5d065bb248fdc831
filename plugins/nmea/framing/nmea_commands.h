#pragma once
#include <cstdint>

class CMessageNode;

// The standard NMEA query for the node's sentence ("$EIGPQ,GGA*hh\r\n", 15 bytes). False, with
// nothing written, when the buffer is too small or the node's name is no sentence address.
bool NmeaBuildPoll(const CMessageNode& node, uint8_t* buffer, int& outLength, int bufferSize);

// The 11-byte KVB CFG-MSG frame that switches the periodic output of one standard sentence on or
// off. False, with nothing written, when the buffer holds fewer than 11 bytes.
bool NmeaBuildRateCommand(int messageId, bool enable, uint8_t* buffer, int& outLength, int capacity);
