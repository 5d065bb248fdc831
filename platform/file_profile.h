#pragma once
#include <string>

#include "platform/profile.h"

namespace platform {

// The profile kept in a text file, one "[section]" line per section and one "key=type:value"
// line per value (i: integer, s: text, b: bytes in hexadecimal). Texts are UTF-8 with "\\",
// "\=" and "\uXXXX" escapes, so that any section, key or value reads back exactly. Every change
// rewrites the file through a temporary file and a rename, so a crash never leaves half a file.
class CFileProfile : public CMemoryProfile {
public:
    // A missing file starts an empty profile; an unreadable or corrupt one is reported once on
    // stderr and replaced by an empty profile.
    explicit CFileProfile(std::string path);

    // $VELTRO_CONFIG_HOME/Veltro3.ini when set, else Korvala/Veltro3.ini in the user's XDG
    // configuration folder ($XDG_CONFIG_HOME, or ~/.config).
    static std::string DefaultPath();

    const std::string& Path() const { return path; }

protected:
    void OnChanged() override;

private:
    void Load();
    bool Save() const;

    std::string path;
    bool writeFailureReported = false;
};

}  // namespace platform
