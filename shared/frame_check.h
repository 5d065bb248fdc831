#pragma once
#include <cstdint>

// A protocol's frame recogniser, called at each candidate position of a stream buffer with the
// number of bytes available from there. It answers -1 when a frame of its protocol may start
// here but more bytes are needed, 0 when none starts here, and n > 0 for a complete, valid frame
// of n bytes. It must never read past count bytes and must not touch shared state: the port and
// log threads call it concurrently.
using FrameCheckFn = int (*)(const uint8_t* bytes, int32_t count);
