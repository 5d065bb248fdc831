#pragma once
#include <string>

// What a message node sees of its detail page: controls addressed by their integer id. The host
// realises it with widgets; tests use an in-memory page.
class CDialogPage {
public:
    virtual ~CDialogPage() = default;

    virtual std::u16string GetControlText(int controlId) const = 0;
    virtual void SetControlText(int controlId, const std::u16string& text) = 0;
    virtual bool IsChecked(int controlId) const = 0;
    virtual void SetChecked(int controlId, bool checked) = 0;
    virtual void SetTextLimit(int controlId, int characters) = 0;
    virtual void MoveControl(int controlId, int x, int y, int width, int height) = 0;
    virtual void RedrawControl(int controlId) = 0;
};
