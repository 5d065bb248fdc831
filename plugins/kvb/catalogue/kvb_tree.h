#pragma once
#include "shared/message_node.h"

// Fills the root of the "KVB" protocol with the class nodes and their messages, then the Unknown
// and Custom pseudo-messages, which stay behind all others.
void PopulateKvbTree(CMessageNode& root);

// Fills the root of the "NMEA" protocol with the proprietary sentences: the PKVB node and its
// sentence nodes, in their sorted places among the standard sentences.
void PopulatePkvbTree(CMessageNode& root);
