#include "configuration_procedures.h"


#include "host/core/intake/document_observer.h"
#include "host/services/kvb_frame.h"
#include "platform/text.h"
#include "shared/message_node.h"

namespace {

constexpr char16_t kCannotTalk[] = u"The receiver cannot be reached: no port is open.";
constexpr char16_t kAborted[] = u"Aborted.";
constexpr char kNoAnswer[] = "No answer to the poll of %s.";

// CFG-CFG "Save current configuration": clear nothing, save every group, load nothing.
constexpr uint8_t kCfgClass = 0x06;
constexpr uint8_t kCfgCfgId = 0x09;
constexpr uint8_t kSaveCurrent[12] = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};

std::string MessageNames(const CConfigurationEntries& entries, const std::vector<ConfigurationFrame>& frames) {
    // A message polled by key counts its settings; the others are named alone.
    std::vector<std::pair<const CMessageNode*, int>> counts;
    for (const ConfigurationFrame& frame : frames) {
        const CMessageNode* node = entries.Entries()[frame.entry].node;
        if (counts.empty() || counts.back().first != node)
            counts.emplace_back(node, 1);
        else
            ++counts.back().second;
    }
    std::string names;
    for (const auto& [node, count] : counts) {
        if (!names.empty()) names += ", ";
        names += platform::WideToUtf8(node->Name());
        if (count > 1) names += platform::FormatC(" (%d)", count);
    }
    return names;
}

}  // namespace

CConfigurationProcedure::CConfigurationProcedure(IProcedureSite& site, CVeltroDoc& document)
    : site(site), entries(document) {}

void CConfigurationProcedure::Tell(const std::string& text) { Tell(platform::Utf8ToWide(text)); }

bool CConfigurationProcedure::SendFrame(const std::vector<uint8_t>& frame) {
    return site.Send(frame.data(), static_cast<int>(frame.size()));
}

std::optional<int> CConfigurationProcedure::TakeAnswer(uint32_t hint, const CMessageNode* node) {
    if (!awaiting || !node || !(hint & HINT_MESSAGE) || !(hint & HINT_RECEIVED)) return std::nullopt;
    const std::span<const uint8_t> frame(node->FrameBytes(), static_cast<size_t>(node->FrameLength()));
    if (entries.EntryOf(*node, frame) != EntryOfStep(step)) return std::nullopt;
    answer.assign(frame.begin(), frame.end());
    return 0;
}

void CConfigurationProcedure::Answer(int, uint32_t now) {
    if (!awaiting) return;
    awaiting = false;
    Answered(step, answer);
    Next(now);
}

void CConfigurationProcedure::Tick(uint32_t now) {
    if (!started) return Start(now);
    if (ended) {
        if (!failed && !finishedTold && TickPassed(now, deadline)) {
            finishedTold = true;
            site.OnFinished();
        }
        return;
    }
    if (!awaiting || !TickPassed(now, deadline)) return;
    awaiting = false;
    Unanswered(step);
    Next(now);
}

void CConfigurationProcedure::Abort(uint32_t now) {
    if (ended) return;
    Tell(kAborted);
    failed = true;
    End(now, false);
}

void CConfigurationProcedure::Start(uint32_t now) {
    started = true;
    site.OnStarted();
    if (!site.ReadyToSend()) Tell(kCannotTalk);
    if (!site.ReadyToSend() || !Prepare()) {
        failed = true;
        return End(now, false);
    }
    site.SetProgressPosition(0);
    site.SetProgressRange(0, static_cast<int>(Steps()));
    if (Steps() == 0) return End(now, true);
    StartStep(now);
}

void CConfigurationProcedure::StartStep(uint32_t now) {
    if (!SendBefore(step) || !SendFrame(entries.Entries()[EntryOfStep(step)].poll)) {
        Tell(kCannotTalk);
        failed = true;
        return End(now, false);
    }
    awaiting = true;
    deadline = now + kAnswerTimeoutMs;
}

void CConfigurationProcedure::Next(uint32_t now) {
    ++step;
    site.SetProgressPosition(static_cast<int>(step));
    if (step < Steps()) return StartStep(now);
    End(now, true);
}

void CConfigurationProcedure::End(uint32_t now, bool complete) {
    awaiting = false;
    ended = true;
    if (complete) Finish();
    deadline = now + kFinishedMs;
    site.OnEnded(failed);
}

// ---- save

CConfigurationSave::CConfigurationSave(IProcedureSite& site, CVeltroDoc& document, std::string path)
    : CConfigurationProcedure(site, document), path(std::move(path)) {}

bool CConfigurationSave::Prepare() {
    Tell(platform::FormatC("Reading %zu settings of the receiver ...", entries.Size()));
    return true;
}

void CConfigurationSave::Answered(size_t step, const std::vector<uint8_t>& frame) { frames.push_back({step, frame}); }

void CConfigurationSave::Unanswered(size_t step) {
    ++silent;
    Tell(platform::FormatC(kNoAnswer, entries.Name(step).c_str()));
}

void CConfigurationSave::Finish() {
    if (frames.empty()) {
        Tell(std::string("The receiver answered no poll."));
        failed = true;
        return;
    }
    Tell("Read " + MessageNames(entries, frames) + ".");
    std::string error;
    if (!path.empty() && !WriteConfigurationFile(path, frames, error)) {
        Tell(error + ".");
        failed = true;
        return;
    }
    std::string summary = platform::FormatC("%zu settings ", frames.size());
    summary += path.empty() ? std::string("read") : "saved to " + path;
    if (silent > 0) summary += platform::FormatC("; %zu did not answer", silent);
    Tell(summary + ".");
}

// ---- load

CConfigurationLoad::CConfigurationLoad(IProcedureSite& site, CVeltroDoc& document, std::string path, bool save)
    : CConfigurationProcedure(site, document), path(std::move(path)), save(save) {}

bool CConfigurationLoad::Prepare() {
    std::string error;
    if (!entries.ReadFile(path, frames, error)) {
        Tell("Refused: " + error + "; nothing was sent.");
        return false;
    }
    for (const ConfigurationFrame& frame : frames)
        settings.push_back(SettingFrame(*entries.Entries()[frame.entry].node, frame.bytes));
    Tell(platform::FormatC("Loading %zu settings into the receiver ...", frames.size()));
    return true;
}

void CConfigurationLoad::Answered(size_t step, const std::vector<uint8_t>& frame) {
    if (frame == frames[step].bytes) return;
    ++differing;
    Tell("The receiver reports " + entries.Name(frames[step].entry) + " other than the file.");
}

void CConfigurationLoad::Unanswered(size_t step) {
    ++silent;
    Tell(platform::FormatC(kNoAnswer, entries.Name(frames[step].entry).c_str()));
}

void CConfigurationLoad::Finish() {
    std::string summary = platform::FormatC("%zu settings loaded", frames.size());
    if (differing > 0) summary += platform::FormatC("; %zu differ", differing);
    if (silent > 0) summary += platform::FormatC("; %zu did not answer", silent);
    Tell(summary + ".");
    failed = differing > 0 || silent > 0;
    if (!save) return;
    uint8_t frame[sizeof kSaveCurrent + kKvbFrameExtraBytes];
    const int length = BuildKvbFrame(frame, kCfgClass, kCfgCfgId, kSaveCurrent, sizeof kSaveCurrent);
    if (site.Send(frame, length)) {
        Tell(std::string("CFG-CFG: the current configuration saved in the receiver."));
    } else {
        Tell(kCannotTalk);
        failed = true;
    }
}
