#pragma once
#include "plugins/nmea/decoders/nmea_sentence_node.h"

// The fix of several systems: 1 time, 2-5 position, 6 one mode indicator per system (GPS, GLONASS,
// Galileo, BeiDou, QZSS, NavIC), 7 satellites used, 8 HDOP, 9 height above sea level, 10 geoid
// separation, 11-12 differential age and station, 13 navigational status (NMEA 4.10).
class NmeaGnsNode : public NmeaTimedSentenceNode {
public:
    using NmeaTimedSentenceNode::NmeaTimedSentenceNode;

    // The mode of the whole fix from those of the systems: differential when one system is,
    // otherwise valid when one is, dead reckoning when one estimates, else not valid.
    static std::optional<char> CombinedMode(std::string_view modes);

protected:
    void BindEntries(const CStorageDatabase* database) override;
    bool DecodeFields(const NmeaFields& fields, CStorageDatabase& database) override;

private:
    NmeaPositionEntries position;
    NmeaFixStatusEntries status;
    NmeaAltitudeEntries altitudes;
    CStorageValue* svsUsed = nullptr;
    CStorageValue* hdop = nullptr;
};
