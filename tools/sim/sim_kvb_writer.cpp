#include "sim_kvb_writer.h"

#include <algorithm>
#include <numbers>

#include "plugins/kvb/framing/kvb_frame.h"
#include "shared/calendar.h"
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

struct NavMessage {
    uint8_t id;
    std::vector<uint8_t> (*build)(const SimEpoch&);
};

constexpr NavMessage kNavMessages[] = {
    {0x01, PosEcef}, {0x02, PosLlh},  {0x03, Status},  {0x04, Dops},  {0x06, Solution}, {0x11, VelEcef},
    {0x12, VelNed},  {0x20, TimeGps}, {0x21, TimeUtc}, {0x22, Clock}, {0x30, SvInfo},
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
