#include "command_state.h"

std::u16string NumberedMenuText(size_t index, const std::u16string& title) {
    std::u16string text{u'&', static_cast<char16_t>(u'0' + (index + 1) % 10), u' '};
    for (char16_t c : title) {
        text += c;
        if (c == u'&') text += c;
    }
    return text;
}
