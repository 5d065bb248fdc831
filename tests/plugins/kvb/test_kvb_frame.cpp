#include <gtest/gtest.h>

#include <vector>

#include "plugins/kvb/framing/kvb_frame.h"
#include "tests/support/guarded_bytes.h"
#include "tests/plugins/kvb/kvb_test_frames.h"

namespace {

using Bytes = std::vector<uint8_t>;

int CheckPrefix(const Bytes& bytes, size_t count) {
    GuardedBytes guarded(bytes, count);
    return KvbCheckFrame(guarded.data(), static_cast<int32_t>(count));
}

int Check(const Bytes& bytes) { return CheckPrefix(bytes, bytes.size()); }

TEST(KvbCheckFrame, DecidesFromTheHeaderBytesAsTheyArrive) {
    EXPECT_EQ(-1, Check({}));
    EXPECT_EQ(-1, Check({0xA4}));
    EXPECT_EQ(0, Check({0x24}));
    EXPECT_EQ(0, Check({0xA4, 0x52}));
    EXPECT_EQ(-1, Check({0xA4, 0x51, 0x01, 0x06, 0x00}));
    EXPECT_EQ(-1, Check({0xA4, 0x51, 0x01, 0x06, 0x00, 0x00}));
}

TEST(KvbCheckFrame, AcceptsPayloadsUpTo8192Bytes) {
    const Bytes largest = KvbTestFrame(0x02, 0x10, Bytes(8192, 0x5A));
    EXPECT_EQ(-1, CheckPrefix(largest, 6));
    EXPECT_EQ(-1, CheckPrefix(largest, 8199));
    EXPECT_EQ(8200, Check(largest));
    EXPECT_EQ(0, Check({0xA4, 0x51, 0x02, 0x10, 0x01, 0x20}));
}

TEST(KvbCheckFrame, NeverReadsPastTheCountItIsGiven) {
    Bytes frame = KvbTestFrame(0x01, 0x06, Bytes(52, 0x33));
    const int length = static_cast<int>(frame.size());
    for (int count = 0; count < length; ++count) EXPECT_EQ(-1, CheckPrefix(frame, count)) << count;
    EXPECT_EQ(length, Check(frame));
    frame.insert(frame.end(), {0xA4, 0x51, 0x01});
    EXPECT_EQ(length, Check(frame));
}

TEST(KvbCheckFrame, RejectsAWrongChecksumAsSoonAsItsByteArrives) {
    Bytes badCkA = KvbTestFrame(0x0A, 0x04, Bytes(40, 0x11));
    const size_t length = badCkA.size();
    Bytes badCkB = badCkA;
    ++badCkA[length - 2];
    ++badCkB[length - 1];
    EXPECT_EQ(0, CheckPrefix(badCkA, length - 1));
    EXPECT_EQ(-1, CheckPrefix(badCkB, length - 1));
    EXPECT_EQ(0, Check(badCkB));
}

TEST(KvbBuildPoll, WritesTheEightBytePoll) {
    uint8_t buffer[16];
    int length = 0;
    ASSERT_TRUE(KvbBuildPoll(0x01, 0x06, buffer, length, sizeof buffer));
    EXPECT_EQ(Bytes({0xA4, 0x51, 0x01, 0x06, 0x00, 0x00, 0x07, 0x16}), Bytes(buffer, buffer + length));
}

TEST(KvbBuildPoll, ReportsTheNeededLengthWhenTheBufferIsTooSmall) {
    Bytes buffer(7, 0xEE);
    int length = 0;
    EXPECT_FALSE(KvbBuildPoll(0x01, 0x06, buffer.data(), length, 7));
    EXPECT_EQ(8, length);
    EXPECT_EQ(Bytes(7, 0xEE), buffer);
}

TEST(KvbBuildRateCommand, SwitchesAMessageOnOrOffWithCfgMsg) {
    uint8_t buffer[11];
    int length = 0;
    ASSERT_TRUE(KvbBuildRateCommand(0x01, 0x06, true, buffer, length, sizeof buffer));
    EXPECT_EQ(Bytes({0xA4, 0x51, 0x06, 0x01, 0x03, 0x00, 0x01, 0x06, 0x01, 0x12, 0x4F}),
              Bytes(buffer, buffer + length));

    ASSERT_TRUE(KvbBuildRateCommand(0x01, 0x06, false, buffer, length, sizeof buffer));
    EXPECT_EQ(KvbTestFrame(0x06, 0x01, {0x01, 0x06, 0x00}), Bytes(buffer, buffer + length));

    EXPECT_FALSE(KvbBuildRateCommand(0x01, 0x06, true, buffer, length, 10));
    EXPECT_EQ(11, length);
}

TEST(KvbWriteFrame, CompletesAFrameAroundItsPayload) {
    Bytes frame(20, 0);
    for (size_t i = 6; i < 18; ++i) frame[i] = static_cast<uint8_t>(i * 7);
    const uint8_t* end = KvbWriteFrame(0x06, 0x03, frame.data(), 20);
    EXPECT_EQ(frame.data() + 20, end);
    EXPECT_EQ(KvbTestFrame(0x06, 0x03, Bytes(frame.begin() + 6, frame.begin() + 18)), frame);
}

TEST(KvbWriteFrame, LeavesALengthThatNoFrameCanHaveAlone) {
    for (int totalLength : {7, 0, -3}) {
        GuardedBytes guarded(Bytes(7, 0xEE));
        EXPECT_EQ(guarded.data(), KvbWriteFrame(0x06, 0x01, guarded.data(), totalLength));
        EXPECT_EQ(Bytes(7, 0xEE), Bytes(guarded.data(), guarded.data() + 7));
    }
}

TEST(KvbFinalizeFrames, CompletesEveryFrameOfASendList) {
    Bytes first = {0, 0, 0x06, 0x08, 0, 0, 0xE8, 0x03, 0x01, 0x00, 0x01, 0x00, 0, 0};
    Bytes second = {0, 0, 0x06, 0x16, 0, 0, 0, 0};
    GuardedBytes tooShort(Bytes(5, 0xEE));
    SendRecord records[] = {{14, first.data()}, {0, nullptr}, {5, tooShort.data()}, {8, second.data()}};

    EXPECT_EQ(4, KvbFinalizeFrames(records));
    EXPECT_EQ(KvbTestFrame(0x06, 0x08, {0xE8, 0x03, 0x01, 0x00, 0x01, 0x00}), first);
    EXPECT_EQ(KvbTestFrame(0x06, 0x16, {}), second);
    EXPECT_EQ(Bytes(5, 0xEE), Bytes(tooShort.data(), tooShort.data() + 5));
}

}  // namespace
