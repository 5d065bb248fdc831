#pragma once
#include <cstdint>

#include "plugins/kvb/navigation/kvb_fix_status_entries.h"
#include "plugins/kvb/navigation/kvb_nav_message.h"

// NAV-STATUS: fix type and flags, time to first fix and time since start-up.
class CNavStatusMessage : public CKvbTimedMessage {
public:
    explicit CNavStatusMessage(const KvbMessageInfo& info);

    void Reset() override;

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodePayload(const KvbPayload& payload, CStorageDatabase& database) override;

private:
    bool StoreTimeToFirstFix(uint32_t milliseconds);

    KvbFixStatusEntries fixStatus;
    CStorageValue* timeSinceStartup = nullptr;
    CStorageValue* timeToFirstFix = nullptr;
    // The receiver repeats its time to first fix in every message; it is a value once per fix.
    uint32_t lastTimeToFirstFix = 0;
};

// NAV-SOL: the navigation solution: GPS time, fix, ECEF position and velocity with accuracies,
// PDOP and the number of satellites used.
class CNavSolMessage : public CKvbTimedMessage {
public:
    explicit CNavSolMessage(const KvbMessageInfo& info);

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodePayload(const KvbPayload& payload, CStorageDatabase& database) override;

private:
    KvbScaledEntries values;
    KvbFixStatusEntries fixStatus;
    CStorageValueStatisticsTimeGPS* gpsTime = nullptr;
};
