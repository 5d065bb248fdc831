#pragma once
#include <QDialog>
#include <QTimer>
#include <memory>

#include "host/services/worker_run.h"

class CMessageFormPage;

// A service's worker at work (template 2097): its status line and progress bar, polled every
// 10 ms. It closes by itself, accepted, when the worker did what it was for; otherwise it stays
// open on the status line until the user dismisses it. Cancelling while the worker runs stops
// it and waits for its thread, which is never killed.
class CWorkerProgressDialog : public QDialog, private IProgressSink {
public:
    static constexpr int kPollMs = 10;

    CWorkerProgressDialog(std::shared_ptr<platform::CMessageWindow> frameWindow, WorkerProcedure procedure,
                          QWidget* parent);
    ~CWorkerProgressDialog() override;

    // Starts the worker and the poll; false, and nothing shown, when the thread cannot be created.
    bool Start();
    // Start, then modal; Accepted when the worker did what it was for.
    int Run();
    bool WorkerRunning() const { return run.IsRunning(); }
    int ExitCode() const { return run.ExitCode(); }
    CMessageFormPage& Page() const { return *page; }

    void reject() override;

private:
    void OnStatusText(const std::u16string& text) override;
    void OnProgressRange(int minimum, int maximum) override;
    void OnProgressPosition(int position) override;
    void OnWorkerEnded(int exitCode) override;

    CMessageFormPage* page;
    WorkerProcedure procedure;
    CWorkerRun run;
    QTimer poll;
};
