#pragma once
#include <QTimer>
#include <functional>
#include <memory>

#include "host/services/receiver_procedure.h"
#include "host/views/text/progress_view.h"

// A progress view that runs one of the services' procedures on the UI thread: its timer ticks
// it, the receiver's answers among the document's notifications and the stop command (40573)
// reach it as events posted as the old window message was, and its log lines, progress and
// ending show here. Green when it went well, making way for the SV summary once the procedure
// says so; red, and staying with its log, when not. Derived views create the procedure.
class CProcedureView : public CProgressView, private IProcedureSite {
public:
    CProcedureView();
    ~CProcedureView() override;

    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;
    void OnCommand(unsigned command) override;

protected:
    IProcedureSite& Site() { return *this; }
    // Starts the procedure, which runs from the first tick, posted now.
    void Run(std::unique_ptr<IReceiverProcedure> created);
    // Null until it runs.
    const IReceiverProcedure* Procedure() const { return procedure.get(); }

private:
    // WM_USER + 1: the event is handled once the caller has returned.
    void Post(std::function<void(IReceiverProcedure&, uint32_t now)> event);

    void Append(const std::u16string& text) override;
    void SetProgressRange(int minimum, int maximum) override;
    void SetProgressPosition(int position) override;
    void OnStarted() override { SetFinished(false); }
    void OnEnded(bool failed) override;
    bool ReadyToSend() const override;
    bool Send(const uint8_t* frame, int length) override;
    void OnFinished() override { CProgressView::OnFinished(); }

    std::unique_ptr<IReceiverProcedure> procedure;
    QTimer timer;
};
