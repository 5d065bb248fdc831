#pragma once
// Switches the process to a German locale (decimal comma), as Qt does from the environment on a
// German desktop. The locale is compiled into a temporary folder so that no system locale needs
// to be installed; tests skip when that is not possible.
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

class ScopedGermanLocale {
public:
    ScopedGermanLocale() {
        const auto folder = std::filesystem::temp_directory_path() / "veltro-test-locales";
        const auto locale = folder / "de_DE.UTF-8";
        if (!std::filesystem::exists(locale)) {
            std::filesystem::create_directories(folder);
            const std::string command = "localedef -i de_DE -f UTF-8 '" + locale.string() + "' >/dev/null 2>&1";
            if (std::system(command.c_str()) != 0 && !std::filesystem::exists(locale)) return;
        }
        setenv("LOCPATH", folder.c_str(), 1);
        active = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~ScopedGermanLocale() {
        std::setlocale(LC_ALL, "C");
        unsetenv("LOCPATH");
    }
    bool Active() const { return active; }

private:
    bool active = false;
};
