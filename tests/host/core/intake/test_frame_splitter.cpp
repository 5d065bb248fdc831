#include <gtest/gtest.h>

#include <vector>

#include "host/core/intake/frame_splitter.h"
#include "tests/support/test_protocol.h"

namespace {

// A protocol whose frames start with 0xEE and never complete.
constexpr uint8_t kEndlessSync = 0xEE;
int CheckEndlessFrame(const uint8_t* bytes, int32_t count) { return count > 0 && bytes[0] == kEndlessSync ? -1 : 0; }

struct Piece {
    bool recognised;
    std::vector<uint8_t> bytes;
    bool operator==(const Piece&) const = default;
};

class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override {
        splitter.AddProtocol(&endless, CheckEndlessFrame);
        splitter.AddProtocol(&protocol, TestCheckFrame);
    }

    std::vector<Piece> Feed(const std::vector<uint8_t>& bytes) {
        std::vector<Piece> pieces;
        FeedStream(splitter, bytes.data(), bytes.size(), [&](const FrameRecord& record) {
            pieces.push_back({record.protocol == &protocol, {record.bytes, record.bytes + record.length}});
        });
        return pieces;
    }

    ProtocolEntry endless{u"END", CheckEndlessFrame, nullptr};
    ProtocolEntry protocol{u"TST", TestCheckFrame, nullptr};
    CFrameSplitter splitter;
};

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace

TEST_F(SplitterTest, FrameSplitAcrossReadsComesOutOnceComplete) {
    const auto frame = TestFrameU32(kTestValueType, 1234);
    EXPECT_TRUE(Feed({frame.begin(), frame.begin() + 5}).empty());
    EXPECT_EQ(Feed({frame.begin() + 5, frame.end()}), (std::vector<Piece>{{true, frame}}));
}

TEST_F(SplitterTest, GarbageBeforeAFrameIsHandedOutFirst) {
    const auto frame = TestFrameU32(kTestTimeType, 7);
    const std::vector<uint8_t> garbage{'x', 'T', 'y'};
    EXPECT_EQ(Feed(Concat({garbage, frame, frame})),
              (std::vector<Piece>{{false, garbage}, {true, frame}, {true, frame}}));
}

TEST_F(SplitterTest, UnrecognisedBytesWaitForAFrameBehindThem) {
    const std::vector<uint8_t> garbage{1, 2, 3};
    EXPECT_TRUE(Feed(garbage).empty());
    const uint8_t* rest = nullptr;
    int length = 0;
    splitter.TakeAll(rest, length);
    EXPECT_EQ(std::vector<uint8_t>(rest, rest + length), garbage);
}

TEST_F(SplitterTest, AFullBufferWithoutFramesIsHandedOutWhole) {
    const std::vector<uint8_t> noise(CFrameSplitter::kCapacity, 0x55);
    const auto pieces = Feed(noise);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].bytes.size(), 4096u);
    EXPECT_FALSE(pieces[0].recognised);
    EXPECT_EQ(splitter.FreeSpace(), CFrameSplitter::kCapacity);
}

TEST_F(SplitterTest, AFrameThatCannotCompleteDoesNotHoldTheStream) {
    std::vector<uint8_t> stream{kEndlessSync};
    stream.resize(CFrameSplitter::kCapacity - 20, 0x55);
    const auto frame = TestFrameU32(kTestValueType, 99);
    const auto pieces = Feed(Concat({stream, frame, std::vector<uint8_t>(100, 0x55)}));
    // The -1 at position 0 of a full buffer counts as no frame; the frame behind it is found.
    ASSERT_GE(pieces.size(), 2u);
    EXPECT_FALSE(pieces[0].recognised);
    EXPECT_EQ(pieces[0].bytes.size(), stream.size());
    EXPECT_EQ(pieces[1], (Piece{true, frame}));
}

TEST_F(SplitterTest, AWaitingHeaderBehindGarbageFlushesTheGarbageWhenFull) {
    std::vector<uint8_t> stream(100, 0x55);
    stream.push_back(kEndlessSync);
    stream.resize(CFrameSplitter::kCapacity, 0x00);
    const auto pieces = Feed(stream);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].bytes.size(), 100u);
}

TEST_F(SplitterTest, EveryByteComesOutExactlyOnce) {
    std::vector<uint8_t> stream;
    for (int i = 0; i < 3000; ++i) {
        const auto frame = TestFrameU32(kTestValueType, static_cast<uint32_t>(i));
        stream.insert(stream.end(), frame.begin(), frame.end());
        if (i % 7 == 0) stream.insert(stream.end(), {'T', 0, 'S'});
    }
    std::vector<uint8_t> out;
    size_t frames = 0;
    for (size_t offset = 0; offset < stream.size(); offset += 777) {
        const size_t n = std::min<size_t>(777, stream.size() - offset);
        for (const Piece& piece : Feed({stream.begin() + offset, stream.begin() + offset + n})) {
            out.insert(out.end(), piece.bytes.begin(), piece.bytes.end());
            frames += piece.recognised;
        }
    }
    const uint8_t* rest = nullptr;
    int length = 0;
    splitter.TakeAll(rest, length);
    out.insert(out.end(), rest, rest + length);
    EXPECT_EQ(out, stream);
    EXPECT_EQ(frames, 3000u);
}
