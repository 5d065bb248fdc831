#include "plugins/nmea/catalogue/nmea_catalogue.h"

#include "plugins/nmea/decoders/nmea_fix_nodes.h"
#include "plugins/nmea/decoders/nmea_gsa_node.h"
#include "plugins/nmea/decoders/nmea_gsv_nodes.h"
#include "plugins/nmea/decoders/nmea_zda_node.h"

namespace {

// Sentences whose nodes differ from others only in what they are called.
using NmeaGrsNode = NmeaTimedSentenceNode;
using NmeaGstNode = NmeaTimedSentenceNode;
using NmeaGbsNode = NmeaSentenceNode;
using NmeaDtmNode = NmeaSentenceNode;
using NmeaUnknownNode = NmeaNode;
using NmeaCustomNode = NmeaNode;

enum class Placement { Sorted, SortedTrailing, AppendedTrailing };

struct CatalogueRow {
    CMessageNode* (*create)(const NmeaNodeIdentity& identity);
    Placement placement;
    NmeaNodeIdentity identity;
};

template <typename Node>
CMessageNode* Create(const NmeaNodeIdentity& identity) {
    return new Node(identity);
}

// clang-format off
// Node class, where it goes, and {label, description, name, page, rate identifier}.
const CatalogueRow kCatalogue[] = {
    {Create<NmeaGgaNode>, Placement::Sorted,
     {u"GPGGA (Global Positioning System Fix Data)", u"Global Positioning System Fix Data", u"GPGGA", 652, 0}},
    {Create<NmeaGllNode>, Placement::Sorted,
     {u"GPGLL (Geographic Position - Latitude/Longitude)", u"Geographic Position - Latitude/Longitude", u"GPGLL",
      652, 1}},
    {Create<NmeaGrsNode>, Placement::Sorted,
     {u"GPGRS (GNSS Range Residuals)", u"GNSS Range Residuals", u"GPGRS", 652, 6}},
    {Create<NmeaGsaNode>, Placement::Sorted,
     {u"GPGSA (GNSS DOP and Active Satellites)", u"GNSS DOP and Active Satellites", u"GPGSA", 652, 2}},
    {Create<NmeaGstNode>, Placement::Sorted,
     {u"GPGST (GNSS Pseudorange Error Statistics)", u"GNSS Pseudorange Error Statistics", u"GPGST", 652, 7}},
    {Create<NmeaGsvNode>, Placement::Sorted,
     {u"GPGSV (GNSS Satellites in View)", u"GNSS Satellites in View", u"GPGSV", 658, 3}},
    {Create<NmeaRmcNode>, Placement::Sorted,
     {u"GPRMC (Recommended Minimum Specific GNSS Data)", u"Recommended Minimum Specific GNSS Data", u"GPRMC", 652, 4}},
    {Create<NmeaTxtNode>, Placement::Sorted,
     {u"GPTXT (Text Transmission)", u"Text Transmission", u"GPTXT", 660, kNoRateCommand}},
    {Create<NmeaVtgNode>, Placement::Sorted,
     {u"GPVTG (Course Over Ground and Ground Speed)", u"Course Over Ground and Ground Speed", u"GPVTG", 652, 5}},
    {Create<NmeaZdaNode>, Placement::Sorted,
     {u"GPZDA (Time & Date)", u"Time & Date", u"GPZDA", 652, 8}},
    {Create<NmeaGbsNode>, Placement::Sorted,
     {u"GPGBS (GNSS Satellite Fault Detection)", u"Satellite fault Detection", u"GPGBS", 652, 9}},
    {Create<NmeaDtmNode>, Placement::Sorted,
     {u"GPDTM (Datum Reference)", u"Datum Reference", u"GPDTM", 652, 10}},
    {Create<NmeaUnknownNode>, Placement::SortedTrailing,
     {u"????? (Unknown)", u"Unknown", u"?????", 654, kNoRateCommand}},
    {Create<NmeaCustomNode>, Placement::AppendedTrailing,
     {u"????? (Custom)", u"Custom", u"?????", 659, kNoRateCommand}},
};
// clang-format on

}  // namespace

void PopulateNmeaTree(CMessageNode& root) {
    for (const CatalogueRow& row : kCatalogue)
        root.AddChild(row.create(row.identity), row.placement != Placement::AppendedTrailing,
                      row.placement != Placement::Sorted);
}
