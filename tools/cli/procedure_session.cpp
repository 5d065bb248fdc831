#include "procedure_session.h"

#include "host/core/intake/veltro_doc.h"
#include "platform/text.h"

CProcedureSession::CProcedureSession(CVeltroDoc& document, std::function<bool()> ready, SendFn send, std::FILE* out)
    : document(document), ready(std::move(ready)), send(std::move(send)), out(out) {
    document.AddObserver(this);
}

CProcedureSession::~CProcedureSession() { document.RemoveObserver(this); }

bool CProcedureSession::Step(uint32_t now) {
    while (!posted.empty()) {
        const int event = posted.front();
        posted.pop_front();
        procedure->Answer(event, now);
    }
    if (!ticked || TickPassed(now, nextTick)) {
        ticked = true;
        nextTick = now + procedure->TickMs();
        procedure->Tick(now);
    }
    return procedure->Ended();
}

void CProcedureSession::Append(const std::u16string& text) {
    std::fputs(platform::WideToUtf8(text).c_str(), out);
    std::fflush(out);
}

void CProcedureSession::OnUpdate(uint32_t hint, CMessageNode* node) {
    if (!procedure) return;
    if (const std::optional<int> answer = procedure->TakeAnswer(hint, node)) posted.push_back(*answer);
}
