#pragma once
#include <functional>
#include <memory>
#include <string>

#include "host/core/messages/message_form.h"
#include "shared/memory_page.h"

// The message form without a window: its page in memory, questions answered No, notices to a
// function. For veltro-cli and the tests, which drive the form as the message view does.
class CMemoryFormSite : public IMessageFormSite {
public:
    using SendFn = std::function<bool(CMessageNode*, const uint8_t*, int)>;
    using NoticeFn = std::function<void(const std::u16string&)>;

    // send: null while nothing can be sent.
    CMemoryFormSite(SendFn send, NoticeFn notice) : send(std::move(send)), notice(std::move(notice)) {}

    // Null while the selected message has no page.
    CMemoryPage* Page() const { return page.get(); }

    CDialogPage& CreatePage(const DialogTemplate& dialog, IPageListener& listener) override;
    void DestroyPage() override { page.reset(); }
    void ShowSelection(CMessageNode&, const std::u16string&) override {}
    void UpdateToolbar() override {}
    void ShowAge(const std::u16string&) override {}
    void MarkRejected(int, bool) override {}
    bool SendToReceiver(CMessageNode* node, const uint8_t* bytes, int length) override {
        return send && send(node, bytes, length);
    }
    bool CanSend() const override { return static_cast<bool>(send); }
    bool Ask(const MessageBoxResource&) override { return false; }
    void ShowMessage(const std::u16string& text) override {
        if (notice) notice(text);
    }

private:
    SendFn send;
    NoticeFn notice;
    std::unique_ptr<CMemoryPage> page;
};
