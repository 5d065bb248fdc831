#pragma once

// The map view's messages about its picture and its calibration. Formats take UTF-8 for %s.
inline constexpr char16_t kCalibrationNotFound[] = u"ERROR: Calibration File not found\n";
inline constexpr char16_t kCalibrationAccessDenied[] = u"ERROR: Calibration File access denied\n";
inline constexpr char16_t kCalibrationNotLoaded[] = u"ERROR: Calibration File could not be loaded\n";
inline constexpr char16_t kSyntaxErrorIn[] = u"Syntax error in calibration file %s";
inline constexpr char16_t kReferenceNotFound[] = u"Reference %s not found";
inline constexpr char16_t kMarkerNotFound[] = u"Marker %s not found";
inline constexpr char16_t kKeyEqualsValue[] = u"%s = %s";
inline constexpr char16_t kMarkerCountCapped[] = u"Count = %d: only the first %d markers are read";
inline constexpr char16_t kMoreSyntaxErrors[] = u"... and %d more";
inline constexpr char16_t kDivisionByZero[] = u"Division by zero while applying calibration";
inline constexpr char16_t kReferenceName[] = u"Reference %i";
inline constexpr char16_t kWorldFileNotDegrees[] =
    u"World file %s does not hold WGS 84 degrees: the picture would lie outside the earth's coordinates";
inline constexpr char16_t kWorldFileSyntax[] = u"Syntax error in world file %s\nline %d: %s";

// The open dialog's filter list: the combined entry, one entry per type and all files.
inline constexpr char16_t kMapFilesFilter[] = u"Map Files (%s)";
inline constexpr char16_t kMapTypeFilter[] = u"%s (%s)";

// The status line on a tap and on a drag.
inline constexpr char16_t kStatusCalibrationPoint[] = u"Calibration Point %d. X %d, Y %d";
inline constexpr char16_t kStatusTap[] = u"%s %s, %s %s (X %d, Y %d)";
inline constexpr char16_t kStatusTapNotCalibrated[] = u"Map File Not Calibrated X %d, Y %d";
inline constexpr char16_t kStatusDrag[] = u"%s %s..%s, %s %s..%s, dx=%.1fm, dy=%.1fm, dist=%.1fm (X %d..%d, Y %d..%d)";
inline constexpr char16_t kStatusDragNotCalibrated[] = u"Map File Not Calibrated X %d..%d, Y %d..%d";

inline constexpr char16_t kScaleKilometres[] = u"%.0f km";
inline constexpr char16_t kScaleMetres[] = u"%.0f m";

// What the map view shows before a picture is open.
inline constexpr char16_t kNoMapOpen[] = u"No map open: \"Open Map\" on the view's toolbar opens a picture";
