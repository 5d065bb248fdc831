#pragma once
// What a receiver sends, for logs in tests and benchmarks: one epoch per second of KVB navigation
// frames (NAV-SOL, NAV-POSLLH, NAV-TIMEUTC, NAV-SVINFO) and NMEA sentences (GPGGA, GPGSA, GPGSV,
// GPRMC), with a few bytes of line noise now and then.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text.h"

namespace receiver_log {

class Payload {
public:
    explicit Payload(size_t size) : bytes(size) {}
    Payload& U1(size_t offset, uint32_t value) { return Put(offset, value, 1); }
    Payload& U2(size_t offset, uint32_t value) { return Put(offset, value, 2); }
    Payload& U4(size_t offset, uint32_t value) { return Put(offset, value, 4); }
    std::vector<uint8_t> bytes;

private:
    Payload& Put(size_t offset, uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
        return *this;
    }
};

inline void AppendKvbFrame(std::vector<uint8_t>& out, uint8_t messageClass, uint8_t id, const Payload& payload) {
    const size_t start = out.size();
    const auto length = static_cast<uint16_t>(payload.bytes.size());
    out.insert(out.end(),
               {0xA4, 0x51, messageClass, id, static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8)});
    out.insert(out.end(), payload.bytes.begin(), payload.bytes.end());
    uint8_t a = 0, b = 0;
    for (size_t i = start + 2; i < out.size(); ++i) {
        a = static_cast<uint8_t>(a + out[i]);
        b = static_cast<uint8_t>(b + a);
    }
    out.insert(out.end(), {a, b});
}

inline void AppendNmea(std::vector<uint8_t>& out, const std::string& body) {
    uint8_t sum = 0;
    for (char c : body) sum ^= static_cast<uint8_t>(c);
    const std::string sentence = "$" + body + platform::FormatC("*%02X\r\n", sum);
    out.insert(out.end(), sentence.begin(), sentence.end());
}

inline void AppendKvbEpoch(std::vector<uint8_t>& out, uint32_t second) {
    const uint32_t iTow = 200000000 + second * 1000;
    const uint32_t wobble = (second * 37) % 200;
    AppendKvbFrame(out, 0x01, 0x06,
                   Payload(52)
                       .U4(0, iTow)
                       .U2(8, 1500)
                       .U1(10, 3)
                       .U1(11, 0x0D)
                       .U4(12, 427500000 + wobble)
                       .U4(16, 68300000)
                       .U4(20, 460100000 - wobble)
                       .U4(24, 350)
                       .U2(44, 180)
                       .U1(47, 7));
    AppendKvbFrame(out, 0x01, 0x02,
                   Payload(28)
                       .U4(0, iTow)
                       .U4(4, 85652000 + wobble)
                       .U4(8, 472852000 - wobble)
                       .U4(12, 512000)
                       .U4(16, 464000)
                       .U4(20, 2500)
                       .U4(24, 3800));
    AppendKvbFrame(out, 0x01, 0x21,
                   Payload(20)
                       .U4(0, iTow)
                       .U4(4, 30)
                       .U2(12, 2024)
                       .U1(14, 5)
                       .U1(15, 17)
                       .U1(16, (10 + second / 3600) % 24)
                       .U1(17, (second / 60) % 60)
                       .U1(18, second % 60)
                       .U1(19, 0x07));
    Payload svinfo(8 + 12 * 4);
    svinfo.U4(0, iTow).U1(4, 4);
    for (uint32_t channel = 0; channel < 4; ++channel) {
        const size_t at = 8 + 12 * channel;
        svinfo.U1(at, channel)
            .U1(at + 1, 3 + channel * 5)
            .U1(at + 2, 0x0D)
            .U1(at + 3, 7)
            .U1(at + 4, 30 + (second + channel) % 15)
            .U1(at + 5, 20 + channel * 10)
            .U2(at + 6, 40 * channel + 10);
    }
    AppendKvbFrame(out, 0x01, 0x30, svinfo);
}

inline void AppendNmeaEpoch(std::vector<uint8_t>& out, uint32_t second) {
    const std::string time =
        platform::FormatC("%02u%02u%02u.00", (10 + second / 3600) % 24, (second / 60) % 60, second % 60);
    const double wobble = (second % 200) * 0.0001;
    AppendNmea(out, "GPGGA," + time +
                        platform::FormatC(",4717.%04.0f,N,00833.%04.0f,E,1,07,1.1,%.1f,M,47.9,M,,", 1150 + wobble * 1e4,
                                          9155 - wobble * 1e4, 512.0 - wobble));
    AppendNmea(out, "GPGSA,A,3,03,08,13,18,,,,,,,,,1.8,1.1,1.4");
    AppendNmea(out, platform::FormatC("GPGSV,1,1,04,03,20,010,%02u,08,30,050,%02u,13,40,090,34,18,50,130,36",
                                      30 + second % 15, 31 + second % 14));
    AppendNmea(out, "GPRMC," + time + ",A,4717.1150,N,00833.9155,E,0.02,31.66,170524,,,A");
}

// At least minimumBytes of traffic, whole epochs.
inline std::vector<uint8_t> ReceiverLog(size_t minimumBytes) {
    std::vector<uint8_t> out;
    for (uint32_t second = 0; out.size() < minimumBytes; ++second) {
        AppendKvbEpoch(out, second);
        AppendNmeaEpoch(out, second);
        if (second % 50 == 49) out.insert(out.end(), {0x00, 0xA4, 0xFF, '$', 0x17});
    }
    return out;
}

}  // namespace receiver_log
