#include "file_profile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/file_contents.h"
#include "platform/text.h"

namespace platform {

namespace {

constexpr size_t kMaximumFileSize = 16 * 1024 * 1024;
constexpr const char* kHexDigits = "0123456789abcdef";

// ---- Texts

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

bool NeedsCodeEscape(std::u16string_view text, size_t i) {
    const char16_t c = text[i];
    if (c < 0x20 || c == 0x7F) return true;
    // At the start of a line these would make a key look like a comment or a section.
    if (i == 0 && (c == u';' || c == u'[')) return true;
    if (IsHighSurrogate(c)) return i + 1 == text.size() || !IsLowSurrogate(text[i + 1]);
    if (IsLowSurrogate(c)) return i == 0 || !IsHighSurrogate(text[i - 1]);
    return false;
}

std::string Escape(std::u16string_view text) {
    std::string out;
    size_t plainStart = 0;
    auto flushPlain = [&](size_t end) { out += WideToUtf8(text.substr(plainStart, end - plainStart)); };
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool code = NeedsCodeEscape(text, i);
        if (!code && c != u'\\' && c != u'=') continue;
        flushPlain(i);
        plainStart = i + 1;
        if (code) {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(c >> shift) & 0xF];
        } else {
            out += '\\';
            out += static_cast<char>(c);
        }
    }
    flushPlain(text.size());
    return out;
}

std::optional<unsigned> HexValue(std::string_view digits) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

std::optional<std::u16string> Unescape(std::string_view text) {
    std::u16string out;
    size_t plainStart = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') continue;
        out += Utf8ToWide(text.substr(plainStart, i - plainStart));
        if (i + 1 == text.size()) return std::nullopt;
        const char kind = text[++i];
        if (kind == '\\' || kind == '=') {
            out += static_cast<char16_t>(kind);
        } else if (kind == 'u' && i + 4 < text.size()) {
            const auto code = HexValue(text.substr(i + 1, 4));
            if (!code) return std::nullopt;
            out += static_cast<char16_t>(*code);
            i += 4;
        } else {
            return std::nullopt;
        }
        plainStart = i + 1;
    }
    out += Utf8ToWide(text.substr(plainStart));
    return out;
}

// The position of the first "=" that is not escaped, or npos.
size_t KeyEnd(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\')
            ++i;
        else if (line[i] == '=')
            return i;
    }
    return std::string_view::npos;
}

// ---- Values

std::string FormatValue(const CMemoryProfile::Value& value) {
    if (const int* number = std::get_if<int>(&value)) {
        char buffer[16];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, *number);
        return "i:" + std::string(buffer, result.ptr);
    }
    if (const auto* text = std::get_if<std::u16string>(&value)) return "s:" + Escape(*text);
    std::string out = "b:";
    for (uint8_t byte : std::get<std::vector<uint8_t>>(value)) {
        out += kHexDigits[byte >> 4];
        out += kHexDigits[byte & 0xF];
    }
    return out;
}

std::optional<CMemoryProfile::Value> ParseValue(std::string_view text) {
    if (text.size() < 2 || text[1] != ':') return std::nullopt;
    const std::string_view body = text.substr(2);
    switch (text[0]) {
        case 'i': {
            int number = 0;
            const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), number);
            if (error != std::errc() || end != body.data() + body.size()) return std::nullopt;
            return number;
        }
        case 's': {
            auto unescaped = Unescape(body);
            if (!unescaped) return std::nullopt;
            return std::move(*unescaped);
        }
        case 'b': {
            if (body.size() % 2 != 0) return std::nullopt;
            std::vector<uint8_t> bytes;
            for (size_t i = 0; i < body.size(); i += 2) {
                const auto byte = HexValue(body.substr(i, 2));
                if (!byte) return std::nullopt;
                bytes.push_back(static_cast<uint8_t>(*byte));
            }
            return bytes;
        }
        default:
            return std::nullopt;
    }
}

// ---- Files

std::string FormatProfile(const CMemoryProfile::Store& values) {
    std::string out = "; Veltro settings: key=i:integer, key=s:text or key=b:bytes in hexadecimal.\n";
    const std::u16string* section = nullptr;
    for (const auto& [name, value] : values) {
        if (!section || *section != name.first) {
            section = &name.first;
            out += "\n[" + Escape(*section) + "]\n";
        }
        out += Escape(name.second) + "=" + FormatValue(value) + "\n";
    }
    return out;
}

std::optional<std::u16string> ParseSection(std::string_view line) {
    if (line.size() < 2 || line.back() != ']') return std::nullopt;
    return Unescape(line.substr(1, line.size() - 2));
}

bool ParseEntry(std::string_view line, const std::optional<std::u16string>& section, CMemoryProfile::Store& values) {
    const size_t keyEnd = KeyEnd(line);
    if (!section || keyEnd == std::string_view::npos) return false;
    auto key = Unescape(line.substr(0, keyEnd));
    auto value = ParseValue(line.substr(keyEnd + 1));
    if (!key || !value) return false;
    values[{*section, std::move(*key)}] = std::move(*value);
    return true;
}

// The values of every line that makes sense, and the numbers of those that do not. The lines
// under a damaged section line are damaged too: their section is unknown.
CMemoryProfile::Store ParseProfile(std::string_view text, std::vector<int>& badLines) {
    CMemoryProfile::Store values;
    std::optional<std::u16string> section;
    for (int number = 1; !text.empty(); ++number) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == ';') continue;
        const bool isSection = line.front() == '[';
        if (isSection) section = ParseSection(line);
        if (isSection ? !section : !ParseEntry(line, section, values)) badLines.push_back(number);
    }
    return values;
}

// "line 3" or "lines 3, 7, 8 and 20 more": a few numbers, however damaged the file.
std::string DescribeLines(const std::vector<int>& numbers) {
    constexpr size_t kListed = 10;
    std::string out = numbers.size() == 1 ? "line" : "lines";
    for (size_t i = 0; i < std::min(numbers.size(), kListed); ++i)
        out += (i == 0 ? " " : ", ") + std::to_string(numbers[i]);
    if (numbers.size() > kListed) out += " and " + std::to_string(numbers.size() - kListed) + " more";
    return out;
}

std::string EnvironmentFolder(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

CFileProfile::CFileProfile(std::string path, Access access) : path(std::move(path)), access(access) { Load(); }

std::string CFileProfile::Folder(const std::string& companyKey) {
    namespace fs = std::filesystem;
    const std::string own = EnvironmentFolder("VELTRO_CONFIG_HOME");
    if (!own.empty()) return own;
    fs::path base = EnvironmentFolder("XDG_CONFIG_HOME");
    // Relative paths in $XDG_CONFIG_HOME are invalid and to be ignored.
    if (base.empty() || base.is_relative()) base = fs::path(EnvironmentFolder("HOME")) / ".config";
    return (base / companyKey).string();
}

std::string CFileProfile::PathFor(const std::string& companyKey, const std::string& profileKey) {
    return (std::filesystem::path(Folder(companyKey)) / (profileKey + ".ini")).string();
}

void CFileProfile::Load() {
    std::string contents;
    std::string reason;
    const ReadResult read = ReadFileContents(path, kMaximumFileSize, contents, reason);
    if (read == ReadResult::Missing) return;
    if (read == ReadResult::Failed) {
        std::fprintf(stderr, "veltro: settings file %s could not be read (%s); using the defaults\n", path.c_str(),
                     reason.c_str());
        keepOriginal = true;
        return;
    }
    std::vector<int> badLines;
    values = ParseProfile(contents, badLines);
    if (!badLines.empty()) {
        std::fprintf(stderr, "veltro: settings file %s: damaged %s ignored\n", path.c_str(),
                     DescribeLines(badLines).c_str());
        keepOriginal = true;
        // No saved text: the file is not what the profile writes, so the first save cleans it.
        return;
    }
    savedText = FormatProfile(values);
}

void CFileProfile::OnChanged() {
    if (batchDepth > 0 || access == Access::ReadOnly) return;
    if (Save() || writeFailureReported) return;
    writeFailureReported = true;
    std::fprintf(stderr, "veltro: settings file %s could not be written (%s)\n", path.c_str(), std::strerror(errno));
}

bool CFileProfile::Save() {
    std::string text = FormatProfile(values);
    if (text == savedText) return true;
    if (keepOriginal && !KeepOriginal()) return false;
    if (!ReplaceFileContents(path, text, 0600)) return false;
    savedText = std::move(text);
    keepOriginal = false;
    return true;
}

// A file that is gone has nothing left to keep; one that cannot be copied is not replaced.
bool CFileProfile::KeepOriginal() const {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::exists(path, error)) return !error;
    if (fs::copy_file(path, BackupPath(), fs::copy_options::overwrite_existing, error)) return true;
    errno = error.value();
    return false;
}

CFileProfile::CWriteBatch::CWriteBatch(CFileProfile& profile) : profile(profile) { ++profile.batchDepth; }

CFileProfile::CWriteBatch::~CWriteBatch() {
    if (--profile.batchDepth == 0) profile.OnChanged();
}

}  // namespace platform
