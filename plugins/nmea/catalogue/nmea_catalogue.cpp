#include "plugins/nmea/catalogue/nmea_catalogue.h"

#include "plugins/nmea/decoders/nmea_fix_nodes.h"
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
// Node class, where it goes, and {label, description, name, page, rate identifier, field list}.
const CatalogueRow kCatalogue[] = {
    {Create<NmeaGgaNode>, Placement::Sorted,
     {u"GPGGA (Global Positioning System Fix Data)", u"Global Positioning System Fix Data", u"GPGGA", kFieldList, 0,
      &kGgaFields}},
    {Create<NmeaGllNode>, Placement::Sorted,
     {u"GPGLL (Geographic Position - Latitude/Longitude)", u"Geographic Position - Latitude/Longitude", u"GPGLL",
      kFieldList, 1, &kGllFields}},
    {Create<NmeaGrsNode>, Placement::Sorted,
     {u"GPGRS (GNSS Range Residuals)", u"GNSS Range Residuals", u"GPGRS", kFieldList, 6, &kGrsFields}},
    {Create<NmeaGsaNode>, Placement::Sorted,
     {u"GPGSA (GNSS DOP and Active Satellites)", u"GNSS DOP and Active Satellites", u"GPGSA", kFieldList, 2,
      &kGsaFields}},
    {Create<NmeaGstNode>, Placement::Sorted,
     {u"GPGST (GNSS Pseudorange Error Statistics)", u"GNSS Pseudorange Error Statistics", u"GPGST", kFieldList, 7,
      &kGstFields}},
    {Create<NmeaGsvNode>, Placement::Sorted,
     {u"GPGSV (GNSS Satellites in View)", u"GNSS Satellites in View", u"GPGSV", kGsv, 3}},
    {Create<NmeaRmcNode>, Placement::Sorted,
     {u"GPRMC (Recommended Minimum Specific GNSS Data)", u"Recommended Minimum Specific GNSS Data", u"GPRMC",
      kFieldList, 4, &kRmcFields}},
    {Create<NmeaTxtNode>, Placement::Sorted,
     {u"GPTXT (Text Transmission)", u"Text Transmission", u"GPTXT", kTxt, kNoRateCommand}},
    {Create<NmeaVtgNode>, Placement::Sorted,
     {u"GPVTG (Course Over Ground and Ground Speed)", u"Course Over Ground and Ground Speed", u"GPVTG", kFieldList,
      5, &kVtgFields}},
    {Create<NmeaZdaNode>, Placement::Sorted,
     {u"GPZDA (Time & Date)", u"Time & Date", u"GPZDA", kFieldList, 8, &kZdaFields}},
    {Create<NmeaGbsNode>, Placement::Sorted,
     {u"GPGBS (GNSS Satellite Fault Detection)", u"Satellite fault Detection", u"GPGBS", kFieldList, 9,
      &kGbsFields}},
    {Create<NmeaDtmNode>, Placement::Sorted,
     {u"GPDTM (Datum Reference)", u"Datum Reference", u"GPDTM", kFieldList, 10, &kDtmFields}},
    {Create<NmeaUnknownNode>, Placement::SortedTrailing,
     {u"????? (Unknown)", u"Unknown", u"?????", kUnknown, kNoRateCommand}},
    {Create<NmeaCustomNode>, Placement::AppendedTrailing,
     {u"????? (Custom)", u"Custom", u"?????", kCustom, kNoRateCommand}},
};
// clang-format on

}  // namespace

void PopulateNmeaTree(CMessageNode& root) {
    for (const CatalogueRow& row : kCatalogue)
        root.AddChild(row.create(row.identity), row.placement != Placement::AppendedTrailing,
                      row.placement != Placement::Sorted);
}
