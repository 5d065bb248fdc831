#pragma once
#include <string>

class CMemoryPage;
struct DialogTemplate;

// A page as lines of text: a list control as its column headings and one line per row, cells
// separated by " | "; every other visible control that holds a value as "label: value" (the label
// as FindControlLabel finds it; the value alone when it has none); check boxes and radio buttons
// as "[x] text" or "[ ] text".
std::string PageText(const CMemoryPage& page, const DialogTemplate& dialog);
