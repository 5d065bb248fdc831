#pragma once
#include <map>
#include <string>
#include <vector>

#include "plugins/nmea/decoders/nmea_sentence_node.h"
#include "plugins/nmea/decoders/nmea_talker_siblings.h"

// Satellites in view of one talker; the GP node also takes those of talkers that are no satellite
// system's (plug-ins of other makers call themselves what they like). A cycle spreads the satellites over up to nine
// pages; the node creates a child per page as cycles announce them and keeps the pages of the running cycle joined as
// its frame.
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

    // The satellites of the running cycle of a signal, from its first page on.
    void StartCycle(int signal) { runningCycles[signal].clear(); }
    void AddToCycle(int signal, int satellite) { runningCycles[signal].push_back(satellite); }
    void CompleteCycle(int signal);
    // The satellites of the last complete cycle of every signal of every talker under the root,
    // each counted once.
    int TrackedAcrossTalkers() const;

private:
    std::map<int, std::vector<int>> runningCycles;
    std::map<int, std::vector<int>> completeCycles;
    int totalPages = 0;
    int lastPage = 0;
    // The pages of the running cycle, kept to spare an allocation on every page.
    std::vector<uint8_t> joinedCycle;
    int pagesCreated = 0;
    NmeaTalkerSiblings<NmeaGsvNode> talkers;
};

// One page of a GSV cycle: 1 total pages, 2 page number, 3 satellites in view, then per
// satellite a group of number, elevation, azimuth and C/N0, and from NMEA 4.10 the signal after the
// last group. A receiver sends one cycle per signal in an epoch.
class NmeaGsvPageNode : public NmeaSentenceNode {
public:
    NmeaGsvPageNode(int pageNumber, NmeaGsvNode& cycle);

    bool Accept(const uint8_t* bytes, int length) override;
    bool SameEpoch(CStorageDatabase* database) override;
    const char16_t* Label() const override;
    // Named as the cycle's node is.
    const char16_t* Name() const override;
    // The signal of a page, 0 before NMEA 4.10.
    static int SignalOf(const NmeaFields& fields);

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;

private:
    bool StoreSatellite(const NmeaFields& fields, int firstField, int signal, CChannelHistory& channels,
                        SatelliteMask& tracked) const;
    // A talker that tracks none of its satellites any more sends a page that names none.
    bool EndEmptyCycle(int signal) const;
    bool StoreSignal(std::optional<double> cn0, int slot, int channel, CChannelHistory& channels) const;
    bool StoreDirection(std::optional<double> elevation, std::optional<double> azimuth, int slot, int channel,
                        CChannelHistory& channels) const;

    // The node that made the page, its parent.
    NmeaGsvNode& cycle;
    int pageNumber;
    std::u16string label;
    // The signals whose first page this node decoded in the epoch of signalEpoch.
    uint32_t signalsDecoded = 0;
    uint32_t signalEpoch = UINT32_MAX;
    SatellitesInViewEntries satellites;
};
