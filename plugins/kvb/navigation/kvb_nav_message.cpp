#include "plugins/kvb/navigation/kvb_nav_message.h"

#include <cmath>

#include "shared/entry_ids.h"

namespace {

// Messages of one epoch carry the same time of week; anything further apart starts the next.
constexpr double kEpochTolerance = 0.03;

double TimeOfWeek(const KvbPayload& payload) { return payload.U4(0) * 0.001; }

}  // namespace

// ---- CKvbNavMessage

void CKvbNavMessage::BindDatabase(CStorageDatabase* database) { BindEntries(database); }

bool CKvbNavMessage::Decode(CStorageDatabase* database) {
    const KvbPayload payload = StoredPayload();
    if (!database || !IsComplete(payload)) return false;
    bool changed = StoreTimeTag(payload);
    changed |= DecodePayload(payload, *database);
    return changed;
}

// ---- CKvbTimedMessage

void CKvbTimedMessage::BindDatabase(CStorageDatabase* database) {
    timeTag = FindEntry<CStorageValueStatisticsTTAG>(database, entry::kTimeTag);
    CKvbNavMessage::BindDatabase(database);
}

bool CKvbTimedMessage::SameEpoch(CStorageDatabase*) {
    const KvbPayload payload = StoredPayload();
    if (!timeTag || !timeTag->IsValid() || !IsComplete(payload)) return true;
    const double current = timeTag->GetValue();
    return std::isnan(current) || std::fabs(TimeOfWeek(payload) - current) < kEpochTolerance;
}

bool CKvbTimedMessage::StoreTimeTag(const KvbPayload& payload) { return SetIfBound(timeTag, TimeOfWeek(payload)); }

bool CKvbTimedMessage::StoreGpsTime(CStorageValueStatisticsTimeGPS* entry, const KvbPayload& payload) {
    return entry && entry->SetGpsTime(TimeOfWeek(payload) + payload.I4(4) * 1e-9, payload.I2(8));
}
