#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "host/core/app/profile_store.h"

namespace fs = std::filesystem;

namespace {

class ProfileStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "veltro-ini-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        path = (folder / "map.mcf").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    void WriteFile(const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    std::string ReadFile() const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    std::u16string Text(const char16_t* section, const char16_t* key, const char16_t* defaultValue = u"-") {
        char16_t buffer[64];
        const int length = GetProfileText(section, key, defaultValue, buffer, 64, path);
        EXPECT_EQ(std::u16string(buffer).size(), static_cast<size_t>(length));
        return buffer;
    }
    // The keys of a section, read into a buffer of exactly the given size.
    std::vector<char16_t> Keys(const char16_t* section, int size, int& length) {
        std::vector<char16_t> buffer(static_cast<size_t>(size), u'#');
        length = GetProfileText(section, nullptr, nullptr, buffer.data(), size, path);
        return buffer;
    }

    fs::path folder;
    std::string path;
};

TEST_F(ProfileStoreTest, ValuesAreFoundBySectionAndKeyWithoutRegardToCase) {
    WriteFile(
        "; calibration\r\n"
        "[Reference]\r\n"
        "1=10,20,8.5,47.2\r\n"
        "Name  \t= \t Lake Map  \r"
        "[marker]\n"
        "Count=2\n"
        "1=\"c,8.5,47.2\"\n");
    EXPECT_EQ(Text(u"REFERENCE", u"1"), u"10,20,8.5,47.2");
    EXPECT_EQ(Text(u"Reference", u"name"), u"Lake Map");
    EXPECT_EQ(Text(u"Marker", u"COUNT"), u"2");
    EXPECT_EQ(Text(u"Marker", u"1"), u"c,8.5,47.2");
    EXPECT_EQ(Text(u"Marker", u"Name"), u"-");
    EXPECT_EQ(Text(u"Missing", u"1"), u"-");
    EXPECT_EQ(Text(u"Missing", u"1", nullptr), u"");
}

TEST_F(ProfileStoreTest, OnePairOfQuotesIsRemoved) {
    WriteFile("[S]\na= \"a b\"\nb=\"x\nc=x\"\nd=\"\ne=\"\"q\"\"\n");
    EXPECT_EQ(Text(u"S", u"a"), u"a b");
    EXPECT_EQ(Text(u"S", u"b"), u"x");
    EXPECT_EQ(Text(u"S", u"c"), u"x\"");
    EXPECT_EQ(Text(u"S", u"d"), u"");
    EXPECT_EQ(Text(u"S", u"e"), u"\"q\"");
}

TEST_F(ProfileStoreTest, FilesAreReadAsUtf16AnsiOrUtf8) {
    const std::u16string utf16 = u"[S]\r\nName=Z\u00fcrich \u20ac\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : utf16) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    WriteFile(bytes);
    EXPECT_EQ(Text(u"S", u"Name"), u"Z\u00fcrich \u20ac");

    WriteFile("[S]\nName=Z\xfcrich \x80\n");
    EXPECT_EQ(Text(u"S", u"Name"), u"Z\u00fcrich \u20ac");

    WriteFile("\xEF\xBB\xBF[S]\nName=Z\xc3\xbcrich \xe2\x82\xac\n");
    EXPECT_EQ(Text(u"S", u"Name"), u"Z\u00fcrich \u20ac");
}

TEST_F(ProfileStoreTest, AHeaderWithoutClosingBracketNamesNoSection) {
    WriteFile("[\n[S\nk=1\n[]\nempty=2\n[S]\nk=3\n");
    EXPECT_EQ(Text(u"S", u"k"), u"3");
    EXPECT_EQ(Text(u"", u"empty"), u"2");
    EXPECT_EQ(Text(u"", u"k"), u"-");
}

TEST_F(ProfileStoreTest, ResultsNeverPassTheBuffer) {
    WriteFile("[S]\nlong=abcdefghij\nkey1=1\n=nameless\nkey2=2\nkey3=3\n; key4=4\n[T]\nkey5=5\n");
    std::vector<char16_t> small(4, u'#');
    EXPECT_EQ(GetProfileText(u"S", u"long", nullptr, small.data(), 4, path), 3);
    EXPECT_EQ(std::u16string(small.data()), u"abc");
    EXPECT_EQ(GetProfileText(u"S", u"missing", u"default", small.data(), 4, path), 3);
    EXPECT_EQ(GetProfileText(u"S", u"long", nullptr, small.data(), 0, path), 0);
    EXPECT_EQ(small[0], u'd');

    int length = 0;
    const std::vector<char16_t> all = Keys(u"S", 64, length);
    const std::u16string expected(u"long\0key1\0key2\0key3\0", 20);
    EXPECT_EQ(length, 20);
    EXPECT_EQ(std::u16string(all.data(), 21), expected + u'\0');

    // A list cut short still ends with two terminators.
    const std::vector<char16_t> cut = Keys(u"S", 8, length);
    EXPECT_EQ(length, 6);
    EXPECT_EQ(std::u16string(cut.data(), 8), std::u16string(u"long\0k\0\0", 8));

    const std::vector<char16_t> tiny = Keys(u"S", 1, length);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(tiny[0], u'\0');

    const std::vector<char16_t> fallback = Keys(u"Missing", 8, length);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(fallback[0], u'\0');
}

TEST_F(ProfileStoreTest, NumbersAreTheDigitsAtTheStart) {
    WriteFile("[Marker]\nCount=12\nNegative= -7 markers\nText=many\nEmpty=\nHuge=99999999999\nTiny=-99999999999\n");
    EXPECT_EQ(GetProfileNumber(u"Marker", u"Count", 0, path), 12);
    EXPECT_EQ(GetProfileNumber(u"Marker", u"Negative", 0, path), -7);
    EXPECT_EQ(GetProfileNumber(u"Marker", u"Text", 5, path), 0);
    EXPECT_EQ(GetProfileNumber(u"Marker", u"Empty", 5, path), 5);
    EXPECT_EQ(GetProfileNumber(u"Marker", u"Missing", 5, path), 5);
    EXPECT_EQ(GetProfileNumber(u"Marker", u"Huge", 0, path), INT_MAX);
    EXPECT_EQ(GetProfileNumber(u"Marker", u"Tiny", 0, path), INT_MIN);
    EXPECT_EQ(GetProfileNumber(u"Marker", u"Count", 5, (folder / "none.mcf").string()), 5);
}

TEST_F(ProfileStoreTest, WritingReplacesAddsAndRemovesKeysInPlace) {
    WriteFile("; top\n[A]\nx=1\ny=2\n\n; about B\n[B]\nz=3\n");
    EXPECT_TRUE(SetProfileText(u"a", u"X", u"10", path));
    EXPECT_TRUE(SetProfileText(u"A", u"w", u"\"quoted\"", path));
    EXPECT_TRUE(SetProfileText(u"B", u"z", nullptr, path));
    EXPECT_TRUE(SetProfileText(u"C", u"v", u"5", path));
    EXPECT_TRUE(SetProfileText(u"D", u"gone", nullptr, path));
    EXPECT_EQ(ReadFile(), "; top\r\n[A]\r\nX=10\r\ny=2\r\nw=\"quoted\"\r\n\r\n; about B\r\n[B]\r\n[C]\r\nv=5\r\n");
    EXPECT_EQ(Text(u"A", u"w"), u"quoted");
}

TEST_F(ProfileStoreTest, WritingKeepsTheFilesEncoding) {
    WriteFile(std::string("\xFF\xFE[\0S\0]\0\r\0\n\0", 12));
    EXPECT_TRUE(SetProfileText(u"S", u"k", u"\u20ac", path));
    EXPECT_EQ(ReadFile(), std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xAC\x20\r\0\n\0", 22));

    WriteFile("[S]\nName=Z\xfcrich\n");
    EXPECT_TRUE(SetProfileText(u"S", u"k", u"\u20ac", path));
    EXPECT_EQ(ReadFile(), "[S]\r\nName=Z\xfcrich\r\nk=\x80\r\n");

    fs::remove(path);
    EXPECT_TRUE(SetProfileText(u"S", u"k", u"\u20ac", path));
    EXPECT_EQ(ReadFile(), "[S]\r\nk=\xe2\x82\xac\r\n");
}

TEST_F(ProfileStoreTest, WritesThatCannotSucceedAreRefused) {
    WriteFile("[S]\nk=1\n");
    EXPECT_FALSE(SetProfileText(u"S", u"k", u"2", ""));
    EXPECT_TRUE(SetProfileText(nullptr, u"k", u"2", path));
    EXPECT_FALSE(SetProfileText(u"S", u"k", u"2\r\n[T]", path));
    EXPECT_FALSE(SetProfileText(u"S", u"a=b", u"2", path));
    EXPECT_FALSE(SetProfileText(u"S", nullptr, u"2", path));
    EXPECT_EQ(ReadFile(), "[S]\nk=1\n");

    if (::geteuid() != 0) {
        ::chmod(path.c_str(), 0444);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(SetProfileText(u"S", u"k", u"2", path));
        EXPECT_NE(testing::internal::GetCapturedStderr().find("not writable"), std::string::npos);
        EXPECT_EQ(Text(u"S", u"k"), u"1");
    }
}

TEST_F(ProfileStoreTest, ABareFileNameIsLookedForInTheSettingsFolder) {
    const char* previous = std::getenv("VELTRO_CONFIG_HOME");
    const std::string restore = previous ? previous : "";
    ::setenv("VELTRO_CONFIG_HOME", folder.c_str(), 1);
    EXPECT_EQ(ProfileStorePath("gps.ini"), (folder / "gps.ini").string());
    EXPECT_EQ(ProfileStorePath("maps/lake.mcf"), "maps/lake.mcf");
    EXPECT_TRUE(SetProfileText(u"S", u"k", u"7", "gps.ini"));
    EXPECT_EQ(GetProfileNumber(u"S", u"k", 0, (folder / "gps.ini").string()), 7);
    restore.empty() ? ::unsetenv("VELTRO_CONFIG_HOME") : ::setenv("VELTRO_CONFIG_HOME", restore.c_str(), 1);
}

}  // namespace
