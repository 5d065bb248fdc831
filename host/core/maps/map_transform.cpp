#include "map_transform.h"

#include <cmath>

namespace {

double Determinant(double a1, double b1, double c1, double a2, double b2, double c2, double a3, double b3, double c3) {
    return a1 * (b2 * c3 - b3 * c2) - a2 * (b1 * c3 - b3 * c1) + a3 * (b1 * c2 - b2 * c1);
}

}  // namespace

std::optional<CMapTransform> CMapTransform::Solve(const std::array<MapReference, 3>& r) {
    const double lat1 = r[0].position.latitude, lat2 = r[1].position.latitude, lat3 = r[2].position.latitude;
    const double lon1 = r[0].position.longitude, lon2 = r[1].position.longitude, lon3 = r[2].position.longitude;
    const double d = lat1 * (lon2 - lon3) - lat2 * (lon1 - lon3) + lat3 * (lon1 - lon2);
    if (d == 0) return std::nullopt;
    // Columns (lat, lon, 1): one coefficient per column, the pixel's coordinate in its place.
    const auto solve = [&](double v1, double v2, double v3) {
        return std::array<double, 3>{Determinant(v1, lon1, 1, v2, lon2, 1, v3, lon3, 1) / d,
                                     Determinant(lat1, v1, 1, lat2, v2, 1, lat3, v3, 1) / d,
                                     Determinant(lat1, lon1, v1, lat2, lon2, v2, lat3, lon3, v3) / d};
    };
    const auto [a, b, c] = solve(r[0].pixel.x, r[1].pixel.x, r[2].pixel.x);
    const auto [dd, e, f] = solve(r[0].pixel.y, r[1].pixel.y, r[2].pixel.y);
    return FromForward({a, b, c, dd, e, f});
}

std::optional<CMapTransform> CMapTransform::FromForward(const Coefficients& k) {
    const double g = k.a * k.e - k.b * k.d;
    if (g == 0 || !std::isfinite(g)) return std::nullopt;
    CMapTransform transform;
    transform.forward = k;
    // lat = (e·(x − c) − b·(y − f)) / G, lon = (a·(y − f) − d·(x − c)) / G.
    transform.inverse = {k.e / g,  -k.b / g, (k.b * k.f - k.e * k.c) / g,
                         -k.d / g, k.a / g,  (k.d * k.c - k.a * k.f) / g};
    return transform;
}

MapPixel CMapTransform::ToPixel(GeoPosition p) const {
    return {forward.a * p.latitude + forward.b * p.longitude + forward.c,
            forward.d * p.latitude + forward.e * p.longitude + forward.f};
}

GeoPosition CMapTransform::ToGeo(MapPixel p) const {
    return {inverse.a * p.x + inverse.b * p.y + inverse.c, inverse.d * p.x + inverse.e * p.y + inverse.f};
}

std::optional<CMapTransform> CMapTransform::Scaled(double zoom, MapPixel offset) const {
    const Coefficients& k = forward;
    return FromForward({k.a * zoom, k.b * zoom, k.c * zoom + offset.x, k.d * zoom, k.e * zoom, k.f * zoom + offset.y});
}

namespace {

// Far beyond any screen, and NaN goes to the low end: the cast stays defined.
int RoundedCoordinate(double v) {
    constexpr double kLimit = 1e9;
    const double rounded = std::floor(v + 0.5);
    return static_cast<int>(rounded > -kLimit ? (rounded < kLimit ? rounded : kLimit) : -kLimit);
}

}  // namespace

MapPoint RoundedPixel(MapPixel pixel) { return {RoundedCoordinate(pixel.x), RoundedCoordinate(pixel.y)}; }
