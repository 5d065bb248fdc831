#include "value_format.h"

#include "platform/text.h"

namespace {

bool IsFlag(char16_t c) { return c == u'-' || c == u'+' || c == u' ' || c == u'#' || c == u'0'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsFloatConversion(char16_t c) {
    return c == u'f' || c == u'F' || c == u'e' || c == u'E' || c == u'g' || c == u'G' || c == u'a' || c == u'A';
}

}  // namespace

bool IsSingleNumberFormat(const std::u16string& format) {
    int conversions = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') continue;
        ++i;
        if (i < format.size() && format[i] == u'%') continue;
        while (i < format.size() && IsFlag(format[i])) ++i;
        int digits = 0;
        while (i < format.size() && IsDigit(format[i]) && ++digits <= 2) ++i;
        if (i < format.size() && format[i] == u'.') {
            ++i;
            digits = 0;
            while (i < format.size() && IsDigit(format[i]) && ++digits <= 2) ++i;
        }
        if (i < format.size() && format[i] == u'l') ++i;
        if (i >= format.size() || !IsFloatConversion(format[i])) return false;
        ++conversions;
    }
    return conversions == 1;
}

std::u16string FormatNumber(const std::u16string& format, double value) {
    if (!IsSingleNumberFormat(format)) return platform::FormatW(u"%f", value);
    return platform::FormatW(format.c_str(), value);
}
