#pragma once
#include <cstdint>

// Identifiers of the database entries, shared by the catalogue and the decoders of the plug-ins. The high nibble groups the quantity; per-satellite items
// are combined with a slot by SatelliteItemId (shared/satellite_slots.h).
namespace entry {

constexpr uint16_t kUtc = 0x2001;
constexpr uint16_t kGpsTime = 0x2011;
constexpr uint16_t kTimeTag = 0x2021;
constexpr uint16_t kTimeAccuracy = 0x2031;
constexpr uint16_t kTimeSinceStartup = 0x2041;
constexpr uint16_t kTimeToFirstFix = 0x2051;

constexpr uint16_t kLatitude = 0x3001;
constexpr uint16_t kLongitude = 0x3002;
constexpr uint16_t kHeightAboveEllipsoid = 0x3003;
constexpr uint16_t kHeightAboveSeaLevel = 0x3004;
constexpr uint16_t kEcefX = 0x3011;
constexpr uint16_t kEcefY = 0x3012;
constexpr uint16_t kEcefZ = 0x3013;
constexpr uint16_t kPositionAccuracy3D = 0x3020;
constexpr uint16_t kPositionAccuracyHorizontal = 0x3021;
constexpr uint16_t kPositionAccuracyVertical = 0x3022;

constexpr uint16_t kVelocityX = 0x4001;
constexpr uint16_t kVelocityY = 0x4002;
constexpr uint16_t kVelocityZ = 0x4003;
constexpr uint16_t kVelocityNorth = 0x4011;
constexpr uint16_t kVelocityEast = 0x4012;
constexpr uint16_t kVelocityDown = 0x4013;
constexpr uint16_t kSpeed = 0x4021;
constexpr uint16_t kSpeedOverGround = 0x4022;
constexpr uint16_t kCourseOverGround = 0x4023;
constexpr uint16_t kMagneticCourse = 0x4024;
constexpr uint16_t kMagneticDeclination = 0x4025;
constexpr uint16_t kVelocityAccuracy3D = 0x4031;

constexpr uint16_t kHdop = 0x5001;
constexpr uint16_t kVdop = 0x5002;
constexpr uint16_t kGdop = 0x5003;
constexpr uint16_t kTdop = 0x5004;
constexpr uint16_t kPdop = 0x5005;
constexpr uint16_t kNdop = 0x5006;
constexpr uint16_t kEdop = 0x5007;

constexpr uint16_t kClockDrift = 0x6001;
constexpr uint16_t kClockBias = 0x6002;
constexpr uint16_t kClockAccuracy = 0x6003;
constexpr uint16_t kRtcDrift = 0x6011;
constexpr uint16_t kRtcBias = 0x6012;

constexpr uint16_t kNavigationMode = 0x7001;
constexpr uint16_t kNavigationValid = 0x7002;
constexpr uint16_t kDgpsUsed = 0x7003;

constexpr uint16_t kSatellitesUsed = 0xC001;
constexpr uint16_t kUsedList = 0xC002;
constexpr uint16_t kSatellitesTracked = 0xC003;
constexpr uint16_t kTrackedList = 0xC004;
constexpr uint16_t kMeanCn0 = 0xC005;
constexpr uint16_t kSatellitesReceived = 0xC006;

// The dead-reckoning filter.
constexpr uint16_t kDrTemperature = 0x8000;
constexpr uint16_t kDrSpeedTicks = 0x8001;
constexpr uint16_t kDrGyroMean = 0x8002;
constexpr uint16_t kDrTickScale = 0x8010;
constexpr uint16_t kDrGyroScale = 0x8011;
constexpr uint16_t kDrGyroBias = 0x8012;
constexpr uint16_t kDrTickScaleAccuracy = 0x8013;
constexpr uint16_t kDrGyroScaleAccuracy = 0x8014;
constexpr uint16_t kDrGyroBiasAccuracy = 0x8015;

// Per-satellite items.
constexpr int kSatelliteMode = 1;
constexpr int kSatelliteUsed = 2;
constexpr int kSatelliteElevation = 3;
constexpr int kSatelliteAzimuth = 4;
constexpr int kSatelliteCn0 = 5;
constexpr int kSatelliteChannel = 6;
constexpr int kSatellitePseudorangeResidual = 8;

}  // namespace entry
