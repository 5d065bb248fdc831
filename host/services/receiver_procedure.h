#pragma once
#include <cstdint>
#include <optional>
#include <string>

class CMessageNode;

// What a procedure on the UI thread needs of the view (or of veltro-cli) that runs it.
class IProcedureSite {
public:
    virtual ~IProcedureSite() = default;
    // A log text, ending in its own line feed.
    virtual void Append(const std::u16string& text) = 0;
    virtual void SetProgressRange(int minimum, int maximum) = 0;
    virtual void SetProgressPosition(int position) = 0;
    // The procedure runs from now on.
    virtual void OnStarted() = 0;
    // The procedure has ended, failed or not; the view shows which.
    virtual void OnEnded(bool failed) = 0;
    // The connection is ready and nothing holds the procedure (the view's keep-open switch).
    virtual bool ReadyToSend() const = 0;
    virtual bool Send(const uint8_t* frame, int length) = 0;
    // Some time after a successful end: the view may make way.
    virtual void OnFinished() = 0;
};

// A longer exchange with the receiver that runs on the UI thread: its runner ticks it, hands it
// the receiver's answers from the document's notifications and the user's abort; now is the
// platform's tick count. Nothing in it waits.
class IReceiverProcedure {
public:
    virtual ~IReceiverProcedure() = default;

    // How often the runner ticks.
    virtual uint32_t TickMs() const = 0;
    // A notification of the document. When it carries one of the receiver's answers, the
    // procedure takes what it needs of the frame at once (the node keeps only its latest copy)
    // and tells the event that the runner hands back with Answer once the caller has returned.
    virtual std::optional<int> TakeAnswer(uint32_t hint, const CMessageNode* node) = 0;
    virtual void Answer(int event, uint32_t now) = 0;
    virtual void Tick(uint32_t now) = 0;
    virtual void Abort(uint32_t now) = 0;

    virtual bool Ended() const = 0;
    virtual bool Failed() const = 0;
};

// A tick count that has been reached.
inline bool TickPassed(uint32_t now, uint32_t time) { return static_cast<int32_t>(now - time) >= 0; }
