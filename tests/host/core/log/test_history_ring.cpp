#include <gtest/gtest.h>

#include "host/core/log/history_ring.h"
#include "tests/host/core/log/test_stream_file_support.h"

namespace {

std::vector<uint8_t> Content(const CHistoryRing& ring) {
    const CHistoryRing::Pieces pieces = ring.Contents();
    std::vector<uint8_t> bytes(pieces.older.begin(), pieces.older.end());
    bytes.insert(bytes.end(), pieces.newer.begin(), pieces.newer.end());
    return bytes;
}

std::vector<uint8_t> Tail(const std::vector<uint8_t>& bytes, size_t count) {
    return {bytes.end() - static_cast<std::ptrdiff_t>(count), bytes.end()};
}

}  // namespace

TEST(HistoryRing, KeepsTheNewestBytesOldestFirstWhateverTheBlockSizes) {
    const std::vector<uint8_t> stream = PatternBytes(5 * 1024 * 1024 + 333, 1);

    CHistoryRing framewise;
    for (size_t offset = 0; offset < stream.size(); offset += 997)
        framewise.Append(stream.data() + offset, std::min<size_t>(997, stream.size() - offset));
    EXPECT_EQ(framewise.Fill(), CHistoryRing::kCapacity);
    EXPECT_EQ(Content(framewise), Tail(stream, CHistoryRing::kCapacity));

    CHistoryRing atOnce;
    atOnce.Append(stream.data(), 100);
    atOnce.Append(stream.data() + 100, stream.size() - 100);
    EXPECT_EQ(Content(atOnce), Tail(stream, CHistoryRing::kCapacity));
}

TEST(HistoryRing, HoldsAShortHistoryWhole) {
    const std::vector<uint8_t> stream = PatternBytes(100, 2);
    CHistoryRing ring;
    EXPECT_TRUE(Content(ring).empty());
    ring.Append(stream.data(), 60);
    ring.Append(stream.data() + 60, 40);
    EXPECT_EQ(ring.Fill(), 100u);
    EXPECT_EQ(Content(ring), stream);
}
