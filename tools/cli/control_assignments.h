#pragma once
#include <string>
#include <string_view>
#include <vector>

class CMemoryPage;
struct DialogTemplate;

// CONTROL=VALUE of the command line: a control of a page, named by its label as `show` prints
// it or by "#id", and what to set it to.
struct ControlAssignment {
    std::u16string control;
    std::u16string value;

    // False when the text holds no "=" or nothing before it.
    static bool Parse(std::string_view text, ControlAssignment& assignment);
};

enum class AssignResult { Done, UnknownControl, Refused };

// Sets the control as a user would, so that the page's message hears of it: a list takes the
// item of that text or leading number, a check box or radio button "on" or "off", an edit the text.
// A disabled or read-only control, or a value that is none of a list's items, is refused.
AssignResult AssignControl(CMemoryPage& page, const DialogTemplate& dialog, const ControlAssignment& assignment);

// The labels of the page's controls that take input, in template order.
std::vector<std::u16string> InputLabels(const CMemoryPage& page, const DialogTemplate& dialog);

// Every assignment in order; stops at the first that fails, saying why in error (for an unknown
// control, with the page's labels one a line).
AssignResult AssignAll(CMemoryPage& page, const DialogTemplate& dialog, const std::vector<ControlAssignment>& assignments,
                       std::string& error);
