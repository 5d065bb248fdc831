#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "shared/frame_check.h"

class CProtocolRoot;

// One loaded protocol: its name, its recogniser and the root of its message tree.
struct ProtocolEntry {
    std::u16string name;
    FrameCheckFn check;
    CProtocolRoot* root;
};

// What the splitter lends its reader for one hand-off: the bytes of one frame (or of a run of
// unrecognised bytes, protocol null) inside the splitter's buffer. Valid until the next call.
struct FrameRecord {
    const ProtocolEntry* protocol;
    const uint8_t* bytes;
    int32_t length;
};

// Cuts a byte stream into frames with the registered recognisers, tried in registration order at
// every position. Bytes that no recogniser claims are handed out too, never dropped; a recogniser
// that keeps asking for more cannot hold the stream once the buffer is full.
class CFrameSplitter {
public:
    static constexpr int kCapacity = 4096;

    CFrameSplitter();

    void AddProtocol(const ProtocolEntry* protocol, FrameCheckFn check);
    void Compact();
    int FreeSpace() const { return kCapacity - fill; }
    uint8_t* WritePointer() { return buffer.data() + fill; }
    // After writing n bytes at WritePointer.
    void CommitWrite(int n);
    bool NextFrame(FrameRecord& record);
    void Clear();
    // Hands out the bytes not yet handed out and empties the buffer.
    void TakeAll(const uint8_t*& bytes, int& length);

    // Copies as many of bytes as fit behind the buffered ones (compacting first); returns how many.
    int Write(const uint8_t* bytes, int length);

private:
    struct Recogniser {
        const ProtocolEntry* protocol;
        FrameCheckFn check;
    };

    bool HandOut(FrameRecord& record, const ProtocolEntry* protocol, int start, int length);

    std::vector<Recogniser> recognisers;
    std::vector<uint8_t> buffer;
    int fill = 0;
    int consumed = 0;
};

// Pushes a whole block of bytes through the splitter as a reader would: fill, drain, repeat.
// Every record is handed to handler; bytes that remain incomplete stay buffered for the next call.
template <typename Handler>
void FeedStream(CFrameSplitter& splitter, const uint8_t* bytes, size_t length, Handler&& handler) {
    FrameRecord record;
    size_t offset = 0;
    do {
        offset += static_cast<size_t>(splitter.Write(
            bytes + offset, static_cast<int>(std::min<size_t>(length - offset, CFrameSplitter::kCapacity))));
        while (splitter.NextFrame(record)) handler(record);
    } while (offset < length);
}
