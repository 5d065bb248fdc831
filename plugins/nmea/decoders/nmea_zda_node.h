#pragma once
#include "plugins/nmea/decoders/nmea_sentence_node.h"

// Time and date: 1 time, 2 day, 3 month, 4 year (four digits), 5-6 local zone (not stored).
class NmeaZdaNode : public NmeaTimedSentenceNode {
public:
    using NmeaTimedSentenceNode::NmeaTimedSentenceNode;

protected:
    std::optional<NmeaDate> DateOf(const NmeaFields& fields) const override;
};
