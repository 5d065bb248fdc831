#pragma once
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "host/core/intake/document_observer.h"
#include "host/services/receiver_procedure.h"

class CVeltroDoc;

// One of the services' procedures without a window (orbitpack, logger), its log lines on out as
// the view shows them. The receiver's answers are queued as the view posts them, and Step hands
// them and the procedure's ticks to it from the frame's message loop.
class CProcedureSession : private IProcedureSite, private IDocumentObserver {
public:
    using SendFn = std::function<bool(const uint8_t* bytes, int length)>;

    CProcedureSession(CVeltroDoc& document, std::function<bool()> ready, SendFn send, std::FILE* out);
    ~CProcedureSession() override;
    CProcedureSession(const CProcedureSession&) = delete;
    CProcedureSession& operator=(const CProcedureSession&) = delete;

    // What the procedure is created with.
    IProcedureSite& Site() { return *this; }
    void Run(std::unique_ptr<IReceiverProcedure> created) { procedure = std::move(created); }
    // True once the procedure has ended.
    bool Step(uint32_t now);
    // The user's Ctrl-C.
    void Abort(uint32_t now) { procedure->Abort(now); }
    // 0 only for the green ending.
    int ExitStatus() const { return procedure->Ended() && !procedure->Failed() ? 0 : 1; }

private:
    void Append(const std::u16string& text) override;
    void SetProgressRange(int, int) override {}
    void SetProgressPosition(int) override {}
    void OnStarted() override {}
    void OnEnded(bool) override {}
    bool ReadyToSend() const override { return ready(); }
    bool Send(const uint8_t* frame, int length) override { return send(frame, length); }
    void OnFinished() override {}
    void OnUpdate(uint32_t hint, CMessageNode* node) override;

    CVeltroDoc& document;
    std::function<bool()> ready;
    SendFn send;
    std::FILE* out;
    std::unique_ptr<IReceiverProcedure> procedure;
    std::deque<int> posted;
    bool ticked = false;
    uint32_t nextTick = 0;
};
