#include "message_form.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/core/intake/document_observer.h"
#include "host/core/intake/veltro_doc.h"
#include "host/core/messages/message_list.h"
#include "host/core/messages/page_template.h"
#include "platform/text.h"
#include "resources/veltro/strings.h"
#include "shared/message_node.h"

namespace {

bool TakesInput(ControlKind kind) {
    return kind != ControlKind::StaticText && kind != ControlKind::GroupBox && kind != ControlKind::Picture;
}

enum class FileRead { Read, TooLarge, Failed };

// Only regular files: a pipe or a device could keep the window waiting for ever.
FileRead ReadMessageFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return FileRead::Failed;
    std::ifstream file(path, std::ios::binary);
    if (!file) return FileRead::Failed;
    bytes.clear();
    char chunk[4096];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + file.gcount());
        if (static_cast<int64_t>(bytes.size()) > CMessageForm::kLargestMessageFile) return FileRead::TooLarge;
    }
    return file.bad() ? FileRead::Failed : FileRead::Read;
}

bool AcceptedUpToRoot(CMessageNode& node, const std::vector<uint8_t>& bytes) {
    const int length = static_cast<int>(bytes.size());
    for (CMessageNode* n = &node; n; n = n->Parent())
        if (!n->Accept(bytes.data(), length)) return false;
    return true;
}

}  // namespace

CMessageForm::CMessageForm(CVeltroDoc& document, IMessageFormSite& site) : document(document), site(site) {
    buffer.reserve(kInitialCapacity);
    scratch.resize(kInitialCapacity);
}

CMessageForm::~CMessageForm() = default;

void CMessageForm::Select(CMessageNode* newNode, bool fromList) {
    if (fromList && modified && sendValid && site.CanSend()) {
        if (site.Ask(kAskSendModified))
            Send();
        else
            modified = false;
    }
    if (page) site.DestroyPage();
    page = nullptr;
    pageTemplate = nullptr;
    rejected.clear();
    node = newNode;
    sendValid = pollValid = false;
    if (!node) return site.UpdateToolbar();
    pageTemplate = PageTemplateOf(*node);
    if (pageTemplate) {
        pageUpdatesHeld = true;
        page = &site.CreatePage(*pageTemplate, *this);
        ShowPagePictures(*page, *pageTemplate, node->ResourceModule());
        node->InitPage(*page);
        pageUpdatesHeld = false;
    }
    site.ShowSelection(*node, DisplayName(*node));
    modified = false;
    TakeStoredFrame();
    RefreshPage();
    readBackPending = true;
    pollPending = true;
    site.UpdateToolbar();
}

void CMessageForm::HoldOff() {
    hold = false;
    modified = false;
    if (node) {
        TakeStoredFrame();
        RefreshPage();
        readBackPending = true;
    }
    site.UpdateToolbar();
}

void CMessageForm::ToggleHold() {
    if (!hold && !modified) {
        HoldOn();
        site.UpdateToolbar();
    } else {
        HoldOff();
    }
}

void CMessageForm::Send() {
    if (readBackPending) ReadPageBack();
    pollPending = autoPoll;
    modified = false;
    awaitingPoll = false;
    if (sendValid && node) {
        // The send path hands the message to the views again, which may refill the buffer.
        const std::vector<uint8_t> frame = buffer;
        site.SendToReceiver(node, frame.data(), static_cast<int>(frame.size()));
        NoteSentConfiguration();
    }
    site.UpdateToolbar();
}

void CMessageForm::Poll() {
    if (readBackPending) ReadPageBack();
    if (pollValid) SendPoll();
}

void CMessageForm::ToggleAutoPoll() {
    autoPoll = !autoPoll;
    if (autoPoll) pollPending = true;
    site.UpdateToolbar();
}

void CMessageForm::ResetMessage() {
    if (!node) return;
    node->Reset();
    TakeStoredFrame();
    sendValid = pollValid = false;
    RefreshPage();
    site.UpdateToolbar();
}

void CMessageForm::Save(const std::function<std::optional<std::string>()>& askPath) {
    const bool wasHeld = hold;
    hold = true;
    const std::optional<std::string> path = askPath();
    hold = wasHeld;
    if (!path) return;
    std::ofstream file(*path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
    file.close();
    if (!file) site.ShowMessage(kMessageFileNotWritten);
}

void CMessageForm::Load(const std::string& path) {
    if (!node) return;
    std::vector<uint8_t> bytes;
    switch (ReadMessageFile(path, bytes)) {
        case FileRead::Failed:
            return site.ShowMessage(kMessageFileUnreadable);
        case FileRead::TooLarge:
            return site.ShowMessage(kNotSameFormat);
        case FileRead::Read:
            break;
    }
    if (!AcceptedUpToRoot(*node, bytes)) return site.ShowMessage(kNotSameFormat);
    modified = true;
    buffer = std::move(bytes);
    bufferTick = 0;
    RefreshPage();
    readBackPending = true;
    site.UpdateToolbar();
}

void CMessageForm::OnUpdate(uint32_t hint, CMessageNode* hintObject) {
    if (hint & HINT_NEW_DOCUMENT) {
        buffer.clear();
        bufferTick = 0;
        sendValid = pollValid = false;
        repaintPending = node != nullptr;
    }
    if ((hint & HINT_MESSAGE) && node && hintObject && (hintObject == node || node->LastReceiveTick() != bufferTick)) {
        if (awaitingPoll) {
            awaitingPoll = hold = modified = false;
            site.UpdateToolbar();
        }
        if (!hold && !modified) {
            TakeStoredFrame();
            repaintPending = true;
        }
    }
    if ((hint & HINT_FORCED) || ((hint & HINT_REFRESH_DUE) && repaintPending)) RefreshPage();
}

void CMessageForm::OnTimer(uint32_t now) {
    const int age = bufferTick == 0 ? -1 : static_cast<int>((now - bufferTick + 500) / 1000);
    if (age != ageShown) {
        ageShown = age;
        site.ShowAge(age < 0 ? std::u16string() : platform::FormatW(kMessageAgeFormat, age));
    }
    if (readBackPending) {
        const bool wasSendValid = sendValid, wasPollValid = pollValid;
        ReadPageBack();
        if (sendValid != wasSendValid || pollValid != wasPollValid) site.UpdateToolbar();
    }
    if (autoPoll && pollPending && node) {
        int length = 0;
        pollFrame.resize(kPollCapacity);
        const bool valid = node->BuildPoll(PageOrBlank(), pollFrame.data(), length, kPollCapacity) > 0 && length > 0 &&
                           length <= kPollCapacity;
        pollFrame.resize(valid ? static_cast<size_t>(length) : 0);
        if (valid && site.CanSend()) SendPoll();
    }
    pollPending = false;
}

void CMessageForm::ResizePage(int width, int height) {
    if (node && page) node->ResizePage(*page, width, height);
}

bool CMessageForm::CanLeave() {
    if (!unsavedConfiguration) return true;
    CMessageNode* save = document.FindNodeByProtocol(u"KVB", u"CFG-CFG", nullptr);
    if (!save || save == node) return true;
    if (!site.Ask(kAskSwitchToSave)) return true;
    Select(save, false);
    return false;
}

std::optional<std::u16string> CMessageForm::StatusText(int focusedControl) const {
    if (rejected.empty() || !pageTemplate) return std::nullopt;
    const bool focusedRejected = std::find(rejected.begin(), rejected.end(), focusedControl) != rejected.end();
    const std::u16string label = ControlLabel(*pageTemplate, focusedRejected ? focusedControl : rejected.front());
    return platform::FormatW(kRejectedInput.text, platform::WideToUtf8(label).c_str());
}

MessageViewState CMessageForm::State() const {
    MessageViewState state;
    state.hold = hold;
    state.autoPoll = autoPoll;
    if (node) {
        state.protocol = node->Root()->Label();
        state.message = MessageName(*node);
    }
    return state;
}

void CMessageForm::ApplyState(const MessageViewState& state) {
    hold = state.hold;
    autoPoll = state.autoPoll;
    if (CMessageNode* named = state.message.empty() ? nullptr : FindMessage(document, state.protocol, state.message))
        Select(named, false);
    site.UpdateToolbar();
}

void CMessageForm::OnControlChanged(int controlId) {
    if (pageUpdatesHeld || !node || !page) return;
    if (node->OnControlChange(*page, controlId) && autoPoll) pollPending = true;
    modified = true;
    readBackPending = true;
    ValidatePage();
    site.UpdateToolbar();
}

void CMessageForm::TakeStoredFrame() {
    buffer.assign(node->FrameBytes(), node->FrameBytes() + node->FrameLength());
    bufferTick = node->LastReceiveTick();
}

void CMessageForm::RefreshPage() {
    repaintPending = false;
    if (!node || !page) return;
    pageUpdatesHeld = true;
    node->ShowData(*page, buffer.data(), static_cast<int>(buffer.size()));
    pageUpdatesHeld = false;
    ValidatePage();
    // What the page shows can be sent back as it stands.
    readBackPending = true;
}

// The send frame is built aside, so that a page that builds nothing leaves the copy shown intact.
void CMessageForm::ReadPageBack() {
    readBackPending = false;
    if (!node) return;
    CDialogPage& source = PageOrBlank();
    scratch.resize(std::max(kInitialCapacity, buffer.size()));
    const int capacity = static_cast<int>(scratch.size());
    int length = 0;
    sendValid = node->BuildFromPage(source, scratch.data(), length, capacity) && length > 0 && length <= capacity &&
                rejected.empty();
    if (sendValid) buffer.assign(scratch.begin(), scratch.begin() + length);
    int pollLength = 0;
    pollFrame.resize(kPollCapacity);
    pollValid = node->BuildPoll(source, pollFrame.data(), pollLength, kPollCapacity) > 0 && pollLength > 0 &&
                pollLength <= kPollCapacity;
    pollFrame.resize(pollValid ? static_cast<size_t>(pollLength) : 0);
}

void CMessageForm::ValidatePage() {
    if (!page || !pageTemplate) return;
    for (const ControlTemplate& control : pageTemplate->controls) {
        if (!TakesInput(control.kind)) continue;
        const bool isRejected = !node->ValidateControl(*page, control.id);
        const auto found = std::find(rejected.begin(), rejected.end(), control.id);
        const bool wasRejected = found != rejected.end();
        if (isRejected == wasRejected) continue;
        if (isRejected)
            rejected.push_back(control.id);
        else
            rejected.erase(found);
        site.MarkRejected(control.id, isRejected);
    }
}

void CMessageForm::SendPoll() {
    awaitingPoll = true;
    const std::vector<uint8_t> frame = pollFrame;
    site.SendToReceiver(node, frame.data(), static_cast<int>(frame.size()));
}

void CMessageForm::NoteSentConfiguration() {
    if (!IsConfigurationMessage(*node)) return;
    const std::u16string_view name = node->Name();
    if (name == u"CFG-CFG")
        unsavedConfiguration = false;
    else if (name != u"CFG-RST")
        unsavedConfiguration = true;
}
