#include "chart_series.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"
#include "shared/epoch_history.h"
#include "shared/storage_database.h"
#include "shared/storage_values.h"

namespace {

constexpr size_t kLeastSmoothedEpochs = 19;
constexpr double kUnbounded = 1e300;

bool IsStatistics(const CStorage& entry) { return entry.IsKindOf(CStorageValueStatistics::StaticClass()); }

double Finite(double v, double fallback) { return std::isfinite(v) ? v : fallback; }

// An axis's value of an epoch: its index when it plots the index.
double EpochValue(const CEpochHistory& history, const CStorageValueStatistics* value, size_t epoch) {
    return value ? value->GetSnapshotValue(history, history[epoch]) : static_cast<double>(epoch);
}

// An infinite sample makes the statistics' extremes useless: the history's finite values stand
// in for them.
void FiniteExtremes(const CStorageValueStatistics& value, const CEpochHistory& history, AxisSource& source) {
    source.low = INFINITY;
    source.high = -INFINITY;
    for (size_t epoch = 0; epoch < history.Count(); ++epoch) {
        const double v = value.GetSnapshotValue(history, history[epoch]);
        if (!std::isfinite(v)) continue;
        source.low = std::min(source.low, v);
        source.high = std::max(source.high, v);
    }
    const double current = value.GetValue();
    if (!std::isfinite(current)) return;
    source.low = std::min(source.low, current);
    source.high = std::max(source.high, current);
}

// A field holds no comma or quote of its own.
std::string CsvField(const std::u16string& text) {
    std::string field = platform::WideToUtf8(text);
    std::replace(field.begin(), field.end(), ',', ';');
    std::replace(field.begin(), field.end(), '"', '\'');
    return field;
}

std::u16string CsvHeading(const CStorageValueStatistics* value) {
    if (!value) return u"Index";
    return value->GetUnit().empty() ? value->GetName() : value->GetName() + u" [" + value->GetUnit() + u"]";
}

// In the value's own format, as the chart labels it; the index as a whole number.
std::u16string CsvValue(const CStorageValueStatistics* value, double v) {
    if (!std::isfinite(v)) return {};
    return value ? value->Format(v) : platform::FormatW(u"%.0f", v);
}

}  // namespace

std::vector<uint16_t> ChartValueIds(const CStorageDatabase& database) {
    std::vector<uint16_t> ids;
    for (const auto& [id, entry] : database.Entries())
        if (IsStatistics(*entry)) ids.push_back(id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

const CStorageValueStatistics* ChartValue(const CStorageDatabase& database, const ChartAxis& axis) {
    if (!axis.useValue) return nullptr;
    return database.FindAs<CStorageValueStatistics>(axis.valueId);
}

std::u16string AxisName(const CStorageDatabase& database, const ChartAxis& axis) {
    if (!axis.useValue) return u"Index";
    const CStorageValueStatistics* value = ChartValue(database, axis);
    return value ? value->GetName() : platform::FormatW(u"0x%04X", axis.valueId);
}

std::u16string ChartTitle(const CStorageDatabase& database, const ChartAxis& x, const ChartAxis& y) {
    return AxisName(database, y) + u" / " + AxisName(database, x);
}

AxisSource ValueAxisSource(const CStorageValueStatistics& value, const CEpochHistory& history) {
    double low, high, step;
    value.GetRange(low, high, step);
    AxisSource source;
    source.low = value.GetMinimum();
    source.high = value.GetMaximum();
    if (!std::isfinite(source.low) || !std::isfinite(source.high)) FiniteExtremes(value, history, source);
    source.hasData = std::isfinite(source.low) && std::isfinite(source.high);
    source.current = value.GetValue();
    source.limitLow = Finite(low, -kUnbounded);
    source.limitHigh = Finite(high, kUnbounded);
    const double size = std::max({std::fabs(source.low), std::fabs(source.high), 1.0});
    source.resolution = step > 0 && std::isfinite(step) ? step : Finite(size * 1e-6, 1e-6);
    return source;
}

AxisSource AxisSourceOf(const CStorageDatabase& database, const CEpochHistory& history, const ChartAxis& axis) {
    if (!axis.useValue) return IndexAxisSource(history.Count());
    const CStorageValueStatistics* value = ChartValue(database, axis);
    if (!value) return AxisSource{false, 0, 0, NAN, axis.limitLow, axis.limitHigh, axis.resolution};
    return ValueAxisSource(*value, history);
}

EpochRange EpochsInView(const ChartAxis& x, size_t epochs) {
    if (x.useValue) return {0, epochs};
    const double count = static_cast<double>(epochs);
    const double first = std::clamp(std::ceil(x.viewLow) - 1, 0.0, count);
    const double end = std::clamp(std::floor(x.viewHigh) + 2, first, count);
    return {static_cast<size_t>(first), static_cast<size_t>(end)};
}

void SmoothSeries(std::vector<double>& values, double factor) {
    double smoothed = NAN;
    for (double& v : values) {
        if (!std::isfinite(v)) continue;
        smoothed = std::isfinite(smoothed) ? smoothed + (v - smoothed) / factor : v;
        v = smoothed;
    }
}

ChartSeries ReadSeries(const CEpochHistory& history, const CStorageValueStatistics* x, const CStorageValueStatistics* y,
                       EpochRange range, unsigned smoothingFactor) {
    range.end = std::min(range.end, history.Count());
    range.first = std::min(range.first, range.end);
    size_t start = range.first;
    if (smoothingFactor > 0) {
        const size_t preroll = smoothingFactor * std::max(range.end - range.first, kLeastSmoothedEpochs);
        start -= std::min(start, preroll);
    }
    ChartSeries series;
    series.first = start;
    series.x.reserve(range.end - start);
    series.y.reserve(range.end - start);
    for (size_t epoch = start; epoch < range.end; ++epoch) {
        series.x.push_back(EpochValue(history, x, epoch));
        series.y.push_back(EpochValue(history, y, epoch));
    }
    if (smoothingFactor > 0) {
        if (x) SmoothSeries(series.x, smoothingFactor);
        if (y) SmoothSeries(series.y, smoothingFactor);
        const auto skipped = static_cast<std::ptrdiff_t>(range.first - start);
        series.x.erase(series.x.begin(), series.x.begin() + skipped);
        series.y.erase(series.y.begin(), series.y.begin() + skipped);
        series.first = range.first;
    }
    return series;
}

std::string SeriesCsv(const ChartSeries& series, const CStorageValueStatistics* x, const CStorageValueStatistics* y) {
    std::string text = "Epoch," + CsvField(CsvHeading(x)) + "," + CsvField(CsvHeading(y)) + "\r\n";
    for (size_t i = 0; i < series.x.size(); ++i)
        text += std::to_string(series.first + i) + "," + CsvField(CsvValue(x, series.x[i])) + "," +
                CsvField(CsvValue(y, series.y[i])) + "\r\n";
    return text;
}
