#pragma once
#include <QPointer>
#include <QTimer>
#include <array>
#include <memory>
#include <vector>

#include "host/core/messages/message_form.h"
#include "host/views/command_state.h"
#include "host/views/view.h"

class CMessageFormPage;
class CViewToolBar;
class QComboBox;
class QLabel;
class QScrollArea;

// Where the user reads and changes the receiver's configuration one message at a time: a list of
// messages in the toolbar, the message's page from its plug-in, and hold, poll, send, reset, save
// and load. The work is the form's (CMessageForm); this view gives it widgets.
class CMessageFormView : public CView, public ICommandTarget, private IMessageFormSite {
public:
    CMessageFormView();
    ~CMessageFormView() override;

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;
    bool CanLeave() override { return Form().CanLeave(); }
    QToolBar* CreateViewToolBar(QWidget* parent) override;

    CommandState QueryCommand(unsigned command) override;
    void OnCommand(unsigned command) override;
    // Runs the command if its update handler enables it, as a button of the toolbar does.
    void RunCommand(unsigned command);

    CMessageForm& Form();
    // Null until the toolbar is created, and after the frame destroyed it.
    QComboBox* MessageList() const;
    QLabel* AgeField() const;
    CMessageFormPage* FormPage() const;
    QScrollArea& PageArea() const { return *pageArea; }
    // The user picks entry index of the message list.
    void PickMessage(int index);

protected:
    std::span<uint8_t> ViewStateBlock() override { return block; }
    void RefreshViewState() override;
    void ApplyViewState() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CDialogPage& CreatePage(const DialogTemplate& dialog, IPageListener& listener) override;
    void DestroyPage() override;
    void ShowSelection(CMessageNode& node, const std::u16string& displayName) override;
    void UpdateToolbar() override;
    void ShowAge(const std::u16string& text) override;
    void MarkRejected(int controlId, bool rejected) override;
    bool SendToReceiver(CMessageNode* node, const uint8_t* bytes, int length) override;
    bool CanSend() const override;
    bool Ask(const MessageBoxResource& box) override;
    void ShowMessage(const std::u16string& text) override;

    void OnTimer();
    void ShowStatus();
    void FillMessageList();
    void FitPage();

    std::unique_ptr<CMessageForm> form;
    QScrollArea* pageArea;
    QPointer<CMessageFormPage> formPage;
    // The frame owns the toolbar and may destroy it first.
    QPointer<CViewToolBar> toolBar;
    QPointer<QComboBox> messageList;
    QPointer<QLabel> ageField;
    std::u16string ageText;
    std::vector<CMessageNode*> entries;
    QTimer timer;
    std::array<uint8_t, MessageViewState::kSize> block{};
    bool statusShown = false;
};

class CViewRegistry;

void RegisterMessageViews(CViewRegistry& registry);
