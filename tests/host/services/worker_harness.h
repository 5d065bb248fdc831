#pragma once
// A user-interface thread for one worker run: the frame's window takes the worker's bytes for the
// receiver, with the time each piece came, and the progress is kept as the dialog would show it.
#include <chrono>
#include <string>
#include <vector>

#include "host/core/threads/progress_sink.h"
#include "host/core/threads/ui_thread_sink.h"
#include "host/services/worker_run.h"

class WorkerHarness : private IUiThreadSink, private IProgressSink {
public:
    using Clock = std::chrono::steady_clock;
    struct Piece {
        std::vector<uint8_t> bytes;
        Clock::time_point at;
    };

    // Runs the procedure until it ends, polling as the dialog's timer does, or until stopWhen
    // answers true: the run is then cancelled, as the user cancels.
    int Run(const WorkerProcedure& procedure, const std::function<bool()>& stopWhen = {}) {
        if (!run.Start(procedure)) return -1;
        const Clock::time_point limit = Clock::now() + std::chrono::seconds(10);
        while (run.IsRunning() && Clock::now() < limit) {
            frameWindow->WaitAndDispatch(kPollMs);
            run.Poll();
            if (stopWhen && stopWhen()) {
                const Clock::time_point asked = Clock::now();
                run.Cancel();
                cancelTook = Clock::now() - asked;
            }
        }
        run.Cancel();
        return run.ExitCode();
    }

    std::vector<Piece> sent;
    std::vector<std::u16string> statuses;
    int minimum = 0;
    int maximum = 100;
    int position = 0;
    Clock::duration cancelTook{};

private:
    static constexpr int kPollMs = 10;

    void OnPortRead(uint32_t, uint32_t) override {}
    void OnPortFrame(const FrameRecord&) override {}
    void OnFileFrame() override {}
    bool OnSendBytes(const uint8_t* bytes, int length) override {
        sent.push_back({{bytes, bytes + length}, Clock::now()});
        return true;
    }
    void OnStatusText(const std::u16string& text) override { statuses.push_back(text); }
    void OnProgressRange(int low, int high) override {
        minimum = low;
        maximum = high;
    }
    void OnProgressPosition(int at) override { position = at; }
    void OnWorkerEnded(int) override {}

    std::shared_ptr<platform::CMessageWindow> frameWindow = ui_thread::CreateWindow(*this);
    CWorkerRun run{frameWindow, *this};
};
