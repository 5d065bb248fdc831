#include "sim_nmea_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <span>
#include <string>

#include "platform/text.h"
#include "plugins/nmea/framing/nmea_frame_check.h"
#include "shared/calendar.h"

namespace {

constexpr double kKnotsPerMeterPerSecond = 3600.0 / 1852.0;
constexpr double kKilometresPerHourPerMeterPerSecond = 3.6;
constexpr int kSatellitesPerGsvPage = 4;
constexpr size_t kGsaSatelliteFields = 12;
// A sentence of the talker GP is at most 82 bytes, "$", "*hh" and CR LF included.
constexpr size_t kLongestSentence = 82;
constexpr size_t kSentenceFrame = 6;
// SBAS satellites 120 to 151 are numbered 33 to 64 in NMEA.
constexpr int kNmeaSbasOffset = 87;

void AppendSentence(const std::string& body, std::vector<uint8_t>& out) {
    const uint8_t sum = NmeaChecksum(reinterpret_cast<const uint8_t*>(body.data()), static_cast<int>(body.size()));
    const std::string sentence = "$" + body + platform::FormatC("*%02X\r\n", sum);
    out.insert(out.end(), sentence.begin(), sentence.end());
}

CivilTime UtcOf(const SimEpoch& e) { return CivilFromSeconds(static_cast<double>(e.UtcMs() / 1000)); }

// hhmmss.ss; empty while the receiver does not know the time.
std::string Time(const SimEpoch& e) {
    if (!e.timeValid) return "";
    const CivilTime t = UtcOf(e);
    return platform::FormatC("%02d%02d%02d.%02d", t.hour, t.minute, static_cast<int>(t.second),
                             static_cast<int>(e.UtcMs() % 1000 / 10));
}

std::string Date(const SimEpoch& e) {
    if (!e.timeValid) return "";
    const CivilTime t = UtcOf(e);
    return platform::FormatC("%02d%02d%02d", t.day, t.month, t.year % 100);
}

// "ddmm.mmmmm,N" (degreeDigits 2) or "dddmm.mmmmm,E" (3); empty fields without a fix.
std::string Angle(const SimEpoch& e, double degrees, int degreeDigits, char positive, char negative) {
    if (!e.HasFix()) return ",";
    constexpr long long kUnitsPerMinute = 100000;
    const long long units = std::llround(std::abs(degrees) * 60 * kUnitsPerMinute);
    const long long wholeDegrees = units / (60 * kUnitsPerMinute);
    const long long minuteUnits = units % (60 * kUnitsPerMinute);
    return platform::FormatC("%0*lld%02lld.%05lld,%c", degreeDigits, wholeDegrees, minuteUnits / kUnitsPerMinute,
                             minuteUnits % kUnitsPerMinute, degrees < 0 ? negative : positive);
}

std::string Position(const SimEpoch& e) {
    return Angle(e, e.latitude, 2, 'N', 'S') + "," + Angle(e, e.longitude, 3, 'E', 'W');
}

std::string Hundredths(double value) {
    const int h = SimHundredths(value);
    return platform::FormatC("%d.%02d", h / 100, h % 100);
}

// Decimal with a fixed count of digits; empty without a fix.
std::string FixValue(const SimEpoch& e, const char* format, double value) {
    return e.HasFix() ? platform::FormatC(format, value) : "";
}

char Status(const SimEpoch& e) { return e.HasFix() ? 'A' : 'V'; }

char ModeIndicator(const SimEpoch& e) { return !e.HasFix() ? 'N' : e.differential ? 'D' : 'A'; }

int NmeaNumber(const SimSatellite& s) { return s.IsSbas() ? s.svid - kNmeaSbasOffset : s.svid; }

// A receiver of several systems tells its solution with the talker GN, NMEA 4.10's way.
bool SeveralSystems(const SimEpoch& e) { return e.systems != kSimGpsOnly; }
std::string Talker(const SimEpoch& e) { return SeveralSystems(e) ? "GN" : "GP"; }

void Gga(const SimEpoch& e, std::vector<uint8_t>& out) {
    const int quality = !e.HasFix() ? 0 : e.differential ? 2 : 1;
    const int used = std::min(SeveralSystems(e) ? e.UsedCountOfAllSystems() : e.UsedCount(), 99);
    AppendSentence(Talker(e) + "GGA," + Time(e) + "," + Position(e) + platform::FormatC(",%d,%02d,", quality, used) +
                       Hundredths(e.dop.horizontal) + "," + FixValue(e, "%.1f", e.heightMsl) + ",M," +
                       FixValue(e, "%.1f", e.height - e.heightMsl) + ",M,,",
                   out);
}

void Gll(const SimEpoch& e, std::vector<uint8_t>& out) {
    AppendSentence(Talker(e) + "GLL," + Position(e) + "," + Time(e) + "," + Status(e) + "," + ModeIndicator(e), out);
}

// The used satellites, at most as many as GSA and GRS have fields for.
std::vector<const SimSatellite*> UsedSatellites(const SimEpoch& e) {
    std::vector<const SimSatellite*> used;
    for (const SimSatellite& s : e.satellites)
        if (s.used && used.size() < kGsaSatelliteFields) used.push_back(&s);
    return used;
}

// One GSA: the talker, the numbers of up to twelve used satellites and, from NMEA 4.10, the system.
void GsaOf(const SimEpoch& e, const std::string& talker, const std::vector<int>& numbers, int systemId,
           std::vector<uint8_t>& out) {
    std::string body = talker + platform::FormatC("GSA,A,%d", e.HasFix() ? static_cast<int>(e.fix) : 1);
    for (size_t i = 0; i < kGsaSatelliteFields; ++i)
        body += i < numbers.size() ? platform::FormatC(",%02d", numbers[i]) : ",";
    body += "," + Hundredths(e.dop.position) + "," + Hundredths(e.dop.horizontal) + "," + Hundredths(e.dop.vertical);
    AppendSentence(systemId ? body + platform::FormatC(",%d", systemId) : body, out);
}

// The NMEA 4.10 identifiers of the systems, in the order the receiver reports them.
struct SystemOutput {
    SatelliteSystem system;
    const char* talker;
    int systemId;
    int signalId;  // of the signal the receiver tracks: L1 C/A, G1, E1, B1I, L1 C/A
};
constexpr SystemOutput kOtherSystems[] = {{SatelliteSystem::Glonass, "GL", 2, 1},
                                          {SatelliteSystem::Galileo, "GA", 3, 7},
                                          {SatelliteSystem::BeiDou, "GB", 4, 1},
                                          {SatelliteSystem::Qzss, "GQ", 5, 1}};

void Gsa(const SimEpoch& e, std::vector<uint8_t>& out) {
    std::vector<int> used;
    for (const SimSatellite* s : UsedSatellites(e)) used.push_back(NmeaNumber(*s));
    if (!SeveralSystems(e)) return GsaOf(e, "GP", used, 0, out);
    GsaOf(e, "GN", used, 1, out);
    for (const SystemOutput& system : kOtherSystems) {
        if (!(e.systems & SimSystemBit(system.system))) continue;
        std::vector<int> numbers;
        for (const SimSystemSatellite& s : e.otherSatellites)
            if (s.system == system.system && s.used && numbers.size() < kGsaSatelliteFields)
                numbers.push_back(s.number);
        GsaOf(e, "GN", numbers, system.systemId, out);
    }
}

std::string GsvSatellite(const SimSatellite& s) {
    std::string group = platform::FormatC(",%02d,", NmeaNumber(s));
    if (s.PositionKnown())
        group += platform::FormatC("%02d,%03d", s.ElevationDegrees(), s.AzimuthDegrees());
    else
        group += ",";
    return group + platform::FormatC(",%02d", s.Cn0());
}

// The groups of a talker's satellites, four to a page; from NMEA 4.10 the signal ends each page.
void GsvOf(const std::string& talker, const std::vector<std::string>& groups, int signalId, std::vector<uint8_t>& out) {
    const int count = static_cast<int>(groups.size());
    const int pages = std::max(1, (count + kSatellitesPerGsvPage - 1) / kSatellitesPerGsvPage);
    for (int page = 1; page <= pages; ++page) {
        std::string body = talker + platform::FormatC("GSV,%d,%d,%02d", pages, page, count);
        for (int i = (page - 1) * kSatellitesPerGsvPage; i < std::min(count, page * kSatellitesPerGsvPage); ++i)
            body += groups[static_cast<size_t>(i)];
        AppendSentence(signalId ? body + platform::FormatC(",%d", signalId) : body, out);
    }
}

void Gsv(const SimEpoch& e, std::vector<uint8_t>& out) {
    std::vector<std::string> groups;
    for (const SimSatellite& s : e.satellites)
        if (s.tracked) groups.push_back(GsvSatellite(s));
    GsvOf("GP", groups, SeveralSystems(e) ? 1 : 0, out);
    for (const SystemOutput& system : kOtherSystems) {
        if (!(e.systems & SimSystemBit(system.system))) continue;
        groups.clear();
        for (const SimSystemSatellite& s : e.otherSatellites)
            if (s.system == system.system && s.cn0 > 0)
                groups.push_back(platform::FormatC(",%02d,%02d,%03d,%02d", s.number, static_cast<int>(s.elevation),
                                                   static_cast<int>(s.azimuth) % 360, static_cast<int>(s.cn0)));
        GsvOf(system.talker, groups, system.signalId, out);
    }
}

void Rmc(const SimEpoch& e, std::vector<uint8_t>& out) {
    AppendSentence(Talker(e) + "RMC," + Time(e) + "," + Status(e) + "," + Position(e) + "," +
                       FixValue(e, "%.3f", e.GroundSpeed() * kKnotsPerMeterPerSecond) + "," +
                       FixValue(e, "%.2f", e.heading) + "," + Date(e) + ",,," + ModeIndicator(e) +
                       (SeveralSystems(e) ? std::string(",") + (e.HasFix() ? 'S' : 'V') : std::string()),
                   out);
}

void Vtg(const SimEpoch& e, std::vector<uint8_t>& out) {
    AppendSentence(Talker(e) + "VTG," + FixValue(e, "%.2f", e.heading) + ",T,,M," +
                       FixValue(e, "%.3f", e.GroundSpeed() * kKnotsPerMeterPerSecond) + ",N," +
                       FixValue(e, "%.3f", e.GroundSpeed() * kKilometresPerHourPerMeterPerSecond) + ",K," +
                       ModeIndicator(e),
                   out);
}

void Zda(const SimEpoch& e, std::vector<uint8_t>& out) {
    std::string date = ",,";
    if (e.timeValid) {
        const CivilTime t = UtcOf(e);
        date = platform::FormatC("%02d,%02d,%04d", t.day, t.month, t.year);
    }
    AppendSentence(Talker(e) + "ZDA," + Time(e) + "," + date + ",00,00", out);
}

std::string ResidualsBody(const SimEpoch& e, const char* format) {
    std::string body = Talker(e) + "GRS," + Time(e) + ",1";
    const std::vector<const SimSatellite*> used = UsedSatellites(e);
    for (const SimSatellite* s : used) body += platform::FormatC(format, s->residual);
    body.append(kGsaSatelliteFields - used.size(), ',');
    return body;
}

// Range residuals of the used satellites, in GSA's order; mode 1: computed after the solution.
// Twelve negative residuals in decimetres would make the sentence too long: then whole metres.
void Grs(const SimEpoch& e, std::vector<uint8_t>& out) {
    const std::string body = ResidualsBody(e, ",%.1f");
    AppendSentence(body.size() + kSentenceFrame <= kLongestSentence ? body : ResidualsBody(e, ",%.0f"), out);
}

// The horizontal accuracy split by the geometry into north and east, as both pseudorange error
// sentences tell it.
struct HorizontalError {
    double north, east;
};

HorizontalError HorizontalErrorOf(const SimEpoch& e) {
    const double dop = e.dop.horizontal > 0 ? e.dop.horizontal : 1;
    return {e.hAcc * e.dop.northing / dop, e.hAcc * e.dop.easting / dop};
}

double ResidualRms(const SimEpoch& e) {
    double sum = 0;
    const std::vector<const SimSatellite*> used = UsedSatellites(e);
    for (const SimSatellite* s : used) sum += s->residual * s->residual;
    return used.empty() ? 0 : std::sqrt(sum / static_cast<double>(used.size()));
}

// RMS of the residuals, the error ellipse (its major axis north or east), and the errors of
// latitude, longitude and altitude; empty without a fix.
void Gst(const SimEpoch& e, std::vector<uint8_t>& out) {
    std::string body = Talker(e) + "GST," + Time(e);
    if (e.HasFix()) {
        const HorizontalError h = HorizontalErrorOf(e);
        body += platform::FormatC(",%.1f,%.1f,%.1f,%.1f,%.1f,%.1f,%.1f", ResidualRms(e), std::max(h.north, h.east),
                                  std::min(h.north, h.east), h.north >= h.east ? 0.0 : 90.0, h.north, h.east, e.vAcc);
    } else {
        body += ",,,,,,,";
    }
    AppendSentence(body, out);
}

// The expected errors; no satellite is found faulty, so the fault fields stay empty.
void Gbs(const SimEpoch& e, std::vector<uint8_t>& out) {
    std::string body = Talker(e) + "GBS," + Time(e);
    if (e.HasFix()) {
        const HorizontalError h = HorizontalErrorOf(e);
        body += platform::FormatC(",%.1f,%.1f,%.1f,,,,", h.north, h.east, e.vAcc);
    } else {
        body += ",,,,,,,";
    }
    AppendSentence(body, out);
}

// The receiver works in WGS84 and shifts nothing.
void Dtm(const SimEpoch&, std::vector<uint8_t>& out) { AppendSentence("GPDTM,W84,,0.0,N,0.0,E,0.0,W84", out); }

// ---- The maker's proprietary sentences, "$PKVB,nn,..."

// "G3", "D2": GPS or differential fix and its dimension; "NF" without a fix.
std::string NavigationStatus(const SimEpoch& e) {
    if (!e.HasFix()) return "NF";
    return platform::FormatC("%c%d", e.differential ? 'D' : 'G', static_cast<int>(e.fix));
}

// Position, navigation status, accuracies, motion, DOPs and the satellites used.
void Pkvb00(const SimEpoch& e, std::vector<uint8_t>& out) {
    AppendSentence("PKVB,00," + Time(e) + "," + Position(e) + "," + FixValue(e, "%.3f", e.height) + "," +
                       NavigationStatus(e) + "," + FixValue(e, "%.1f", e.hAcc) + "," + FixValue(e, "%.1f", e.vAcc) +
                       "," + FixValue(e, "%.3f", e.GroundSpeed() * kKilometresPerHourPerMeterPerSecond) + "," +
                       FixValue(e, "%.2f", e.heading) + "," + FixValue(e, "%.3f", e.velocity.down) + ",," +
                       Hundredths(e.dop.horizontal) + "," + Hundredths(e.dop.vertical) + "," + Hundredths(e.dop.time) +
                       platform::FormatC(",%d,0,0", e.UsedCount()),
                   out);
}

// "U" used in the fix, "e" ephemeris known but not used, "-" neither.
char SatelliteState(const SimSatellite& s) { return s.used ? 'U' : s.ephemeris ? 'e' : '-'; }

// Every satellite on a channel: number, state, azimuth, elevation, C/N0 and lock time (unknown).
void Pkvb03(const SimEpoch& e, std::vector<uint8_t>& out) {
    std::string body = platform::FormatC("PKVB,03,%02d", static_cast<int>(e.satellites.size()));
    for (const SimSatellite& s : e.satellites) {
        body += platform::FormatC(",%02d,%c,", s.svid, SatelliteState(s));
        body += s.PositionKnown() ? platform::FormatC("%03d,%02d", s.AzimuthDegrees(), s.ElevationDegrees()) : ",";
        body += s.tracked ? platform::FormatC(",%02d,", s.Cn0()) : ",,";
    }
    AppendSentence(body, out);
}

// UTC, its time of week, GPS week and time of week, and the clock's bias (ns) and drift (ns/s).
void Pkvb04(const SimEpoch& e, std::vector<uint8_t>& out) {
    std::string times = ",,";
    if (e.timeValid) {
        constexpr int64_t kMsPerWeek = 7 * 86400 * int64_t{1000};
        const int64_t utcOfWeekMs = (e.TimeOfWeekMs() - e.leapSeconds * int64_t{1000} + kMsPerWeek) % kMsPerWeek;
        times = platform::FormatC("%.2f,%d,%.2f", utcOfWeekMs / 1000.0, e.Week(), e.TimeOfWeekMs() / 1000.0);
    }
    AppendSentence("PKVB,04," + Time(e) + "," + Date(e) + "," + times +
                       platform::FormatC(",%.0f,%.3f,", e.clockBiasNs, e.clockDriftNsPerS),
                   out);
}

struct Sentence {
    uint8_t id;
    const char* formatter;
    void (*write)(const SimEpoch&, std::vector<uint8_t>&);
};

constexpr Sentence kProprietarySentences[] = {{0, "00", Pkvb00}, {3, "03", Pkvb03}, {4, "04", Pkvb04}};

constexpr Sentence kSentences[] = {
    {0, "GGA", Gga}, {1, "GLL", Gll}, {2, "GSA", Gsa}, {3, "GSV", Gsv}, {4, "RMC", Rmc},  {5, "VTG", Vtg},
    {6, "GRS", Grs}, {7, "GST", Gst}, {8, "ZDA", Zda}, {9, "GBS", Gbs}, {10, "DTM", Dtm},
};

bool AppendFrom(std::span<const Sentence> sentences, uint8_t id, const SimEpoch& epoch, std::vector<uint8_t>& out) {
    auto found = std::find_if(sentences.begin(), sentences.end(), [id](auto& s) { return s.id == id; });
    if (found == sentences.end()) return false;
    found->write(epoch, out);
    return true;
}

int IdIn(std::span<const Sentence> sentences, std::string_view formatter) {
    for (const Sentence& s : sentences)
        if (formatter == s.formatter) return s.id;
    return -1;
}

}  // namespace

bool AppendNmeaSentence(uint8_t id, const SimEpoch& epoch, std::vector<uint8_t>& out) {
    return AppendFrom(kSentences, id, epoch, out);
}

int NmeaSentenceId(std::string_view formatter) { return IdIn(kSentences, formatter); }

bool AppendPkvbSentence(uint8_t number, const SimEpoch& epoch, std::vector<uint8_t>& out) {
    return AppendFrom(kProprietarySentences, number, epoch, out);
}

int PkvbSentenceNumber(std::string_view digits) { return IdIn(kProprietarySentences, digits); }

void AppendNmeaNotice(std::string_view text, std::vector<uint8_t>& out) {
    AppendSentence("GPTXT,01,01,02," + std::string(text), out);
}
