// The logger retrieval as a state machine: the receiver's answers go through the document as
// frames received from the port, the records end in a real file as NAV-SOL frames, and every way
// it can end, a full file among them.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "host/core/intake/veltro_doc.h"
#include "host/core/log/log_file.h"
#include "host/services/kvb_frame.h"
#include "host/services/logger_retrieval.h"
#include "tests/host/services/recording_site.h"
#include "platform/text.h"
#include "tests/host/core/log/test_stream_file_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct LoggedRecord {
    int16_t week = 1400;
    uint32_t seconds = 0;
    unsigned speedKmh = 0;
    unsigned fixClass = 2;
    bool differential = false;
    int32_t x = 4000000, y = 600000, z = 4900000;
};

void Put(Bytes& bytes, size_t at, uint64_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

int64_t Get(const uint8_t* bytes, int size, bool isSigned = true) {
    uint64_t value = 0;
    for (int i = 0; i < size; ++i) value |= uint64_t{bytes[i]} << (8 * i);
    if (isSigned && size < 8 && (value >> (8 * size - 1)) & 1) value |= ~uint64_t{0} << (8 * size);
    return static_cast<int64_t>(value);
}

Bytes RecordBytes(const LoggedRecord& r, uint8_t position = 0) {
    Bytes bytes(kLoggerRecordBytes);
    bytes[2] = position;
    Put(bytes, 4, r.speedKmh | (r.differential ? 0x400u : 0u) | r.fixClass << 11, 2);
    Put(bytes, 6, static_cast<uint16_t>(r.week), 2);
    Put(bytes, 8, r.seconds, 4);
    Put(bytes, 12, static_cast<uint32_t>(r.x), 4);
    Put(bytes, 16, static_cast<uint32_t>(r.y), 4);
    Put(bytes, 20, static_cast<uint32_t>(r.z), 4);
    return bytes;
}

Bytes Frame(uint8_t messageClass, uint8_t id, const Bytes& payload) {
    Bytes frame(payload.size() + kKvbFrameExtraBytes);
    BuildKvbFrame(frame.data(), messageClass, id, payload.data(), static_cast<int>(payload.size()));
    return frame;
}

Bytes CountAnswer(uint32_t count) {
    Bytes payload(28);
    Put(payload, 24, count, 4);
    return Frame(0x21, 0x02, payload);
}

Bytes RecordAnswer(const LoggedRecord& record, uint8_t position) {
    return Frame(0x21, 0x05, RecordBytes(record, position));
}

struct NavSol {
    int64_t iTow, week, gpsFix, flags, x, y, z, pAcc, vx, vy, vz, sAcc, pDop, numSv;
};

NavSol Decode(const uint8_t* payload) {
    const auto at = [payload](int offset, int size) { return Get(payload + offset, size); };
    return {Get(payload, 4, false),
            at(8, 2),
            at(10, 1) & 0xFF,
            at(11, 1) & 0xFF,
            at(12, 4),
            at(16, 4),
            at(20, 4),
            at(24, 4),
            at(28, 4),
            at(32, 4),
            at(36, 4),
            at(40, 4),
            at(44, 2),
            at(47, 1)};
}

NavSol Convert(CLoggerNavSol& converter, const LoggedRecord& record) {
    const Bytes bytes = RecordBytes(record);
    const NavSolPayload payload = converter.Convert(LoggerRecord(bytes.data(), kLoggerRecordBytes));
    return Decode(payload.data());
}

// The document with the plug-ins, its notifications taken by the procedure as the view takes
// them, and each event handed back at once.
class LoggerRetrieval : public ::testing::Test, private IDocumentObserver {
protected:
    void SetUp() override { document.AddObserver(this); }
    void TearDown() override { document.RemoveObserver(this); }

    CLoggerRetrieval& Start(bool ready = true) {
        auto file = std::make_unique<CLogFile>();
        EXPECT_TRUE(file->Open(path, LogOpenMode::Record));
        retrieval = std::make_unique<CLoggerRetrieval>(site, std::move(file));
        site.ready = ready;
        retrieval->Tick(now);
        return *retrieval;
    }
    void Receive(const Bytes& frame) {
        document.ProcessMessage(document.DispatchBytes(frame.data(), static_cast<int>(frame.size())), true,
                                MessageOrigin::Received);
    }
    void OnUpdate(uint32_t hint, CMessageNode* node) override {
        if (!retrieval) return;
        if (const std::optional<int> event = retrieval->TakeAnswer(hint, node)) retrieval->Answer(*event, now);
    }
    // A logger of these records answers every request sent since the last call.
    void Serve(const std::vector<LoggedRecord>& logger) {
        for (size_t answered = 0; answered < site.sent.size(); ++answered) {
            const Bytes request = site.sent[answered];
            if (request[3] != 0x05) continue;
            const auto first = static_cast<size_t>(Get(&request[6], 4, false));
            const auto count = static_cast<size_t>(Get(&request[10], 4, false));
            for (size_t k = 0; k < count && first + k < logger.size(); ++k)
                Receive(RecordAnswer(logger[first + k], static_cast<uint8_t>(k)));
        }
    }
    void Wait(uint32_t ms) {
        now += ms;
        retrieval->Tick(now);
    }
    std::vector<NavSol> Written() const {
        const Bytes bytes = ReadFileBytes(path);
        std::vector<NavSol> written;
        for (size_t at = 0; at + 60 <= bytes.size(); at += 60) {
            EXPECT_EQ(Bytes(bytes.begin() + at, bytes.begin() + at + 6), Bytes({0xA4, 0x51, 0x01, 0x06, 52, 0}));
            written.push_back(Decode(&bytes[at + 6]));
        }
        return written;
    }

    CVeltroDoc document{DocumentSettings{.pluginFolder = VELTRO_PLUGIN_DIR}};
    TempFolder folder;
    const std::string path = folder.File("log.kvb");
    RecordingSite site;
    std::unique_ptr<CLoggerRetrieval> retrieval;
    uint32_t now = 0xFFFFF000;  // the tick count wraps during the run
};

std::vector<LoggedRecord> Track(size_t count) {
    std::vector<LoggedRecord> track(count);
    for (size_t k = 0; k < count; ++k) {
        track[k].seconds = static_cast<uint32_t>(3600 + k);
        track[k].x += static_cast<int32_t>(k);
    }
    return track;
}

TEST(LoggerNavSol, FixClassesWeeksAndVelocityBecomeTheNavSolFields) {
    CLoggerNavSol converter;
    const NavSol none = Convert(converter, {.week = 300, .seconds = 100, .fixClass = 0});
    EXPECT_EQ(none.week, 2348);
    EXPECT_EQ(none.iTow, 100000);
    EXPECT_EQ(std::vector<int64_t>({none.gpsFix, none.flags, none.pAcc, none.sAcc, none.pDop, none.numSv}),
              std::vector<int64_t>({0, 0x40, 1000000, 1000000, 100, 0}));
    EXPECT_EQ(std::vector<int64_t>({none.vx, none.vy, none.vz}), std::vector<int64_t>({0, 0, 0}));
    EXPECT_EQ(none.x, 400000000);

    const NavSol classes[] = {Convert(converter, {.fixClass = 1}), Convert(converter, {.fixClass = 2}),
                              Convert(converter, {.fixClass = 3, .differential = true})};
    const std::vector<std::vector<int64_t>> expected = {
        {2, 0x5D, 5000, 100, 10, 3}, {3, 0x5D, 2000, 50, 5, 4}, {3, 0xDF, 1000, 10, 2, 5}};
    for (int k = 0; k < 3; ++k) {
        const NavSol& c = classes[k];
        EXPECT_EQ(std::vector<int64_t>({c.gpsFix, c.flags, c.pAcc, c.sAcc, c.pDop, c.numSv}), expected[k]) << k;
        EXPECT_EQ(c.week, 1400);
    }

    // 100 m along X in 10 s at 36 km/h: the speed along the way; 40 s on, no way to follow.
    Convert(converter, {.week = 1400, .seconds = 5000, .speedKmh = 36, .x = 1000});
    const NavSol along = Convert(converter, {.week = 1400, .seconds = 5010, .speedKmh = 36, .x = 1100});
    EXPECT_EQ(std::vector<int64_t>({along.vx, along.vy, along.vz}), std::vector<int64_t>({1000, 0, 0}));
    const NavSol diagonal = Convert(converter, {.seconds = 5020, .speedKmh = 36, .x = 1100 + 60, .y = 600080});
    EXPECT_EQ(std::vector<int64_t>({diagonal.vx, diagonal.vy, diagonal.vz}), std::vector<int64_t>({600, 800, 0}));
    const NavSol late = Convert(converter, {.seconds = 5060, .speedKmh = 36, .x = 5000, .y = 700000});
    EXPECT_EQ(std::vector<int64_t>({late.vx, late.vy, late.vz}), std::vector<int64_t>({1000, 0, 0}));
}

// 250 records in batches of 100, 100 and 50, all answered within the tick they were asked in.
TEST_F(LoggerRetrieval, RecordsComeInBatchesOfAHundredAndEndInTheFileInOrder) {
    const std::vector<LoggedRecord> logger = Track(250);
    Start();
    ASSERT_EQ(site.sent.size(), 1u);
    EXPECT_EQ(site.sent[0], Frame(0x21, 0x02, {}));
    Receive(CountAnswer(250));
    Serve(logger);

    ASSERT_EQ(site.sent.size(), 4u);
    for (int batch = 0; batch < 3; ++batch) {
        Bytes request(8);
        Put(request, 0, batch * 100, 4);
        Put(request, 4, batch < 2 ? 100 : 50, 4);
        EXPECT_EQ(site.sent[1 + batch], Frame(0x21, 0x05, request)) << batch;
    }
    EXPECT_EQ(site.log,
              "Quering Size\n250 records to retrieve\nRetrieve @      0 Done\nRetrieve @    100 Done\n"
              "Retrieve @    200 Done\nAll done\nWrote 250 records\n250000.0 rec/s\nDone\n");
    EXPECT_EQ(site.outcome, "green");
    EXPECT_EQ(site.positions.back(), 0);
    EXPECT_NE(std::find(site.positions.begin(), site.positions.end(), 40), site.positions.end());
    const std::vector<NavSol> written = Written();
    ASSERT_EQ(written.size(), 250u);
    for (size_t k = 0; k < written.size(); ++k) {
        EXPECT_EQ(written[k].iTow, (3600 + static_cast<int64_t>(k)) * 1000);
        EXPECT_EQ(written[k].x, (4000000 + static_cast<int64_t>(k)) * 100);
    }

    Wait(CLoggerRetrieval::kAnswerTimeoutMs - 1);
    EXPECT_EQ(site.finishedCalls, 0);
    Wait(1);
    EXPECT_EQ(site.finishedCalls, 1);
}

TEST_F(LoggerRetrieval, AnEmptyLoggerEndsGreenWithAnEmptyFile) {
    Start();
    Receive(CountAnswer(0));
    EXPECT_EQ(site.log, "Quering Size\nNo Data to retrieve\nDone\n");
    EXPECT_EQ(site.outcome, "green");
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

// A duplicate and a position beyond the batch complete nothing; the batch ends when every
// position is filled, each with its own record.
TEST_F(LoggerRetrieval, DuplicatedAndOutOfBatchAnswersCountNothing) {
    std::vector<LoggedRecord> logger = Track(5);
    Start();
    Receive(CountAnswer(5));
    for (const uint8_t position : {0, 1, 1, 7, 100, 2, 3, 3}) Receive(RecordAnswer(logger[position % 5], position));
    EXPECT_EQ(retrieval->State(), CLoggerRetrieval::kReceiving);
    EXPECT_TRUE(Written().empty());
    Receive(RecordAnswer(logger[4], 4));
    EXPECT_EQ(site.outcome, "green");
    const std::vector<NavSol> written = Written();
    ASSERT_EQ(written.size(), 5u);
    for (size_t k = 0; k < 5; ++k) EXPECT_EQ(written[k].iTow, (3600 + static_cast<int64_t>(k)) * 1000);
}

// A batch that stays incomplete writes what came and names what did not; a receiver that does
// not answer, or cannot be reached, ends red as well.
TEST_F(LoggerRetrieval, SilenceEndsRedKeepingWhatCame) {
    const std::vector<LoggedRecord> logger = Track(105);
    Start();
    Receive(CountAnswer(105));
    Serve(Track(100));
    for (const uint8_t position : {1, 4}) Receive(RecordAnswer(logger[100 + position], position));
    Wait(CLoggerRetrieval::kAnswerTimeoutMs - 1);
    EXPECT_EQ(retrieval->State(), CLoggerRetrieval::kReceiving);
    Wait(1);
    EXPECT_TRUE(
        site.log.ends_with("Retrieve @    100 TIMEOUT received while reading data (100/2/5/105)\n"
                           "Missing records: 100, 102-103\nDone\n"))
        << site.log;
    EXPECT_EQ(site.outcome, "red");
    const std::vector<NavSol> written = Written();
    ASSERT_EQ(written.size(), 102u);
    EXPECT_EQ(written[100].iTow, 3701000);
    EXPECT_EQ(written[101].iTow, 3704000);

    site = RecordingSite();
    Start();
    Wait(CLoggerRetrieval::kAnswerTimeoutMs);
    EXPECT_EQ(site.log, "Quering Size\nTIMEOUT received while querying received\nDone\n");
    EXPECT_EQ(site.outcome, "red");

    site = RecordingSite();
    Start(false);
    EXPECT_EQ(site.log, "Unable to talk to receiver\nERROR: Download Stopped\nDone\n");
    EXPECT_EQ(site.outcome, "red");
    EXPECT_TRUE(site.sent.empty());
}

TEST_F(LoggerRetrieval, TheUsersAbortEndsRed) {
    Start();
    Receive(CountAnswer(3));
    Receive(RecordAnswer({}, 0));
    retrieval->Abort(now);
    EXPECT_TRUE(site.log.ends_with("Retrieve @      0 ERROR: Abort by User\nMissing records: 1-2\nDone\n")) << site.log;
    EXPECT_EQ(site.outcome, "red");
    EXPECT_EQ(Written().size(), 1u);
    retrieval->Abort(now);
    EXPECT_EQ(site.log.find("Abort"), site.log.rfind("Abort"));
}

// The process may write no file beyond 8000 bytes: the second batch does not fit.
TEST_F(LoggerRetrieval, AFullFileEndsRedWithWhatWasWritten) {
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = before;
    limit.rlim_cur = 8000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    Start();
    Receive(CountAnswer(250));
    Serve(Track(250));
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(site.log,
              "Quering Size\n250 records to retrieve\nRetrieve @      0 Done\nRetrieve @    100 Done\n"
              "ERROR: File too large\nDone\n");
    EXPECT_EQ(site.outcome, "red");
    EXPECT_EQ(site.sent.size(), 3u);
    EXPECT_EQ(std::filesystem::file_size(path), 8000u);
    EXPECT_EQ(Written().size(), 133u);
}

}  // namespace
