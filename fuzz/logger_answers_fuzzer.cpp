// Arbitrary bytes as the receiver's answers to a logger retrieval: the input read as chunks, each
// led by a byte whose high bit picks a record answer or an information answer, whose next bit
// lets 10 s pass first, and whose low 6 bits give the payload's length; each chunk becomes a
// complete logger frame, handed to the procedure as the document's notification of a frame
// received. Nothing may be read outside a frame, and the file holds whole NAV-SOL frames only.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/core/intake/document_observer.h"
#include "host/core/log/log_file.h"
#include "host/services/kvb_frame.h"
#include "host/services/logger_retrieval.h"
#include "shared/message_node.h"

namespace {

class CSilentSite : public IProcedureSite {
public:
    void Append(const std::u16string&) override {}
    void SetProgressRange(int, int) override {}
    void SetProgressPosition(int position) override {
        if (position < 0 || position > 100) __builtin_trap();
    }
    void OnStarted() override {}
    void OnEnded(bool) override {}
    bool ReadyToSend() const override { return true; }
    bool Send(const uint8_t*, int) override { return true; }
    void OnFinished() override {}
};

// Only keeps the frame it is given, as the KVB plug-in's node of unknown messages does.
class CFrameNode : public CMessageNode {
public:
    ModuleHandle ResourceModule() const override { return nullptr; }
    const char16_t* Label() const override { return u"LOG"; }
    const char16_t* Description() const override { return u"LOG"; }
    const char16_t* Name() const override { return u"LOG"; }
};

const std::string& FilePath() {
    static const std::string path = [] {
        std::string pattern = "/tmp/veltro_logger_fuzz_XXXXXX";
        const int descriptor = ::mkstemp(pattern.data());
        if (descriptor >= 0) ::close(descriptor);
        return pattern;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto file = std::make_unique<CLogFile>();
    if (!file->Open(FilePath(), LogOpenMode::Record)) return 0;
    CSilentSite site;
    CLoggerRetrieval retrieval(site, std::move(file));
    uint32_t now = 0;
    retrieval.Tick(now);
    CFrameNode node;
    std::vector<uint8_t> frame;
    for (size_t at = 0; at < size && !retrieval.Ended();) {
        const uint8_t lead = data[at++];
        const size_t length = std::min<size_t>(lead & 0x3F, size - at);
        if (lead & 0x40) retrieval.Tick(now += CLoggerRetrieval::kAnswerTimeoutMs);
        frame.assign(length + kKvbFrameExtraBytes, 0);
        BuildKvbFrame(frame.data(), 0x21, lead & 0x80 ? 0x05 : 0x02, data + at, static_cast<int>(length));
        at += length;
        node.StoreFrame(frame.data(), static_cast<int>(frame.size()));
        if (const auto event = retrieval.TakeAnswer(HINT_MESSAGE | HINT_RECEIVED, &node)) retrieval.Answer(*event, now);
    }
    retrieval.Abort(now);
    CLogFile written;
    if (written.Open(FilePath(), LogOpenMode::Replay) && written.Size() % (kNavSolPayloadBytes + 8) != 0)
        __builtin_trap();
    return 0;
}
