#pragma once
#include "plugins/kvb/navigation/kvb_nav_message.h"

// NAV-EKFSTATUS: the dead-reckoning filter's sensor values and calibration. It carries no time of
// week, so it neither sets the time tag nor opens an epoch. A marker byte selects finer scales.
class CNavEkfStatusMessage : public CKvbNavMessage {
public:
    explicit CNavEkfStatusMessage(const KvbMessageInfo& info);

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodePayload(const KvbPayload& payload, CStorageDatabase& database) override;

private:
    bool StoreTickScale(int32_t divisor, bool fine) const;

    KvbScaledEntries sensorValues;
    KvbScaledEntries calibration;
    KvbScaledEntries fineCalibration;
    CStorageValue* tickScale = nullptr;
};
