#include "profile_store.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "host/core/app/app_identity.h"
#include "platform/file_contents.h"
#include "platform/file_profile.h"
#include "platform/text.h"

namespace {

constexpr size_t kMaximumFileSize = 16 * 1024 * 1024;
constexpr int kNumberBufferSize = 160;
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

void ReportError(int sourceLine, const std::string& text) {
    std::fprintf(stderr, "ERROR: %s line %d: %s", "Tools\\Profile", sourceLine, text.c_str());
}

// ---- Files

enum class Encoding { Ansi, Utf8, Utf16 };

struct IniFile {
    Encoding encoding = Encoding::Utf8;
    // The bytes before the text, written back unchanged.
    std::string byteOrderMark;
    std::vector<std::u16string> lines;
};

bool IsUtf8(std::string_view bytes) {
    size_t following = 0;
    for (const unsigned char byte : bytes) {
        if (following > 0) {
            if ((byte & 0xC0) != 0x80) return false;
            --following;
        } else if (byte >= 0xC2 && byte <= 0xDF) {
            following = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            following = 2;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            following = 3;
        } else if (byte >= 0x80) {
            return false;
        }
    }
    return following == 0;
}

std::u16string Utf16ToWide(std::string_view bytes) {
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8);
    return text;
}

std::string WideToUtf16(std::u16string_view text) {
    std::string bytes;
    for (const char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

// Lines end at a carriage return, a line feed, or both.
std::vector<std::u16string> SplitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    while (!text.empty()) {
        const size_t end = std::min(text.find_first_of(u"\r\n"), text.size());
        lines.emplace_back(text.substr(0, end));
        const size_t next = text.substr(end).starts_with(u"\r\n") ? end + 2 : end + 1;
        text.remove_prefix(std::min(next, text.size()));
    }
    return lines;
}

IniFile Decode(std::string_view bytes) {
    IniFile ini;
    std::u16string text;
    if (bytes.starts_with(kUtf16Mark)) {
        ini.encoding = Encoding::Utf16;
        ini.byteOrderMark = kUtf16Mark;
        text = Utf16ToWide(bytes.substr(kUtf16Mark.size()));
    } else {
        if (bytes.starts_with(kUtf8Mark)) {
            ini.byteOrderMark = kUtf8Mark;
            bytes.remove_prefix(kUtf8Mark.size());
        }
        ini.encoding = IsUtf8(bytes) ? Encoding::Utf8 : Encoding::Ansi;
        text = ini.encoding == Encoding::Utf8 ? platform::Utf8ToWide(bytes) : platform::AnsiToWide(bytes);
    }
    ini.lines = SplitLines(text);
    return ini;
}

std::string Encode(const IniFile& ini) {
    std::u16string text;
    for (const std::u16string& line : ini.lines) text += line + u"\r\n";
    switch (ini.encoding) {
        case Encoding::Utf16:
            return ini.byteOrderMark + WideToUtf16(text);
        case Encoding::Utf8:
            return ini.byteOrderMark + platform::WideToUtf8(text);
        case Encoding::Ansi:
            break;
    }
    return ini.byteOrderMark + platform::WideToAnsi(text);
}

platform::ReadResult ReadIni(const std::string& path, IniFile& ini) {
    std::string bytes;
    std::string reason;
    const platform::ReadResult result = platform::ReadFileContents(path, kMaximumFileSize, bytes, reason);
    if (result == platform::ReadResult::Failed)
        ReportError(__LINE__, platform::FormatC("Could not open INI file: %s (%s)\n", path.c_str(), reason.c_str()));
    if (result == platform::ReadResult::Read) ini = Decode(bytes);
    return result;
}

// ---- Lines

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view TrimEnd(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return TrimEnd(text);
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

bool IsSectionHeader(std::u16string_view line) { return line.starts_with(u'['); }

// The text between "[" and the last "]"; a header without "]" names no section.
std::optional<std::u16string_view> SectionName(std::u16string_view line) {
    const size_t close = line.rfind(u']');
    if (!IsSectionHeader(line) || close == std::u16string_view::npos) return std::nullopt;
    return line.substr(1, close - 1);
}

struct KeyLine {
    std::u16string_view key;
    std::u16string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::u16string_view line) {
    const size_t equals = line.find(u'=');
    if (line.starts_with(u';') || IsSectionHeader(line) || equals == std::u16string_view::npos) return std::nullopt;
    std::u16string_view value = Trim(line.substr(equals + 1));
    if (value.starts_with(u'"')) {
        value.remove_prefix(1);
        if (value.ends_with(u'"')) value.remove_suffix(1);
    }
    return KeyLine{TrimEnd(line.substr(0, equals)), value};
}

// The lines after a section's header, up to the next header.
struct SectionRange {
    size_t header;
    size_t end;
};

std::optional<SectionRange> FindSection(const std::vector<std::u16string>& lines, std::u16string_view section) {
    auto isMatch = [&](const std::u16string& line) {
        const auto name = SectionName(line);
        return name && EqualsIgnoringCase(*name, section);
    };
    const auto header = std::find_if(lines.begin(), lines.end(), isMatch);
    if (header == lines.end()) return std::nullopt;
    const auto end =
        std::find_if(header + 1, lines.end(), [](const std::u16string& line) { return IsSectionHeader(line); });
    return SectionRange{static_cast<size_t>(header - lines.begin()), static_cast<size_t>(end - lines.begin())};
}

std::optional<size_t> FindKey(const std::vector<std::u16string>& lines, SectionRange range, std::u16string_view key) {
    for (size_t i = range.header + 1; i < range.end; ++i) {
        const auto line = ParseKeyLine(lines[i]);
        if (line && EqualsIgnoringCase(line->key, key)) return i;
    }
    return std::nullopt;
}

// Where a new key goes: after the section's last key, so that blank lines and comments before the
// next section stay with it.
size_t EndOfKeys(const std::vector<std::u16string>& lines, SectionRange range) {
    size_t end = range.header + 1;
    for (size_t i = range.header + 1; i < range.end; ++i)
        if (ParseKeyLine(lines[i])) end = i + 1;
    return end;
}

// Each key followed by a terminator; empty keys are left out, as they would end the list.
std::u16string KeyList(const std::vector<std::u16string>& lines, SectionRange range) {
    std::u16string list;
    for (size_t i = range.header + 1; i < range.end; ++i) {
        const auto line = ParseKeyLine(lines[i]);
        if (line && !line->key.empty()) (list += line->key) += u'\0';
    }
    return list;
}

void SetValue(std::vector<std::u16string>& lines, std::u16string_view section, std::u16string_view key,
              const char16_t* value) {
    const std::u16string keyLine = value ? std::u16string(key) + u"=" + value : u"";
    const std::optional<SectionRange> range = FindSection(lines, section);
    if (!range) {
        if (!value) return;
        lines.push_back(u"[" + std::u16string(section) + u"]");
        lines.push_back(keyLine);
        return;
    }
    const std::optional<size_t> at = FindKey(lines, *range, key);
    if (at && value)
        lines[*at] = keyLine;
    else if (at)
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*at));
    else if (value)
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(EndOfKeys(lines, *range)), keyLine);
}

// ---- Results

int CopyText(std::u16string_view text, char16_t* buffer, int size) {
    const size_t count = std::min(text.size(), static_cast<size_t>(size - 1));
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = u'\0';
    return static_cast<int>(count);
}

int CopyList(std::u16string_view list, char16_t* buffer, int size) {
    if (list.size() < static_cast<size_t>(size)) {
        std::copy(list.begin(), list.end(), buffer);
        buffer[list.size()] = u'\0';
        return static_cast<int>(list.size());
    }
    if (size < 2) return CopyText(u"", buffer, size);
    std::copy_n(list.begin(), size - 2, buffer);
    buffer[size - 2] = buffer[size - 1] = u'\0';
    return size - 2;
}

// Blanks, a sign and digits, as far as they go; out-of-range numbers are held at the range's end.
int LeadingInteger(std::u16string_view text) {
    text = Trim(text);
    const bool negative = text.starts_with(u'-');
    if (negative || text.starts_with(u'+')) text.remove_prefix(1);
    long long magnitude = 0;
    for (size_t i = 0; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        magnitude = std::min(magnitude * 10 + (text[i] - u'0'), static_cast<long long>(INT_MAX) + 1);
    const long long number = negative ? -magnitude : std::min(magnitude, static_cast<long long>(INT_MAX));
    return static_cast<int>(number);
}

bool HasLineBreak(std::u16string_view text) { return text.find_first_of(u"\r\n") != std::u16string_view::npos; }

// Whether the texts read back as the one key line they are written as.
bool FormsOneKeyLine(std::u16string_view section, std::u16string_view key, const char16_t* value) {
    const bool keyReadsBack =
        !key.empty() && key.find(u'=') == std::u16string_view::npos && !key.starts_with(u';') && !key.starts_with(u'[');
    return keyReadsBack && !HasLineBreak(section) && !HasLineBreak(key) && !(value && HasLineBreak(value));
}

bool IsWritable(const std::string& path) {
    if (::access(path.c_str(), F_OK) != 0) {
        if (errno == ENOENT) return true;
        ReportError(__LINE__, platform::FormatC("CreateFile failed on INI file: %s, err %d\n", path.c_str(), errno));
        return false;
    }
    if (::access(path.c_str(), W_OK) == 0) return true;
    std::fprintf(stderr, "WritePrivateProfileString: Unable to write to %s - not writable\n", path.c_str());
    return false;
}

}  // namespace

std::string ProfileStorePath(std::string_view file) {
    if (file.find('/') != std::string_view::npos) return std::string(file);
    return (std::filesystem::path(platform::CFileProfile::Folder(kCompanyKey)) / file).string();
}

int GetProfileText(const char16_t* section, const char16_t* key, const char16_t* defaultValue, char16_t* buffer,
                   int size, std::string_view file) {
    if (!buffer || size <= 0) return 0;
    IniFile ini;
    if (section && !file.empty() && ReadIni(ProfileStorePath(file), ini) == platform::ReadResult::Read) {
        if (const std::optional<SectionRange> range = FindSection(ini.lines, section)) {
            if (!key) return CopyList(KeyList(ini.lines, *range), buffer, size);
            if (const std::optional<size_t> at = FindKey(ini.lines, *range, key))
                return CopyText(ParseKeyLine(ini.lines[*at])->value, buffer, size);
        }
    }
    const std::u16string_view fallback = defaultValue ? defaultValue : u"";
    if (key) return CopyText(fallback, buffer, size);
    // A list of one, so that a reader of keys finds its end.
    return CopyList(fallback.empty() ? std::u16string() : std::u16string(fallback) + u'\0', buffer, size);
}

int GetProfileNumber(const char16_t* section, const char16_t* key, int defaultValue, std::string_view file) {
    char16_t buffer[kNumberBufferSize];
    const int length = GetProfileText(section, key, u"", buffer, kNumberBufferSize, file);
    return length == 0 ? defaultValue : LeadingInteger({buffer, static_cast<size_t>(length)});
}

bool SetProfileText(const char16_t* section, const char16_t* key, const char16_t* value, std::string_view file) {
    if (file.empty()) return false;
    if (!section) return true;
    if (!key || !FormsOneKeyLine(section, key, value)) return false;
    const std::string path = ProfileStorePath(file);
    if (!IsWritable(path)) return false;
    IniFile ini;
    if (ReadIni(path, ini) == platform::ReadResult::Failed) return false;
    SetValue(ini.lines, section, key, value);
    if (platform::ReplaceFileContents(path, Encode(ini), 0666)) return true;
    ReportError(__LINE__, platform::FormatC("Could not open output file: %s\n", path.c_str()));
    return false;
}
