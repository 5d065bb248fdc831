#include "monitor_lines.h"

#include <cmath>
#include <string>

#include "host/core/intake/veltro_doc.h"
#include "platform/text.h"
#include "shared/entry_ids.h"

CMonitorLines::CMonitorLines(CVeltroDoc& document, std::FILE* out)
    : CEpochObserver(document),
      out(out),
      utc(Column(entry::kUtc)),
      fixValid(Column(entry::kNavigationValid)),
      fixMode(Column(entry::kNavigationMode)),
      latitude(Column(entry::kLatitude)),
      longitude(Column(entry::kLongitude)),
      altitude(Column(entry::kHeightAboveSeaLevel)),
      speed(Column(entry::kSpeedOverGround)),
      used(Column(entry::kSatellitesUsed)),
      tracked(Column(entry::kSatellitesTracked)),
      pdop(Column(entry::kPdop)) {}

std::optional<CValueColumn> CMonitorLines::Column(uint16_t id) const {
    const CStorage* entry = document.Database().Lookup(id);
    return entry ? std::optional<CValueColumn>(*entry) : std::nullopt;
}

void CMonitorLines::WriteEpoch(const CEpochHistory& history, const CEpochSnapshot& snapshot) {
    // "-" for an epoch without the value.
    auto number = [&](const std::optional<CValueColumn>& column, const char* format) {
        const double v = column ? column->Value(history, snapshot) : NAN;
        return std::isnan(v) ? std::string("-") : platform::FormatC(format, v);
    };
    const std::string time = utc ? utc->Text(history, snapshot) : "";
    const bool hasFix = fixValid && fixValid->Value(history, snapshot) == 1;
    const std::string fix = hasFix && fixMode ? fixMode->Text(history, snapshot) : "no fix";
    const std::string line = (time.empty() ? "-" : time) + "  " + fix + "  lat " + number(latitude, "%.7f") + "  lon " +
                             number(longitude, "%.7f") + "  alt " + number(altitude, "%.1f") + " m  speed " +
                             number(speed, "%.2f") + " m/s  sats " + number(used, "%.0f") + "/" +
                             number(tracked, "%.0f") + "  PDOP " + number(pdop, "%.2f") + "\n";
    std::fputs(line.c_str(), out);
    std::fflush(out);
}
