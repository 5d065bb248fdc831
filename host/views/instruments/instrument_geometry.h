#pragma once
#include <QPointF>
#include <QPolygonF>
#include <QRect>
#include <array>
#include <string>
#include <vector>

// Geometry and texts of the instrument views, apart from the painting. Angles are radians.

// A dial: its centre and radius in a client area, the centre in the middle and a margin of a tenth
// of the half size, at least 8 pixels, around it (the sky plot's frame).
struct Dial {
    QPoint centre;
    int radius;
};
Dial DialOf(QSize client);

// A receiver's number as an instrument reads it: NaN (no reading) unless finite and within limit.
double Reading(double value, double limit);
inline constexpr double kSpeedLimit = 1e5;     // metres per second
inline constexpr double kAltitudeLimit = 1e8;  // metres

// A point at radius r in the direction a, measured clockwise from straight up (a clock's hands).
QPointF ClockPoint(const Dial& dial, double r, double a);
// A hand: a closed thin triangle from a base of ±halfBase at the centre to its tip.
QPolygonF HandTriangle(QPointF centre, QPointF tip, double halfBase);

// Speedometer: 250 km/h full scale over a clockwise sweep of 270° from the lower left.
inline constexpr double kSpeedFullScale = 250;
double SpeedAngle(double kmh);
// (cx − r·cos θ, cy + r·sin θ) for the reading's angle θ.
QPointF SpeedPoint(const Dial& dial, double r, double kmh);
// The tick of every 10 km/h: its reach as a fraction of the radius.
double SpeedTickReach(int kmh);
// m/s in km/h; what the needle shows stops at 1.1 × full scale.
double Kmh(double metresPerSecond);
double ClampedKmh(double kmh);
// "SoG = 36.0 km/h"; in the warning colour when the clamped reading is beyond full scale.
std::u16string SpeedLabel(const std::u16string& name, double kmh);
bool SpeedWarning(double kmh);

// Altimeter: metres per numeral, 100 up to 1000 m, else the power of ten from 1000 on whose ten
// numerals reach the altitude.
double AltimeterScale(double altitude);
// The hands' directions: the short hand turns once per 10 scales, the long once per scale.
double ShortHandAngle(double altitude, double scale);
double LongHandAngle(double altitude, double scale);
inline constexpr int kAltimeterTicks = 50;
// "x1000 "
std::u16string AltimeterScaleText(double scale);

// Compass: letters N, E, S, W around the centre for a course c, the direction of travel up;
// offsets rounded to whole pixels.
std::array<QPoint, 4> CompassLetterPoints(QPoint centre, int radius, double course);
// A four-pointed star: two quadrilaterals filled light, then two filled dark.
struct CompassStar {
    std::array<QPolygonF, 2> light;
    std::array<QPolygonF, 2> dark;
};
CompassStar CompassStarOf(QPointF centre, double direction, double length, double side);

// Watch: the directions of the hour, minute and second hands at a UTC time in seconds.
struct WatchHands {
    double hour, minute, second;
};
WatchHands WatchHandsAt(double utcSeconds);

// World map: the client area less 5 pixels, its lowest two text lines for the texts, and the
// plot above them, 5 pixels apart and never above the inset top.
struct WorldAreas {
    QRect plot;
    QRect text;
};
WorldAreas WorldAreasOf(const QRect& client, int textHeight);
// A point of longitude and latitude in minutes of arc on the plot, truncated to whole pixels.
QPoint WorldPoint(const QRect& plot, double longitudeMinutes, double latitudeMinutes);
// The dashed grid: meridians every 45° and parallels at 0 and ±45°.
std::vector<int> WorldMeridians(const QRect& plot);
std::vector<int> WorldParallels(const QRect& plot);
