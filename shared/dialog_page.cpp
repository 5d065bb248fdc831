#include "dialog_page.h"

int CDialogPage::FindItemPrefix(int controlId, const std::u16string& prefix, int start) const {
    const int count = ItemCount(controlId);
    for (int index = start < 0 ? 0 : start; index < count; ++index)
        if (ItemText(controlId, index).starts_with(prefix)) return index;
    return -1;
}
