#pragma once
#include "plugins/kvb/navigation/kvb_nav_message.h"

// NAV-VELNED: velocity in the local north-east-down frame, speeds, course and speed accuracy.
class CNavVelNedMessage : public CKvbTimedMessage {
public:
    explicit CNavVelNedMessage(const KvbMessageInfo& info);

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodePayload(const KvbPayload& payload, CStorageDatabase& database) override;

private:
    KvbScaledEntries values;
    CStorageValue* courseOverGround = nullptr;
};
