// Until the windows exist, veltro runs headless: the application with a frame without windows.
// Given a log file, it replays it at full speed through the same intake as live data and prints
// how many frames reached each message; otherwise it reads the receiver until interrupted.
#include <csignal>
#include <cstdio>
#include <map>

#include "host/core/headless_frame.h"
#include "host/core/stream_file_thread.h"
#include "host/core/veltro_app.h"
#include "host/core/veltro_doc.h"
#include "platform/text.h"

namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnSignal(int) { interrupted = 1; }

std::u16string PathOf(const CMessageNode* node) {
    std::u16string path = node->Label();
    for (const CMessageNode* p = node->Parent(); p; p = p->Parent()) path = std::u16string(p->Label()) + u" / " + path;
    return path;
}

class CMessageCounter : public IDocumentObserver {
public:
    void OnUpdate(uint32_t hint, CMessageNode* node) override {
        if ((hint & HINT_MESSAGE) && node) ++counts[PathOf(node)];
    }
    void Print() const {
        for (const auto& [path, n] : counts) std::printf("%8zu  %s\n", n, platform::WideToUtf8(path).c_str());
    }

private:
    std::map<std::u16string, size_t> counts;
};

bool ReplayFinished(const CStreamFileThread& log) { return log.State() == LogState::None || log.IsPaused(); }

void PrintProtocols(CVeltroDoc& document) {
    std::printf("%s: protocols", platform::WideToUtf8(CVeltroApp::DisplayName()).c_str());
    for (const auto& entry : document.Plugins().Protocols())
        std::printf(" %s", platform::WideToUtf8(entry->name).c_str());
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    const CStreamFileThread* replay = nullptr;
    CHeadlessFrameFactory frames([&] { return interrupted != 0 || (replay && ReplayFinished(*replay)); });
    CVeltroApp app(AppOptions{{argv + 1, argv + argc}, {}, {}, {}}, frames);
    if (!app.InitInstance()) return app.ExitInstance();

    PrintProtocols(app.Document());
    const std::string& fileName = app.CommandLine().fileName;
    if (!fileName.empty() && app.Log().State() == LogState::None) {
        app.ExitInstance();
        return 1;
    }
    CMessageCounter counter;
    app.Document().AddObserver(&counter);
    if (!fileName.empty()) {
        app.Log().Seek(app.Log().Length());
        replay = &app.Log();
    }
    app.MainFrame()->RunMessageLoop();
    app.Document().RemoveObserver(&counter);

    if (replay)
        std::printf("%s: %lld bytes, %zu epochs\n", fileName.c_str(), static_cast<long long>(replay->Position()),
                    static_cast<size_t>(app.Document().Database().GetEpochCounter()));
    counter.Print();
    return app.ExitInstance();
}
