#pragma once
#include "plugins/nmea/decoders/nmea_sentence_node.h"
#include "plugins/nmea/decoders/nmea_talker_siblings.h"
#include "shared/storage_sv_list.h"

// DOP and active satellites: 1 operation mode, 2 navigation mode, 3-14 satellites used,
// 15 PDOP, 16 HDOP, 17 VDOP, and from NMEA 4.10 18 the system of the satellites. A receiver that
// combines systems sends one GSA per system in an epoch.
class NmeaGsaNode : public NmeaSentenceNode {
public:
    using NmeaSentenceNode::NmeaSentenceNode;

    bool SameEpoch(CStorageDatabase* database) override;
    void ShowData(CDialogPage& page, const uint8_t* bytes, int length) override;

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;

private:
    bool StoreNavigationMode(std::optional<char> mode) const;
    bool StoreUsedSatellites(const NmeaFields& fields, CChannelHistory& channels);
    // The satellites that the GSAs of every talker under the root listed in the epoch.
    int UsedAcrossTalkers(uint32_t epoch) const;

    NmeaFixStatusEntries status;
    SlotEntries used{};
    CStorageSVList* usedList = nullptr;
    CStorageValue* svsUsed = nullptr;
    CStorageValue* pdop = nullptr;
    CStorageValue* hdop = nullptr;
    CStorageValue* vdop = nullptr;
    // The systems (bit 0: none named) whose GSA this node decoded in the epoch of systemEpoch.
    uint32_t systemsDecoded = 0;
    uint32_t systemEpoch = UINT32_MAX;
    // The satellites that the GSAs of the epoch listed, when the receiver sends one per system.
    int usedInEpoch = 0;
    NmeaTalkerSiblings<NmeaGsaNode> talkers;
};
