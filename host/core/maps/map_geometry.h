#pragma once
#include <functional>
#include <optional>
#include <string>

#include "host/core/maps/map_transform.h"

// Metres east and north from one position to another, on the WGS 84 ellipsoid's radii at their
// mean latitude.
struct GroundOffset {
    double east;
    double north;
};
GroundOffset GroundOffsetBetween(GeoPosition from, GeoPosition to);

// The scale bar for a view whose width covers metresAcross: a round length (1, 2 or 5 × 10^k
// metres) and its pixels; nothing when the width covers no distance.
struct ScaleBar {
    int pixels;
    std::u16string label;
};
std::optional<ScaleBar> ScaleBarFor(double metresAcross, int widthPixels);

// The zoom at which the picture fills 95 % of the client area in its tighter direction.
double FitZoom(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight);

// How the status line writes a longitude and a latitude: the database entries' labels and formats.
struct MapStatusFormat {
    std::u16string longitudeLabel;
    std::u16string latitudeLabel;
    std::function<std::u16string(double radians)> longitude;
    std::function<std::u16string(double radians)> latitude;
};

// The status line on a tap at a picture pixel, and on a drag between two; without a calibration
// the pixels only.
std::u16string TapStatusText(const CMapTransform* calibration, MapPoint at, const MapStatusFormat& format);
std::u16string DragStatusText(const CMapTransform* calibration, MapPoint from, MapPoint to,
                              const MapStatusFormat& format);
// While calibration points are entered: the point's number (from 1) and its pixel.
std::u16string CalibrationPointText(int number, MapPoint at);
