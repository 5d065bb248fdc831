#include "instrument_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/views/satellites/sky_plot_geometry.h"
#include "platform/text.h"

namespace {

constexpr double kPi = std::numbers::pi;
// 10^15 m is far beyond any reading; the loop never runs longer than that.
constexpr int kMaxScaleSteps = 12;
constexpr double kSecondsPerDay = 86400;

}  // namespace

Dial DialOf(QSize client) {
    const SkyPlotFrame frame = SkyPlotFrameOf(client.width(), client.height());
    return {frame.centre, frame.radius};
}

double Reading(double value, double limit) { return std::isfinite(value) && std::abs(value) <= limit ? value : NAN; }

QPointF ClockPoint(const Dial& dial, double r, double a) {
    return {dial.centre.x() + r * std::sin(a), dial.centre.y() - r * std::cos(a)};
}

QPolygonF HandTriangle(QPointF centre, QPointF tip, double halfBase) {
    const QPointF along = tip - centre;
    const double length = std::hypot(along.x(), along.y());
    const QPointF across = length > 0 ? QPointF(-along.y(), along.x()) * (halfBase / length) : QPointF();
    return QPolygonF({tip, centre + across, centre - across, tip});
}

double SpeedAngle(double kmh) { return kPi / 4 - 1.5 * kPi * kmh / kSpeedFullScale; }

QPointF SpeedPoint(const Dial& dial, double r, double kmh) {
    const double theta = SpeedAngle(kmh);
    return {dial.centre.x() - r * std::cos(theta), dial.centre.y() + r * std::sin(theta)};
}

double SpeedTickReach(int kmh) { return kmh % 100 == 0 ? 0.8 : kmh % 50 == 0 ? 0.75 : 0.7; }

double Kmh(double metresPerSecond) { return metresPerSecond * 3.6; }

double ClampedKmh(double kmh) { return std::min(kmh, 1.1 * kSpeedFullScale); }

std::u16string SpeedLabel(const std::u16string& name, double kmh) {
    return platform::FormatW(u"%s = %.1f km/h", platform::WideToUtf8(name).c_str(), kmh);
}

bool SpeedWarning(double kmh) { return ClampedKmh(kmh) > kSpeedFullScale; }

double AltimeterScale(double altitude) {
    if (!(altitude > 1000)) return 100;
    double scale = 1000;
    for (int step = 0; step < kMaxScaleSteps && altitude > 10 * scale; ++step) scale *= 10;
    return scale;
}

double ShortHandAngle(double altitude, double scale) { return 2 * kPi * altitude / (10 * scale); }

double LongHandAngle(double altitude, double scale) { return 2 * kPi * altitude / scale; }

std::u16string AltimeterScaleText(double scale) { return platform::FormatW(u"x%.0f ", scale); }

std::array<QPoint, 4> CompassLetterPoints(QPoint centre, int radius, double course) {
    const int s = static_cast<int>(std::lround(radius * std::sin(course)));
    const int c = static_cast<int>(std::lround(radius * std::cos(course)));
    return {centre + QPoint(-s, -c), centre + QPoint(c, -s), centre + QPoint(s, c), centre + QPoint(-c, s)};
}

CompassStar CompassStarOf(QPointF centre, double direction, double length, double side) {
    const QPointF p(length * std::sin(direction), length * std::cos(direction));
    const QPointF q(side * std::sin(direction + kPi / 4), side * std::cos(direction + kPi / 4));
    const auto turned = [](QPointF v) { return QPointF(v.y(), -v.x()); };
    const QPointF p2 = turned(p), q2 = turned(q);
    const auto quad = [&](QPointF a, QPointF b, QPointF c, QPointF d) {
        return QPolygonF({centre + a, centre + b, centre + c, centre + d});
    };
    return {{quad(p, q, -q, -p), quad(p2, q2, -q2, -p2)}, {quad(p, -q2, q2, -p), quad(p2, q, -q, -p2)}};
}

WatchHands WatchHandsAt(double utcSeconds) {
    const double day = std::fmod(std::fmod(utcSeconds, kSecondsPerDay) + kSecondsPerDay, kSecondsPerDay);
    return {2 * kPi * std::fmod(day, 43200) / 43200, 2 * kPi * std::fmod(day, 3600) / 3600,
            2 * kPi * std::floor(std::fmod(day, 60)) / 60};
}

WorldAreas WorldAreasOf(const QRect& client, int textHeight) {
    const QRect inset = client.adjusted(5, 5, -5, -5);
    const QRect text(inset.left(), inset.bottom() + 1 - 2 * textHeight, inset.width(), 2 * textHeight);
    const int plotBottom = std::max(text.top() - 5, inset.top());
    return {QRect(inset.left(), inset.top(), inset.width(), plotBottom - inset.top()), text};
}

QPoint WorldPoint(const QRect& plot, double longitudeMinutes, double latitudeMinutes) {
    const QPoint centre(plot.left() + plot.width() / 2, plot.top() + plot.height() / 2);
    return {centre.x() + static_cast<int>(longitudeMinutes * plot.width() / 21600),
            centre.y() - static_cast<int>(latitudeMinutes * plot.height() / 10800)};
}

std::vector<int> WorldMeridians(const QRect& plot) {
    const int cx = plot.left() + plot.width() / 2;
    std::vector<int> x{cx};
    for (const int k : {45, 90, 135}) x.insert(x.end(), {cx - plot.width() * k / 360, cx + plot.width() * k / 360});
    return x;
}

std::vector<int> WorldParallels(const QRect& plot) {
    const int cy = plot.top() + plot.height() / 2;
    return {cy, cy - plot.height() * 45 / 180, cy + plot.height() * 45 / 180};
}
