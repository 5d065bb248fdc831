#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/views/charts/chart_axis.h"

class CEpochHistory;
class CStorageDatabase;
class CStorageValueStatistics;

// What a chart reads of the database: the values it offers, what each axis takes of its value
// or of the epoch index, and the plotted series from the epoch history.

// Every value of the statistics kind, ascending by identifier.
std::vector<uint16_t> ChartValueIds(const CStorageDatabase& database);
// The axis's value; null for the epoch index or a value that is not (or no longer) there.
const CStorageValueStatistics* ChartValue(const CStorageDatabase& database, const ChartAxis& axis);
// "Index" for the epoch index.
std::u16string AxisName(const CStorageDatabase& database, const ChartAxis& axis);
// "Y / X", as the recent list names a setup.
std::u16string ChartTitle(const CStorageDatabase& database, const ChartAxis& x, const ChartAxis& y);

// The value's limits and resolution, its statistics' extremes (the history's finite extremes when
// those are not finite) and its current value; a value without a range is unbounded, one without
// a resolution resolves a millionth of its size.
AxisSource ValueAxisSource(const CStorageValueStatistics& value, const CEpochHistory& history);
// What the axis takes when re-evaluated, its value missing being an axis without data.
AxisSource AxisSourceOf(const CStorageDatabase& database, const CEpochHistory& history, const ChartAxis& axis);

// Epochs first … first + size − 1 of the history: the X and Y of each, NaN where an axis's value
// had no sample (the index is the epoch's place in the history).
struct ChartSeries {
    size_t first = 0;
    std::vector<double> x;
    std::vector<double> y;
};

// The epochs worth reading: those in the X view and one beyond each side when X is the index,
// so that lines run off the edges; all of them otherwise.
struct EpochRange {
    size_t first = 0;
    size_t end = 0;
};
EpochRange EpochsInView(const ChartAxis& x, size_t epochs);

// Reads the epochs of range. With a smoothing factor above 0 each value plots its running
// smoothed value s = s' + (v − s') / factor, started factor × (epochs in view, at least 19)
// epochs earlier so that it has settled at the left edge.
ChartSeries ReadSeries(const CEpochHistory& history, const CStorageValueStatistics* x, const CStorageValueStatistics* y,
                       EpochRange range, unsigned smoothingFactor);
// In place; an epoch without a value keeps NaN and leaves s as it was.
void SmoothSeries(std::vector<double>& values, double factor);

// The series as comma-separated text (UTF-8): a heading line ("Epoch", the X and Y names with
// their units) and one line per epoch with both values as the chart labels them.
std::string SeriesCsv(const ChartSeries& series, const CStorageValueStatistics* x, const CStorageValueStatistics* y);
