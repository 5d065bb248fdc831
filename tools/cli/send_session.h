#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "host/core/intake/document_observer.h"
#include "host/core/messages/memory_form_site.h"
#include "host/core/messages/message_form.h"
#include "tools/cli/control_assignments.h"

class CVeltroDoc;

// veltro-cli send: the message view's round trip without a window. Polls the message when it
// offers a poll and fills the page from the answer, sets the controls, sends the frame the page
// builds and polls again; Step runs it a turn at a time from the frame's message loop.
class CSendSession : private IDocumentObserver {
public:
    static constexpr uint32_t kAnswerTimeoutMs = 3000;

    CSendSession(CVeltroDoc& document, CMessageNode& node, std::vector<ControlAssignment> assignments,
                 CMemoryFormSite::SendFn send);
    ~CSendSession() override;
    CSendSession(const CSendSession&) = delete;
    CSendSession& operator=(const CSendSession&) = delete;

    // True once the session has ended.
    bool Step(uint32_t now);
    // 0 done, 1 no answer or a control that does not take its value, 2 an unknown control.
    int ExitStatus() const { return status; }
    // The page as show prints it, once done.
    const std::string& PageText() const { return pageText; }
    const std::string& Error() const { return error; }

private:
    enum class Stage { Start, FirstAnswer, SecondAnswer, Ended };

    void OnUpdate(uint32_t hint, CMessageNode* node) override { form.OnUpdate(hint, node); }
    void StartPoll(uint32_t now, Stage next);
    bool Answered(uint32_t now);
    void ApplyAndSend(uint32_t now);
    void Finish();
    void End(int exitStatus, std::string text);

    CVeltroDoc& document;
    CMessageNode& node;
    std::vector<ControlAssignment> assignments;
    CMemoryFormSite site;
    CMessageForm form;
    Stage stage = Stage::Start;
    uint32_t deadline = 0;
    int status = 0;
    std::string pageText;
    std::string error;
};
