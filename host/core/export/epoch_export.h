#pragma once
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/export/value_column.h"

class CEpochHistory;
class CEpochSnapshot;
class CStorageDatabase;
class CVeltroDoc;

// csv: a header line and a row per epoch; json: one object per epoch and line; gpx: a GPX 1.1
// track; kml: a time-stamped KML track (gx:Track); geojson: a FeatureCollection of one point per
// epoch, the chosen values as its properties.
enum class ExportFormat { Csv, Json, Gpx, Kml, GeoJson };

// "csv", "json", "gpx", "kml", "geojson"; nullopt for another name.
std::optional<ExportFormat> ExportFormatNamed(std::string_view name);
// The file name extension, with its dot.
const char* ExportExtension(ExportFormat format);

// Epochs of the history written one by one as they close, or all at once. The track formats
// take the epochs with a valid fix: time, position, altitude above sea level, fix, satellites
// used and the dilutions of precision, from the database's own entries.
class CEpochExport {
public:
    static const std::vector<std::string> kDefaultValues;

    // The columns for the names; false with the first unknown name.
    static bool ResolveColumns(const CStorageDatabase& database, const std::vector<std::string>& names,
                               std::vector<CValueColumn>& columns, std::string& unknownName);
    // Every name a column can have, in catalogue order.
    static std::vector<std::string> ValueNames(const CStorageDatabase& database);

    // Writes the head of the file at once; title names the track.
    CEpochExport(const CStorageDatabase& database, std::vector<CValueColumn> columns, ExportFormat format,
                 const std::string& title, std::FILE* out);
    void Write(const CEpochHistory& history, const CEpochSnapshot& snapshot);
    // Writes the end of the file and flushes; false when a write failed.
    bool Finish();

private:
    struct TrackPoint;

    std::optional<TrackPoint> Point(const CEpochHistory& history, const CEpochSnapshot& snapshot) const;
    std::optional<CValueColumn> Column(uint16_t id) const;
    std::string CsvRow(const CEpochHistory& history, const CEpochSnapshot& snapshot) const;
    std::string JsonObject(const CEpochHistory& history, const CEpochSnapshot& snapshot) const;
    static std::string GpxPoint(const TrackPoint& point);
    static std::string KmlPoint(const TrackPoint& point);
    std::string GeoJsonFeature(const TrackPoint& point, const CEpochHistory& history,
                               const CEpochSnapshot& snapshot) const;
    void Put(const std::string& text);

    const CStorageDatabase& database;
    std::vector<CValueColumn> columns;
    ExportFormat format;
    std::FILE* out;
    bool firstItem = true;
    std::optional<CValueColumn> utc, valid, mode, dgps, latitude, longitude, altitude, used, hdop, vdop, pdop;
};

// The window's "Export...": every epoch of the document's history, the default values as the
// columns, into the file at path; false when it cannot be written.
bool ExportHistory(CVeltroDoc& document, ExportFormat format, const std::string& path);
