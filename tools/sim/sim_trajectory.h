#pragma once
#include <cstdint>

#include "tools/sim/sim_random.h"

enum class SimMotion { Static, Drive };

struct SimTrajectoryConfig {
    SimMotion motion = SimMotion::Static;
    double latitude = 47.3769;  // degrees
    double longitude = 8.5417;  // degrees
    double height = 460.0;      // m above the ellipsoid
    double maxSpeed = 14.0;     // m/s
    double radius = 2000.0;     // m: the drive turns back towards the reference point beyond it
    uint64_t seed = 1;
};

// Where the antenna is and how it moves. Static: a wander of a metre or two around the
// reference point, as a receiver at rest reports. Drive: a vehicle that keeps near the reference
// point, with stops, speed changes and turns limited to what a car can do.
class CSimTrajectory {
public:
    struct State {
        double latitude, longitude, height;  // degrees, m
        double north, east, down;            // velocity, m/s
        double heading;                      // degrees, 0 to 360; kept while standing still
    };

    explicit CSimTrajectory(const SimTrajectoryConfig& config);

    void Advance(double seconds);
    State Current() const;

private:
    void Steer(double seconds);
    void PlanLeg();
    // The road rises and falls gently: height above the reference, and its rate for a velocity.
    double HillHeight() const;
    double HillClimbRate(double northSpeed, double eastSpeed) const;
    State StaticState() const;
    State DriveState() const;
    State AtOffset(double northOffset, double eastOffset, double up) const;

    SimTrajectoryConfig config;
    CSimRandom random;
    double elapsed = 0;
    double north = 0, east = 0;  // m from the reference point
    double speed = 0;            // m/s
    double heading = 0;          // degrees
    double targetSpeed = 0;
    double targetHeading = 0;
    double legRemaining = 0;  // s
};
