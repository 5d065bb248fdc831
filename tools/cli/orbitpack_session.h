#pragma once
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <string>

#include "host/core/intake/document_observer.h"
#include "host/services/orbitpack_update.h"

class CVeltroDoc;

// veltro-cli orbitpack: the update procedure without a window, its log lines on out as the view
// shows them. The receiver's answers are queued as the view posts them, and Step hands them and
// the 100 ms ticks to the procedure from the frame's message loop.
class COrbitpackSession : private IOrbitpackSite, private IDocumentObserver {
public:
    using SendFn = std::function<bool(const uint8_t* bytes, int length)>;
    static constexpr uint32_t kTickMs = 100;

    COrbitpackSession(CVeltroDoc& document, std::u16string source, std::function<bool()> ready, SendFn send,
                      std::FILE* out);
    ~COrbitpackSession() override;
    COrbitpackSession(const COrbitpackSession&) = delete;
    COrbitpackSession& operator=(const COrbitpackSession&) = delete;

    // True once the procedure has ended.
    bool Step(uint32_t now);
    // The user's Ctrl-C.
    void Abort(uint32_t now) { update.Handle(OrbitpackEvent::Abort, now); }
    // 0 only for the green ending.
    int ExitStatus() const { return update.Ended() && !update.Failed() ? 0 : 1; }

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
    COrbitpackUpdate update;
    std::deque<OrbitpackEvent> posted;
    bool ticked = false;
    uint32_t nextTick = 0;
};
