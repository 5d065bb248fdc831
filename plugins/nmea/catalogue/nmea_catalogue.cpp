#include "plugins/nmea/catalogue/nmea_catalogue.h"

#include <string>

#include "plugins/nmea/catalogue/nmea_talkers.h"
#include "plugins/nmea/decoders/nmea_fix_nodes.h"
#include "plugins/nmea/decoders/nmea_gns_node.h"
#include "plugins/nmea/decoders/nmea_gsa_node.h"
#include "plugins/nmea/decoders/nmea_gsv_nodes.h"
#include "plugins/nmea/decoders/nmea_zda_node.h"
#include "plugins/nmea/resources/nmea_field_lists.h"
#include "plugins/nmea/resources/nmea_resource_ids.h"

namespace {

using namespace nmea_page;
using namespace nmea_string;

// Sentences whose nodes differ from others only in what they are called.
using NmeaGrsNode = NmeaTimedSentenceNode;
using NmeaGstNode = NmeaTimedSentenceNode;
using NmeaGbsNode = NmeaSentenceNode;
using NmeaDtmNode = NmeaSentenceNode;

// A sentence of the GP talker has its node from the start; a sentence made only for other talkers
// (GNS) waits, like those of the other talkers, until a receiver sends it.
enum class Placement { Sorted, SortedTrailing, AppendedTrailing, OnDemand };

struct CatalogueRow {
    CMessageNode* (*create)(const NmeaNodeIdentity& identity);
    CMessageNode* (*createForTalker)(const NmeaNodeIdentity& identity, std::u16string_view talker);
    Placement placement;
    NmeaNodeIdentity identity;
};

template <typename Node>
CMessageNode* Create(const NmeaNodeIdentity& identity) {
    return new Node(identity);
}

template <typename Node>
CMessageNode* CreateForTalker(const NmeaNodeIdentity& identity, std::u16string_view talker) {
    return new NmeaTalkerNode<Node>(identity, talker);
}

template <typename Node>
constexpr CatalogueRow Sentence(const NmeaNodeIdentity& identity, Placement placement = Placement::Sorted) {
    return {Create<Node>, CreateForTalker<Node>, placement, identity};
}

template <typename Node>
constexpr CatalogueRow Single(const NmeaNodeIdentity& identity, Placement placement) {
    return {Create<Node>, nullptr, placement, identity};
}

// clang-format off
// Node class, {label, description, name, page, rate identifier, field list}, and where it goes.
const CatalogueRow kCatalogue[] = {
    Sentence<NmeaGgaNode>({u"GPGGA (Global Positioning System Fix Data)", u"Global Positioning System Fix Data",
                           u"GPGGA", kFieldList, 0, &kGgaFields}),
    Sentence<NmeaGllNode>({u"GPGLL (Geographic Position - Latitude/Longitude)",
                           u"Geographic Position - Latitude/Longitude", u"GPGLL", kFieldList, 1, &kGllFields}),
    Sentence<NmeaGrsNode>({u"GPGRS (GNSS Range Residuals)", u"GNSS Range Residuals", u"GPGRS", kFieldList, 6,
                           &kGrsFields}),
    Sentence<NmeaGsaNode>({u"GPGSA (GNSS DOP and Active Satellites)", u"GNSS DOP and Active Satellites", u"GPGSA",
                           kFieldList, 2, &kGsaFields}),
    Sentence<NmeaGstNode>({u"GPGST (GNSS Pseudorange Error Statistics)", u"GNSS Pseudorange Error Statistics",
                           u"GPGST", kFieldList, 7, &kGstFields}),
    Sentence<NmeaGsvNode>({u"GPGSV (GNSS Satellites in View)", u"GNSS Satellites in View", u"GPGSV", kGsv, 3}),
    Sentence<NmeaRmcNode>({u"GPRMC (Recommended Minimum Specific GNSS Data)", u"Recommended Minimum Specific GNSS Data",
                           u"GPRMC", kFieldList, 4, &kRmcFields}),
    Sentence<NmeaTxtNode>({u"GPTXT (Text Transmission)", u"Text Transmission", u"GPTXT", kTxt, kNoRateCommand}),
    Sentence<NmeaVtgNode>({u"GPVTG (Course Over Ground and Ground Speed)", u"Course Over Ground and Ground Speed",
                           u"GPVTG", kFieldList, 5, &kVtgFields}),
    Sentence<NmeaZdaNode>({u"GPZDA (Time & Date)", u"Time & Date", u"GPZDA", kFieldList, 8, &kZdaFields}),
    Sentence<NmeaGbsNode>({u"GPGBS (GNSS Satellite Fault Detection)", u"Satellite fault Detection", u"GPGBS",
                           kFieldList, 9, &kGbsFields}),
    Sentence<NmeaDtmNode>({u"GPDTM (Datum Reference)", u"Datum Reference", u"GPDTM", kFieldList, 10, &kDtmFields}),
    Sentence<NmeaGnsNode>({u"GPGNS (GNSS Fix Data)", u"GNSS Fix Data", u"GPGNS", kFieldList, kNoRateCommand,
                           &kGnsFields}, Placement::OnDemand),
    Single<NmeaUnknownNode>({u"????? (Unknown)", u"Unknown", u"?????", kUnknown, kNoRateCommand},
                            Placement::SortedTrailing),
    Single<NmeaCustomNode>({u"????? (Custom)", u"Custom", u"?????", kCustom, kNoRateCommand},
                           Placement::AppendedTrailing),
};
// clang-format on

}  // namespace

void PopulateNmeaTree(CMessageNode& root) {
    for (const CatalogueRow& row : kCatalogue)
        if (row.placement != Placement::OnDemand)
            root.AddChild(row.create(row.identity), row.placement != Placement::AppendedTrailing,
                          row.placement != Placement::Sorted);
}

CMessageNode* NewTalkerNode(const CMessageNode& root, const uint8_t* bytes, int length) {
    constexpr int kAddressEnd = 6;
    if (!bytes || length <= kAddressEnd || !IsSatelliteTalker(static_cast<char>(bytes[1]), static_cast<char>(bytes[2])))
        return nullptr;
    const std::u16string name(bytes + 1, bytes + kAddressEnd);
    for (auto position = root.GetFirstChild(); position;)
        if (name == root.GetNextChild(position)->Name()) return nullptr;
    for (const CatalogueRow& row : kCatalogue)
        if (row.createForTalker && name.compare(2, 3, row.identity.name + 2) == 0)
            return row.createForTalker(row.identity, std::u16string_view(name).substr(0, 2));
    return nullptr;
}
