#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <climits>
#include <csignal>
#include <functional>

#include "host/core/frame/main_frame_core.h"
#include "host/core/log/stream_file_thread.h"
#include "tests/host/core/log/test_stream_file_receiver.h"
#include "tests/host/core/log/test_stream_file_support.h"
#include "tests/host/core/threads/test_ui_thread_sink.h"

namespace {

class FakePort : public IPortWriter {
public:
    int Write(const uint8_t* bytes, int length) override {
        if (accepted < 0) return -1;
        const int n = std::min(length, accepted);
        written.insert(written.end(), bytes, bytes + n);
        return n;
    }
    int accepted = INT_MAX;
    std::vector<uint8_t> written;
};

class ErrorList : public IErrorReporter {
public:
    void ReportError(const MessageBoxResource& box, const std::u16string&) override { texts.push_back(box.text); }
    std::vector<std::u16string> texts;
};

// The document, the log and the main frame's core, with the port's road into it.
struct Station {
    explicit Station(const char* pluginFolder) : document(DocumentSettings{900, pluginFolder, nullptr}) {
        AddTestEntries(document);
        document.Plugins().RegisterWith(portSplitter);
        document.Plugins().RegisterWith(log.Splitter());
        core.SetComplete(true);
        core.SetPortWriter(&port);
    }
    // What the port thread does with the bytes of its reads.
    void Receive(const std::vector<uint8_t>& bytes) {
        FeedStream(portSplitter, bytes.data(), bytes.size(),
                   [&](const FrameRecord& record) { core.OnPortFrame(&record, 1); });
    }
    bool HasValue(uint16_t id) { return document.Database().FindAs<CStorageValue>(id)->IsValid(); }
    double Value(uint16_t id) { return document.Database().FindAs<CStorageValue>(id)->GetValue(); }

    CVeltroDoc document;
    CStreamFileThread log;
    ErrorList errors;
    FakePort port;
    CMainFrameCore core{document, log, errors};
    CFrameSplitter portSplitter;
};

class MainFrameCoreTest : public ::testing::Test {
protected:
    TempFolder folder;
    const std::string path = folder.File("log.kvb");
    Station station{VELTRO_TEST_PLUGIN_DIR "simple/"};
};

const std::vector<uint8_t> kTime = TestFrameU32(kTestTimeType, 1000);
const std::vector<uint8_t> kValue = TestFrameU32(kTestValueType, 2500);

// Files may grow to a limit only, as on a full disk; restored at the end of the scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }

private:
    rlimit previous{};
    void (*previousHandler)(int);
};

}  // namespace

TEST_F(MainFrameCoreTest, LiveFramesAreCountedKeptDecodedAndRecorded) {
    station.Receive(kTime);
    EXPECT_EQ(station.core.ReceivedBytes(), kTime.size());
    EXPECT_EQ(station.Value(kTestTimeId), 1.0);
    ASSERT_TRUE(station.core.RecordTo(path));
    station.Receive(kValue);
    EXPECT_EQ(station.Value(kTestValueId), 2.5);
    station.log.CloseFile();
    EXPECT_EQ(ReadFileBytes(path), Joined(kTime, kValue));
    EXPECT_TRUE(station.errors.texts.empty());
}

TEST_F(MainFrameCoreTest, DuringAReplayLiveFramesOnlyFillTheHistory) {
    WriteFileBytes(path, kTime);
    ASSERT_TRUE(station.core.OpenLog(path, true));
    station.Receive(kValue);
    EXPECT_FALSE(station.HasValue(kTestValueId));
    EXPECT_EQ(station.log.History().Fill(), kValue.size());
    EXPECT_EQ(station.core.ReceivedBytes(), kValue.size());
    // Sent bytes are live traffic too.
    EXPECT_TRUE(station.core.SendToReceiver(nullptr, kValue.data(), static_cast<int>(kValue.size())));
    EXPECT_FALSE(station.HasValue(kTestValueId));

    station.log.CloseFile();
    station.Receive(kValue);
    EXPECT_EQ(station.Value(kTestValueId), 2.5);
}

TEST_F(MainFrameCoreTest, NothingIsHandledBeforeTheFrameIsComplete) {
    station.core.SetComplete(false);
    station.Receive(kValue);
    station.core.SetComplete(true);
    station.core.OnPortFrame(nullptr, 1);
    EXPECT_EQ(station.core.ReceivedBytes(), 0u);
    EXPECT_EQ(station.log.History().Fill(), 0u);
    EXPECT_FALSE(station.HasValue(kTestValueId));
}

TEST_F(MainFrameCoreTest, ASentMessageIsDecodedKeptAndRecordedLikeAReceivedOne) {
    ASSERT_TRUE(station.core.RecordTo(path));
    EXPECT_TRUE(station.core.SendToReceiver(nullptr, kValue.data(), static_cast<int>(kValue.size())));
    EXPECT_EQ(station.port.written, kValue);
    EXPECT_EQ(station.Value(kTestValueId), 2.5);
    EXPECT_EQ(station.log.History().Fill(), kValue.size());
    station.log.CloseFile();
    EXPECT_EQ(ReadFileBytes(path), kValue);
    EXPECT_TRUE(station.errors.texts.empty());
}

TEST_F(MainFrameCoreTest, AShortWriteDecodesAndRecordsOnlyWhatWentOut) {
    ASSERT_TRUE(station.core.RecordTo(path));
    station.port.accepted = 5;
    EXPECT_FALSE(station.core.SendToReceiver(nullptr, kValue.data(), static_cast<int>(kValue.size())));
    EXPECT_EQ(station.errors.texts, std::vector<std::u16string>{kMessageNotSent.text});
    EXPECT_FALSE(station.HasValue(kTestValueId));
    EXPECT_EQ(station.log.History().Fill(), 5u);
    station.log.CloseFile();
    EXPECT_EQ(ReadFileBytes(path), std::vector<uint8_t>(kValue.begin(), kValue.begin() + 5));
}

TEST_F(MainFrameCoreTest, AFailedWriteIsReportedAndGoesNowhere) {
    ASSERT_TRUE(station.core.RecordTo(path));
    station.port.accepted = -1;
    EXPECT_FALSE(station.core.SendToReceiver(nullptr, kValue.data(), static_cast<int>(kValue.size())));
    station.core.SetPortWriter(nullptr);
    EXPECT_FALSE(station.core.SendToReceiver(nullptr, kValue.data(), static_cast<int>(kValue.size())));
    EXPECT_EQ(station.errors.texts.size(), 2u);
    EXPECT_FALSE(station.HasValue(kTestValueId));
    EXPECT_EQ(station.log.History().Fill(), 0u);
    station.log.CloseFile();
    EXPECT_TRUE(ReadFileBytes(path).empty());
}

TEST_F(MainFrameCoreTest, FileCommandsReportTheirFailures) {
    EXPECT_FALSE(station.core.RecordTo(folder.File("missing/log.kvb")));
    EXPECT_FALSE(station.core.OpenLog(folder.File("missing.kvb"), true));
    EXPECT_EQ(station.errors.texts, (std::vector<std::u16string>{kLogNotCreated.text, kLogNotOpened.text}));
    EXPECT_EQ(station.log.State(), LogState::None);
}

TEST_F(MainFrameCoreTest, AWriteErrorStopsTheRecordingKeepsItsBytesAndDecodingGoesOn) {
    const std::vector<uint8_t> history = PatternBytes(100, 7);
    station.Receive(history);
    std::vector<uint8_t> sent = history;
    {
        FileSizeLimit diskFull(1000);
        ASSERT_TRUE(station.core.RecordTo(path));
        for (uint32_t i = 0; i < 200 && station.log.State() == LogState::Recording; ++i) {
            const std::vector<uint8_t> frame = TestFrameU32(kTestValueType, i);
            station.Receive(frame);
            sent.insert(sent.end(), frame.begin(), frame.end());
        }
    }
    EXPECT_EQ(station.log.State(), LogState::None);
    ASSERT_EQ(station.errors.texts.size(), 1u);
    EXPECT_EQ(station.errors.texts[0].rfind(kLogNotWritten.text, 0), 0u);
    EXPECT_EQ(ReadFileBytes(path), std::vector<uint8_t>(sent.begin(), sent.begin() + 1000));

    station.Receive(kValue);
    EXPECT_EQ(station.Value(kTestValueId), 2.5);
    EXPECT_EQ(station.errors.texts.size(), 1u);
}

namespace {

// Where two states differ, for a readable failure.
std::string FirstDifference(const std::string& a, const std::string& b) {
    const auto [at, _] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    const size_t offset = static_cast<size_t>(at - a.begin());
    const size_t from = offset > 200 ? offset - 200 : 0;
    return "live: ..." + a.substr(from, 400) + "\nreplay: ..." + b.substr(from, 400);
}

std::string LiveState(const char* pluginFolder, const std::vector<uint8_t>& stream) {
    Station live(pluginFolder);
    live.Receive(stream);
    // A replay closes the running epoch at the end of the log; the live stream ends here.
    live.document.CloseRunningEpoch();
    // Two empty states would compare equal: the stream must have been decoded into epochs.
    EXPECT_GT(live.document.History().Count(), 1u) << pluginFolder;
    return DocumentState(live.document);
}

// Replays a log through the real log thread and window: three single steps, fast play for a
// while, a pause, then a seek to the end.
std::string ReplayedState(const char* pluginFolder, const std::string& path) {
    Station replay(pluginFolder);
    CStreamFileThread& log = replay.log;
    TestUiThreadSink sink;
    sink.fileFrame = [&] { replay.core.OnFileFrame(); };
    const std::shared_ptr<platform::CMessageWindow> owner = ui_thread::CreateWindow(sink);
    platform::CMessageWindow& window = *owner;
    log.Pacer().SetTarget(&window);
    log.Pacer().Start(ThreadPriority::Lowest);
    auto dispatchUntil = [&](const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && std::chrono::steady_clock::now() < deadline) window.WaitAndDispatch(10);
        return done();
    };

    EXPECT_TRUE(replay.core.OpenLog(path, true));
    for (int i = 0; i < 3; ++i) {
        log.Step();
        EXPECT_TRUE(dispatchUntil([&] { return log.IsPaused(); }));
    }
    log.SetPacing(kPacingFast);
    log.Play();
    log.SetPaused(false);
    EXPECT_TRUE(dispatchUntil([&] { return log.Position() > log.Length() / 3; }));
    log.SetPaused(true);
    window.WaitAndDispatch(10);
    log.Seek(log.Length());
    log.SetPaused(false);
    EXPECT_TRUE(dispatchUntil([&] { return log.IsPaused(); }));
    EXPECT_EQ(log.Position(), log.Length());

    window.Close();
    log.Pacer().Stop();
    EXPECT_TRUE(log.Pacer().Wait(2000));
    return DocumentState(replay.document);
}

std::vector<uint8_t> TestProtocolStream() {
    std::vector<uint8_t> stream;
    for (uint32_t epoch = 0; epoch < 300; ++epoch) {
        stream = Joined(stream, TestFrameU32(kTestTimeType, epoch * 1000));
        stream = Joined(stream, TestFrameU32(kTestValueType, epoch * 7));
        if (epoch % 40 == 0) stream = Joined(stream, {0x00, 'T', 0xFF});
    }
    return Joined(stream, {'T', 'S', 4});
}

void ExpectReplayEqualsLive(const char* pluginFolder, const std::vector<uint8_t>& stream) {
    TempFolder folder;
    const std::string path = folder.File("log.kvb");
    WriteFileBytes(path, stream);
    const std::string live = LiveState(pluginFolder, stream);
    const std::string replayed = ReplayedState(pluginFolder, path);
    EXPECT_TRUE(live == replayed) << FirstDifference(live, replayed);
}

}  // namespace

TEST(ReplayEqualsLive, TestProtocol) { ExpectReplayEqualsLive(VELTRO_TEST_PLUGIN_DIR "simple/", TestProtocolStream()); }

TEST(ReplayEqualsLive, KvbAndNmeaThroughTheRealPlugins) {
    const std::vector<uint8_t> stream = ReceiverTestLog(120000);
    ExpectReplayEqualsLive(VELTRO_PLUGIN_DIR, stream);
}
