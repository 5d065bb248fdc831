#include "nmea_catalogue.h"

#include "nmea_fix_nodes.h"
#include "nmea_gsa_node.h"
#include "nmea_gsv_nodes.h"
#include "nmea_zda_node.h"

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
    NmeaNodeIdentity identity;
    CMessageNode* (*create)(const NmeaNodeIdentity& identity);
    Placement placement;
};

template <typename Node>
CMessageNode* Create(const NmeaNodeIdentity& identity) {
    return new Node(identity);
}

const CatalogueRow kCatalogue[] = {
    {{u"GPGGA (Global Positioning System Fix Data)", u"Global Positioning System Fix Data", u"GPGGA", 652, 0},
     Create<NmeaGgaNode>, Placement::Sorted},
    {{u"GPGLL (Geographic Position - Latitude/Longitude)", u"Geographic Position - Latitude/Longitude", u"GPGLL", 652,
      1},
     Create<NmeaGllNode>, Placement::Sorted},
    {{u"GPGRS (GNSS Range Residuals)", u"GNSS Range Residuals", u"GPGRS", 652, 6}, Create<NmeaGrsNode>,
     Placement::Sorted},
    {{u"GPGSA (GNSS DOP and Active Satellites)", u"GNSS DOP and Active Satellites", u"GPGSA", 652, 2},
     Create<NmeaGsaNode>, Placement::Sorted},
    {{u"GPGST (GNSS Pseudorange Error Statistics)", u"GNSS Pseudorange Error Statistics", u"GPGST", 652, 7},
     Create<NmeaGstNode>, Placement::Sorted},
    {{u"GPGSV (GNSS Satellites in View)", u"GNSS Satellites in View", u"GPGSV", 658, 3}, Create<NmeaGsvNode>,
     Placement::Sorted},
    {{u"GPRMC (Recommended Minimum Specific GNSS Data)", u"Recommended Minimum Specific GNSS Data", u"GPRMC", 652, 4},
     Create<NmeaRmcNode>, Placement::Sorted},
    {{u"GPTXT (Text Transmission)", u"Text Transmission", u"GPTXT", 660, kNoRateCommand}, Create<NmeaTxtNode>,
     Placement::Sorted},
    {{u"GPVTG (Course Over Ground and Ground Speed)", u"Course Over Ground and Ground Speed", u"GPVTG", 652, 5},
     Create<NmeaVtgNode>, Placement::Sorted},
    {{u"GPZDA (Time & Date)", u"Time & Date", u"GPZDA", 652, 8}, Create<NmeaZdaNode>, Placement::Sorted},
    {{u"GPGBS (GNSS Satellite Fault Detection)", u"Satellite fault Detection", u"GPGBS", 652, 9}, Create<NmeaGbsNode>,
     Placement::Sorted},
    {{u"GPDTM (Datum Reference)", u"Datum Reference", u"GPDTM", 652, 10}, Create<NmeaDtmNode>, Placement::Sorted},
    {{u"????? (Unknown)", u"Unknown", u"?????", 654, kNoRateCommand}, Create<NmeaUnknownNode>,
     Placement::SortedTrailing},
    {{u"????? (Custom)", u"Custom", u"?????", 659, kNoRateCommand}, Create<NmeaCustomNode>,
     Placement::AppendedTrailing},
};

}  // namespace

void PopulateNmeaTree(CMessageNode& root) {
    for (const CatalogueRow& row : kCatalogue)
        root.AddChild(row.create(row.identity), row.placement != Placement::AppendedTrailing,
                      row.placement != Placement::Sorted);
}
