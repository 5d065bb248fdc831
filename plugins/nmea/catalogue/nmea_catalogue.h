#pragma once

class CMessageNode;

// Adds the sentence nodes under the NMEA protocol root: the known sentences sorted by label,
// then, in the trailing section, the Unknown node that takes every other sentence and the
// Custom node for sentences typed in by hand.
void PopulateNmeaTree(CMessageNode& root);
