#pragma once
#include <array>
#include <optional>

// A picture pixel (x to the right, y downwards) and a position (radians, east and north positive).
struct MapPixel {
    double x;
    double y;
};

struct GeoPosition {
    double latitude;
    double longitude;
};

// One reference of a calibration: a picture pixel and where it lies.
struct MapReference {
    MapPixel pixel;
    GeoPosition position;
};

// The affine tie between a picture and the earth, both ways: x = a·lat + b·lon + c and
// y = d·lat + e·lon + f, and its inverse.
class CMapTransform {
public:
    // Cramer's rule on the three references; nothing when they span no plane (D or G exactly 0).
    static std::optional<CMapTransform> Solve(const std::array<MapReference, 3>& references);

    MapPixel ToPixel(GeoPosition position) const;
    GeoPosition ToGeo(MapPixel pixel) const;

    // The same tie for another pixel grid: grid = picture · zoom + offset. Nothing for a zoom of 0.
    std::optional<CMapTransform> Scaled(double zoom, MapPixel offset) const;

private:
    struct Coefficients {
        double a, b, c, d, e, f;
    };

    // Nothing when the forward coefficients cannot be inverted.
    static std::optional<CMapTransform> FromForward(const Coefficients& forward);

    Coefficients forward{};
    // lat = p·x + q·y + r and lon = s·x + t·y + u.
    Coefficients inverse{};
};

// Rounded to the nearest pixel (floor of the value + 0.5), as the view places what it draws.
struct MapPoint {
    int x;
    int y;
};
MapPoint RoundedPixel(MapPixel pixel);
