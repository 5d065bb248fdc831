#pragma once
#include <string>

#include "plugins/nmea/decoders/nmea_sentence_node.h"

// Satellites in view, from any talker. A cycle spreads the satellites over up to nine pages; the
// node creates a child per page as cycles announce them and keeps the pages of the running
// cycle joined as its frame.
class NmeaGsvNode : public NmeaSentenceNode {
public:
    using NmeaSentenceNode::NmeaSentenceNode;

    bool Accept(const uint8_t* bytes, int length) override;
    void StoreFrame(const uint8_t* bytes, int length) override;
    void Reset() override;
    // The page of the cycle held.
    void InitPage(CDialogPage& page) override;
    void ShowData(CDialogPage& page, const uint8_t* bytes, int length) override;
    void ResizePage(CDialogPage& page, int width, int height) override;

private:
    int totalPages = 0;
    int lastPage = 0;
    int pagesCreated = 0;
};

// One page of a GSV cycle: 1 total pages, 2 page number, 3 satellites in view, then per
// satellite a group of number, elevation, azimuth and C/N0.
class NmeaGsvPageNode : public NmeaSentenceNode {
public:
    explicit NmeaGsvPageNode(int pageNumber);

    bool Accept(const uint8_t* bytes, int length) override;
    bool SameEpoch(CStorageDatabase* database) override;
    const char16_t* Label() const override;

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;

private:
    bool StoreSatellite(const NmeaFields& fields, int firstField, CChannelHistory& channels, uint64_t& tracked) const;
    bool StoreSignal(std::optional<double> cn0, int slot, int channel, CChannelHistory& channels) const;
    bool StoreDirection(std::optional<double> elevation, std::optional<double> azimuth, int slot, int channel,
                        CChannelHistory& channels) const;

    int pageNumber;
    std::u16string label;
    SatellitesInViewEntries satellites;
};
