#pragma once
#include <cstddef>
#include <span>

#include "plugins/kvb/catalogue/kvb_message.h"
#include "plugins/kvb/framing/kvb_payload.h"
#include "plugins/kvb/navigation/kvb_scaled_entries.h"

// A navigation message that writes its stored frame into the value database. It looks its
// entries up once and decodes only a payload that holds every field it reads.
class CKvbNavMessage : public CKvbMessage {
public:
    CKvbNavMessage(const KvbMessageInfo& info, size_t payloadSize) : CKvbMessage(info), payloadSize(payloadSize) {}

    void BindDatabase(CStorageDatabase* database) override;
    bool Decode(CStorageDatabase* database) override;

protected:
    virtual void BindEntries(const CStorageDatabase* database) = 0;
    virtual bool IsComplete(const KvbPayload& payload) const { return payload.Size() >= payloadSize; }
    // Before the message's own values: the time tag of messages that carry one.
    virtual bool StoreTimeTag(const KvbPayload&) { return false; }
    // True when any value changed.
    virtual bool DecodePayload(const KvbPayload& payload, CStorageDatabase& database) = 0;

    KvbPayload StoredPayload() const { return KvbPayload::OfFrame(FrameBytes(), FrameLength()); }

private:
    size_t payloadSize;
};

// A navigation message that begins with the receiver's time of week (iTOW, U4 in ms). Its time
// tag groups the messages of one navigation epoch: a different time of week opens a new epoch.
class CKvbTimedMessage : public CKvbNavMessage {
public:
    using CKvbNavMessage::CKvbNavMessage;

    void BindDatabase(CStorageDatabase* database) override;
    bool SameEpoch(CStorageDatabase* database) override;

protected:
    bool StoreTimeTag(const KvbPayload& payload) override;
    // The GPS time of NAV-SOL and NAV-TIMEGPS: iTOW, fTOW (I4 in ns at 4) and week (I2 at 8).
    static bool StoreGpsTime(CStorageValueStatisticsTimeGPS* entry, const KvbPayload& payload);

private:
    CStorageValueStatisticsTTAG* timeTag = nullptr;
};

// A timed message whose values are all plain scaled fields.
class CKvbScaledMessage : public CKvbTimedMessage {
public:
    CKvbScaledMessage(const KvbMessageInfo& info, size_t payloadSize, std::span<const KvbScaledField> fields)
        : CKvbTimedMessage(info, payloadSize), values(fields) {}

protected:
    void BindEntries(const CStorageDatabase* database) override { values.Bind(database); }
    bool DecodePayload(const KvbPayload& payload, CStorageDatabase&) override { return values.Store(payload); }

private:
    KvbScaledEntries values;
};
