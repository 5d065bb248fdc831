#include "plugins/nmea/decoders/nmea_gns_node.h"

namespace {
constexpr int kModeField = 6;
constexpr int kNavigationStatusField = 13;
}  // namespace

std::optional<char> NmeaGnsNode::CombinedMode(std::string_view modes) {
    std::optional<char> combined;
    for (char mode : modes) {
        if (mode >= 'a' && mode <= 'z') mode = static_cast<char>(mode - ('a' - 'A'));
        if (mode < 'A' || mode > 'Z') continue;
        if (mode == 'D') return mode;
        if (!combined || *combined == 'N' || (*combined == 'E' && mode != 'N')) combined = mode;
    }
    return combined;
}

void NmeaGnsNode::BindEntries(const CStorageDatabase* database) {
    NmeaTimedSentenceNode::BindEntries(database);
    position.Bind(database);
    status.Bind(database);
    altitudes.Bind(database);
    svsUsed = FindEntry(database, entry::kSatellitesUsed);
    hdop = FindEntry(database, entry::kHdop);
}

bool NmeaGnsNode::DecodeFields(const NmeaFields& fields, CStorageDatabase& database) {
    bool changed = NmeaTimedSentenceNode::DecodeFields(fields, database);
    changed |= position.Store(fields, 2);
    const std::optional<char> navigationStatus = fields.Letter(kNavigationStatusField);
    changed |= status.StoreStatusAndMode(navigationStatus == 'V' ? navigationStatus : std::nullopt,
                                         CombinedMode(fields.Text(kModeField)));
    changed |= Store(svsUsed, fields.Integer(7));
    changed |= Store(hdop, fields.Number(8));
    changed |= altitudes.Store(fields.Number(9), fields.Number(10));
    return changed;
}
