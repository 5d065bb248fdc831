// Seeking through a long log end to end: file reads, the log's splitter, the hand-offs from the
// log thread to the owner window, dispatch and decoding through the real KVB and NMEA plug-ins.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "host/core/frame/main_frame_core.h"
#include "host/core/log/stream_file_thread.h"
#include "tests/host/core/log/test_stream_file_receiver.h"
#include "tests/host/core/log/test_stream_file_support.h"
#include "tests/host/core/threads/test_ui_thread_sink.h"

namespace {

class NoErrors : public IErrorReporter {
public:
    void ReportError(const MessageBoxResource&, const std::u16string&) override {}
};

// A generated receiver log per size, written once per run.
const std::string& LogOfMegabytes(int megabytes) {
    static TempFolder folder;
    static std::map<int, std::string> paths;
    auto [entry, added] = paths.try_emplace(megabytes, folder.File(std::to_string(megabytes).c_str()));
    if (added) WriteFileBytes(entry->second, ReceiverTestLog(static_cast<size_t>(megabytes) << 20));
    return entry->second;
}

void BM_LogSeekToEnd(benchmark::State& state) {
    const std::string& path = LogOfMegabytes(static_cast<int>(state.range(0)));
    CVeltroDoc document(DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr});
    CStreamFileThread log;
    document.Plugins().RegisterWith(log.Splitter());
    NoErrors errors;
    CMainFrameCore core(document, log, errors);
    core.SetComplete(true);
    TestUiThreadSink sink;
    sink.fileFrame = [&] { core.OnFileFrame(); };
    const std::shared_ptr<platform::CMessageWindow> owner = ui_thread::CreateWindow(sink);
    platform::CMessageWindow& window = *owner;
    log.Pacer().SetTarget(&window);
    log.Pacer().Start(ThreadPriority::Lowest);

    int64_t bytes = 0;
    for (auto _ : state) {
        if (!core.OpenLog(path, true)) {
            state.SkipWithError("log not opened");
            break;
        }
        log.Seek(log.Length());
        while (!log.IsPaused()) window.WaitAndDispatch(100);
        bytes += log.Position();
    }
    window.Close();
    log.Pacer().Stop();
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_LogSeekToEnd)->Arg(1)->Arg(100)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
