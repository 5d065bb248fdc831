#include "plugins/kvb/pages/kvb_page.h"

#include <cstdarg>

#include "platform/text.h"
#include "shared/dialog_page.h"
#include "shared/value_format.h"

void CKvbPage::Resize(CDialogPage& page, int width, int height) const {
    if (!mainControl) return;
    SizeDlgItemToBottom(page, mainControl, width - page.ControlRect(mainControl).x, height);
}

std::u16string KvbCell(const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    std::u16string text = platform::FormatWv(format, args);
    va_end(args);
    if (text.size() > kKvbCellCapacity) text.resize(kKvbCellCapacity);
    return text;
}
