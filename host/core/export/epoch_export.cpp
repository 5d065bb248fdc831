#include "epoch_export.h"

#include <algorithm>
#include <cmath>

#include "host/core/intake/veltro_doc.h"
#include "platform/text.h"
#include "shared/entry_ids.h"

namespace {

struct FormatName {
    const char* name;
    ExportFormat format;
    const char* extension;
};

constexpr FormatName kFormats[] = {{"csv", ExportFormat::Csv, ".csv"},
                                   {"json", ExportFormat::Json, ".json"},
                                   {"gpx", ExportFormat::Gpx, ".gpx"},
                                   {"kml", ExportFormat::Kml, ".kml"},
                                   {"geojson", ExportFormat::GeoJson, ".geojson"}};

// The choices of "Nav. Mode" that are fixes in two or three dimensions.
constexpr int kMode2D = 2;
constexpr int kMode3DFirst = 3;
constexpr int kMode3DLast = 7;
constexpr int kModeMasked = 6;

void AppendCsvField(std::string& row, const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        row += text;
        return;
    }
    row += '"';
    for (char c : text) row += c == '"' ? "\"\"" : std::string_view(&c, 1);
    row += '"';
}

std::string JsonString(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\')
            quoted += std::string("\\") + static_cast<char>(c);
        else if (c < 0x20)
            quoted += platform::FormatC("\\u%04x", c);
        else
            quoted += static_cast<char>(c);
    }
    return quoted + "\"";
}

std::string XmlText(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '&': escaped += "&amp;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        }
    }
    return escaped;
}

std::string Number(double value, const char* format) { return platform::FormatC(format, value); }

// GPX and GeoJSON take longitudes from -180 up to, not including, 180.
double NormalLongitude(double lon) {
    const double shifted = std::fmod(lon + 180, 360);
    return (shifted < 0 ? shifted + 360 : shifted) - 180;
}

}  // namespace

struct CEpochExport::TrackPoint {
    double latitude;
    double longitude;
    double altitude;  // NaN when unknown
    // ISO 8601 with the date; empty when the epoch has no date.
    std::string time;
    // GPX's fix: 2d, 3d or dgps; empty when the receiver's mode is none of them.
    std::string fix;
    double used, hdop, vdop, pdop;  // NaN when unknown
};

std::optional<ExportFormat> ExportFormatNamed(std::string_view name) {
    for (const FormatName& entry : kFormats)
        if (name == entry.name) return entry.format;
    return std::nullopt;
}

const char* ExportExtension(ExportFormat format) {
    for (const FormatName& entry : kFormats)
        if (entry.format == format) return entry.extension;
    return "";
}

const std::vector<std::string> CEpochExport::kDefaultValues = {"UTC", "Nav. Mode", "Lat",         "Lon", "Alt (MSL)",
                                                               "SoG", "SVs Used",  "SVs Tracked", "PDOP"};

bool CEpochExport::ResolveColumns(const CStorageDatabase& database, const std::vector<std::string>& names,
                                  std::vector<CValueColumn>& columns, std::string& unknownName) {
    for (const std::string& name : names) {
        const std::u16string wide = platform::Utf8ToWide(name);
        const auto& entries = database.Entries();
        auto found = std::find_if(entries.begin(), entries.end(), [&](auto& e) { return e.second->GetName() == wide; });
        if (found == entries.end()) {
            unknownName = name;
            return false;
        }
        columns.emplace_back(*found->second);
    }
    return true;
}

std::vector<std::string> CEpochExport::ValueNames(const CStorageDatabase& database) {
    std::vector<std::string> names;
    for (const auto& [id, entry] : database.Entries()) names.push_back(platform::WideToUtf8(entry->GetName()));
    return names;
}

std::optional<CValueColumn> CEpochExport::Column(uint16_t id) const {
    const CStorage* entry = database.Lookup(id);
    return entry ? std::optional<CValueColumn>(*entry) : std::nullopt;
}

CEpochExport::CEpochExport(const CStorageDatabase& database, std::vector<CValueColumn> columns, ExportFormat format,
                           const std::string& title, std::FILE* out)
    : database(database),
      columns(std::move(columns)),
      format(format),
      out(out),
      utc(Column(entry::kUtc)),
      valid(Column(entry::kNavigationValid)),
      mode(Column(entry::kNavigationMode)),
      dgps(Column(entry::kDgpsUsed)),
      latitude(Column(entry::kLatitude)),
      longitude(Column(entry::kLongitude)),
      altitude(Column(entry::kHeightAboveSeaLevel)),
      used(Column(entry::kSatellitesUsed)),
      hdop(Column(entry::kHdop)),
      vdop(Column(entry::kVdop)),
      pdop(Column(entry::kPdop)) {
    const std::string name = XmlText(title);
    switch (format) {
        case ExportFormat::Csv: {
            std::string header;
            for (const CValueColumn& column : this->columns) {
                if (!header.empty()) header += ',';
                AppendCsvField(header, column.Name());
            }
            Put(header + "\n");
            break;
        }
        case ExportFormat::Json:
            break;
        case ExportFormat::Gpx:
            Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<gpx version=\"1.1\" creator=\"Veltro\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
                "<trk><name>" + name + "</name><trkseg>\n");
            break;
        case ExportFormat::Kml:
            Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<kml xmlns=\"http://www.opengis.net/kml/2.2\" xmlns:gx=\"http://www.google.com/kml/ext/2.2\">\n"
                "<Document><name>" + name + "</name>\n<Placemark><name>" + name +
                "</name>\n<gx:Track><altitudeMode>absolute</altitudeMode>\n");
            break;
        case ExportFormat::GeoJson:
            Put("{\"type\": \"FeatureCollection\", \"features\": [");
            break;
    }
}

void CEpochExport::Put(const std::string& text) { std::fputs(text.c_str(), out); }

std::optional<CEpochExport::TrackPoint> CEpochExport::Point(const CEpochHistory& history,
                                                           const CEpochSnapshot& snapshot) const {
    auto value = [&](const std::optional<CValueColumn>& column) {
        return column ? column->Value(history, snapshot) : NAN;
    };
    TrackPoint point{value(latitude), value(longitude), value(altitude), {}, {},
                     value(used),     value(hdop),      value(vdop),     value(pdop)};
    if (value(valid) != 1 || !std::isfinite(point.latitude) || !std::isfinite(point.longitude) ||
        std::fabs(point.latitude) > 90)
        return std::nullopt;
    point.longitude = NormalLongitude(point.longitude);
    if (const std::string time = utc ? utc->Text(history, snapshot) : ""; time.find('T') != std::string::npos)
        point.time = time;
    const double fixMode = value(mode);
    if (value(dgps) == 1)
        point.fix = "dgps";
    else if (fixMode == kMode2D)
        point.fix = "2d";
    else if (fixMode >= kMode3DFirst && fixMode <= kMode3DLast && fixMode != kModeMasked)
        point.fix = "3d";
    return point;
}

void CEpochExport::Write(const CEpochHistory& history, const CEpochSnapshot& snapshot) {
    if (format == ExportFormat::Csv) return Put(CsvRow(history, snapshot));
    if (format == ExportFormat::Json) return Put(JsonObject(history, snapshot) + "\n");
    const std::optional<TrackPoint> point = Point(history, snapshot);
    if (!point) return;
    if (format == ExportFormat::Gpx) Put(GpxPoint(*point));
    // A KML track holds a time for every place.
    if (format == ExportFormat::Kml && !point->time.empty()) Put(KmlPoint(*point));
    if (format == ExportFormat::GeoJson) Put((firstItem ? "\n" : ",\n") + GeoJsonFeature(*point, history, snapshot));
    firstItem = false;
}

bool CEpochExport::Finish() {
    if (format == ExportFormat::Gpx) Put("</trkseg></trk>\n</gpx>\n");
    if (format == ExportFormat::Kml) Put("</gx:Track>\n</Placemark>\n</Document>\n</kml>\n");
    if (format == ExportFormat::GeoJson) Put(firstItem ? "]}\n" : "\n]}\n");
    return std::fflush(out) == 0 && !std::ferror(out);
}

std::string CEpochExport::CsvRow(const CEpochHistory& history, const CEpochSnapshot& snapshot) const {
    std::string row;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i) row += ',';
        AppendCsvField(row, columns[i].Text(history, snapshot));
    }
    row += '\n';
    return row;
}

std::string CEpochExport::JsonObject(const CEpochHistory& history, const CEpochSnapshot& snapshot) const {
    std::string object = "{";
    for (size_t i = 0; i < columns.size(); ++i) {
        const std::string text = columns[i].Text(history, snapshot);
        const std::string value = text.empty() ? "null" : columns[i].IsNumber() ? text : JsonString(text);
        object += (i ? ", " : "") + JsonString(columns[i].Name()) + ": " + value;
    }
    return object + "}";
}

// The children in the order GPX's waypoint type fixes.
std::string CEpochExport::GpxPoint(const TrackPoint& point) {
    std::string text = "<trkpt lat=\"" + Number(point.latitude, "%.9f") + "\" lon=\"" +
                       Number(point.longitude, "%.9f") + "\">";
    if (std::isfinite(point.altitude)) text += "<ele>" + Number(point.altitude, "%.3f") + "</ele>";
    if (!point.time.empty()) text += "<time>" + point.time + "</time>";
    if (!point.fix.empty()) text += "<fix>" + point.fix + "</fix>";
    if (std::isfinite(point.used) && point.used >= 0) text += "<sat>" + Number(point.used, "%.0f") + "</sat>";
    for (const auto& [name, dop] : {std::pair{"hdop", point.hdop}, {"vdop", point.vdop}, {"pdop", point.pdop}})
        if (std::isfinite(dop)) text += std::string("<") + name + ">" + Number(dop, "%.2f") + "</" + name + ">";
    return text + "</trkpt>\n";
}

std::string CEpochExport::KmlPoint(const TrackPoint& point) {
    const double altitude = std::isfinite(point.altitude) ? point.altitude : 0;
    return "<when>" + point.time + "</when><gx:coord>" + Number(point.longitude, "%.9f") + " " +
           Number(point.latitude, "%.9f") + " " + Number(altitude, "%.3f") + "</gx:coord>\n";
}

std::string CEpochExport::GeoJsonFeature(const TrackPoint& point, const CEpochHistory& history,
                                         const CEpochSnapshot& snapshot) const {
    std::string coordinates = Number(point.longitude, "%.9f") + ", " + Number(point.latitude, "%.9f");
    if (std::isfinite(point.altitude)) coordinates += ", " + Number(point.altitude, "%.3f");
    return "{\"type\": \"Feature\", \"geometry\": {\"type\": \"Point\", \"coordinates\": [" + coordinates +
           "]}, \"properties\": " + JsonObject(history, snapshot) + "}";
}

bool ExportHistory(CVeltroDoc& document, ExportFormat format, const std::string& path) {
    std::vector<CValueColumn> columns;
    std::string unknown;
    CEpochExport::ResolveColumns(document.Database(), CEpochExport::kDefaultValues, columns, unknown);
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) return false;
    CEpochExport writer(document.Database(), std::move(columns), format, platform::WideToUtf8(document.Title()), file);
    const CEpochHistory& history = document.History();
    for (size_t i = 0; i < history.Count(); ++i) writer.Write(history, history[i]);
    const bool written = writer.Finish();
    return std::fclose(file) == 0 && written;
}
