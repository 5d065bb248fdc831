#include "sim_trajectory.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/sim/sim_geodesy.h"

namespace {
constexpr double kDegree = std::numbers::pi / 180;
constexpr double kStepSeconds = 0.05;
constexpr double kAcceleration = 1.5;         // m/s²
constexpr double kLateralAcceleration = 3.0;  // m/s²
constexpr double kMaxTurnRate = 20.0;         // degrees/s
constexpr double kStandingSpeed = 0.05;       // m/s

double Wrap360(double degrees) {
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0 ? degrees + 360.0 : degrees;
}

// The shortest turn from one heading to another, -180 to 180 degrees.
double TurnBetween(double from, double to) { return Wrap360(to - from + 180.0) - 180.0; }

// A slow sine wander: amplitude, period in seconds, phase.
struct Wander {
    double amplitude, period, phase;
    double At(double t) const { return amplitude * std::sin(2 * std::numbers::pi * t / period + phase); }
    double RateAt(double t) const {
        return amplitude * 2 * std::numbers::pi / period * std::cos(2 * std::numbers::pi * t / period + phase);
    }
};
constexpr Wander kWanderNorth{0.8, 97, 0};
constexpr Wander kWanderEast{0.6, 131, 1};
constexpr Wander kWanderUp{1.2, 173, 2};
}  // namespace

CSimTrajectory::CSimTrajectory(const SimTrajectoryConfig& config) : config(config), random(config.seed) {
    if (config.motion == SimMotion::Drive) {
        heading = random.Uniform(0, 360);
        PlanLeg();
    }
}

void CSimTrajectory::Advance(double seconds) {
    for (double left = seconds; left > 1e-9; left -= kStepSeconds) {
        const double step = std::min(left, kStepSeconds);
        elapsed += step;
        if (config.motion == SimMotion::Drive) Steer(step);
    }
}

void CSimTrajectory::Steer(double seconds) {
    legRemaining -= seconds;
    if (legRemaining <= 0) PlanLeg();
    const double speedChange = std::clamp(targetSpeed - speed, -kAcceleration * seconds, kAcceleration * seconds);
    speed = std::max(0.0, speed + speedChange);
    if (speed > kStandingSpeed) {
        const double turnRate = std::min(kMaxTurnRate, kLateralAcceleration / speed / kDegree);
        const double turn = std::clamp(TurnBetween(heading, targetHeading), -turnRate * seconds, turnRate * seconds);
        heading = Wrap360(heading + turn);
    }
    north += speed * std::cos(heading * kDegree) * seconds;
    east += speed * std::sin(heading * kDegree) * seconds;
}

// The next leg: now and then a stop, otherwise a new speed and direction; beyond the radius the
// direction leads back towards the reference point.
void CSimTrajectory::PlanLeg() {
    if (random.Uniform(0, 1) < 0.12) {
        targetSpeed = 0;
        legRemaining = random.Uniform(4, 8);
        return;
    }
    targetSpeed = random.Uniform(0.35, 1.0) * config.maxSpeed;
    legRemaining = random.Uniform(8, 25);
    if (std::hypot(north, east) > config.radius)
        targetHeading = Wrap360(std::atan2(-east, -north) / kDegree + random.Uniform(-25, 25));
    else
        targetHeading = Wrap360(heading + random.Uniform(-100, 100));
}

double CSimTrajectory::HillHeight() const { return 6 * std::sin(east / 350) + 3 * std::sin(north / 220); }

double CSimTrajectory::HillClimbRate(double northSpeed, double eastSpeed) const {
    return 6.0 / 350 * std::cos(east / 350) * eastSpeed + 3.0 / 220 * std::cos(north / 220) * northSpeed;
}

CSimTrajectory::State CSimTrajectory::Current() const {
    return config.motion == SimMotion::Drive ? DriveState() : StaticState();
}

CSimTrajectory::State CSimTrajectory::StaticState() const {
    State state = AtOffset(kWanderNorth.At(elapsed), kWanderEast.At(elapsed), kWanderUp.At(elapsed));
    state.north = kWanderNorth.RateAt(elapsed);
    state.east = kWanderEast.RateAt(elapsed);
    state.down = -kWanderUp.RateAt(elapsed);
    state.heading = Wrap360(std::atan2(state.east, state.north) / kDegree);
    return state;
}

CSimTrajectory::State CSimTrajectory::DriveState() const {
    State state = AtOffset(north, east, HillHeight());
    state.north = speed * std::cos(heading * kDegree);
    state.east = speed * std::sin(heading * kDegree);
    state.down = -HillClimbRate(state.north, state.east);
    state.heading = heading;
    return state;
}

// A local offset in metres turned into geodetic co-ordinates with the ellipsoid's radii of
// curvature at the reference point; exact enough over the few kilometres of a drive.
CSimTrajectory::State CSimTrajectory::AtOffset(double northOffset, double eastOffset, double up) const {
    const SimRadii radii = SimRadiiAt(config.latitude);
    State state{};
    state.latitude = config.latitude + northOffset / (radii.meridian + config.height) / kDegree;
    const double longitude =
        config.longitude +
        eastOffset / ((radii.primeVertical + config.height) * std::cos(config.latitude * kDegree)) / kDegree;
    state.longitude = Wrap360(longitude + 180) - 180;
    state.height = config.height + up;
    return state;
}
