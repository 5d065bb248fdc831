// Throughput of the intake road: bytes through the splitter, dispatch down the message trees,
// decoding into the database and closing epochs.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/core/intake/veltro_doc.h"
#include "shared/storage_values.h"
#include "tests/plugins/kvb/kvb_test_stream.h"
#include "tests/plugins/nmea/nmea_test_sentences.h"
#include "tests/support/test_protocol.h"

namespace {

// Ten messages per epoch, with a little garbage between epochs, as a noisy serial line gives.
std::vector<uint8_t> TestProtocolStream(int epochs) {
    std::vector<uint8_t> stream;
    for (int epoch = 0; epoch < epochs; ++epoch) {
        auto append = [&](const std::vector<uint8_t>& frame) { stream.insert(stream.end(), frame.begin(), frame.end()); };
        append(TestFrameU32(kTestTimeType, static_cast<uint32_t>(epoch) * 100));
        for (int i = 0; i < 9; ++i) append(TestFrameU32(kTestValueType, static_cast<uint32_t>(epoch * 10 + i)));
        stream.insert(stream.end(), {0x00, 'T', 0xFF});
    }
    return stream;
}

void AddTestEntries(CVeltroDoc& document) {
    for (uint16_t id : {kTestTimeId, kTestValueId}) {
        auto entry = std::make_unique<CStorageValueStatistics>(u"test", u"test");
        entry->SetSnapshotSlot(document.History().ReserveCommonSlot());
        document.Database().Add(id, std::move(entry));
    }
}

void RunIntake(benchmark::State& state, CVeltroDoc& document, const std::vector<uint8_t>& stream) {
    CFrameSplitter splitter;
    document.Plugins().RegisterWith(splitter);
    size_t frames = 0;
    for (auto _ : state) {
        FeedStream(splitter, stream.data(), stream.size(), [&](const FrameRecord& record) {
            document.ProcessRecord(record, true);
            ++frames;
        });
    }
    state.SetBytesProcessed(static_cast<int64_t>(stream.size()) * state.iterations());
    state.counters["frames"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
    state.counters["epochs"] =
        benchmark::Counter(static_cast<double>(document.Database().GetEpochCounter()), benchmark::Counter::kIsRate);
}

void BM_IntakeTestProtocol(benchmark::State& state) {
    CVeltroDoc document(DocumentSettings{900, VELTRO_TEST_PLUGIN_DIR "simple/", nullptr});
    AddTestEntries(document);
    RunIntake(state, document, TestProtocolStream(1000));
}
BENCHMARK(BM_IntakeTestProtocol)->Unit(benchmark::kMillisecond);

// A receiver's navigation output at 10 Hz with 12 to 16 satellites, 100 s of it, through the
// real plug-ins: seven messages per epoch, decoded into the catalogue's entries.
void BM_IntakeKvbStream(benchmark::State& state) {
    CVeltroDoc document(DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr});
    RunIntake(state, document, KvbTestStream(1000));
}
BENCHMARK(BM_IntakeKvbStream)->Unit(benchmark::kMillisecond);

// The same navigation output with the NMEA sentences a receiver sends beside it every epoch.
std::vector<uint8_t> MixedStream(int epochs) {
    std::vector<uint8_t> stream;
    for (int n = 0; n < epochs; ++n) {
        const KvbTestEpoch epoch = MakeTestEpoch(n, 12 + n % 5);
        char time[16];
        std::snprintf(time, sizeof time, "%02d%02d%02d.%02d", epoch.hour, epoch.min, epoch.sec,
                      static_cast<int>(epoch.nano / 10000000));
        const std::string t = time;
        for (const auto& frame : {NavSolFrame(epoch), NavPosLlhFrame(epoch), NavVelNedFrame(epoch),
                                  NavTimeUtcFrame(epoch), NavSvInfoFrame(epoch),
                                  Bytes(NmeaTestSentence("GPGGA," + t + ",4936.074,N,00824.059,E,1,09,0.9,253.9,M,47.4,M,,")),
                                  Bytes(NmeaTestSentence("GPRMC," + t + ",A,4936.074,N,00824.059,E,017.6,339.6,060322,,,A")),
                                  Bytes(NmeaTestSentence("GPGSA,A,3,01,03,07,08,11,14,17,19,22,,,,1.8,1.1,1.5")),
                                  Bytes(NmeaTestSentence("GPGSV,2,1,07,01,45,120,44,03,30,210,41,07,60,045,47,08,15,300,35")),
                                  Bytes(NmeaTestSentence("GPGSV,2,2,07,11,25,090,39,14,70,180,48,17,05,010,28"))})
            stream.insert(stream.end(), frame.begin(), frame.end());
    }
    return stream;
}

void BM_IntakeMixedStream(benchmark::State& state) {
    CVeltroDoc document(DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr});
    RunIntake(state, document, MixedStream(1000));
}
BENCHMARK(BM_IntakeMixedStream)->Unit(benchmark::kMillisecond);

// Input that only looks like sentences: each candidate must be given up at once, or the recogniser
// rescans up to a sentence's longest length from every position.
std::vector<uint8_t> Repeated(const std::string& piece, size_t size) {
    std::vector<uint8_t> stream;
    stream.reserve(size + piece.size());
    while (stream.size() < size) stream.insert(stream.end(), piece.begin(), piece.end());
    stream.resize(size);
    return stream;
}

void BM_IntakeFalseSentences(benchmark::State& state, const std::string& piece) {
    CVeltroDoc document(DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr});
    RunIntake(state, document, Repeated(piece, size_t{10} << 20));
}
BENCHMARK_CAPTURE(BM_IntakeFalseSentences, dollars, std::string("$"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_IntakeFalseSentences, starts, std::string("$GNGGA,"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_IntakeFalseSentences, unended, "$GNTXT," + std::string(93, 'x'))->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
