#include "orbitpack_session.h"

#include "host/core/intake/veltro_doc.h"
#include "platform/text.h"

COrbitpackSession::COrbitpackSession(CVeltroDoc& document, std::u16string source, std::function<bool()> ready,
                                     SendFn send, std::FILE* out)
    : document(document), ready(std::move(ready)), send(std::move(send)), out(out), update(*this, std::move(source)) {
    document.AddObserver(this);
}

COrbitpackSession::~COrbitpackSession() { document.RemoveObserver(this); }

bool COrbitpackSession::Step(uint32_t now) {
    while (!posted.empty()) {
        const OrbitpackEvent event = posted.front();
        posted.pop_front();
        update.Handle(event, now);
    }
    if (!ticked || static_cast<int32_t>(now - nextTick) >= 0) {
        ticked = true;
        nextTick = now + kTickMs;
        update.Handle(OrbitpackEvent::Tick, now);
    }
    return update.Ended();
}

void COrbitpackSession::Append(const std::u16string& text) {
    std::fputs(platform::WideToUtf8(text).c_str(), out);
    std::fflush(out);
}

void COrbitpackSession::OnUpdate(uint32_t hint, CMessageNode* node) {
    if (const std::optional<OrbitpackEvent> answer = OrbitpackAnswerOf(hint, node)) posted.push_back(*answer);
}
