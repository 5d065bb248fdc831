#pragma once
#include "plugins/nmea/decoders/nmea_sentence_node.h"
#include "shared/storage_sv_list.h"

// DOP and active satellites: 1 operation mode, 2 navigation mode, 3-14 satellites used,
// 15 PDOP, 16 HDOP, 17 VDOP.
class NmeaGsaNode : public NmeaSentenceNode {
public:
    using NmeaSentenceNode::NmeaSentenceNode;

    void ShowData(CDialogPage& page, const uint8_t* bytes, int length) override;

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;

private:
    bool StoreNavigationMode(std::optional<char> mode) const;
    bool StoreUsedSatellites(const NmeaFields& fields, CChannelHistory& channels) const;

    NmeaFixStatusEntries status;
    SlotEntries used{};
    CStorageSVList* usedList = nullptr;
    CStorageValue* svsUsed = nullptr;
    CStorageValue* pdop = nullptr;
    CStorageValue* hdop = nullptr;
    CStorageValue* vdop = nullptr;
};
