#include "frame_splitter.h"

#include <algorithm>
#include <cstring>

CFrameSplitter::CFrameSplitter() : buffer(kCapacity) {}

void CFrameSplitter::AddProtocol(const ProtocolEntry* protocol, FrameCheckFn check) {
    if (check) recognisers.push_back({protocol, check});
}

void CFrameSplitter::Compact() {
    if (consumed == 0) return;
    std::memmove(buffer.data(), buffer.data() + consumed, static_cast<size_t>(fill - consumed));
    fill -= consumed;
    consumed = 0;
}

void CFrameSplitter::CommitWrite(int n) { fill = std::clamp(fill + n, fill, kCapacity); }

int CFrameSplitter::Write(const uint8_t* bytes, int length) {
    Compact();
    const int n = std::min(length, FreeSpace());
    if (n > 0) std::memcpy(WritePointer(), bytes, static_cast<size_t>(n));
    CommitWrite(n);
    return n;
}

void CFrameSplitter::Clear() { fill = consumed = 0; }

void CFrameSplitter::TakeAll(const uint8_t*& bytes, int& length) {
    bytes = buffer.data() + consumed;
    length = fill - consumed;
    fill = consumed = 0;
}

bool CFrameSplitter::HandOut(FrameRecord& record, const ProtocolEntry* protocol, int start, int length) {
    record = FrameRecord{protocol, buffer.data() + start, length};
    consumed = start + length;
    return true;
}

bool CFrameSplitter::NextFrame(FrameRecord& record) {
    for (int pos = consumed; pos < fill; ++pos) {
        for (const Recogniser& recogniser : recognisers) {
            const int result = recogniser.check(buffer.data() + pos, fill - pos);
            if (result == 0) continue;
            if (result > 0) {
                const int length = std::min(result, fill - pos);  // never trust a recogniser past the buffer
                if (pos > consumed) return HandOut(record, nullptr, consumed, pos - consumed);
                return HandOut(record, recogniser.protocol, pos, length);
            }
            // Incomplete: wait for more bytes, unless the buffer is full and nothing went out yet.
            if (consumed > 0 || fill < kCapacity) return false;
            if (pos > 0) return HandOut(record, nullptr, 0, pos);
            // A frame that cannot complete at the very start of a full buffer: scan on.
        }
    }
    if (consumed == 0 && fill == kCapacity) {
        record = FrameRecord{nullptr, buffer.data(), fill};
        fill = consumed = 0;
        return true;
    }
    return false;
}
