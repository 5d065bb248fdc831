#include "text.h"

#include <clocale>
#include <cstdio>
#include <locale.h>
#include <vector>

namespace platform {
namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned codes, which map to themselves.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t AnsiToWideChar(unsigned char c) {
    if (c >= 0x80 && c < 0xA0 && kCp1252High[c - 0x80] != 0) return kCp1252High[c - 0x80];
    return c;
}

char WideToAnsiChar(char16_t w) {
    if (w < 0x80 || (w >= 0xA0 && w <= 0xFF)) return static_cast<char>(w);
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == w) return static_cast<char>(0x80 + i);
        if (kCp1252High[i] == 0 && w == 0x80 + i) return static_cast<char>(w);
    }
    return '?';
}

locale_t CLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

}  // namespace

std::u16string AnsiToWide(std::string_view ansi) {
    std::u16string wide;
    wide.reserve(ansi.size());
    for (char c : ansi) wide += AnsiToWideChar(static_cast<unsigned char>(c));
    return wide;
}

std::string WideToAnsi(std::u16string_view wide) {
    std::string ansi;
    ansi.reserve(wide.size());
    for (char16_t w : wide) ansi += WideToAnsiChar(w);
    return ansi;
}

std::u16string Utf8ToWide(std::string_view utf8) {
    std::u16string wide;
    wide.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const size_t extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
        char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        bool good = (lead < 0x80 || lead >= 0xC0) && lead < 0xF8 && i + extra < utf8.size();
        for (size_t k = 1; good && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            good = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!good || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
            wide += u'\uFFFD';  // a malformed byte stands for itself as one replacement character
            ++i;
            continue;
        }
        AppendUtf16(wide, cp);
        i += extra + 1;
    }
    return wide;
}

std::string WideToUtf8(std::u16string_view wide) {
    std::string utf8;
    utf8.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t cp = wide[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        AppendUtf8(utf8, cp);
    }
    return utf8;
}

std::string FormatCv(const char* format, va_list args) {
    const locale_t previous = uselocale(CLocale());
    va_list copy;
    va_copy(copy, args);
    char small[256];
    const int needed = vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    std::string result;
    if (needed < 0) {
        result.clear();
    } else if (static_cast<size_t>(needed) < sizeof small) {
        result.assign(small, static_cast<size_t>(needed));
    } else {
        std::vector<char> big(static_cast<size_t>(needed) + 1);
        vsnprintf(big.data(), big.size(), format, args);
        result.assign(big.data(), static_cast<size_t>(needed));
    }
    uselocale(previous);
    return result;
}

std::string FormatC(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string result = FormatCv(format, args);
    va_end(args);
    return result;
}

std::u16string FormatWv(const char16_t* format, va_list args) {
    const std::string narrow = WideToUtf8(format);
    return Utf8ToWide(FormatCv(narrow.c_str(), args));
}

std::u16string FormatW(const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    std::u16string result = FormatWv(format, args);
    va_end(args);
    return result;
}

int WideCompare(const char16_t* a, const char16_t* b) {
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return static_cast<int>(*a) - static_cast<int>(*b);
}

}  // namespace platform
