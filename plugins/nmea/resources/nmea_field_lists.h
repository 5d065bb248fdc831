#pragma once
#include <span>

#include "plugins/nmea/resources/nmea_strings.h"

// What the field list of a sentence shows: its rows' texts in field order, and the width of the
// value column in pixels.
struct NmeaFieldList {
    std::span<const int> rows;
    int valueWidth;
};

// In the namespace of the texts whose numbers they list.
namespace nmea_string {

// clang-format off
inline constexpr int kGgaRows[] = {
    kRowUtc, kRowLatitude, kRowNorthing, kRowLongitude, kRowEasting, kRowFixStatus, kRowSvsUsed, kRowHdop,
    kRowAltitudeMsl, kRowUnitMetres, kRowGeoidSeparation, kRowUnitMetres, kRowDgpsAge, kRowDgpsStation};
inline constexpr int kGllRows[] = {
    kRowLatitude, kRowNorthing, kRowLongitude, kRowEasting, kRowUtc, kRowValidity, kRowModeIndicator};
inline constexpr int kGrsRows[] = {
    kRowUtc, kRowResidualMode, kRowRangeResidual, kRowRangeResidual, kRowRangeResidual, kRowRangeResidual,
    kRowRangeResidual, kRowRangeResidual, kRowRangeResidual, kRowRangeResidual, kRowRangeResidual, kRowRangeResidual,
    kRowRangeResidual, kRowRangeResidual};
inline constexpr int kGsaRows[] = {
    kRowOperationMode, kRowNavigationMode, kRowSvsUsed, kRowUsedSvs, kRowPdop, kRowHdop, kRowVdop};
inline constexpr int kGstRows[] = {
    kRowUtc, kRowRms, kRowStdDevMajor, kRowStdDevMinor, kRowOrientation, kRowStdDevLatitude, kRowStdDevLongitude,
    kRowStdDevAltitude};
inline constexpr int kGsvPageRows[] = {
    kRowPages, kRowPageId, kRowSvsTracked,
    kRowSvid, kRowElevation, kRowAzimuth, kRowCn0, kRowSvid, kRowElevation, kRowAzimuth, kRowCn0,
    kRowSvid, kRowElevation, kRowAzimuth, kRowCn0, kRowSvid, kRowElevation, kRowAzimuth, kRowCn0};
inline constexpr int kRmcRows[] = {
    kRowUtc, kRowValidity, kRowLatitude, kRowNorthing, kRowLongitude, kRowEasting, kRowSpeedKnots, kRowCourseTrue,
    kRowDate, kRowMagneticVariation, kRowVariationDirection, kRowModeIndicator};
inline constexpr int kVtgRows[] = {
    kRowCourseTrue, kRowUnitTrue, kRowCourseMagnetic, kRowUnitMagnetic, kRowSpeedKnots, kRowUnitKnots, kRowSpeedKmh,
    kRowUnitKmh, kRowModeIndicator};
inline constexpr int kZdaRows[] = {kRowUtc, kRowDay, kRowMonth, kRowYear, kRowZoneHours, kRowZoneMinutes};
inline constexpr int kGbsRows[] = {
    kRowUtc, kRowErrorLatitude, kRowErrorLongitude, kRowErrorAltitude, kRowFailedSv, kRowMissedDetection,
    kRowBiasEstimate, kRowBiasStdDev};
inline constexpr int kDtmRows[] = {
    kRowDatumCode, kRowDatumSubCode, kRowLatitudeOffset, kRowLatitudeOffsetSide, kRowLongitudeOffset,
    kRowLongitudeOffsetSide, kRowAltitudeOffset, kRowReferenceCode};
inline constexpr int kGnsRows[] = {
    kRowUtc, kRowLatitude, kRowNorthing, kRowLongitude, kRowEasting, kRowSystemModes, kRowSvsUsed, kRowHdop,
    kRowAltitudeOrthometric, kRowGeoidSeparation, kRowDgpsAge, kRowDgpsStation, kRowNavigationStatus};
// clang-format on

inline constexpr NmeaFieldList kGgaFields{kGgaRows, 85};
inline constexpr NmeaFieldList kGllFields{kGllRows, 85};
inline constexpr NmeaFieldList kGrsFields{kGrsRows, 85};
inline constexpr NmeaFieldList kGsaFields{kGsaRows, 110};
inline constexpr NmeaFieldList kGstFields{kGstRows, 85};
inline constexpr NmeaFieldList kGsvPageFields{kGsvPageRows, 50};
inline constexpr NmeaFieldList kRmcFields{kRmcRows, 85};
inline constexpr NmeaFieldList kVtgFields{kVtgRows, 85};
inline constexpr NmeaFieldList kZdaFields{kZdaRows, 85};
inline constexpr NmeaFieldList kGbsFields{kGbsRows, 85};
inline constexpr NmeaFieldList kDtmFields{kDtmRows, 85};
inline constexpr NmeaFieldList kGnsFields{kGnsRows, 85};

}  // namespace nmea_string
