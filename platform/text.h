#pragma once
#include <cstdarg>
#include <string>
#include <string_view>

#include "platform/export.h"

// The program's wide text is UTF-16 (std::u16string). Protocol text on the wire and in files is
// 8-bit ANSI (Windows-1252); the desktop speaks UTF-8. Numbers are always printed in the C locale,
// whatever locale the GUI toolkit has set for the process.
namespace platform {

VELTRO_EXPORT std::u16string AnsiToWide(std::string_view ansi);
// Characters without a Windows-1252 form become '?'.
VELTRO_EXPORT std::string WideToAnsi(std::u16string_view wide);

VELTRO_EXPORT std::u16string Utf8ToWide(std::string_view utf8);
VELTRO_EXPORT std::string WideToUtf8(std::u16string_view wide);

// printf-style formatting in the C locale.
VELTRO_EXPORT std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));
VELTRO_EXPORT std::string FormatCv(const char* format, va_list args);
// The same with a wide format string (taken as UTF-16, printed through UTF-8) and a wide result.
VELTRO_EXPORT std::u16string FormatW(const char16_t* format, ...);
VELTRO_EXPORT std::u16string FormatWv(const char16_t* format, va_list args);

// Ordinal comparison of two null-terminated wide strings, as wcscmp: <0, 0, >0.
VELTRO_EXPORT int WideCompare(const char16_t* a, const char16_t* b);

}  // namespace platform
