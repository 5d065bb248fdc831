#include "plugins/nmea/decoders/nmea_fix_nodes.h"

#include "shared/nmea_units.h"

namespace {
constexpr int kFixInvalid = 0;
constexpr int kFixDifferential = 2;
constexpr int kFixDeadReckoning = 6;
constexpr int kHighestFixQuality = 8;
constexpr int kGllTimeField = 5;
constexpr int kRmcNavigationStatusField = 13;

// The letter that must follow a value, such as the unit "M" after an altitude.
std::optional<double> NumberWithLetter(const NmeaFields& fields, int n, char letter) {
    return fields.Letter(n + 1) == letter ? fields.Number(n) : std::nullopt;
}
}  // namespace

// ---- GGA: 1 time, 2-5 position, 6 fix quality, 7 satellites used, 8 HDOP, 9-10 altitude,
// 11-12 geoid separation

void NmeaGgaNode::BindEntries(const CStorageDatabase* database) {
    NmeaTimedSentenceNode::BindEntries(database);
    position.Bind(database);
    status.Bind(database);
    svsUsed = FindEntry(database, entry::kSatellitesUsed);
    hdop = FindEntry(database, entry::kHdop);
    altitudes.Bind(database);
}

bool NmeaGgaNode::DecodeFields(const NmeaFields& fields, CStorageDatabase& database) {
    bool changed = NmeaTimedSentenceNode::DecodeFields(fields, database);
    changed |= position.Store(fields, 2);
    changed |= StoreFixQuality(fields.Integer(6));
    changed |= Store(svsUsed, fields.Integer(7));
    changed |= Store(hdop, fields.Number(8));
    const std::optional<double> altitude = NumberWithLetter(fields, 9, 'M');
    if (altitude) changed |= altitudes.Store(altitude, NumberWithLetter(fields, 11, 'M'));
    return changed;
}

bool NmeaGgaNode::StoreFixQuality(std::optional<int> quality) const {
    if (!quality || *quality < kFixInvalid || *quality > kHighestFixQuality) return false;
    bool changed = Store(status.navOk, *quality != kFixInvalid ? 1 : 0);
    changed |= Store(status.dgps, *quality == kFixDifferential ? 1 : 0);
    if (*quality == kFixDeadReckoning)
        changed |= Store(status.navMode, kNavModeDeadReckoning);
    else if (*quality != kFixInvalid && !status.NavModeIsValid())
        changed |= Store(status.navMode, kNavMode2DOr3D);
    return changed;
}

// ---- GLL: 1-4 position, 5 time, 6 status, 7 mode indicator

NmeaGllNode::NmeaGllNode(const NmeaNodeIdentity& identity) : NmeaTimedSentenceNode(identity, kGllTimeField) {}

void NmeaGllNode::BindEntries(const CStorageDatabase* database) {
    NmeaTimedSentenceNode::BindEntries(database);
    position.Bind(database);
    status.Bind(database);
}

bool NmeaGllNode::DecodeFields(const NmeaFields& fields, CStorageDatabase& database) {
    bool changed = NmeaTimedSentenceNode::DecodeFields(fields, database);
    changed |= position.Store(fields, 1);
    changed |= status.StoreStatusAndMode(fields.Letter(6), fields.Letter(7));
    return changed;
}

// ---- RMC: 1 time, 2 status, 3-6 position, 7 speed (knots), 8 course, 9 date, 10-11 magnetic
// variation, 12 mode indicator, 13 navigational status (NMEA 4.10; V: not valid)

void NmeaRmcNode::BindEntries(const CStorageDatabase* database) {
    NmeaTimedSentenceNode::BindEntries(database);
    position.Bind(database);
    status.Bind(database);
    courseOverGround = FindEntry(database, entry::kCourseOverGround);
    speedOverGround = FindEntry(database, entry::kSpeedOverGround);
    magneticVariation = FindEntry(database, entry::kMagneticDeclination);
}

std::optional<NmeaDate> NmeaRmcNode::DateOf(const NmeaFields& fields) const {
    std::optional<NmeaDate> date = fields.Date(9);
    if (date) date->year = FourDigitYear(date->year);
    return date;
}

bool NmeaRmcNode::DecodeFields(const NmeaFields& fields, CStorageDatabase& database) {
    bool changed = NmeaTimedSentenceNode::DecodeFields(fields, database);
    const bool notValid = fields.Letter(kRmcNavigationStatusField) == 'V';
    changed |= status.StoreStatusAndMode(notValid ? 'V' : fields.Letter(2), fields.Letter(12));
    changed |= position.Store(fields, 3);
    changed |= StoreKnots(speedOverGround, fields.Number(7));
    changed |= StoreBearing(courseOverGround, fields.Number(8));
    changed |= StoreMagneticVariation(fields);
    return changed;
}

bool NmeaRmcNode::StoreMagneticVariation(const NmeaFields& fields) const {
    const std::optional<double> degrees = fields.Number(10);
    const std::optional<char> direction = fields.Letter(11);
    if (!degrees || *degrees < 0 || *degrees > 180 || (direction != 'E' && direction != 'W')) return false;
    return Store(magneticVariation, (direction == 'W' ? -*degrees : *degrees) * kRadiansPerDegree);
}

// ---- VTG: 1-2 true course, 3-4 magnetic course, 5-6 speed in knots, 7-8 speed in km/h,
// 9 mode indicator

void NmeaVtgNode::BindEntries(const CStorageDatabase* database) {
    status.Bind(database);
    courseOverGround = FindEntry(database, entry::kCourseOverGround);
    courseMagnetic = FindEntry(database, entry::kMagneticCourse);
    speedOverGround = FindEntry(database, entry::kSpeedOverGround);
}

bool NmeaVtgNode::DecodeFields(const NmeaFields& fields, CStorageDatabase&) {
    bool changed = StoreBearing(courseOverGround, NumberWithLetter(fields, 1, 'T'));
    changed |= StoreBearing(courseMagnetic, NumberWithLetter(fields, 3, 'M'));
    const std::optional<double> knots = NumberWithLetter(fields, 5, 'N');
    const std::optional<double> kmh = NumberWithLetter(fields, 7, 'K');
    if (knots && *knots >= 0)
        changed |= StoreKnots(speedOverGround, knots);
    else if (kmh && *kmh >= 0)
        changed |= Store(speedOverGround, *kmh * kMetresPerSecondPerKmh);
    changed |= status.StoreStatusAndMode(std::nullopt, fields.Letter(9));
    return changed;
}
