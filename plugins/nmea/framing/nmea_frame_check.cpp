#include "plugins/nmea/framing/nmea_frame_check.h"

#include <array>
#include <cstring>

namespace {

constexpr int kTalkerGpLimit = 82;
constexpr int kOtherLimit = 512;

constexpr bool IsSentenceByte(uint8_t b) { return (b >= 0x20 && b <= 0x7E) || (b >= 0x09 && b <= 0x0D); }

// What each byte means to a sentence being scanned, looked up once per byte: the scan runs over
// every byte of the stream.
enum class ByteRole : uint8_t { Text, LineFeed, NoSentence };

constexpr std::array<ByteRole, 256> kByteRoles = [] {
    std::array<ByteRole, 256> roles{};
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<uint8_t>(b);
        roles[b] = byte == '\n'                             ? ByteRole::LineFeed
                   : byte == '$' || !IsSentenceByte(byte) ? ByteRole::NoSentence
                                                          : ByteRole::Text;
    }
    return roles;
}();

// Eight bytes at a time, where the scan spends nearly all of its time: whether all are text
// other than "$" (no control byte, so no line feed either). Each test is exact as to whether any
// byte matches, which is all the scan needs before it looks at bytes one by one.
constexpr uint64_t kEachByte = 0x0101010101010101;
constexpr uint64_t kHighBits = kEachByte * 0x80;

bool AllPlainText(uint64_t word) {
    const uint64_t below = (word - kEachByte * 0x20) & ~word;
    const uint64_t above = (word + kEachByte * (0x7F - 0x7E)) | word;
    const uint64_t dollars = word ^ (kEachByte * '$');
    const uint64_t dollar = (dollars - kEachByte) & ~dollars;
    return ((below | above | dollar) & kHighBits) == 0;
}

uint8_t FoldedXor(uint64_t word) {
    word ^= word >> 32;
    word ^= word >> 16;
    word ^= word >> 8;
    return static_cast<uint8_t>(word);
}

int HexValue(uint8_t b) {
    if (b >= '0' && b <= '9') return b - '0';
    if (b >= 'A' && b <= 'F') return b - 'A' + 10;
    if (b >= 'a' && b <= 'f') return b - 'a' + 10;
    return -1;
}

// The sentence ends with the line feed at index lineFeed; checks the optional checksum. sum is the
// XOR of every byte between "$" and the line feed, taken while looking for it.
int CheckTerminatedSentence(const uint8_t* b, int lineFeed, uint8_t sum) {
    const int marker = lineFeed - (b[lineFeed - 1] == '\r' ? 4 : 3);
    const int sentenceLength = lineFeed + 1;
    if (marker <= 0 || b[marker] != '*') return sentenceLength;
    const int high = HexValue(b[marker + 1]);
    const int low = HexValue(b[marker + 2]);
    if (high < 0 || low < 0) return 0;
    for (int i = marker; i < lineFeed; ++i) sum ^= b[i];
    return sum == (high << 4 | low) ? sentenceLength : 0;
}

}  // namespace

uint8_t NmeaChecksum(const uint8_t* bytes, int count) {
    uint8_t sum = 0;
    for (int i = 0; i < count; ++i) sum ^= bytes[i];
    return sum;
}

int NmeaCheckFrame(const uint8_t* bytes, int32_t count) {
    if (count <= 0) return -1;
    if (bytes[0] != '$') return 0;
    const int limit = count >= 3 && bytes[1] == 'G' && bytes[2] == 'P' ? kTalkerGpLimit : kOtherLimit;
    const int available = count < limit ? count : limit;
    // A "$" starts the next sentence: giving up here keeps a stream of false starts from being
    // rescanned up to the longest length from each of its positions.
    uint8_t sum = 0;
    uint64_t wordSum = 0;
    for (int i = 1; i < available;) {
        uint64_t word;
        if (i + 8 <= available && (std::memcpy(&word, bytes + i, 8), AllPlainText(word))) {
            wordSum ^= word;
            i += 8;
            continue;
        }
        const uint8_t b = bytes[i];
        const ByteRole role = kByteRoles[b];
        if (role == ByteRole::LineFeed) return CheckTerminatedSentence(bytes, i, sum ^ FoldedXor(wordSum));
        if (role == ByteRole::NoSentence) return 0;
        sum ^= b;
        ++i;
    }
    // The line feed may still come, unless the sentence already fills its longest length.
    return count >= limit ? 0 : -1;
}
