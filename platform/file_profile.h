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
    // While it lives, changes stay in memory; the file is written once at its end.
    class CWriteBatch {
    public:
        explicit CWriteBatch(CFileProfile& profile);
        ~CWriteBatch();
        CWriteBatch(const CWriteBatch&) = delete;
        CWriteBatch& operator=(const CWriteBatch&) = delete;

    private:
        CFileProfile& profile;
    };

    // Whether changes go to the file, or stay in memory for the run.
    enum class Access { ReadWrite, ReadOnly };

    // A missing file starts an empty profile. The lines of a damaged file that make sense are
    // kept, the others are named once on stderr and dropped; an unreadable file is reported once
    // and gives an empty profile. Before either is first replaced, it is copied to BackupPath().
    explicit CFileProfile(std::string path, Access access = Access::ReadWrite);

    // The folder of the settings: $VELTRO_CONFIG_HOME when set, else the company's folder in the
    // user's XDG configuration folder ($XDG_CONFIG_HOME, or ~/.config).
    static std::string Folder(const std::string& companyKey);
    // The profile's file in that folder: the profile key with ".ini".
    static std::string PathFor(const std::string& companyKey, const std::string& profileKey);

    const std::string& Path() const { return path; }
    // One generation only: each damaged file replaces the copy of the one before.
    std::string BackupPath() const { return path + ".bak"; }

protected:
    void OnChanged() override;

private:
    void Load();
    bool Save();
    bool KeepOriginal() const;

    std::string path;
    Access access;
    // What the file holds as far as this profile knows; an unchanged profile is not written again.
    std::string savedText;
    // The file on disk holds more than the profile, so it is copied before its first replacement.
    bool keepOriginal = false;
    int batchDepth = 0;
    bool writeFailureReported = false;
};

}  // namespace platform
