#include "logger_retrieval.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "host/core/intake/document_observer.h"
#include "host/core/log/log_file.h"
#include "host/services/kvb_frame.h"
#include "platform/text.h"
#include "shared/message_node.h"

namespace {

constexpr uint8_t kLoggerClass = 0x21;
constexpr uint8_t kInformationId = 0x02;
constexpr uint8_t kRecordsId = 0x05;
constexpr uint8_t kNavClass = 0x01;
constexpr uint8_t kNavSolId = 0x06;
constexpr int kHeaderBytes = 6;
// The number of records in the information answer.
constexpr int kCountAt = 24;
constexpr int kRecordAnswerBytes = kLoggerRecordBytes + kKvbFrameExtraBytes;
constexpr int kNavSolFrameBytes = kNavSolPayloadBytes + kKvbFrameExtraBytes;

constexpr char16_t kQuerying[] = u"Quering Size\n";
constexpr char16_t kCannotTalk[] = u"Unable to talk to receiver\n";
constexpr char16_t kNoData[] = u"No Data to retrieve\n";
constexpr char16_t kToRetrieve[] = u"%d records to retrieve\n";
constexpr char16_t kRetrieving[] = u"Retrieve @ %6d ";
constexpr char16_t kDone[] = u"Done\n";
constexpr char16_t kAllDone[] = u"All done\nWrote %d records\n%.1f rec/s\n";
constexpr char16_t kCountTimeout[] = u"TIMEOUT received while querying received\n";
constexpr char16_t kRecordTimeout[] = u"TIMEOUT received while reading data (%d/%d/%d/%d)\n";
constexpr char16_t kMissing[] = u"Missing records:%s\n";
constexpr char16_t kStopped[] = u"ERROR: Download Stopped\n";
constexpr char16_t kError[] = u"ERROR: %s\n";
constexpr char16_t kAborted[] = u"ERROR: Abort by User\n";

uint32_t GetU32(const uint8_t* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void PutU32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The frame of a logger answer with this id that the receiver sent; null for any other.
const uint8_t* LoggerAnswer(uint32_t hint, const CMessageNode* node, uint8_t id) {
    if (!node || !(hint & HINT_MESSAGE) || !(hint & HINT_RECEIVED)) return nullptr;
    const uint8_t* frame = node->FrameBytes();
    if (!frame || node->FrameLength() < kKvbFrameExtraBytes) return nullptr;
    return frame[2] == kLoggerClass && frame[3] == id ? frame : nullptr;
}

int PayloadLength(const CMessageNode& node) {
    const uint8_t* frame = node.FrameBytes();
    return std::min(frame[4] | frame[5] << 8, node.FrameLength() - kKvbFrameExtraBytes);
}

}  // namespace

CLoggerRetrieval::CLoggerRetrieval(IProcedureSite& site, std::unique_ptr<CLogFile> file)
    : site(site), file(std::move(file)) {}

CLoggerRetrieval::~CLoggerRetrieval() = default;

std::optional<int> CLoggerRetrieval::TakeAnswer(uint32_t hint, const CMessageNode* node) {
    if (state == kAwaitCount && !counted) {
        const uint8_t* frame = LoggerAnswer(hint, node, kInformationId);
        if (!frame || PayloadLength(*node) < kCountAt + 4) return std::nullopt;
        total = GetU32(frame + kHeaderBytes + kCountAt);
        counted = true;
        return static_cast<int>(LoggerEvent::Counted);
    }
    if (state != kReceiving) return std::nullopt;
    const uint8_t* frame = LoggerAnswer(hint, node, kRecordsId);
    if (!frame || node->FrameLength() != kRecordAnswerBytes) return std::nullopt;
    const uint8_t* record = frame + kHeaderBytes;
    const uint32_t position = record[kLoggerRecordPositionAt];
    if (position >= batchSize) return std::nullopt;
    std::copy_n(record, kLoggerRecordBytes, records[position].begin());
    filled.set(position);
    return static_cast<int>(LoggerEvent::Record);
}

void CLoggerRetrieval::Handle(LoggerEvent event, uint32_t now) {
    if (event == LoggerEvent::Abort && state != kEnded) {
        site.Append(kAborted);
        failed = true;
        if (state == kReceiving) WriteBatch();
        Enter(kEnded, now);
    }
    for (int before = -1; before != state; event = LoggerEvent::Tick) {
        before = state;
        Step(event, now);
    }
}

void CLoggerRetrieval::Step(LoggerEvent event, uint32_t now) {
    switch (state) {
        case kStart:
            return Start(now);
        case kAwaitCount:
            return AwaitCount(now);
        case kRequestBatch:
            return RequestBatch(now);
        case kReceiving:
            return Receive(event, now);
        case kUnreachable:
            site.Append(kStopped);
            failed = true;
            return Enter(kEnded, now);
        case kTimedOut:
            failed = true;
            return Enter(kEnded, now);
        default:
            if (!failed && TickPassed(now, deadline)) site.OnFinished();
    }
}

void CLoggerRetrieval::Start(uint32_t now) {
    if (!site.ReadyToSend()) {
        site.Append(kCannotTalk);
        state = kUnreachable;
        return;
    }
    site.Append(kQuerying);
    site.SetProgressPosition(0);
    site.SetProgressRange(0, 100);
    site.OnStarted();
    deadline = now + kAnswerTimeoutMs;
    Send(kInformationId, nullptr, 0);
    state = kAwaitCount;
}

// The number may have come while the procedure was held: it is taken whatever the event.
void CLoggerRetrieval::AwaitCount(uint32_t now) {
    if (!site.ReadyToSend()) return;
    if (!counted) {
        if (!TickPassed(now, deadline)) return;
        site.Append(kCountTimeout);
        state = kTimedOut;
        return;
    }
    deadline = now + kAnswerTimeoutMs;
    if (total == 0) {
        site.Append(kNoData);
        return Enter(kEnded, now);
    }
    site.Append(platform::FormatW(kToRetrieve, static_cast<int>(total)));
    next = 0;
    site.SetProgressPosition(0);
    startTick = now;
    state = kRequestBatch;
}

void CLoggerRetrieval::RequestBatch(uint32_t now) {
    if (!site.ReadyToSend()) return;
    deadline = now + kAnswerTimeoutMs;
    batchSize = std::min(kBatchRecords, total - next);
    site.Append(platform::FormatW(kRetrieving, static_cast<int>(next)));
    received = 0;
    filled.reset();
    uint8_t request[8];
    PutU32(request, next);
    PutU32(request + 4, batchSize);
    Send(kRecordsId, request, sizeof request);
    state = kReceiving;
}

// The batch is complete once every position holds a record, however many answers that took;
// records taken while the procedure was held count at its next step.
void CLoggerRetrieval::Receive(LoggerEvent event, uint32_t now) {
    if (!site.ReadyToSend()) return;
    if (event == LoggerEvent::Record) deadline = now + kAnswerTimeoutMs;
    if (const uint32_t count = static_cast<uint32_t>(filled.count()); count != received) {
        received = count;
        site.SetProgressPosition(static_cast<int>((uint64_t{next} + received) * 100 / total));
    }
    if (received == batchSize) {
        site.Append(kDone);
        if (!WriteBatch()) return Enter(kEnded, now);
        next += batchSize;
        if (next < total)
            state = kRequestBatch;
        else
            Finish(now);
        return;
    }
    if (!TickPassed(now, deadline)) return;
    site.Append(platform::FormatW(kRecordTimeout, static_cast<int>(next), static_cast<int>(received),
                                  static_cast<int>(batchSize), static_cast<int>(total)));
    if (!WriteBatch()) return Enter(kEnded, now);
    state = kTimedOut;
}

void CLoggerRetrieval::Finish(uint32_t now) {
    if (!CloseFile()) return Enter(kEnded, now);
    // A batch answered within the tick it was asked in has taken no measurable time.
    const uint32_t elapsed = std::max<uint32_t>(now - startTick, 1);
    site.Append(platform::FormatW(kAllDone, static_cast<int>(total), total * 1000.0 / elapsed));
    Enter(kEnded, now);
}

// The filled positions in order, as NAV-SOL frames; the positions no answer filled are named.
bool CLoggerRetrieval::WriteBatch() {
    std::vector<uint8_t> frames;
    frames.reserve(filled.count() * kNavSolFrameBytes);
    for (uint32_t position = 0; position < batchSize; ++position) {
        if (!filled[position]) continue;
        const NavSolPayload payload = navSol.Convert(LoggerRecord(records[position]));
        frames.resize(frames.size() + kNavSolFrameBytes);
        BuildKvbFrame(frames.data() + frames.size() - kNavSolFrameBytes, kNavClass, kNavSolId, payload.data(),
                      kNavSolPayloadBytes);
    }
    if (filled.count() != batchSize) ReportMissing();
    if (frames.empty() || file->Append(frames.data(), frames.size())) return true;
    Fail(file->LastError());
    return false;
}

// As ranges of record numbers: " 5, 17-20".
void CLoggerRetrieval::ReportMissing() {
    std::string ranges;
    for (uint32_t first = 0; first < batchSize; ++first) {
        if (filled[first]) continue;
        uint32_t last = first;
        while (last + 1 < batchSize && !filled[last + 1]) ++last;
        ranges += ranges.empty() ? " " : ", ";
        ranges += std::to_string(next + first);
        if (last > first) ranges += "-" + std::to_string(next + last);
        first = last;
    }
    site.Append(platform::FormatW(kMissing, ranges.c_str()));
}

// A file that cannot be synced has lost records as surely as one that could not be written.
bool CLoggerRetrieval::CloseFile() {
    if (file->Close()) return true;
    if (!failed) Fail(file->LastError());
    return false;
}

void CLoggerRetrieval::Fail(int error) {
    site.Append(platform::FormatW(kError, std::strerror(error)));
    failed = true;
}

void CLoggerRetrieval::Enter(int nextState, uint32_t now) {
    const bool ending = nextState == kEnded && state != kEnded;
    state = nextState;
    if (!ending) return;
    CloseFile();
    site.Append(kDone);
    site.SetProgressPosition(0);
    deadline = now + kAnswerTimeoutMs;
    site.OnEnded(failed);
}

void CLoggerRetrieval::Send(uint8_t id, const uint8_t* payload, int length) {
    uint8_t frame[8 + kKvbFrameExtraBytes];
    const int size = BuildKvbFrame(frame, kLoggerClass, id, payload, length);
    site.Send(frame, size);
}
