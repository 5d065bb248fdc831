#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/services/receiver_procedure.h"

class CMessageNode;
class COrbitpackDownload;

// The procedure's events, numbered as the view's private message carries them.
enum class OrbitpackEvent : int { Tick = 0, Acknowledged = 1, Refused = 2, Abort = 3 };

// The receiver's answer a notification of the document carries: a frame received from the port
// that is exactly the acknowledgement or the refusal of the orbit-data transfer. Frames the host
// sent, and frames of a replayed log, are no answer, whatever their bytes.
std::optional<OrbitpackEvent> OrbitpackAnswerOf(uint32_t hint, const CMessageNode* node);

// The Orbitpack update: the file obtained (downloaded, or read), then written into the receiver
// in blocks of up to 512 bytes of the orbit-data transfer (KVB 0x0B 0x50) between an opening and
// a closing cancel, every frame waiting for the receiver's answer. Driven by events: a tick every
// 100 ms, the receiver's answers, the user's abort; now is the platform's tick count.
class COrbitpackUpdate : public IReceiverProcedure {
public:
    enum State : int {
        kStart = 0,
        kDownloading = 1,
        kOpeningCancel = 2,
        kAwaitOpening = 3,
        kSendBlock = 4,
        kAwaitBlock = 5,
        kClosingCancel = 6,
        kAwaitClosing = 7,
        kEnded = 8,
    };

    static constexpr int kBlockBytes = 512;
    static constexpr uint32_t kTickMs = 100;
    static constexpr uint32_t kAnswerTimeoutMs = 5000;
    // A download that receives nothing for this long has stalled.
    static constexpr uint32_t kStallTimeoutMs = 30000;

    // source: a link beginning with "http://", or a file path.
    COrbitpackUpdate(IProcedureSite& site, std::u16string source);
    ~COrbitpackUpdate() override;
    COrbitpackUpdate(const COrbitpackUpdate&) = delete;
    COrbitpackUpdate& operator=(const COrbitpackUpdate&) = delete;

    // Runs the step of the current state for the event, and again with a tick while the state
    // changes.
    void Handle(OrbitpackEvent event, uint32_t now);

    uint32_t TickMs() const override { return kTickMs; }
    std::optional<int> TakeAnswer(uint32_t hint, const CMessageNode* node) override;
    void Answer(int event, uint32_t now) override { Handle(static_cast<OrbitpackEvent>(event), now); }
    void Tick(uint32_t now) override { Handle(OrbitpackEvent::Tick, now); }
    void Abort(uint32_t now) override { Handle(OrbitpackEvent::Abort, now); }

    int State() const { return state; }
    bool Failed() const override { return failed; }
    bool Ended() const override { return state == kEnded; }
    const std::u16string& Source() const { return source; }

private:
    void Step(OrbitpackEvent event, uint32_t now);
    void Start(uint32_t now);
    void StartDownload(uint32_t now);
    void LoadFile(uint32_t now);
    void Download(uint32_t now);
    void SendCancel(uint32_t now, int next);
    void SendBlock(uint32_t now);
    void Await(OrbitpackEvent event, uint32_t now);
    void Fail(const std::u16string& text, uint32_t now);
    void Enter(int next, uint32_t now);
    bool Send(const uint8_t* payload, int length);
    static bool Passed(uint32_t now, uint32_t time) { return static_cast<int32_t>(now - time) >= 0; }

    IProcedureSite& site;
    int state = kStart;
    bool failed = false;
    std::vector<uint8_t> data;
    uint32_t deadline = 0;
    uint32_t total = 0;
    uint32_t offset = 0;
    const std::u16string source;
    std::unique_ptr<COrbitpackDownload> download;
    // When the download last received a byte, and how many it had then.
    uint32_t lastByteTick = 0;
    uint64_t lastBytes = 0;
};
