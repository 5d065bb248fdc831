#include "message_form_view.h"

#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

#include "host/core/intake/veltro_doc.h"
#include "host/core/messages/message_list.h"
#include "host/views/color_table.h"
#include "host/views/message_box.h"
#include "host/views/message_file_dialogs.h"
#include "host/views/messages/message_form_page.h"
#include "host/views/text/view_tool_bar.h"
#include "host/views/view_classes.h"
#include "host/views/view_registry.h"
#include "platform/ticks.h"
#include "resources/veltro/main_menu.h"

CMessageFormView::CMessageFormView() : pageArea(new QScrollArea(this)) {
    pageArea->setWidgetResizable(false);
    pageArea->setFrameShape(QFrame::NoFrame);
    timer.setInterval(static_cast<int>(CMessageForm::kTimerMs));
    connect(&timer, &QTimer::timeout, this, [this] { OnTimer(); });
}

CMessageFormView::~CMessageFormView() {
    timer.stop();
    // The page tells the form of changes; it goes first.
    delete pageArea->takeWidget();
    if (statusShown)
        if (auto* frame = qobject_cast<QMainWindow*>(window())) frame->statusBar()->clearMessage();
}

CMessageForm& CMessageFormView::Form() {
    if (!form) form = std::make_unique<CMessageForm>(Document(), static_cast<IMessageFormSite&>(*this));
    return *form;
}

QComboBox* CMessageFormView::MessageList() const { return messageList; }

QLabel* CMessageFormView::AgeField() const { return ageField; }

CMessageFormPage* CMessageFormView::FormPage() const { return formPage; }

void CMessageFormView::OnInitialUpdate() {
    Form();
    timer.start();
    UpdateToolbar();
}

void CMessageFormView::OnUpdate(CView*, uint32_t hint, CMessageNode* hintObject) {
    if (!IsWindow()) return;
    Form().OnUpdate(hint, hintObject);
}

QToolBar* CMessageFormView::CreateViewToolBar(QWidget* parent) {
    toolBar = new CViewToolBar(kMessageToolbar, *this, parent);
    messageList = new QComboBox(toolBar);
    messageList->setMinimumContentsLength(14);
    connect(messageList, &QComboBox::activated, this, [this](int index) { PickMessage(index); });
    toolBar->ReplaceButton(cmd::kMessageList, messageList);
    ageField = new QLabel(toolBar);
    ageField->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ageField->setText(QString::fromStdU16String(ageText));
    toolBar->ReplaceButton(cmd::kMessageAge, ageField);
    FillMessageList();
    UpdateToolbar();
    return toolBar;
}

void CMessageFormView::FillMessageList() {
    entries = MessageListEntries(Document());
    const QSignalBlocker quiet(messageList.data());
    messageList->clear();
    for (CMessageNode* node : entries) messageList->addItem(QString::fromStdU16String(DisplayName(*node)));
    const auto selected = std::find(entries.begin(), entries.end(), Form().Selected());
    messageList->setCurrentIndex(selected == entries.end() ? -1 : static_cast<int>(selected - entries.begin()));
}

void CMessageFormView::PickMessage(int index) {
    if (index < 0 || static_cast<size_t>(index) >= entries.size()) return;
    Form().Select(entries[static_cast<size_t>(index)], true);
}

CommandState CMessageFormView::QueryCommand(unsigned command) {
    CMessageForm& f = Form();
    const bool selected = f.Selected() != nullptr;
    if (const std::optional<CommandState> state = RunPauseState(command, f.Held(), selected)) return *state;
    switch (command) {
        case cmd::kSendMessage:
            return CommandState::Enabled(f.SendValid());
        case cmd::kPollMessage:
            return CommandState::Enabled(f.PollValid());
        case cmd::kAutoPoll:
            return CommandState::Enabled(true, f.AutoPoll());
        case cmd::kResetMessage:
        case cmd::kSaveMessage:
            return CommandState::Enabled(f.HasBytes());
        case cmd::kLoadMessage:
            return CommandState::Enabled(selected);
        case cmd::kMessageList:
        case cmd::kMessageAge:
            return CommandState::Enabled(true);
        default:
            return {};
    }
}

void CMessageFormView::OnCommand(unsigned command) {
    CMessageForm& f = Form();
    switch (command) {
        case cmd::kHoldOn:
            f.HoldOn();
            return UpdateToolbar();
        case cmd::kHoldOff:
            return f.HoldOff();
        case cmd::kViewTogglePause:
            return f.ToggleHold();
        case cmd::kSendMessage:
            return f.Send();
        case cmd::kPollMessage:
            return f.Poll();
        case cmd::kAutoPoll:
            return f.ToggleAutoPoll();
        case cmd::kResetMessage:
            return f.ResetMessage();
        case cmd::kSaveMessage:
            return f.Save(
                [this] { return Context().host.MessageFiles().AskSaveMessage(DisplayName(*Form().Selected())); });
        case cmd::kLoadMessage:
            if (const std::optional<std::string> path = Context().host.MessageFiles().AskLoadMessage()) f.Load(*path);
            return;
        default:
            return;
    }
}

void CMessageFormView::RunCommand(unsigned command) {
    if (QueryCommand(command).enabled) OnCommand(command);
    UpdateToolbar();
}

void CMessageFormView::RefreshViewState() {
    MessageViewState state = Form().State();
    state.scrollX = pageArea->horizontalScrollBar()->value();
    state.scrollY = pageArea->verticalScrollBar()->value();
    block = state.Encode();
}

void CMessageFormView::ApplyViewState() {
    const MessageViewState state = MessageViewState::Decode(block);
    Form().ApplyState(state);
    pageArea->horizontalScrollBar()->setValue(state.scrollX);
    pageArea->verticalScrollBar()->setValue(state.scrollY);
}

void CMessageFormView::resizeEvent(QResizeEvent* event) {
    CView::resizeEvent(event);
    pageArea->setGeometry(rect());
    FitPage();
}

// The page keeps at least its template's size, and scrolls when the view is smaller.
void CMessageFormView::FitPage() {
    if (!formPage) return;
    const QSize area = pageArea->maximumViewportSize();
    const QSize size = formPage->PageSize().expandedTo(area);
    formPage->resize(size);
    Form().ResizePage(size.width(), size.height());
}

CDialogPage& CMessageFormView::CreatePage(const DialogTemplate& dialog, IPageListener& listener) {
    formPage = new CMessageFormPage(dialog, Context().colors.Color(CColorTable::kRejectedInput));
    formPage->SetListener(&listener);
    pageArea->setWidget(formPage);
    FitPage();
    formPage->show();
    return *formPage;
}

void CMessageFormView::DestroyPage() { delete pageArea->takeWidget(); }

void CMessageFormView::ShowSelection(CMessageNode& node, const std::u16string& displayName) {
    // The node has prepared its page and lays it out for the room it has.
    FitPage();
    setWindowTitle(QString::fromStdU16String(displayName));
    // The node could not fit a page that the form did not hold yet when it was created.
    FitPage();
    if (!messageList) return;
    const auto at = std::find(entries.begin(), entries.end(), &node);
    const QSignalBlocker quiet(messageList.data());
    messageList->setCurrentIndex(at == entries.end() ? -1 : static_cast<int>(at - entries.begin()));
}

void CMessageFormView::UpdateToolbar() {
    if (toolBar) toolBar->UpdateButtons();
}

void CMessageFormView::ShowAge(const std::u16string& text) {
    ageText = text;
    if (ageField) ageField->setText(QString::fromStdU16String(text));
}

void CMessageFormView::MarkRejected(int controlId, bool rejected) {
    if (formPage) formPage->SetControlRejected(controlId, rejected);
}

bool CMessageFormView::SendToReceiver(CMessageNode* node, const uint8_t* bytes, int length) {
    return Context().host.SendToReceiver(node, bytes, length);
}

bool CMessageFormView::CanSend() const { return Context().host.CanSend(); }

bool CMessageFormView::Ask(const MessageBoxResource& box) {
    return Context().host.Messages().Raise(box);
}

void CMessageFormView::ShowMessage(const std::u16string& text) {
    Context().host.Messages().Show(text, IMessageBox::Icon::Warning);
}

void CMessageFormView::OnTimer() {
    Form().OnTimer(platform::GetTickCount());
    ShowStatus();
}

// The frame's status line names a rejected input while there is one, and is left to the frame
// otherwise.
void CMessageFormView::ShowStatus() {
    auto* frame = qobject_cast<QMainWindow*>(window());
    if (!frame) return;
    const int focused = formPage ? formPage->FocusedControlId() : 0;
    if (const std::optional<std::u16string> text = Form().StatusText(focused)) {
        frame->statusBar()->showMessage(QString::fromStdU16String(*text));
        statusShown = true;
    } else if (statusShown) {
        frame->statusBar()->clearMessage();
        statusShown = false;
    }
}

void RegisterMessageViews(CViewRegistry& registry) {
    registry.Register(view_class::kMessageFormView, [] { return std::make_unique<CMessageFormView>(); });
}
