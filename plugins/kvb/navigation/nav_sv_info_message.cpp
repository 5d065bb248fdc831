#include "plugins/kvb/navigation/nav_sv_info_message.h"

#include "shared/entry_ids.h"

namespace {

constexpr size_t kHeaderSize = 8;
constexpr size_t kRecordSize = 12;
constexpr size_t kChannelCountOffset = 4;

constexpr uint8_t kFlagUsed = 0x01;
constexpr uint8_t kFlagsOrbitKnown = 0x0C;
constexpr uint8_t kFlagEphemeris = 0x08;
// A receiver that knows no direction for a satellite reports azimuth 0 and elevation -9.
constexpr int kUnknownAzimuth = 0;
constexpr int kUnknownElevation = -9;

// Quality classes: no signal, tracked, and a signal good enough to be received (second kind).
constexpr int kQualityNone = 0;
constexpr int kQualityTracked = 1;
constexpr int kQualityReceived = 2;

int QualityClass(int8_t quality, uint8_t flags) {
    if (quality < 2) return kQualityNone;
    if (quality >= 4 && (flags & kFlagEphemeris)) return kQualityReceived;
    return kQualityTracked;
}

bool OrMaskIfBound(CStorageSVList* list, const SatelliteMask& mask) { return list && list->OrMask(mask, true, 0); }

}  // namespace

// A channel record: chn U1 (+0), svid U1 (+1), flags U1 (+2), quality I1 (+3), cno U1 (+4, dBHz),
// elev I1 (+5, degree), azim I2 (+6, degree), prRes I4 (+8, cm).
struct CNavSvInfoMessage::ChannelRecord {
    uint8_t channel;
    uint8_t satellite;
    bool used;
    int qualityClass;
    uint8_t cn0;
    int elevation;
    int azimuth;
    bool directionKnown;
    int32_t pseudorangeResidual;

    ChannelRecord(const KvbPayload& payload, size_t at) {
        const uint8_t flags = payload.U1(at + 2);
        channel = payload.U1(at);
        satellite = payload.U1(at + 1);
        used = flags & kFlagUsed;
        qualityClass = QualityClass(payload.I1(at + 3), flags);
        cn0 = payload.U1(at + 4);
        elevation = payload.I1(at + 5);
        azimuth = payload.I2(at + 6);
        directionKnown = (flags & kFlagsOrbitKnown) && !(azimuth == kUnknownAzimuth && elevation == kUnknownElevation);
        pseudorangeResidual = payload.I4(at + 8);
    }
};

// Satellites with a slot, as slot masks.
struct CNavSvInfoMessage::SatelliteSets {
    SatelliteMask used;
    SatelliteMask tracked;
    SatelliteMask received;
};

CNavSvInfoMessage::CNavSvInfoMessage(const KvbMessageInfo& info) : CKvbTimedMessage(info, kHeaderSize) {}

void CNavSvInfoMessage::BindEntries(const CStorageDatabase* database) {
    usedList = FindEntry<CStorageSVList>(database, entry::kUsedList);
    trackedList = FindEntry<CStorageSVList>(database, entry::kTrackedList);
    svsUsed = FindEntry(database, entry::kSatellitesUsed);
    svsTracked = FindEntry(database, entry::kSatellitesTracked);
    svsReceived = FindEntry(database, entry::kSatellitesReceived);
    FindSlotEntries(database, entry::kSatelliteUsed, used);
    FindSlotEntries(database, entry::kSatelliteMode, modeStatus);
    FindSlotEntries(database, entry::kSatelliteChannel, channel);
    FindSlotEntries(database, entry::kSatelliteAzimuth, azimuth);
    FindSlotEntries(database, entry::kSatelliteElevation, elevation);
    FindSlotEntries(database, entry::kSatelliteCn0, cn0);
    FindSlotEntries(database, entry::kSatellitePseudorangeResidual, pseudorangeResidual);
}

// The channel count must describe exactly the records the frame holds.
bool CNavSvInfoMessage::IsComplete(const KvbPayload& payload) const {
    return payload.Size() == kHeaderSize + kRecordSize * payload.U1(kChannelCountOffset);
}

bool CNavSvInfoMessage::DecodePayload(const KvbPayload& payload, CStorageDatabase& database) {
    const int channelCount = payload.U1(kChannelCountOffset);
    SatelliteSets sets;
    bool changed = false;
    for (int i = 0; i < channelCount; ++i) {
        const ChannelRecord record(payload, kHeaderSize + kRecordSize * i);
        StoreChannel(record, database.Channels());
        const int slot = SatelliteSlot(record.satellite);
        if (slot < 0) continue;
        changed |= StoreSatellite(record, slot);
        if (record.used) sets.used.Set(slot);
        if (record.qualityClass >= kQualityTracked) sets.tracked.Set(slot);
        if (record.qualityClass >= kQualityReceived) sets.received.Set(slot);
    }
    changed |= StoreSets(sets);
    return changed;
}

// Every channel the message carries, as far as the table reaches.
void CNavSvInfoMessage::StoreChannel(const ChannelRecord& record, CChannelHistory& channels) {
    if (record.channel >= CChannelHistory::kChannels) return;
    channels.AssignSatellite(record.channel, record.satellite);
    channels.SetCn0(record.channel, record.cn0);
    channels.SetUsed(record.channel, record.used ? 1 : 0);
    channels.SetSignalState(record.channel, record.qualityClass);
    if (!record.directionKnown) return;
    channels.SetAzimuth(record.channel, record.azimuth < 0 ? record.azimuth + 360 : record.azimuth);
    channels.SetElevation(record.channel, record.elevation);
}

bool CNavSvInfoMessage::StoreSatellite(const ChannelRecord& record, int slot) const {
    bool changed = SetIfBound(channel[slot], record.channel + 1);
    changed |= SetIfBound(pseudorangeResidual[slot], record.pseudorangeResidual * kHundredths);
    if (record.cn0 != 0) changed |= SetIfBound(cn0[slot], record.cn0);
    if (record.directionKnown) {
        changed |= SetIfBound(azimuth[slot], BearingRadians(record.azimuth));
        changed |= SetIfBound(elevation[slot], Radians(record.elevation));
    }
    changed |= SetIfBound(used[slot], record.used ? 1 : 0);
    changed |= SetIfBound(modeStatus[slot], record.qualityClass);
    return changed;
}

// Counted from the sets, so that a satellite the receiver reports on two channels counts once.
bool CNavSvInfoMessage::StoreSets(const SatelliteSets& sets) const {
    bool changed = SetIfBound(svsUsed, sets.used.Count());
    changed |= SetIfBound(svsTracked, sets.tracked.Count());
    changed |= SetIfBound(svsReceived, sets.received.Count());
    changed |= OrMaskIfBound(usedList, sets.used);
    changed |= OrMaskIfBound(trackedList, sets.tracked);
    return changed;
}
