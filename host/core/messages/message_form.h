#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/core/messages/message_view_state.h"
#include "resources/veltro/message_boxes.h"
#include "shared/memory_page.h"
#include "shared/page_listener.h"

class CMessageNode;
class CVeltroDoc;
struct DialogTemplate;

// What the message view's form needs of the window around it.
class IMessageFormSite {
public:
    virtual ~IMessageFormSite() = default;
    // Shows a page of the template in the form's page area and tells listener of the user's
    // changes; the form lets it go with DestroyPage before it asks for another.
    virtual CDialogPage& CreatePage(const DialogTemplate& dialog, IPageListener& listener) = 0;
    virtual void DestroyPage() = 0;
    // The message list and the caption follow the selection; the node has filled its page.
    virtual void ShowSelection(CMessageNode& node, const std::u16string& displayName) = 0;
    virtual void UpdateToolbar() = 0;
    virtual void ShowAge(const std::u16string& text) = 0;
    virtual void MarkRejected(int controlId, bool rejected) = 0;

    virtual bool SendToReceiver(CMessageNode* node, const uint8_t* bytes, int length) = 0;
    // A port is open and no replay runs.
    virtual bool CanSend() const = 0;
    // A question of the program's table; true for Yes.
    virtual bool Ask(const MessageBoxResource& box) = 0;
    virtual void ShowMessage(const std::u16string& text) = 0;
};

// The message view without widgets: one message at a time, its page, a copy of its bytes, and
// polling, sending, saving and loading it. The Qt view and the tests drive it through the same
// operations.
class CMessageForm : private IPageListener {
public:
    static constexpr size_t kInitialCapacity = 16384;
    static constexpr int kPollCapacity = 64;
    static constexpr uint32_t kTimerMs = 100;
    // A 16-bit payload length and the frame around it: no protocol has longer frames, so a
    // longer message file is not one.
    static constexpr int64_t kLargestMessageFile = 65535 + 8;

    CMessageForm(CVeltroDoc& document, IMessageFormSite& site);
    ~CMessageForm() override;
    CMessageForm(const CMessageForm&) = delete;
    CMessageForm& operator=(const CMessageForm&) = delete;

    // fromList: the user picked it, and is asked about a modified message not yet sent.
    void Select(CMessageNode* node, bool fromList);
    CMessageNode* Selected() const { return node; }
    // The page shown; null while no message is selected or its module carries no template.
    CDialogPage* Page() const { return page; }

    void HoldOn() { hold = true; }
    void HoldOff();
    void ToggleHold();
    void Send();
    void Poll();
    void ToggleAutoPoll();
    void ResetMessage();
    // askPath shows the file dialog; hold is kept on while it is open.
    void Save(const std::function<std::optional<std::string>()>& askPath);
    void Load(const std::string& path);

    bool Held() const { return hold || modified; }
    bool AutoPoll() const { return autoPoll; }
    bool Modified() const { return modified; }
    bool SendValid() const { return sendValid; }
    bool PollValid() const { return pollValid; }
    // A poll went out and no copy of the message came since.
    bool AwaitingPoll() const { return awaitingPoll; }
    bool HasBytes() const { return !buffer.empty(); }
    bool UnsavedConfiguration() const { return unsavedConfiguration; }
    const std::vector<uint8_t>& Bytes() const { return buffer; }
    uint32_t BytesTick() const { return bufferTick; }

    void OnUpdate(uint32_t hint, CMessageNode* hintObject);
    void OnTimer(uint32_t now);
    void ResizePage(int width, int height);
    // Before the frame switches to another view: false when the user chose to save the
    // configuration first, which selects "CFG-CFG".
    bool CanLeave();

    // The status line for the focused control: the rejected input, the focused one first; none
    // while every input is accepted.
    std::optional<std::u16string> StatusText(int focusedControl) const;
    // The first control whose input the message rejects; 0 while every input is accepted.
    int RejectedControl() const { return rejected.empty() ? 0 : rejected.front(); }

    MessageViewState State() const;
    void ApplyState(const MessageViewState& state);

private:
    void OnControlChanged(int controlId) override;
    void TakeStoredFrame();
    void RefreshPage();
    void ReadPageBack();
    void ValidatePage();
    void SendPoll();
    void NoteSentConfiguration();
    CDialogPage& PageOrBlank() { return page ? *page : blankPage; }

    CVeltroDoc& document;
    IMessageFormSite& site;
    CMessageNode* node = nullptr;
    CDialogPage* page = nullptr;
    const DialogTemplate* pageTemplate = nullptr;
    CMemoryPage blankPage;
    std::vector<uint8_t> buffer;
    std::vector<uint8_t> scratch;
    uint32_t bufferTick = 0;
    std::vector<uint8_t> pollFrame;
    std::vector<int> rejected;
    bool hold = false;
    bool autoPoll = true;
    bool modified = false;
    bool unsavedConfiguration = false;
    bool readBackPending = false;
    bool repaintPending = false;
    bool pageUpdatesHeld = false;
    bool sendValid = false;
    bool pollValid = false;
    bool pollPending = false;
    bool awaitingPoll = false;
    int ageShown = -1;
};
