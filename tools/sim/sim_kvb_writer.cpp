#include "sim_kvb_writer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "plugins/kvb/framing/kvb_frame.h"
#include "shared/calendar.h"
#include "tools/sim/sim_geodesy.h"
#include "tools/sim/sim_payload.h"

namespace {

constexpr uint8_t kFixValid = 0x01;
constexpr uint8_t kDifferential = 0x02;
constexpr uint8_t kWeekValid = 0x04;
constexpr uint8_t kTimeOfWeekValid = 0x08;
constexpr uint8_t kAllTimeValid = 0x07;

uint8_t FixFlags(const SimEpoch& e) {
    uint8_t flags = e.timeValid ? kWeekValid | kTimeOfWeekValid : 0;
    if (e.HasFix()) flags |= kFixValid;
    if (e.differential) flags |= kDifferential;
    return flags;
}

int Dop(double value) { return std::min(SimHundredths(value), 0xFFFF); }

CSimPayload Timed(size_t size, const SimEpoch& e) {
    CSimPayload payload(size);
    payload.U4(0, e.TimeOfWeekMs());
    return payload;
}

std::vector<uint8_t> PosEcef(const SimEpoch& e) {
    return Timed(20, e)
        .I4Scaled(4, e.ecef.x, 0.01)
        .I4Scaled(8, e.ecef.y, 0.01)
        .I4Scaled(12, e.ecef.z, 0.01)
        .U4Scaled(16, e.pAcc, 0.01)
        .Take();
}

std::vector<uint8_t> PosLlh(const SimEpoch& e) {
    return Timed(28, e)
        .I4Scaled(4, e.longitude, 1e-7)
        .I4Scaled(8, e.latitude, 1e-7)
        .I4Scaled(12, e.height, 0.001)
        .I4Scaled(16, e.heightMsl, 0.001)
        .U4Scaled(20, e.hAcc, 0.001)
        .U4Scaled(24, e.vAcc, 0.001)
        .Take();
}

std::vector<uint8_t> Status(const SimEpoch& e) {
    return Timed(16, e).U1(4, static_cast<int>(e.fix)).U1(5, FixFlags(e)).U4(8, e.ttffMs).U4(12, e.msss).Take();
}

std::vector<uint8_t> Dops(const SimEpoch& e) {
    const SimDop& d = e.dop;
    return Timed(18, e)
        .U2(4, Dop(d.geometric))
        .U2(6, Dop(d.position))
        .U2(8, Dop(d.time))
        .U2(10, Dop(d.vertical))
        .U2(12, Dop(d.horizontal))
        .U2(14, Dop(d.northing))
        .U2(16, Dop(d.easting))
        .Take();
}

std::vector<uint8_t> Solution(const SimEpoch& e) {
    return Timed(52, e)
        .U2(8, e.Week())
        .U1(10, static_cast<int>(e.fix))
        .U1(11, FixFlags(e))
        .I4Scaled(12, e.ecef.x, 0.01)
        .I4Scaled(16, e.ecef.y, 0.01)
        .I4Scaled(20, e.ecef.z, 0.01)
        .U4Scaled(24, e.pAcc, 0.01)
        .I4Scaled(28, e.ecefVelocity.x, 0.01)
        .I4Scaled(32, e.ecefVelocity.y, 0.01)
        .I4Scaled(36, e.ecefVelocity.z, 0.01)
        .U4Scaled(40, e.sAcc, 0.01)
        .U2(44, Dop(e.dop.position))
        .U1(47, e.UsedCount())
        .Take();
}

std::vector<uint8_t> VelEcef(const SimEpoch& e) {
    return Timed(20, e)
        .I4Scaled(4, e.ecefVelocity.x, 0.01)
        .I4Scaled(8, e.ecefVelocity.y, 0.01)
        .I4Scaled(12, e.ecefVelocity.z, 0.01)
        .U4Scaled(16, e.sAcc, 0.01)
        .Take();
}

std::vector<uint8_t> VelNed(const SimEpoch& e) {
    const double courseAccuracy = std::min(180.0, e.sAcc / std::max(e.GroundSpeed(), 1e-3) * 180 / std::numbers::pi);
    return Timed(36, e)
        .I4Scaled(4, e.velocity.north, 0.01)
        .I4Scaled(8, e.velocity.east, 0.01)
        .I4Scaled(12, e.velocity.down, 0.01)
        .U4Scaled(16, e.Speed3D(), 0.01)
        .U4Scaled(20, e.GroundSpeed(), 0.01)
        .I4Scaled(24, e.heading, 1e-5)
        .U4Scaled(28, e.sAcc, 0.01)
        .U4Scaled(32, courseAccuracy, 1e-5)
        .Take();
}

std::vector<uint8_t> TimeGps(const SimEpoch& e) {
    return Timed(16, e)
        .U2(8, e.Week())
        .U1(10, e.leapSeconds)
        .U1(11, e.timeValid ? kAllTimeValid : 0)
        .U4Scaled(12, e.tAccNs, 1)
        .Take();
}

std::vector<uint8_t> TimeUtc(const SimEpoch& e) {
    const int64_t utcMs = e.UtcMs();
    const CivilTime civil = CivilFromSeconds(static_cast<double>(utcMs / 1000));
    return Timed(20, e)
        .U4Scaled(4, e.tAccNs, 1)
        .U4(8, utcMs % 1000 * 1000000)
        .U2(12, civil.year)
        .U1(14, civil.month)
        .U1(15, civil.day)
        .U1(16, civil.hour)
        .U1(17, civil.minute)
        .U1(18, static_cast<int>(civil.second))
        .U1(19, e.timeValid ? kAllTimeValid : 0)
        .Take();
}

std::vector<uint8_t> Clock(const SimEpoch& e) {
    return Timed(20, e)
        .I4Scaled(4, e.clockBiasNs, 1)
        .I4Scaled(8, e.clockDriftNsPerS, 1)
        .U4Scaled(12, e.tAccNs, 1)
        .U4Scaled(16, 500 + 50 * e.dop.time, 1)
        .Take();
}

uint8_t ChannelFlags(const SimEpoch& e, const SimSatellite& s) {
    uint8_t flags = s.used ? 0x01 : 0;
    if (s.used && e.differential) flags |= 0x02;
    if (s.almanac) flags |= 0x04;
    if (s.ephemeris) flags |= 0x08;
    return flags;
}

// Signal quality: 7 code and carrier locked with an orbit, 4 code locked, 0 idle.
int ChannelQuality(const SimSatellite& s) { return !s.tracked ? 0 : s.ephemeris ? 7 : 4; }

std::vector<uint8_t> SvInfo(const SimEpoch& e) {
    CSimPayload payload = Timed(8 + 12 * e.satellites.size(), e);
    payload.U1(4, static_cast<int64_t>(e.satellites.size()));
    size_t at = 8;
    for (const SimSatellite& s : e.satellites) {
        payload.U1(at, s.channel)
            .U1(at + 1, s.svid)
            .U1(at + 2, ChannelFlags(e, s))
            .U1(at + 3, ChannelQuality(s))
            .U1(at + 4, s.Cn0())
            .U1(at + 5, s.ElevationDegrees())
            .U2(at + 6, s.AzimuthDegrees())
            .I4Scaled(at + 8, s.residual, 0.01);
        at += 12;
    }
    return payload.Take();
}

std::vector<uint8_t> PosUtm(const SimEpoch& e) {
    const SimUtm utm = SimUtmFromGeodetic(e.latitude, e.longitude);
    return Timed(18, e)
        .I4Scaled(4, utm.easting, 0.01)
        .I4Scaled(8, utm.northing, 0.01)
        .I4Scaled(12, e.heightMsl, 0.01)
        .U1(16, utm.zone)
        .U1(17, utm.south ? 1 : 0)
        .Take();
}

// The differential corrections come from the SBAS satellite the receiver follows highest in the
// sky; they are made of the delays along each satellite's path, which grow towards the horizon.
const SimSatellite* SbasInUse(const SimEpoch& e) {
    const SimSatellite* best = nullptr;
    for (const SimSatellite& s : e.satellites)
        if (s.IsSbas() && s.tracked && (!best || s.elevation > best->elevation)) best = &s;
    return best;
}

std::vector<const SimSatellite*> Corrected(const SimEpoch& e) {
    std::vector<const SimSatellite*> corrected;
    if (SbasInUse(e))
        for (const SimSatellite& s : e.satellites)
            if (s.used) corrected.push_back(&s);
    return corrected;
}

struct SimCorrections {
    double fast, ionosphere, longTerm, troposphere;  // m
    double rate;                                     // m/s

    double Pseudorange() const { return fast + ionosphere + longTerm + troposphere; }
};

SimCorrections CorrectionsOf(const SimSatellite& s, double gpsSeconds) {
    const double obliquity = 1 / std::sin(std::max(s.elevation, 5.0) * std::numbers::pi / 180);
    return {0.8 * std::sin(gpsSeconds / 50 + s.svid), -1.6 * obliquity, 0.3 * std::cos(gpsSeconds / 900 + s.svid),
            -2.3 * obliquity, 0.016 * std::cos(gpsSeconds / 50 + s.svid)};
}

double Seconds(const SimEpoch& e) { return static_cast<double>(e.gpsMs) / 1000; }

// SBAS fast corrections are sent every six seconds.
int CorrectionAgeMs(const SimEpoch& e) { return static_cast<int>(e.gpsMs % 6000); }

constexpr size_t kDgpsRecord = 16;

std::vector<uint8_t> Dgps(const SimEpoch& e) {
    const SimSatellite* station = e.differential ? SbasInUse(e) : nullptr;
    const std::vector<const SimSatellite*> corrected = station ? Corrected(e) : std::vector<const SimSatellite*>();
    CSimPayload payload = Timed(16 + kDgpsRecord * corrected.size(), e);
    payload.U4(4, CorrectionAgeMs(e))
        .U2(8, station ? station->svid : 0)
        .U1(12, static_cast<int64_t>(corrected.size()))
        .U1(13, station ? 1 : 0);
    size_t at = 16;
    for (const SimSatellite* s : corrected) {
        const SimCorrections c = CorrectionsOf(*s, Seconds(e));
        payload.U1(at, s->svid)
            .U1(at + 1, (s->channel & 0x0F) | 0x10)
            .U2(at + 2, CorrectionAgeMs(e))
            .R4(at + 4, static_cast<float>(c.Pseudorange()))
            .R4(at + 8, static_cast<float>(c.rate));
        at += kDgpsRecord;
    }
    return payload.Take();
}

// The SBAS systems by their satellites: 0 WAAS, 1 EGNOS, 2 MSAS, 3 GAGAN.
int SbasSystem(int svid) {
    switch (svid) {
        case 131:
        case 133:
        case 138:
            return 0;
        case 120:
        case 123:
        case 126:
        case 136:
            return 1;
        case 129:
        case 137:
            return 2;
    }
    return 3;
}

// Integrity worsens with the path through the atmosphere: UDRE indicators 4 to 7.
int Udre(const SimSatellite& s) { return 4 + static_cast<int>((90 - s.elevation) / 30); }

constexpr uint8_t kSbasRanging = 0x01, kSbasCorrections = 0x02, kSbasIntegrity = 0x04;

std::vector<uint8_t> Sbas(const SimEpoch& e) {
    const SimSatellite* geo = SbasInUse(e);
    const std::vector<const SimSatellite*> corrected = Corrected(e);
    const int system = geo ? SbasSystem(geo->svid) : -1;
    CSimPayload payload = Timed(12 + 12 * corrected.size(), e);
    payload.U1(4, geo ? geo->svid : 0)
        .U1(5, 1)
        .U1(6, system)
        .U1(7, geo ? kSbasRanging | kSbasCorrections | kSbasIntegrity : 0)
        .U1(8, static_cast<int64_t>(corrected.size()));
    size_t at = 12;
    for (const SimSatellite* s : corrected) {
        const SimCorrections c = CorrectionsOf(*s, Seconds(e));
        payload.U1(at, s->svid)
            .U1(at + 1, 3)
            .U1(at + 2, Udre(*s))
            .U1(at + 3, system)
            .U1(at + 4, kSbasCorrections | kSbasIntegrity)
            .I2Scaled(at + 6, c.fast, 0.01)
            .I2Scaled(at + 8, c.ionosphere, 0.01)
            .I2Scaled(at + 10, c.longTerm, 0.01);
        at += 12;
    }
    return payload.Take();
}

// Every satellite whose orbit the receiver knows.
std::vector<uint8_t> SvPos(const SimEpoch& e) {
    std::vector<const SimSatellite*> known;
    for (const SimSatellite& s : e.satellites)
        if (s.PositionKnown()) known.push_back(&s);
    CSimPayload payload = Timed(8 + 20 * known.size(), e);
    payload.U2(4, e.Week()).U1(6, static_cast<int64_t>(known.size()));
    size_t at = 8;
    for (const SimSatellite* s : known) {
        payload.U1(at, s->svid)
            .U1(at + 1, (s->ephemeris ? 0x01 : 0) | (s->almanac ? 0x02 : 0))
            .I4Scaled(at + 4, s->position.x, 1)
            .I4Scaled(at + 8, s->position.y, 1)
            .I4Scaled(at + 12, s->position.z, 1)
            .U2(at + 16, s->AzimuthDegrees())
            .U1(at + 18, s->ElevationDegrees());
        at += 20;
    }
    return payload.Take();
}

// The dead-reckoning sensors of a car: a wheel that ticks once a metre and a gyro that reads
// the turn, both calibrated (fine scale); their temperature stays at 25 degrees.
constexpr double kTicksPerMetre = 1.0;
constexpr double kGyroDegreesPerStep = 0.0030517578125;
constexpr int kGyroZero = 32768;
constexpr uint8_t kFineScale = 0xDA;

std::vector<uint8_t> EkfStatus(const SimEpoch& e) {
    constexpr uint8_t kAllSensorsUsed = 0x0F, kGpsUsed = 0x30, kWheelTickAndGyro = 0xC0, kAllFineCalibrated = 0x3F;
    return CSimPayload(36)
        .U4(0, std::llround(e.GroundSpeed() * kTicksPerMetre))
        .U4(4, 1000)
        .U4Scaled(8, kGyroZero + e.yawRate / kGyroDegreesPerStep, 0.01)
        .U2(12, 25 * 256)
        .U1(14, 1)
        .U1(15, kAllFineCalibrated)
        .U4(16, std::llround(1e8 / (1000 * kTicksPerMetre)))
        .U4(20, 12)
        .U4(24, 100000)
        .U2(28, 50)
        .U2(30, 120)
        .U2(32, 80)
        .U1(34, kAllSensorsUsed | kWheelTickAndGyro | (e.HasFix() ? kGpsUsed : 0))
        .U1(35, kFineScale)
        .Take();
}

struct NavMessage {
    uint8_t id;
    std::vector<uint8_t> (*build)(const SimEpoch&);
};

constexpr NavMessage kNavMessages[] = {
    {0x01, PosEcef}, {0x02, PosLlh}, {0x03, Status},  {0x04, Dops},      {0x06, Solution}, {0x08, PosUtm},
    {0x11, VelEcef}, {0x12, VelNed}, {0x20, TimeGps}, {0x21, TimeUtc},   {0x22, Clock},    {0x30, SvInfo},
    {0x31, Dgps},    {0x32, Sbas},   {0x33, SvPos},   {0x40, EkfStatus},
};

const NavMessage* FindNavMessage(uint8_t id) {
    auto found = std::find_if(std::begin(kNavMessages), std::end(kNavMessages), [id](auto& m) { return m.id == id; });
    return found == std::end(kNavMessages) ? nullptr : found;
}

}  // namespace

void AppendKvbFrame(uint8_t messageClass, uint8_t id, std::span<const uint8_t> payload, std::vector<uint8_t>& out) {
    const size_t at = out.size();
    const int capacity = static_cast<int>(payload.size()) + kKvbFrameOverhead;
    out.resize(at + static_cast<size_t>(capacity));
    int length = 0;
    KvbBuildFrame(messageClass, id, payload, out.data() + at, length, capacity);
}

bool AppendKvbNavMessage(uint8_t id, const SimEpoch& epoch, std::vector<uint8_t>& out) {
    const NavMessage* message = FindNavMessage(id);
    if (!message) return false;
    AppendKvbFrame(kKvbClassNav, id, message->build(epoch), out);
    return true;
}

void AppendKvbMonVer(std::vector<uint8_t>& out) {
    constexpr uint8_t kMonVer = 0x04;
    AppendKvbFrame(
        kKvbClassMon, kMonVer,
        CSimPayload(70).Text(0, "1.00 (Veltro)", 30).Text(30, "00070000", 10).Text(40, "SIMULATED RECEIVER", 30).Take(),
        out);
}

void AppendKvbInformation(uint8_t id, std::string_view text, std::vector<uint8_t>& out) {
    AppendKvbFrame(kKvbClassInf, id, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), out);
}
