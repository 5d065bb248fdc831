#pragma once
#include <QWidget>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "host/core/intake/document_observer.h"
#include "host/views/screen_metrics.h"

class CColorTable;
class CMessageNode;
class CVeltroDoc;
class IMessageBox;
class ILogFileDialogs;
class IMessageFileDialogs;
class QToolBar;

namespace platform {
class CProfile;
}

// What a view may ask of the frame that shows it.
class IViewHost {
public:
    virtual ~IViewHost() = default;
    // The one way to send bytes to the receiver; false unless every byte went out.
    virtual bool SendToReceiver(CMessageNode* node, const uint8_t* bytes, int length) = 0;
    virtual bool CanSend() const = 0;
    // "COM1 57600 baud", or that no port is open.
    virtual std::u16string ConnectionText() const = 0;
    // The frame's questions and notices, which tests answer instead of a user.
    virtual IMessageBox& Messages() = 0;
    virtual IMessageFileDialogs& MessageFiles() = 0;
    virtual ILogFileDialogs& LogFiles() = 0;
    // Runs a frame command once the caller has returned, since the command may destroy the caller.
    virtual void PostCommand(unsigned command) = 0;
};

// What every view is bound to.
struct ViewContext {
    CVeltroDoc& document;
    const CColorTable& colors;
    platform::CProfile& profile;
    IViewHost& host;
    ScreenDensity density;
};

// Base of every view: a widget bound to the document, which tells it about new data through
// OnUpdate while the view exists. Views are created by class (CViewRegistry), live only while
// shown, and may hand out and take back a block of their settings (the view state).
class CView : public QWidget {
public:
    CView();
    ~CView() override;

    // Binds the view to the document: from now on it receives update hints.
    void Create(const ViewContext& context, const std::u16string& viewClass, QWidget* parent);
    const std::u16string& ViewClass() const { return viewClass; }
    bool IsWindow() const { return context.has_value(); }

    // Once bound, while the frame creates the view: false refuses it (a prompt was cancelled), and
    // the frame shows no view of it.
    virtual bool OnCreate() { return true; }
    virtual void OnInitialUpdate();
    // hint: UpdateHint bits; hintObject: the message node with HINT_MESSAGE.
    virtual void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject);

    // May the frame switch to another view? A view with unsaved work asks the user.
    virtual bool CanLeave() { return true; }

    // WM_GETVIEWSTATE: the view's state block, refreshed from its settings; empty when it has none.
    std::span<const uint8_t> GetViewState();
    // WM_SETVIEWSTATE: a block of another size is refused and nothing changes.
    bool SetViewState(std::span<const uint8_t> block);

    // The view's own toolbar, created once while the view is created; null when it has none.
    virtual QToolBar* CreateViewToolBar(QWidget* parent);

protected:
    CVeltroDoc& Document() const { return context->document; }
    const ViewContext& Context() const { return *context; }

    // Views with a state block: the block itself (its size is the block's size), how to fill it
    // from the current settings, and how to apply it after it was copied in.
    virtual std::span<uint8_t> ViewStateBlock() { return {}; }
    virtual void RefreshViewState() {}
    virtual void ApplyViewState() {}

private:
    class CDocumentLink : public IDocumentObserver {
    public:
        explicit CDocumentLink(CView& view) : view(view) {}
        void OnUpdate(uint32_t hint, CMessageNode* node) override;

    private:
        CView& view;
    };

    CDocumentLink link{*this};
    std::optional<ViewContext> context;
    std::u16string viewClass;
};
