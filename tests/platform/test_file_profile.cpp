#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/file_profile.h"

namespace fs = std::filesystem;
using platform::CFileProfile;

namespace {

class FileProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "veltro-profile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        path = (folder / "Korvala" / "Veltro3.ini").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    void WriteFile(const std::string& text) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string ReadFile() { return ReadFile(path); }
    static std::string ReadFile(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder;
    std::string path;
};

TEST_F(FileProfileTest, AMissingFileStartsEmptyWithoutComplaint) {
    testing::internal::CaptureStderr();
    CFileProfile profile(path);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(profile.Values().empty());
    EXPECT_EQ(profile.GetInt(u"Settings", u"Port", 7), 7);
}

TEST_F(FileProfileTest, EveryChangeIsOnDiskAsReadableText) {
    CFileProfile profile(path);
    profile.WriteInt(u"Database\\Completer", u"Time UTC to GPS", 0);
    profile.WriteString(u"Settings", u"DefaultDirLog", u"/home/user/logs");
    const std::string text = ReadFile();
    EXPECT_NE(text.find("[Database\\\\Completer]\nTime UTC to GPS=i:0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Settings]\nDefaultDirLog=s:/home/user/logs\n"), std::string::npos) << text;

    profile.DeleteValue(u"Settings", u"DefaultDirLog");
    EXPECT_EQ(ReadFile().find("DefaultDirLog"), std::string::npos);
    // Only the file itself is left behind, no temporary files.
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(path).parent_path()), fs::directory_iterator()), 1);
}

TEST_F(FileProfileTest, AnyContentReadsBackExactly) {
    const std::u16string awkward = std::u16string(u" lead=\\n\r\n\t;[x]\"q\" ° \U0001F600 ") + char16_t(0) +
                                   char16_t(0xD800) + u"x" + char16_t(0xDC00) + u"\\u0041";
    {
        CFileProfile profile(path);
        profile.WriteString(u"Settings", u"Awkward", awkward);
        profile.WriteString(u"Settings", u"Empty", u"");
        profile.WriteString(awkward, awkward, awkward);
        profile.WriteString(u"[x]", u";key=with=signs", u"=");
        profile.WriteInt(u"Settings", u"Negative", -2147483647 - 1);
        profile.WriteInt(u"Settings", u"Large", 2147483647);
        profile.WriteBinary(u"View\\Chart", u"Bytes", {0x00, 0x0A, 0x5B, 0xFF});
        profile.WriteBinary(u"View\\Chart", u"NoBytes", {});
    }
    CFileProfile reread(path);
    EXPECT_EQ(reread.GetString(u"Settings", u"Awkward", u"-"), awkward);
    EXPECT_EQ(reread.GetString(awkward, awkward, u"-"), awkward);
    EXPECT_EQ(reread.GetString(u"[x]", u";key=with=signs", u"-"), u"=");
    EXPECT_EQ(reread.GetInt(u"Settings", u"Negative", 0), -2147483647 - 1);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(reread.GetBinary(u"View\\Chart", u"Bytes", bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x00, 0x0A, 0x5B, 0xFF}));
    EXPECT_EQ(reread.Values().size(), 8u);
}

TEST_F(FileProfileTest, HandEditedFilesWithCommentsAndCrLfAreRead) {
    WriteFile("; my settings\r\n\r\n[Settings]\r\nPort=i:3\r\nName=s:Caf\xc3\xa9\r\n");
    CFileProfile profile(path);
    EXPECT_EQ(profile.GetInt(u"Settings", u"Port", 0), 3);
    EXPECT_EQ(profile.GetString(u"Settings", u"Name", u""), u"Café");
}

TEST_F(FileProfileTest, ADamagedLineIsNamedOnceDroppedAndTheFileKeptBeforeItIsReplaced) {
    // In each sample the last line is the damaged one; the section that follows is sound.
    for (const std::string damaged :
         {"[Settings]\nPort=i:abc\n", "Port=i:1\n", "[Settings]\nPort\n", "[Settings\n", "[S]\nK=b:abc\n",
          "[S]\nK=s:bad\\q\n", "[S]\nK=s:cut\\u12\n", "[S]\nK=x:1\n", "[S]\nK=i:99999999999\n"}) {
        const std::string original = damaged + "[Settings]\nBaudRate=i:9600\n";
        WriteFile(original);
        testing::internal::CaptureStderr();
        CFileProfile profile(path);
        const std::string report = testing::internal::GetCapturedStderr();
        EXPECT_NE(report.find(path), std::string::npos) << damaged;
        const auto badLine = std::count(damaged.begin(), damaged.end(), '\n');
        EXPECT_NE(report.find("damaged line " + std::to_string(badLine) + " ignored"), std::string::npos) << report;
        EXPECT_EQ(report.find('\n'), report.size() - 1) << damaged;
        EXPECT_EQ(profile.Values().size(), 1u) << damaged;
        EXPECT_EQ(profile.GetInt(u"Settings", u"BaudRate", 0), 9600) << damaged;

        profile.WriteInt(u"Settings", u"Port", 4);
        EXPECT_EQ(ReadFile(profile.BackupPath()), original);
        testing::internal::CaptureStderr();
        CFileProfile reread(path);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << damaged;
        EXPECT_EQ(reread.GetInt(u"Settings", u"Port", 0), 4) << damaged;
        EXPECT_EQ(reread.GetInt(u"Settings", u"BaudRate", 0), 9600) << damaged;
    }
}

TEST_F(FileProfileTest, ManyDamagedLinesMakeOneShortReport) {
    std::string lines = "[Settings]\n";
    for (int i = 0; i < 100000; ++i) lines += "Port=i:x\n";
    WriteFile(lines);
    testing::internal::CaptureStderr();
    CFileProfile profile(path);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_LT(report.size(), path.size() + 120) << report;
    EXPECT_NE(report.find("lines 2, 3, 4, 5, 6, 7, 8, 9, 10, 11 and 99990 more"), std::string::npos) << report;
}

TEST_F(FileProfileTest, AnUnreadableFileIsReportedAndKeptBeforeItIsReplaced) {
    const std::string tooLarge(16 * 1024 * 1024 + 1, ';');
    WriteFile(tooLarge);
    testing::internal::CaptureStderr();
    CFileProfile profile(path);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be read"), std::string::npos);
    EXPECT_TRUE(profile.Values().empty());
    profile.WriteInt(u"Settings", u"Port", 4);
    EXPECT_TRUE(ReadFile(profile.BackupPath()) == tooLarge);
    EXPECT_EQ(CFileProfile(path).GetInt(u"Settings", u"Port", 0), 4);
}

TEST_F(FileProfileTest, ADamagedFileThatCannotBeKeptIsNotReplaced) {
    WriteFile("[Settings]\nPort=i:x\n");
    testing::internal::CaptureStderr();
    CFileProfile profile(path);
    fs::create_directories(profile.BackupPath());  // a folder where the copy should go
    profile.WriteInt(u"Settings", u"Port", 4);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be written"), std::string::npos);
    EXPECT_EQ(ReadFile(path), "[Settings]\nPort=i:x\n");
}

TEST_F(FileProfileTest, AnUnwritableLocationIsReportedOnce) {
    fs::create_directories(path);  // a folder where the file should be
    testing::internal::CaptureStderr();
    CFileProfile profile(path);
    profile.WriteInt(u"Settings", u"Port", 1);
    profile.WriteInt(u"Settings", u"Port", 2);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("could not be read"), std::string::npos) << report;
    EXPECT_NE(report.find("could not be written"), std::string::npos) << report;
    EXPECT_EQ(report.find("could not be written"), report.rfind("could not be written"));
    EXPECT_EQ(profile.GetInt(u"Settings", u"Port", 0), 2);  // still usable in memory
}

TEST_F(FileProfileTest, ABatchOfChangesIsWrittenOnceAtItsEnd) {
    CFileProfile profile(path);
    {
        CFileProfile::CWriteBatch batch(profile);
        profile.WriteInt(u"Settings", u"Port", 3);
        profile.WriteInt(u"Settings", u"BaudRate", 9600);
        EXPECT_FALSE(fs::exists(path));
    }
    EXPECT_EQ(CFileProfile(path).GetInt(u"Settings", u"BaudRate", 0), 9600);
}

TEST_F(FileProfileTest, UnchangedSettingsLeaveTheFileAlone) {
    WriteFile("; hand-written\n[Settings]\nPort=i:3\n");
    CFileProfile profile(path);
    profile.WriteInt(u"Settings", u"Port", 3);
    EXPECT_EQ(ReadFile(), "; hand-written\n[Settings]\nPort=i:3\n");
    profile.WriteInt(u"Settings", u"Port", 4);
    EXPECT_EQ(ReadFile().find("hand-written"), std::string::npos);
}

TEST_F(FileProfileTest, ALinkedFileIsReplacedBehindTheLinkWithItsPermissions) {
    const fs::path real = folder / "dotfiles" / "veltro.ini";
    fs::create_directories(real.parent_path());
    std::ofstream(real) << "[Settings]\nPort=i:1\n";
    ::chmod(real.c_str(), 0640);
    fs::create_directories(fs::path(path).parent_path());
    fs::create_symlink(real, path);

    CFileProfile(path).WriteInt(u"Settings", u"Port", 2);
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(CFileProfile(real.string()).GetInt(u"Settings", u"Port", 0), 2);
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms(0640));
}

// Sets or clears an environment variable for one test and restores it afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name)) previous = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnvironment() { previous.empty() ? ::unsetenv(name) : ::setenv(name, previous.c_str(), 1); }

private:
    const char* name;
    std::string previous;
};

TEST(FileProfilePath, FollowsTheXdgConfigurationFolder) {
    ScopedEnvironment home("HOME", "/home/tester");
    {
        ScopedEnvironment own("VELTRO_CONFIG_HOME", "/tmp/veltro-config");
        EXPECT_EQ(CFileProfile::PathFor("Korvala", "Veltro3"), "/tmp/veltro-config/Veltro3.ini");
        EXPECT_EQ(CFileProfile::Folder("Korvala"), "/tmp/veltro-config");
    }
    ScopedEnvironment own("VELTRO_CONFIG_HOME", nullptr);
    {
        ScopedEnvironment xdg("XDG_CONFIG_HOME", "/etc/xdg-user");
        EXPECT_EQ(CFileProfile::PathFor("Korvala", "Veltro3"), "/etc/xdg-user/Korvala/Veltro3.ini");
    }
    {
        ScopedEnvironment xdg("XDG_CONFIG_HOME", "relative/path");
        EXPECT_EQ(CFileProfile::PathFor("Korvala", "Veltro3"), "/home/tester/.config/Korvala/Veltro3.ini");
    }
    ScopedEnvironment xdg("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(CFileProfile::Folder("Korvala"), "/home/tester/.config/Korvala");
}

}  // namespace
