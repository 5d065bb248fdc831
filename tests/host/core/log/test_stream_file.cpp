#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "host/core/log/stream_file_thread.h"
#include "tests/host/core/log/test_stream_file_support.h"
#include "tests/host/core/threads/test_ui_thread_sink.h"

namespace {

struct Replayed {
    bool recognised;
    std::vector<uint8_t> bytes;
};

class StreamFileTest : public ::testing::Test {
protected:
    void SetUp() override { document.Plugins().RegisterWith(log.Splitter()); }

    void Record(const std::vector<uint8_t>& history, const std::vector<uint8_t>& live) {
        log.AppendHistory(history.data(), history.size());
        ASSERT_TRUE(log.Open(path, LogOpenMode::Record));
        ASSERT_TRUE(log.WriteHistory());
        log.StartRecording();
        ASSERT_TRUE(log.AppendRecord(live.data(), live.size()));
    }

    // What the WM_FILE_FRAME handler would see, one hand-off at a time, until the replay pauses.
    std::vector<Replayed> ReplayUntilPaused() {
        std::vector<Replayed> records;
        while (!log.IsPaused() && log.IsActive()) {
            FrameRecord record;
            if (log.NextFrame(record))
                records.push_back({record.protocol != nullptr, {record.bytes, record.bytes + record.length}});
            log.FrameDone();
        }
        return records;
    }

    TempFolder folder;
    const std::string path = folder.File("log.kvb");
    CVeltroDoc document{DocumentSettings{900, VELTRO_TEST_PLUGIN_DIR "simple/", nullptr}};
    CStreamFileThread log;
};

const std::vector<uint8_t> kFrameA = TestFrameU32(kTestTimeType, 1000);
const std::vector<uint8_t> kFrameB = TestFrameU32(kTestValueType, 2500);

}  // namespace

TEST_F(StreamFileTest, ARecordingStartsWithTheLast4MiBOfTrafficThenTheLiveBytes) {
    const std::vector<uint8_t> traffic = PatternBytes(5 * 1024 * 1024, 3);
    const std::vector<uint8_t> live = PatternBytes(777, 4);
    Record(traffic, live);
    EXPECT_EQ(log.State(), LogState::Recording);
    EXPECT_EQ(log.Position(), static_cast<int64_t>(CHistoryRing::kCapacity + live.size()));
    EXPECT_EQ(log.Length(), log.Position());
    log.CloseFile();
    const std::vector<uint8_t> expected(traffic.end() - CHistoryRing::kCapacity, traffic.end());
    EXPECT_EQ(ReadFileBytes(path), Joined(expected, live));
}

TEST_F(StreamFileTest, ARecordingAfterLittleTrafficStartsWithAllOfIt) {
    const std::vector<uint8_t> traffic = PatternBytes(100, 5);
    Record(traffic, kFrameA);
    log.CloseFile();
    EXPECT_EQ(ReadFileBytes(path), Joined(traffic, kFrameA));
}

TEST_F(StreamFileTest, ANewRecordingReplacesALongerFileAndEndsAtItsLastByte) {
    WriteFileBytes(path, PatternBytes(100000, 6));
    Record({}, kFrameA);
    log.CloseFile();
    EXPECT_EQ(ReadFileBytes(path), kFrameA);
}

TEST_F(StreamFileTest, APausedRecordingWritesNothing) {
    Record({}, kFrameA);
    log.SetPaused(true);
    ASSERT_TRUE(log.AppendRecord(kFrameB.data(), kFrameB.size()));
    log.SetPaused(false);
    ASSERT_TRUE(log.AppendRecord(kFrameA.data(), kFrameA.size()));
    log.Stop();
    EXPECT_EQ(log.State(), LogState::Open);
    ASSERT_TRUE(log.AppendRecord(kFrameB.data(), kFrameB.size()));
    log.CloseFile();
    EXPECT_EQ(ReadFileBytes(path), Joined(kFrameA, kFrameA));
}

TEST_F(StreamFileTest, NoOtherWriterGetsAFileBeingRecorded) {
    Record({}, kFrameA);
    CStreamFileThread other;
    EXPECT_FALSE(other.Open(path, LogOpenMode::Record));
    EXPECT_EQ(other.State(), LogState::None);
    EXPECT_TRUE(other.Path().empty());
    EXPECT_FALSE(other.Open(path, LogOpenMode::ReplayWritable));
    EXPECT_TRUE(other.Open(path, LogOpenMode::Replay));
    ASSERT_TRUE(log.AppendRecord(kFrameB.data(), kFrameB.size()));
    log.CloseFile();
    EXPECT_EQ(ReadFileBytes(path), Joined(kFrameA, kFrameB));
    EXPECT_TRUE(other.Open(path, LogOpenMode::ReplayWritable));
}

TEST_F(StreamFileTest, RecordingIntoAReplayedLogAppendsAtItsEnd) {
    const std::vector<uint8_t> recorded = Joined(Joined(kFrameA, kFrameB), kFrameA);
    WriteFileBytes(path, recorded);
    ASSERT_TRUE(log.Open(path, LogOpenMode::ReplayWritable));
    log.Step();
    ASSERT_EQ(ReplayUntilPaused().size(), 1u);
    log.Stop();
    log.StartRecording();
    ASSERT_EQ(log.State(), LogState::Recording);
    EXPECT_FALSE(log.IsPaused());
    ASSERT_TRUE(log.AppendRecord(kFrameB.data(), kFrameB.size()));
    EXPECT_EQ(log.Position(), log.Length());
    log.CloseFile();
    EXPECT_EQ(ReadFileBytes(path), Joined(recorded, kFrameB));
}

TEST_F(StreamFileTest, AReadOnlyLogNeverRecords) {
    WriteFileBytes(path, kFrameA);
    ASSERT_TRUE(log.Open(path, LogOpenMode::Replay));
    EXPECT_TRUE(log.IsReadOnly());
    log.StartRecording();
    EXPECT_EQ(log.State(), LogState::Open);
    EXPECT_FALSE(log.WriteHistory());
    log.CloseFile();
    EXPECT_EQ(ReadFileBytes(path), kFrameA);
}

TEST_F(StreamFileTest, OnlyRegularFilesOpen) {
    EXPECT_FALSE(log.Open(folder.File("missing.kvb"), LogOpenMode::Replay));
    EXPECT_FALSE(log.Open(folder.File(""), LogOpenMode::Replay));
    const std::string pipe = folder.File("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(log.Open(pipe, LogOpenMode::Replay));  // and does not wait for a writer
    EXPECT_EQ(log.State(), LogState::None);
}

TEST_F(StreamFileTest, AFileEndingInAPartialFrameEndsWithOneUnrecognisedRecord) {
    const std::vector<uint8_t> partial(kFrameB.begin(), kFrameB.begin() + 3);
    WriteFileBytes(path, Joined(Joined(kFrameA, kFrameB), partial));
    ASSERT_TRUE(log.Open(path, LogOpenMode::Replay));
    log.Play();
    const std::vector<Replayed> records = ReplayUntilPaused();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_TRUE(records[0].recognised);
    EXPECT_EQ(records[1].bytes, kFrameB);
    EXPECT_FALSE(records[2].recognised);
    EXPECT_EQ(records[2].bytes, partial);
    EXPECT_EQ(log.Position(), log.Length());
    EXPECT_EQ(log.State(), LogState::Playing);

    // Playing on at the end pauses again without a record.
    log.SetPaused(false);
    EXPECT_TRUE(ReplayUntilPaused().empty());
}

TEST_F(StreamFileTest, SeekingBehindThePositionPausesAtOnce) {
    WriteFileBytes(path, Joined(Joined(kFrameA, kFrameB), kFrameA));
    ASSERT_TRUE(log.Open(path, LogOpenMode::Replay));
    log.Step();
    ReplayUntilPaused();
    log.Step();
    ReplayUntilPaused();
    const int64_t position = log.Position();
    ASSERT_EQ(position, static_cast<int64_t>(kFrameA.size() + kFrameB.size()));
    log.SetPaused(false);
    log.Seek(static_cast<int64_t>(kFrameA.size()));
    EXPECT_EQ(log.State(), LogState::Seeking);
    EXPECT_TRUE(log.IsPaused());
    EXPECT_FALSE(log.Pacer().IsRunning());
    EXPECT_EQ(log.Position(), position);

    // Resuming goes on to the end.
    log.SetPaused(false);
    EXPECT_EQ(ReplayUntilPaused().size(), 1u);
    EXPECT_EQ(log.Position(), log.Length());
}

TEST_F(StreamFileTest, ASeekAheadStopsAtTheFirstFrameReachingTheTarget) {
    WriteFileBytes(path, Joined(Joined(kFrameA, kFrameB), kFrameA));
    ASSERT_TRUE(log.Open(path, LogOpenMode::Replay));
    log.Play();
    log.SetPaused(false);
    log.Seek(static_cast<int64_t>(kFrameA.size()) + 1);
    EXPECT_EQ(log.Pacer().FrameDelay(), 0);
    EXPECT_EQ(ReplayUntilPaused().size(), 2u);
    // Started from playing: the seek ends in paused playing at its own pace.
    EXPECT_EQ(log.State(), LogState::Playing);
    EXPECT_EQ(log.Pacer().FrameDelay(), 100);

    ASSERT_TRUE(log.Rewind(0));
    log.Stop();
    log.Seek(static_cast<int64_t>(kFrameA.size()));
    log.SetPaused(false);
    EXPECT_EQ(ReplayUntilPaused().size(), 1u);
    // Started from open: the seek stays, aimed at the end.
    EXPECT_EQ(log.State(), LogState::Seeking);
    log.SetPaused(false);
    EXPECT_EQ(ReplayUntilPaused().size(), 2u);
    EXPECT_EQ(log.Position(), log.Length());
}

TEST_F(StreamFileTest, PacingCountsFramesPerSecond) {
    WriteFileBytes(path, kFrameA);
    ASSERT_TRUE(log.Open(path, LogOpenMode::Replay));
    const std::pair<int32_t, int> expectations[] = {
        {kPacingSlow, 1000}, {kPacingNormal, 100}, {kPacingFast, 0}, {0, 1000}, {-5, 1000}};
    for (const auto& [pacing, delay] : expectations) {
        log.SetPacing(pacing);
        log.Play();
        EXPECT_EQ(log.Pacer().FrameDelay(), delay) << pacing;
    }
    // A new pace applies at once while playing.
    log.SetPacing(kPacingFast);
    EXPECT_EQ(log.Pacer().FrameDelay(), 0);
}

TEST_F(StreamFileTest, PositionsPassFourGibibytes) {
    const int64_t frameOffset = (int64_t{1} << 32) + 100;
    {
        const int descriptor = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(descriptor, 0);
        ASSERT_EQ(::pwrite(descriptor, kFrameB.data(), kFrameB.size(), frameOffset),
                  static_cast<ssize_t>(kFrameB.size()));
        ::close(descriptor);
    }
    ASSERT_TRUE(log.Open(path, LogOpenMode::Replay));
    EXPECT_EQ(log.Length(), frameOffset + static_cast<int64_t>(kFrameB.size()));
    ASSERT_TRUE(log.Rewind(frameOffset));
    log.Step();
    const std::vector<Replayed> records = ReplayUntilPaused();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].bytes, kFrameB);
    EXPECT_EQ(log.Position(), log.Length());
    EXPECT_FALSE(log.Rewind(log.Length() + 1));
}

TEST(ReplayPacer, HandsFramesOverOnlyWhileRunningAndStopsFromEveryWait) {
    int frames = 0;
    TestUiThreadSink sink;
    sink.fileFrame = [&] { ++frames; };
    const std::shared_ptr<platform::CMessageWindow> owner = ui_thread::CreateWindow(sink);
    platform::CMessageWindow& window = *owner;
    CReplayPacer pacer;
    pacer.SetTarget(&window);
    ASSERT_TRUE(pacer.Start(ThreadPriority::Lowest));
    window.WaitAndDispatch(20);
    EXPECT_EQ(frames, 0);

    pacer.SetRunning(true);
    for (int i = 0; i < 200 && frames < 3; ++i) window.WaitAndDispatch(10);
    EXPECT_GE(frames, 3);

    // Asleep between two frames for a minute: the stop request still ends the thread at once.
    pacer.SetFrameDelay(60000);
    window.WaitAndDispatch(20);
    pacer.Stop();
    EXPECT_TRUE(pacer.Wait(2000));
}

TEST(ReplayPacer, AStopRequestEndsAWaitForTheRunEvent) {
    platform::CMessageWindow window([](unsigned, uintptr_t, intptr_t) { return intptr_t{0}; });
    CReplayPacer pacer;
    pacer.SetTarget(&window);
    ASSERT_TRUE(pacer.Start(ThreadPriority::Lowest));
    window.WaitAndDispatch(20);
    pacer.Stop();
    EXPECT_TRUE(pacer.Wait(2000));
}
