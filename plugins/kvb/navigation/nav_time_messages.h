#pragma once
#include "plugins/kvb/navigation/kvb_nav_message.h"

// Navigation messages about time and the receiver clock.

// NAV-TIMEGPS: GPS time when week and time of week are valid, and the time accuracy.
class CNavTimeGpsMessage : public CKvbTimedMessage {
public:
    explicit CNavTimeGpsMessage(const KvbMessageInfo& info);

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodePayload(const KvbPayload& payload, CStorageDatabase& database) override;

private:
    KvbScaledEntries values;
    CStorageValueStatisticsTimeGPS* gpsTime = nullptr;
};

// NAV-TIMEUTC: UTC date and time when they are valid, and the time accuracy.
class CNavTimeUtcMessage : public CKvbTimedMessage {
public:
    explicit CNavTimeUtcMessage(const KvbMessageInfo& info);

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodePayload(const KvbPayload& payload, CStorageDatabase& database) override;

private:
    KvbScaledEntries values;
    CStorageValueStatisticsTimeUTC* utc = nullptr;
};

// NAV-CLOCK: clock bias and drift, time and frequency accuracy.
class CNavClockMessage : public CKvbTimedMessage {
public:
    explicit CNavClockMessage(const KvbMessageInfo& info);

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodePayload(const KvbPayload& payload, CStorageDatabase& database) override;

private:
    KvbScaledEntries values;
    CStorageValue* clockDrift = nullptr;
};
