#pragma once
// A receiver's navigation output as KVB frames: the contents of one epoch in the receiver's own
// units, the frames of each navigation message built from it, and a stream of many epochs. Built
// here from the message layouts, independently of the plug-in's decoders.
#include <bit>
#include <cstdint>
#include <string_view>
#include <vector>

#include "tests/plugins/kvb/kvb_test_frames.h"

// A payload written field by field, little-endian.
class KvbTestPayload {
public:
    explicit KvbTestPayload(size_t size) : bytes(size, 0) {}

    KvbTestPayload& U1(size_t at, uint8_t v) { return Put(at, v, 1); }
    KvbTestPayload& I1(size_t at, int8_t v) { return Put(at, static_cast<uint8_t>(v), 1); }
    KvbTestPayload& U2(size_t at, uint16_t v) { return Put(at, v, 2); }
    KvbTestPayload& I2(size_t at, int16_t v) { return Put(at, static_cast<uint16_t>(v), 2); }
    KvbTestPayload& U4(size_t at, uint32_t v) { return Put(at, v, 4); }
    KvbTestPayload& I4(size_t at, int32_t v) { return Put(at, static_cast<uint32_t>(v), 4); }
    KvbTestPayload& R4(size_t at, float v) { return Put(at, std::bit_cast<uint32_t>(v), 4); }
    // The characters as they stand, without a terminating zero.
    KvbTestPayload& Text(size_t at, std::string_view text) {
        for (char c : text) bytes.at(at++) = static_cast<uint8_t>(c);
        return *this;
    }

    std::vector<uint8_t> Frame(uint8_t id) const { return KvbTestFrame(0x01, id, bytes); }
    std::vector<uint8_t> Frame(uint8_t messageClass, uint8_t id) const { return KvbTestFrame(messageClass, id, bytes); }

private:
    KvbTestPayload& Put(size_t at, uint32_t v, size_t size) {
        for (size_t i = 0; i < size; ++i) bytes.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
        return *this;
    }

    std::vector<uint8_t> bytes;
};

struct KvbTestChannel {
    uint8_t channel;
    uint8_t svid;
    uint8_t flags;  // 0x01 used, 0x04 almanac, 0x08 ephemeris
    int8_t quality;
    uint8_t cno;    // dBHz
    int8_t elev;    // degree
    int16_t azim;   // degree
    int32_t prRes;  // cm
};

// One navigation epoch in the receiver's units.
struct KvbTestEpoch {
    uint32_t iTow;  // ms
    int32_t fTow;   // ns
    int16_t week;
    uint8_t gpsFix;
    uint8_t solFlags;  // 0x01 fix valid, 0x02 differential, 0x04 week valid, 0x08 time of week valid
    int32_t ecef[3];   // cm
    uint32_t pAcc;     // cm
    int32_t ecefV[3];  // cm/s
    uint32_t sAcc;     // cm/s
    uint8_t numSv;
    int32_t lon, lat;        // 1e-7 degree
    int32_t height, hMsl;    // mm
    uint32_t hAcc, vAcc;     // mm
    int32_t velNed[3];       // cm/s
    uint32_t speed, gSpeed;  // cm/s
    int32_t heading;         // 1e-5 degree
    uint16_t dop[7];         // 0.01: gDOP, pDOP, tDOP, vDOP, hDOP, nDOP, eDOP
    uint32_t tAcc;           // ns
    int32_t nano;            // ns
    uint16_t year;
    uint8_t month, day, hour, min, sec;
    uint8_t utcValid;     // 0x07 all valid
    uint32_t ttff, msss;  // ms
    std::vector<KvbTestChannel> channels;
};

inline std::vector<uint8_t> NavPosLlhFrame(const KvbTestEpoch& e) {
    return KvbTestPayload(28)
        .U4(0, e.iTow)
        .I4(4, e.lon)
        .I4(8, e.lat)
        .I4(12, e.height)
        .I4(16, e.hMsl)
        .U4(20, e.hAcc)
        .U4(24, e.vAcc)
        .Frame(0x02);
}

inline std::vector<uint8_t> NavStatusFrame(const KvbTestEpoch& e) {
    return KvbTestPayload(16).U4(0, e.iTow).U1(4, e.gpsFix).U1(5, e.solFlags).U4(8, e.ttff).U4(12, e.msss).Frame(0x03);
}

inline std::vector<uint8_t> NavDopFrame(const KvbTestEpoch& e) {
    KvbTestPayload payload(18);
    payload.U4(0, e.iTow);
    for (size_t i = 0; i < 7; ++i) payload.U2(4 + 2 * i, e.dop[i]);
    return payload.Frame(0x04);
}

inline std::vector<uint8_t> NavSolFrame(const KvbTestEpoch& e) {
    KvbTestPayload payload(52);
    payload.U4(0, e.iTow).I4(4, e.fTow).I2(8, e.week).U1(10, e.gpsFix).U1(11, e.solFlags);
    for (size_t i = 0; i < 3; ++i) payload.I4(12 + 4 * i, e.ecef[i]).I4(28 + 4 * i, e.ecefV[i]);
    return payload.U4(24, e.pAcc).U4(40, e.sAcc).U2(44, e.dop[1]).U1(47, e.numSv).Frame(0x06);
}

inline std::vector<uint8_t> NavVelNedFrame(const KvbTestEpoch& e) {
    KvbTestPayload payload(36);
    payload.U4(0, e.iTow);
    for (size_t i = 0; i < 3; ++i) payload.I4(4 + 4 * i, e.velNed[i]);
    return payload.U4(16, e.speed).U4(20, e.gSpeed).I4(24, e.heading).U4(28, e.sAcc).U4(32, 50000).Frame(0x12);
}

inline std::vector<uint8_t> NavTimeUtcFrame(const KvbTestEpoch& e) {
    return KvbTestPayload(20)
        .U4(0, e.iTow)
        .U4(4, e.tAcc)
        .I4(8, e.nano)
        .U2(12, e.year)
        .U1(14, e.month)
        .U1(15, e.day)
        .U1(16, e.hour)
        .U1(17, e.min)
        .U1(18, e.sec)
        .U1(19, e.utcValid)
        .Frame(0x21);
}

inline std::vector<uint8_t> NavSvInfoFrame(const KvbTestEpoch& e) {
    KvbTestPayload payload(8 + 12 * e.channels.size());
    payload.U4(0, e.iTow).U1(4, static_cast<uint8_t>(e.channels.size()));
    size_t at = 8;
    for (const KvbTestChannel& c : e.channels) {
        payload.U1(at, c.channel)
            .U1(at + 1, c.svid)
            .U1(at + 2, c.flags)
            .I1(at + 3, c.quality)
            .U1(at + 4, c.cno)
            .I1(at + 5, c.elev)
            .I2(at + 6, c.azim)
            .I4(at + 8, c.prRes);
        at += 12;
    }
    return payload.Frame(0x30);
}

// Satellites in the order the receiver's channels hold them: GPS and two SBAS satellites.
constexpr uint8_t kTestSatellites[] = {2, 5, 7, 9, 12, 13, 15, 17, 19, 21, 24, 26, 29, 30, 120, 124};
constexpr int kTestWeek = 2200;                // starts Sunday 2022-03-06
constexpr uint32_t kTestFirstTow = 302400000;  // Wednesday 12:00:00 GPS time
constexpr uint32_t kTestEpochMs = 100;         // 10 Hz
constexpr uint32_t kTestLeapMs = 18000;

// Epoch number n of a drive at 10 Hz with the given number of satellites (up to 16): all but the
// last three are used, the third last is tracked without ephemeris, the second last is tracked
// without signal, and the last has no known direction.
inline KvbTestEpoch MakeTestEpoch(int n, int satellites) {
    KvbTestEpoch e{};
    e.iTow = kTestFirstTow + kTestEpochMs * static_cast<uint32_t>(n);
    e.fTow = -12345;
    e.week = kTestWeek;
    e.gpsFix = 3;
    e.solFlags = 0x0D;
    e.ecef[0] = 416131000 + 10 * n;
    e.ecef[1] = 60213000 - 5 * n;
    e.ecef[2] = 483421000 + 2 * n;
    e.pAcc = 350 + static_cast<uint32_t>(n % 7);
    e.ecefV[0] = -120 + n % 5;
    e.ecefV[1] = 980;
    e.ecefV[2] = 45;
    e.sAcc = 40;
    e.numSv = static_cast<uint8_t>(satellites - 3);
    e.lon = 82343211 + 13 * n;
    e.lat = 496012345 - 7 * n;
    e.height = 301250 + n;
    e.hMsl = 253870 + n;
    e.hAcc = 2100;
    e.vAcc = 3400;
    e.velNed[0] = 850;
    e.velNed[1] = -310 + n % 3;
    e.velNed[2] = -4;
    e.speed = 906;
    e.gSpeed = 905;
    e.heading = 33956000 + 100 * n;
    e.dop[0] = 210, e.dop[1] = 180, e.dop[2] = 110, e.dop[3] = 150, e.dop[4] = 95, e.dop[5] = 70, e.dop[6] = 64;
    e.tAcc = 25;
    const uint32_t utcMs = e.iTow - kTestLeapMs;
    const uint32_t msOfDay = utcMs % 86400000;
    e.year = 2022;
    e.month = 3;
    e.day = static_cast<uint8_t>(6 + utcMs / 86400000);
    e.hour = static_cast<uint8_t>(msOfDay / 3600000);
    e.min = static_cast<uint8_t>(msOfDay / 60000 % 60);
    e.sec = static_cast<uint8_t>(msOfDay / 1000 % 60);
    e.nano = static_cast<int32_t>(msOfDay % 1000) * 1000000;
    e.utcValid = 0x07;
    e.ttff = 28450;
    e.msss = 1200000 + kTestEpochMs * static_cast<uint32_t>(n);
    for (int i = 0; i < satellites; ++i) {
        const bool used = i < satellites - 3;
        KvbTestChannel c{};
        c.channel = static_cast<uint8_t>(i);
        c.svid = kTestSatellites[i];
        c.flags = used ? 0x0D : 0x04;
        c.quality = used ? 7 : (i == satellites - 2 ? 1 : 4);
        c.cno = static_cast<uint8_t>(c.quality > 1 ? 30 + (i * 7 + n) % 20 : 0);
        c.elev = static_cast<int8_t>(10 + i * 5);
        c.azim = static_cast<int16_t>(i * 23 - 40);
        c.prRes = (i % 2 ? -1 : 1) * (120 + i * 31 + n % 10);
        if (i == satellites - 1) c.azim = 0, c.elev = -9;
        e.channels.push_back(c);
    }
    return e;
}

// The messages of one epoch, in the order the receiver sends them.
inline void AppendTestEpoch(std::vector<uint8_t>& stream, const KvbTestEpoch& e) {
    for (const auto& frame : {NavSolFrame(e), NavPosLlhFrame(e), NavVelNedFrame(e), NavTimeUtcFrame(e), NavDopFrame(e),
                              NavSvInfoFrame(e), NavStatusFrame(e)})
        stream.insert(stream.end(), frame.begin(), frame.end());
}

// A stream of epochs whose satellite count cycles between 12 and 16.
inline std::vector<uint8_t> KvbTestStream(int epochs) {
    std::vector<uint8_t> stream;
    for (int n = 0; n < epochs; ++n) AppendTestEpoch(stream, MakeTestEpoch(n, 12 + n % 5));
    return stream;
}
