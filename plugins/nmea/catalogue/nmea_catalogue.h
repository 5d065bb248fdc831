#pragma once

class CMessageNode;

// Adds the sentence nodes under the NMEA protocol root: the known sentences sorted by label,
// then, in the trailing section, the Unknown node that takes every other sentence and the
// Custom node for sentences typed in by hand.
void PopulateNmeaTree(CMessageNode& root);

#include <cstdint>

// A node for a standard sentence of a satellite talker that has none under the root yet, named as
// the sentence is addressed ("GNRMC"); null for any other sentence.
CMessageNode* NewTalkerNode(const CMessageNode& root, const uint8_t* bytes, int length);
