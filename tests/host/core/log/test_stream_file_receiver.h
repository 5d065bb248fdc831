#pragma once
// What a receiver sends, for logs in tests and benchmarks: the KVB test stream's navigation epochs
// at 10 Hz, each followed by the NMEA sentences a receiver sends beside them, with a few bytes of
// line noise now and then.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text.h"
#include "tests/plugins/kvb/kvb_test_stream.h"
#include "tests/plugins/nmea/nmea_test_sentences.h"

inline void AppendNmeaTestEpoch(std::vector<uint8_t>& stream, const KvbTestEpoch& e) {
    const std::string time = platform::FormatC("%02d%02d%02d.%02d", e.hour, e.min, e.sec, e.nano / 10000000);
    const std::string bodies[] = {
        "GPGGA," + time + ",4936.074,N,00824.059,E,1,09,0.9,253.9,M,47.4,M,,",
        "GPGSA,A,3,02,05,07,09,12,13,15,17,19,,,,1.8,1.1,1.5",
        platform::FormatC("GPGSV,1,1,04,02,10,320,%02d,05,15,343,%02d,07,20,006,41,09,25,029,36", 30 + e.sec % 20,
                          35 + e.sec % 10),
        "GPRMC," + time + ",A,4936.074,N,00824.059,E,017.6,339.6,060322,,,A",
    };
    for (const std::string& body : bodies) {
        const std::string sentence = NmeaTestSentence(body);
        stream.insert(stream.end(), sentence.begin(), sentence.end());
    }
}

// At least minimumBytes, whole epochs.
inline std::vector<uint8_t> ReceiverTestLog(size_t minimumBytes) {
    std::vector<uint8_t> stream;
    for (int n = 0; stream.size() < minimumBytes; ++n) {
        const KvbTestEpoch epoch = MakeTestEpoch(n, 12 + n % 5);
        AppendTestEpoch(stream, epoch);
        AppendNmeaTestEpoch(stream, epoch);
        if (n % 50 == 49) stream.insert(stream.end(), {0x00, 0xA4, 0xFF, '$', 0x17});
    }
    return stream;
}
