#pragma once
#include <cstdint>

#include "plugins/kvb/navigation/kvb_nav_message.h"
#include "shared/channel_history.h"
#include "shared/database_entries.h"
#include "shared/storage_sv_list.h"

// NAV-SVINFO: one record per receiver channel with its satellite, signal, direction and
// pseudorange residual. Fills the channel table, the per-satellite values, and the lists and
// counts of used, tracked and received satellites.
class CNavSvInfoMessage : public CKvbTimedMessage {
public:
    explicit CNavSvInfoMessage(const KvbMessageInfo& info);

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool IsComplete(const KvbPayload& payload) const override;
    bool DecodePayload(const KvbPayload& payload, CStorageDatabase& database) override;

private:
    struct ChannelRecord;
    struct SatelliteSets;

    static void StoreChannel(const ChannelRecord& record, CChannelHistory& channels);
    bool StoreSatellite(const ChannelRecord& record, int slot) const;
    bool StoreSets(const SatelliteSets& sets) const;

    SlotEntries used{};
    SlotEntries modeStatus{};
    SlotEntries channel{};
    SlotEntries azimuth{};
    SlotEntries elevation{};
    SlotEntries cn0{};
    SlotEntries pseudorangeResidual{};
    CStorageSVList* usedList = nullptr;
    CStorageSVList* trackedList = nullptr;
    CStorageValue* svsUsed = nullptr;
    CStorageValue* svsTracked = nullptr;
    CStorageValue* svsReceived = nullptr;
};
