#include "plugins/nmea/decoders/nmea_zda_node.h"

std::optional<NmeaDate> NmeaZdaNode::DateOf(const NmeaFields& fields) const {
    const std::optional<int> day = fields.Integer(2);
    const std::optional<int> month = fields.Integer(3);
    const std::optional<int> year = fields.Integer(4);
    if (!day || !month || !year) return std::nullopt;
    // Out-of-range numbers would make a nonsense time out of a good time of day.
    if (*day < 1 || *day > 31 || *month < 1 || *month > 12 || *year < 0 || *year > 9999) return std::nullopt;
    return NmeaDate{*day, *month, *year};
}
