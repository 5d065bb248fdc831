#pragma once

// The numbers by which pages, their controls and the bitmaps of the plug-in are found.
namespace kvb_res {

// Pages: the list page that most navigation messages share, the information text, and the pages
// with fields.
inline constexpr int kListPage = 652;
inline constexpr int kInformationPage = 654;
inline constexpr int kPosEcefPage = 1023;
inline constexpr int kPosLlhPage = 1024;
inline constexpr int kVelEcefPage = 1025;
inline constexpr int kVelNedPage = 1026;
inline constexpr int kTimeGpsPage = 1028;
inline constexpr int kTimeUtcPage = 1029;
inline constexpr int kClockPage = 1031;
inline constexpr int kPosUtmPage = 1037;
inline constexpr int kMonVerPage = 1046;
inline constexpr int kSbasPage = 2112;

// A strip of six 8 x 11 icons of a channel's signal quality.
inline constexpr int kQualityIcons = 1012;

// The table of the list pages and of the SBAS page; the text of the information page.
inline constexpr int kList = 1357;
inline constexpr int kText = 1003;

// Every page with fields starts with the time of week.
inline constexpr int kTimeOfWeek = 1001;

namespace posecef {
enum : int { kX = 1002, kY, kZ, kAccuracy };
}
namespace posllh {
enum : int { kLongitude = 1002, kLatitude, kEllipsoid, kMeanSeaLevel, kGeoidSeparation, kHorizontal, kVertical };
}
namespace velecef {
enum : int { kX = 1002, kY, kZ, kAccuracy };
}
namespace velned {
enum : int { kNorth = 1002, kEast, kDown, kSpeed, kGroundSpeed, kHeading, kSpeedAccuracy, kHeadingAccuracy };
}
namespace timegps {
enum : int { kWeek = 1002, kFraction, kLeapSeconds, kAccuracy };
}
namespace timeutc {
enum : int { kDate = 1002, kTime, kFraction, kAccuracy };
}
namespace clock {
enum : int { kBias = 1002, kDrift, kTimeAccuracy, kFrequencyAccuracy };
}
namespace posutm {
enum : int { kEasting = 1002, kNorthing, kAltitude, kHemisphere, kZone };
}
namespace monver {
enum : int { kSoftware = 1002, kHardware, kExtensions };
}
namespace sbas {
enum : int { kGeo = 1002, kMode, kSystem, kRanging, kCorrections, kIntegrity };
}

}  // namespace kvb_res
