#pragma once

// Height of the geoid above the WGS-84 ellipsoid in metres at a latitude and longitude in degrees,
// from a coarse EGM96 grid: the simulated receiver's own, apart from the host's.
double SimGeoidHeight(double latitude, double longitude);
