#include "plugins/kvb/navigation/nav_time_messages.h"

#include "shared/entry_ids.h"

namespace {

using enum KvbFieldType;

constexpr size_t kTimeGpsPayloadSize = 16;
constexpr size_t kTimeUtcPayloadSize = 20;
constexpr size_t kClockPayloadSize = 20;
constexpr double kNanoseconds = 1e-9;
constexpr double kMillionths = 1e-6;
// NAV-TIMEGPS valid: time of week and week number.
constexpr uint8_t kGpsTimeValid = 0x03;
// NAV-TIMEUTC valid: time of week, week number and UTC.
constexpr uint8_t kUtcValid = 0x07;

constexpr KvbScaledField kTimeGpsFields[] = {{entry::kTimeAccuracy, 12, U4, kThousandths}};

constexpr KvbScaledField kTimeUtcFields[] = {{entry::kTimeAccuracy, 4, U4, kThousandths}};

// clang-format off
constexpr KvbScaledField kClockFields[] = {
    {entry::kClockBias, 4, I4, kThousandths},
    {entry::kTimeAccuracy, 12, U4, kThousandths},
    {entry::kClockAccuracy, 16, U4, kMillionths},
};
// clang-format on

bool AllSet(uint8_t flags, uint8_t bits) { return (flags & bits) == bits; }

}  // namespace

// ---- NAV-TIMEGPS: iTOW, fTOW I4 at 4, week I2 at 8, valid U1 at 11, tAcc U4 at 12 (ns)

CNavTimeGpsMessage::CNavTimeGpsMessage(const KvbMessageInfo& info)
    : CKvbTimedMessage(info, kTimeGpsPayloadSize), values(kTimeGpsFields) {}

void CNavTimeGpsMessage::BindEntries(const CStorageDatabase* database) {
    values.Bind(database);
    gpsTime = FindEntry<CStorageValueStatisticsTimeGPS>(database, entry::kGpsTime);
}

bool CNavTimeGpsMessage::DecodePayload(const KvbPayload& payload, CStorageDatabase&) {
    bool changed = false;
    if (AllSet(payload.U1(11), kGpsTimeValid)) changed |= StoreGpsTime(gpsTime, payload);
    changed |= values.Store(payload);
    return changed;
}

// ---- NAV-TIMEUTC: iTOW, tAcc U4 at 4 (ns), nano I4 at 8, year U2 at 12, month, day, hour, min,
// sec U1 at 14-18, valid U1 at 19

CNavTimeUtcMessage::CNavTimeUtcMessage(const KvbMessageInfo& info)
    : CKvbTimedMessage(info, kTimeUtcPayloadSize), values(kTimeUtcFields) {}

void CNavTimeUtcMessage::BindEntries(const CStorageDatabase* database) {
    values.Bind(database);
    utc = FindEntry<CStorageValueStatisticsTimeUTC>(database, entry::kUtc);
}

bool CNavTimeUtcMessage::DecodePayload(const KvbPayload& payload, CStorageDatabase&) {
    bool changed = false;
    if (utc && AllSet(payload.U1(19), kUtcValid)) {
        const double seconds = payload.U1(18) + payload.I4(8) * kNanoseconds;
        changed |=
            utc->SetDateTime(seconds, payload.U1(17), payload.U1(16), payload.U1(15), payload.U1(14), payload.U2(12));
    }
    changed |= values.Store(payload);
    return changed;
}

// ---- NAV-CLOCK: iTOW, clkB I4 at 4 (ns), clkD I4 at 8 (ns/s), tAcc U4 at 12 (ns), fAcc U4 at 16 (ps/s)

CNavClockMessage::CNavClockMessage(const KvbMessageInfo& info)
    : CKvbTimedMessage(info, kClockPayloadSize), values(kClockFields) {}

void CNavClockMessage::BindEntries(const CStorageDatabase* database) {
    values.Bind(database);
    clockDrift = FindEntry(database, entry::kClockDrift);
}

bool CNavClockMessage::DecodePayload(const KvbPayload& payload, CStorageDatabase&) {
    bool changed = false;
    // A drift of exactly 0 means the receiver has none to tell.
    if (const int32_t drift = payload.I4(8); drift != 0) changed |= SetIfBound(clockDrift, drift * kThousandths);
    changed |= values.Store(payload);
    return changed;
}
