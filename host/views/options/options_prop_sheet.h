#pragma once
#include <QColor>
#include <QDialog>
#include <functional>

#include "host/core/frame/generic_options_form.h"
#include "shared/page_listener.h"

class CMainFrameLogic;
class CMainFrameMobile;
class CMessageFormPage;
class QDialogButtonBox;
class QPushButton;

// The page "Generic" of the Preferences (template 2096) on the form the tests share: what the
// user types is checked when the sheet applies it, and a value that cannot be taken keeps the
// sheet open with its field drawn as rejected.
class COptionsPropPageGeneric : public QWidget, private IPageListener {
public:
    COptionsPropPageGeneric(CMainFrameLogic& frame, const QColor& rejectedColor, QWidget* parent);

    CMessageFormPage& Page() const { return *page; }
    bool IsModified() const { return form.IsModified(); }
    // False when a field cannot be taken; nothing is applied then.
    bool Apply();
    void SetModifiedListener(std::function<void()> listener) { onModified = std::move(listener); }

private:
    void OnControlChanged(int controlId) override;

    CMainFrameLogic& frame;
    CMessageFormPage* page;
    CGenericOptionsForm form;
    int rejected = 0;
    std::function<void()> onModified;
};

// The Preferences: its one page, OK and Apply to apply it, Cancel to leave every option as it was.
class COptionsPropSheet : public QDialog {
public:
    COptionsPropSheet(CMainFrameLogic& frame, const QColor& rejectedColor, QWidget* parent);

    COptionsPropPageGeneric& Generic() const { return *generic; }
    QPushButton* Button(int standardButton) const;

    void accept() override;

private:
    COptionsPropPageGeneric* generic;
    QDialogButtonBox* buttons;
};

// File "&Preferences...".
void AddOptionsCommands(CMainFrameMobile& frame);
