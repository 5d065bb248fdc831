// How many entries per second the consoles take, from messages of the real plug-ins, with the
// document's refresh after every epoch of a 115200-baud receiver at 10 Hz (about 16 messages).
#include <benchmark/benchmark.h>

#include <QPlainTextEdit>
#include <memory>
#include <vector>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/consoles/console_views.h"
#include "platform/profile.h"
#include "tests/host/views/test_view_host.h"
#include "tests/plugins/kvb/kvb_test_frames.h"
#include "tests/plugins/nmea/nmea_test_sentences.h"

namespace {

constexpr int kMessages = 100000;
constexpr int kMessagesPerEpoch = 16;

std::vector<std::vector<uint8_t>> EpochFrames() {
    std::vector<std::vector<uint8_t>> frames = {
        Bytes(NmeaTestSentence("GPGGA,120001.00,4717.11399,N,00833.91590,E,1,08,1.01,499.6,M,48.0,M,,")),
        Bytes(NmeaTestSentence("GPRMC,120001.00,A,4717.11399,N,00833.91590,E,0.004,77.52,040326,,,A")),
        Bytes(NmeaTestSentence("GPGSA,A,3,23,29,07,08,09,18,26,28,,,,,1.94,1.18,1.54")),
        Bytes(NmeaTestSentence("GPGSV,3,1,12,01,05,060,18,02,17,259,43,04,56,287,28,07,27,060,34")),
        Bytes(NmeaTestSentence("GPGSV,3,2,12,08,12,321,27,09,39,063,34,10,15,182,25,13,18,101,30")),
        Bytes(NmeaTestSentence("GPGSV,3,3,12,17,27,141,41,20,07,269,23,23,18,307,37,28,68,126,43")),
        Bytes(NmeaTestSentence("GPVTG,77.52,T,,M,0.004,N,0.008,K,A")),
        Bytes(NmeaTestSentence("GPGLL,4717.11399,N,00833.91590,E,120001.00,A,A")),
    };
    for (const auto& [cls, id, length] : std::vector<std::tuple<uint8_t, uint8_t, size_t>>{
             {0x01, 0x06, 52}, {0x01, 0x02, 28}, {0x01, 0x03, 16}, {0x01, 0x12, 36},
             {0x01, 0x04, 18}, {0x01, 0x20, 16}, {0x01, 0x21, 20}, {0x01, 0x30, 8 + 12 * 12}})
        frames.push_back(KvbTestFrame(cls, id, std::vector<uint8_t>(length, 0)));
    return frames;
}

// The nodes that the real plug-ins give for one epoch's frames.
std::vector<CMessageNode*> EpochNodes(CVeltroDoc& document) {
    CFrameSplitter splitter;
    document.Plugins().RegisterWith(splitter);
    std::vector<CMessageNode*> nodes;
    for (const std::vector<uint8_t>& frame : EpochFrames())
        FeedStream(splitter, frame.data(), frame.size(),
                   [&](const FrameRecord& record) { nodes.push_back(document.ProcessRecord(record, true)); });
    return nodes;
}

template <typename Console>
void BM_Console(benchmark::State& state) {
    CVeltroDoc document(DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr});
    const std::vector<CMessageNode*> nodes = EpochNodes(document);
    CColorTable colors;
    platform::CMemoryProfile profile;
    TestViewHost host;
    Console console;
    console.Create(ViewContext{document, colors, profile, host, {}}, u"Console", nullptr);
    console.resize(480, 640);
    console.show();
    console.OnInitialUpdate();

    for (auto _ : state) {
        for (int i = 0; i < kMessages; ++i) {
            console.OnUpdate(nullptr, HINT_MESSAGE, nodes[static_cast<size_t>(i) % nodes.size()]);
            if (i % kMessagesPerEpoch == kMessagesPerEpoch - 1)
                console.OnUpdate(nullptr, HINT_REFRESH_DUE | HINT_VALUES, nullptr);
        }
        console.OnUpdate(nullptr, HINT_FORCED, nullptr);
    }
    const int lines = console.Edit().blockCount();
    if (lines > 500) state.SkipWithError("the console outgrew its 500 lines");
    state.counters["lines"] = lines;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kMessages);
}

BENCHMARK_TEMPLATE(BM_Console, CPacketConsoleView)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Console, CBinaryConsoleView)->Unit(benchmark::kMillisecond);

}  // namespace
