#pragma once

class CStorageDatabase;

// The colour-table index that tells the state of the navigation solution at a glance: red without
// a valid fix, then by the kind of fix (blue for dead reckoning and the like, cyan 2D, green 3D,
// orange with the Kalman filter). navigationValid and navigationMode are NaN when absent.
int NavigationStatusColorOf(double navigationValid, double navigationMode);

// The same from the database's "Nav. OK" and "Nav. Mode".
int NavigationStatusColor(const CStorageDatabase& database);
