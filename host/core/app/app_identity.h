#pragma once
#include <string>

// Who the program is: its title and version, shown as the main window's caption, and the keys
// that its settings live under (the company's folder, and the profile named after the title
// followed by the digit 3).
inline constexpr char16_t kAppTitle[] = u"Veltro";
inline constexpr char16_t kAppVersion[] = u"4.02";
inline constexpr char kCompanyKey[] = "Korvala";
inline constexpr char kProfileKey[] = "Veltro3";

// The title and the version: the main window's caption.
inline std::u16string AppDisplayName() { return std::u16string(kAppTitle) + u" " + kAppVersion; }

// The compiler's build date ("Dec  8 2026", as __DATE__ writes it) as 2026-12-08; a text of
// another form is returned as it is.
std::string IsoBuildDate(const std::string& compilerDate);
