#pragma once
#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "host/services/logger_nav_sol.h"
#include "host/services/receiver_procedure.h"

class CLogFile;

// The procedure's events, numbered as the view's private message carries them.
enum class LoggerEvent : int { Counted = 0, Record = 1, Tick = 2, Abort = 5 };

// The retrieval of the receiver's data logger into a stream log: the number of records asked
// (KVB 0x21 0x02), then the records in batches of up to 100 (0x21 0x05), each answered one
// record a frame, and every record written to the file as a NAV-SOL frame once its batch is
// complete. Driven by a tick every 200 ms, the receiver's answers and the user's abort; every
// answer must come within 10 s of the one before.
class CLoggerRetrieval : public IReceiverProcedure {
public:
    enum State : int {
        kStart = 0,
        kAwaitCount = 1,
        kRequestBatch = 2,
        kReceiving = 3,
        kUnreachable = 4,
        kTimedOut = 5,
        kEnded = 6,
    };

    static constexpr uint32_t kBatchRecords = 100;
    static constexpr uint32_t kTickMs = 200;
    static constexpr uint32_t kAnswerTimeoutMs = 10000;

    // file: created for writing; the procedure closes it when it ends.
    CLoggerRetrieval(IProcedureSite& site, std::unique_ptr<CLogFile> file);
    ~CLoggerRetrieval() override;
    CLoggerRetrieval(const CLoggerRetrieval&) = delete;
    CLoggerRetrieval& operator=(const CLoggerRetrieval&) = delete;

    // Runs the step of the current state for the event, and again with a tick while the state
    // changes.
    void Handle(LoggerEvent event, uint32_t now);

    uint32_t TickMs() const override { return kTickMs; }
    // The number of records while it is awaited; a record of the batch being received, stored
    // at its position. Anything else, and a record whose position lies outside the batch, is no
    // answer.
    std::optional<int> TakeAnswer(uint32_t hint, const CMessageNode* node) override;
    void Answer(int event, uint32_t now) override { Handle(static_cast<LoggerEvent>(event), now); }
    void Tick(uint32_t now) override { Handle(LoggerEvent::Tick, now); }
    void Abort(uint32_t now) override { Handle(LoggerEvent::Abort, now); }

    int State() const { return state; }
    bool Failed() const override { return failed; }
    bool Ended() const override { return state == kEnded; }
    uint32_t Total() const { return total; }

private:
    using Record = std::array<uint8_t, kLoggerRecordBytes>;

    void Step(LoggerEvent event, uint32_t now);
    void Start(uint32_t now);
    void AwaitCount(uint32_t now);
    void RequestBatch(uint32_t now);
    void Receive(LoggerEvent event, uint32_t now);
    void Finish(uint32_t now);
    bool WriteBatch();
    void ReportMissing();
    bool CloseFile();
    void Fail(int error);
    void Enter(int next, uint32_t now);
    void Send(uint8_t id, const uint8_t* payload, int length);

    IProcedureSite& site;
    std::unique_ptr<CLogFile> file;
    int state = kStart;
    bool failed = false;
    uint32_t deadline = 0;
    uint32_t total = 0;
    // The receiver has told the number of records (which may be 0).
    bool counted = false;
    uint32_t next = 0;
    uint32_t batchSize = 0;
    uint32_t received = 0;
    uint32_t startTick = 0;
    CLoggerNavSol navSol;
    std::array<Record, kBatchRecords> records{};
    // The positions of the batch that an answer has filled, each counted once.
    std::bitset<kBatchRecords> filled;
};
