#pragma once
#include <string>

#include "shared/dialog_page.h"

// A page without controls: polls and rate commands of navigation messages read nothing from a
// page, so code that sends them without a window open hands this one.
class CBlankPage final : public CDialogPage {
public:
    std::u16string GetControlText(int) const override { return {}; }
    void SetControlText(int, const std::u16string&) override {}
    bool IsChecked(int) const override { return false; }
    void SetChecked(int, bool) override {}
    void SetTextLimit(int, int) override {}
    void MoveControl(int, int, int, int, int) override {}
    void RedrawControl(int) override {}
};
