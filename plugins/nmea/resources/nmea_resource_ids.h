#pragma once

// The numbers of the plug-in's pages, of the controls the nodes address on them, and of its
// picture.
namespace nmea_page {

inline constexpr int kFieldList = 652;
inline constexpr int kUnknown = 654;
inline constexpr int kProtocol = 657;
inline constexpr int kGsv = 658;
inline constexpr int kCustom = 659;
inline constexpr int kTxt = 660;

inline constexpr int kList = 10182;
inline constexpr int kSentence = 1003;
inline constexpr int kLogo = 1004;
inline constexpr int kPageCount = 1008;
inline constexpr int kVisibleSatellites = 1009;
inline constexpr int kAppendChecksum = 1011;
inline constexpr int kTextIdentifier = 1012;
inline constexpr int kText = 1013;
// Controls that only label others.
inline constexpr int kStatic = -1;

inline constexpr int kCustomSentenceLimit = 1000;

}  // namespace nmea_page
