#include "send_session.h"

#include "host/core/intake/veltro_doc.h"
#include "host/core/messages/page_template.h"
#include "platform/text.h"
#include "tools/cli/page_text.h"

namespace {
constexpr int kFailed = 1;
constexpr int kUsageError = 2;
}  // namespace

CSendSession::CSendSession(CVeltroDoc& document, CMessageNode& node, std::vector<ControlAssignment> assignments,
                           CMemoryFormSite::SendFn send)
    : document(document),
      node(node),
      assignments(std::move(assignments)),
      site(std::move(send), nullptr),
      form(document, site) {
    document.AddObserver(this);
    // Each poll is the session's own, so that every answer it waits for is to its latest poll.
    if (form.AutoPoll()) form.ToggleAutoPoll();
    form.Select(&node, false);
}

CSendSession::~CSendSession() { document.RemoveObserver(this); }

bool CSendSession::Step(uint32_t now) {
    switch (stage) {
        case Stage::Start:
            if (!site.Page() || !PageTemplateOf(node)) {
                End(kFailed, platform::WideToUtf8(node.Name()) + " has no page");
                break;
            }
            form.OnTimer(now);
            if (form.PollValid())
                StartPoll(now, Stage::FirstAnswer);
            else
                ApplyAndSend(now);
            break;
        case Stage::FirstAnswer:
            if (Answered(now)) ApplyAndSend(now);
            break;
        case Stage::SecondAnswer:
            if (Answered(now)) Finish();
            break;
        case Stage::Ended:
            break;
    }
    return stage == Stage::Ended;
}

void CSendSession::StartPoll(uint32_t now, Stage next) {
    form.Poll();
    deadline = now + kAnswerTimeoutMs;
    stage = next;
}

bool CSendSession::Answered(uint32_t now) {
    if (!form.AwaitingPoll()) {
        form.OnUpdate(HINT_FORCED, nullptr);
        return true;
    }
    if (static_cast<int32_t>(now - deadline) >= 0)
        End(kFailed, "the receiver did not answer the poll of " + platform::WideToUtf8(node.Name()) + " within 3 s");
    return false;
}

void CSendSession::ApplyAndSend(uint32_t now) {
    const DialogTemplate& dialog = *PageTemplateOf(node);
    std::string refusal;
    const AssignResult result = AssignAll(*site.Page(), dialog, assignments, refusal);
    if (result != AssignResult::Done) return End(result == AssignResult::UnknownControl ? kUsageError : kFailed, refusal);
    form.OnTimer(now);
    if (const int rejected = form.RejectedControl())
        return End(kFailed, platform::WideToUtf8(ControlLabel(dialog, rejected)) + " is not valid");
    if (!form.SendValid()) return End(kFailed, platform::WideToUtf8(node.Name()) + " builds no frame from its page");
    form.Send();
    if (form.PollValid())
        StartPoll(now, Stage::SecondAnswer);
    else
        Finish();
}

void CSendSession::Finish() {
    pageText = ::PageText(*site.Page(), *PageTemplateOf(node));
    End(0, {});
}

void CSendSession::End(int exitStatus, std::string text) {
    status = exitStatus;
    error = std::move(text);
    stage = Stage::Ended;
}
