#include "sim_data_logger.h"

#include <algorithm>
#include <cmath>

#include "tools/sim/sim_kvb_writer.h"
#include "tools/sim/sim_payload.h"

namespace {

constexpr uint8_t kLoggerClass = 0x21;
constexpr uint8_t kInformationId = 0x02;
constexpr uint8_t kRecordsId = 0x05;
constexpr size_t kInformationBytes = 28;
constexpr size_t kRequestBytes = 8;
// A request is answered for at most this many records, as the position has one byte.
constexpr uint32_t kMostAnswered = 256;
constexpr uint8_t kRecordKind = 0x01;
constexpr size_t kPositionAt = 2;
constexpr int kMaxSpeedKmh = 1023;
constexpr int kDifferentialBit = 0x0400;
constexpr int kFixClassShift = 11;

uint32_t U32(std::span<const uint8_t> bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// No fix 0, 2D 1, 3D 2, 3D with corrections 3.
int FixClass(const SimEpoch& epoch) {
    switch (epoch.fix) {
        case SimFix::None:
            return 0;
        case SimFix::TwoD:
            return 1;
        case SimFix::ThreeD:
            break;
    }
    return epoch.differential ? 3 : 2;
}

// Header (kind, length, position, 0), speed and fix, week, time of week (s), ECEF (m).
std::vector<uint8_t> MakeRecord(const SimEpoch& epoch) {
    const int speed = std::min<int>(static_cast<int>(std::lround(epoch.GroundSpeed() * 3.6)), kMaxSpeedKmh);
    const int speedAndFix = speed | (epoch.differential ? kDifferentialBit : 0) | FixClass(epoch) << kFixClassShift;
    CSimPayload record(CSimDataLogger::kRecordBytes);
    record.U1(0, kRecordKind).U1(1, CSimDataLogger::kRecordBytes).U2(4, speedAndFix).U2(6, epoch.Week());
    record.U4(8, epoch.TimeOfWeekMs() / 1000);
    record.I4Scaled(12, epoch.ecef.x, 1).I4Scaled(16, epoch.ecef.y, 1).I4Scaled(20, epoch.ecef.z, 1);
    return record.Take();
}

int32_t I32(std::span<const uint8_t> bytes, size_t at) { return static_cast<int32_t>(U32(bytes, at)); }

}  // namespace

// The drive before the start ends where the receiver's own first epoch begins.
CSimDataLogger::CSimDataLogger(SimDataLoggerConfig config, const SimTruthConfig& truth, uint32_t periodMs)
    : config(std::move(config)) {
    if (!this->config.truthPath.empty()) {
        truthFile = std::fopen(this->config.truthPath.c_str(), "we");
        if (truthFile)
            std::fputs("index,week,tow,x,y,z,speed,fix\n", truthFile);
        else
            std::fprintf(stderr, "veltro-sim: cannot create %s\n", this->config.truthPath.c_str());
    }
    const uint64_t every = std::max<uint32_t>(this->config.every, 1);
    const uint64_t past = this->config.preset * every;
    SimTruthConfig before = truth;
    before.startGpsMs -= static_cast<int64_t>(past * periodMs);
    CSimTruth drive(before);
    for (uint64_t n = 1; n <= past; ++n) {
        const SimEpoch& epoch = drive.Advance(periodMs);
        if (n % every == 0) Log(epoch);
    }
}

CSimDataLogger::~CSimDataLogger() {
    if (truthFile) std::fclose(truthFile);
}

void CSimDataLogger::OnEpoch(const SimEpoch& epoch) {
    if (config.every != 0 && ++epochs % config.every == 0) Log(epoch);
}

void CSimDataLogger::Log(const SimEpoch& epoch) {
    if (Count() >= kCapacity) return;
    const std::vector<uint8_t> record = MakeRecord(epoch);
    records.insert(records.end(), record.begin(), record.end());
    if (!truthFile) return;
    const std::span<const uint8_t> r(record);
    std::fprintf(truthFile, "%zu,%d,%u,%d,%d,%d,%d,%d\n", Count() - 1, epoch.Week(), U32(r, 8), I32(r, 12), I32(r, 16),
                 I32(r, 20), (r[4] | r[5] << 8) & 0x3FF, (r[5] >> 3) & 0x3);
    std::fflush(truthFile);
}

std::span<const uint8_t> CSimDataLogger::Record(size_t index) const {
    return std::span(records).subspan(index * kRecordBytes, kRecordBytes);
}

void CSimDataLogger::Execute(uint8_t id, std::span<const uint8_t> payload, std::vector<uint8_t>& out) {
    if (id == kInformationId && payload.empty()) AnswerInformation(out);
    if (id == kRecordsId && payload.size() == kRequestBytes) AnswerRecords(payload, out);
}

// Beside the count, the capacity (offset 0) and the interval in epochs (offset 4).
void CSimDataLogger::AnswerInformation(std::vector<uint8_t>& out) const {
    CSimPayload answer(kInformationBytes);
    answer.U4(0, kCapacity).U4(4, config.every).U4(24, static_cast<int64_t>(Count()));
    AppendKvbFrame(kLoggerClass, kInformationId, answer.Take(), out);
}

void CSimDataLogger::AnswerRecords(std::span<const uint8_t> request, std::vector<uint8_t>& out) const {
    const uint64_t first = U32(request, 0);
    const uint64_t wanted = std::min(U32(request, 4), kMostAnswered);
    for (uint64_t k = 0; k < wanted && first + k < Count(); ++k) {
        std::vector<uint8_t> record(Record(first + k).begin(), Record(first + k).end());
        record[kPositionAt] = static_cast<uint8_t>(k);
        AppendKvbFrame(kLoggerClass, kRecordsId, record, out);
    }
}
