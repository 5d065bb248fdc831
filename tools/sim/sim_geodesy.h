#pragma once

// The simulator's own WGS-84 geometry, written apart from the host's so that the truth it tells
// checks the host's conversions instead of repeating them. Angles are in degrees.
struct SimEcef {
    double x, y, z;
};

struct SimNed {
    double north, east, down;
};

// The point at a geodetic latitude and longitude and a height in metres above the ellipsoid.
SimEcef SimEcefFromGeodetic(double latitude, double longitude, double height);

// The ellipsoid's radii of curvature at a latitude, in metres.
struct SimRadii {
    double meridian, primeVertical;
};
SimRadii SimRadiiAt(double latitude);

// A place on the Universal Transverse Mercator grid of its six-degree zone (without the zones'
// exceptions around Norway), in metres; the southern hemisphere's northings start at 10000 km.
struct SimUtm {
    double easting, northing;
    int zone;
    bool south;
};
SimUtm SimUtmFromGeodetic(double latitude, double longitude);

// The level axes at a place as unit vectors on the ECEF axes.
class CSimLocalAxes {
public:
    CSimLocalAxes(double latitude, double longitude);

    SimNed FromEcef(const SimEcef& v) const;
    SimEcef ToEcef(const SimNed& v) const;

private:
    SimEcef north, east, up;
};
