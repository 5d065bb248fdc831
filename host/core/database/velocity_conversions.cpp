#include "velocity_conversions.h"

#include <cmath>
#include <memory>

#include "host/core/reference/geodesy.h"
#include "shared/entry_ids.h"

using namespace conversion;

namespace {
constexpr double kMinimumSpeedForCourse = 1.0;  // m/s; slower, the direction is mostly noise

CVelocityRotation::Vector RotateEcefToLocal(const CVelocityRotation::Vector& v, double latitude, double longitude) {
    const LocalVector local = EcefToLocal({v[0], v[1], v[2]}, latitude, longitude);
    return {local.north, local.east, local.down};
}

CVelocityRotation::Vector RotateLocalToEcef(const CVelocityRotation::Vector& v, double latitude, double longitude) {
    const EcefVector ecef = LocalToEcef({v[0], v[1], v[2]}, latitude, longitude);
    return {ecef.x, ecef.y, ecef.z};
}

constexpr CVelocityRotation::Ids kEcefIds = {entry::kVelocityX, entry::kVelocityY, entry::kVelocityZ};
constexpr CVelocityRotation::Ids kLocalIds = {entry::kVelocityNorth, entry::kVelocityEast, entry::kVelocityDown};
}  // namespace

std::unique_ptr<CVelocityRotation> CVelocityRotation::EcefToLtp() {
    return std::make_unique<CVelocityRotation>(kEcefIds, kLocalIds, RotateEcefToLocal);
}

std::unique_ptr<CVelocityRotation> CVelocityRotation::LtpToEcef() {
    return std::make_unique<CVelocityRotation>(kLocalIds, kEcefIds, RotateLocalToEcef);
}

CVelocityRotation::CVelocityRotation(Ids inputIds, Ids outputIds, Rotate rotate)
    : inputIds(inputIds), outputIds(outputIds), rotate(rotate) {}

void CVelocityRotation::Bind(CStorageDatabase& database) {
    for (size_t i = 0; i < inputs.size(); ++i) {
        inputs[i] = FindValue(database, inputIds[i]);
        outputs[i] = FindValue(database, outputIds[i]);
    }
    latitude = FindValue(database, entry::kLatitude);
    longitude = FindValue(database, entry::kLongitude);
}

bool CVelocityRotation::Run() {
    if (!Holds(latitude) || !Holds(longitude) || !WantsAny({outputs[0], outputs[1], outputs[2]})) return false;
    Vector v;
    for (size_t i = 0; i < inputs.size(); ++i) {
        if (!Holds(inputs[i])) return false;
        v[i] = inputs[i]->GetValue();
    }
    const Vector rotated = rotate(v, latitude->GetValue(), longitude->GetValue());
    bool stored = false;
    for (size_t i = 0; i < outputs.size(); ++i) stored |= Fill(outputs[i], rotated[i]);
    return stored;
}

void CVelocityCourseToLtp::Bind(CStorageDatabase& database) {
    course = FindValue(database, entry::kCourseOverGround);
    speedOverGround = FindValue(database, entry::kSpeedOverGround);
    north = FindValue(database, entry::kVelocityNorth);
    east = FindValue(database, entry::kVelocityEast);
}

bool CVelocityCourseToLtp::Run() {
    if (!Holds(course) || !Holds(speedOverGround) || !WantsAny({north, east})) return false;
    const double c = course->GetValue();
    const double s = speedOverGround->GetValue();
    bool stored = Fill(north, s * std::cos(c));
    stored |= Fill(east, s * std::sin(c));
    return stored;
}

void CVelocityLtpToCourse::Bind(CStorageDatabase& database) {
    north = FindValue(database, entry::kVelocityNorth);
    east = FindValue(database, entry::kVelocityEast);
    down = FindValue(database, entry::kVelocityDown);
    speedOverGround = FindValue(database, entry::kSpeedOverGround);
    course = FindValue(database, entry::kCourseOverGround);
    speed = FindValue(database, entry::kSpeed);
}

bool CVelocityLtpToCourse::Run() {
    if (!Holds(north) || !Holds(east) || !WantsAny({speedOverGround, course, speed})) return false;
    const double n = north->GetValue();
    const double e = east->GetValue();
    const double horizontal = std::sqrt(n * n + e * e);
    bool stored = Fill(speedOverGround, horizontal);
    if (horizontal >= kMinimumSpeedForCourse) stored |= Fill(course, std::atan2(e, n));
    if (Holds(down)) stored |= Fill(speed, std::sqrt(down->GetValue() * down->GetValue() + horizontal * horizontal));
    return stored;
}

void CMagneticCourse::Bind(CStorageDatabase& database) {
    trueCourse = FindValue(database, entry::kCourseOverGround);
    magneticCourse = FindValue(database, entry::kMagneticCourse);
    declination = FindValue(database, entry::kMagneticDeclination);
}

bool CMagneticCourse::Run() {
    const bool hasTrue = Holds(trueCourse), hasMagnetic = Holds(magneticCourse), hasDeclination = Holds(declination);
    if (hasTrue + hasMagnetic + hasDeclination != 2) return false;
    if (!hasDeclination) return Fill(declination, trueCourse->GetValue() - magneticCourse->GetValue());
    if (!hasMagnetic) return Fill(magneticCourse, trueCourse->GetValue() - declination->GetValue());
    return Fill(trueCourse, magneticCourse->GetValue() + declination->GetValue());
}
