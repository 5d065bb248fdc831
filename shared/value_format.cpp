#include "value_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/text.h"
#include "shared/dialog_page.h"
#include "shared/dialog_template.h"

namespace {

bool IsFlag(char16_t c) { return c == u'-' || c == u'+' || c == u' ' || c == u'#' || c == u'0'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsFloatConversion(char16_t c) {
    return c == u'f' || c == u'F' || c == u'e' || c == u'E' || c == u'g' || c == u'G' || c == u'a' || c == u'A';
}

}  // namespace

bool IsSingleNumberFormat(const std::u16string& format) {
    int conversions = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') continue;
        ++i;
        if (i < format.size() && format[i] == u'%') continue;
        while (i < format.size() && IsFlag(format[i])) ++i;
        int digits = 0;
        while (i < format.size() && IsDigit(format[i]) && ++digits <= 2) ++i;
        if (i < format.size() && format[i] == u'.') {
            ++i;
            digits = 0;
            while (i < format.size() && IsDigit(format[i]) && ++digits <= 2) ++i;
        }
        if (i < format.size() && format[i] == u'l') ++i;
        if (i >= format.size() || !IsFloatConversion(format[i])) return false;
        ++conversions;
    }
    return conversions == 1;
}

std::u16string FormatNumber(const std::u16string& format, double value) {
    if (!IsSingleNumberFormat(format)) return platform::FormatW(u"%f", value);
    return platform::FormatW(format.c_str(), value);
}

// The functions on a page's controls. Everything read from a control is typed by a user or put
// there from a receiver's message, so parsing never trusts a length it did not count itself.
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsWhiteSpace(char16_t c) { return IsBlank(c) || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f'; }
bool IsSign(char16_t c) { return c == u'+' || c == u'-'; }

// The value of c as a digit of base, -1 when it is none.
int DigitValue(char16_t c, int base) {
    int value = -1;
    if (IsDigit(c))
        value = c - u'0';
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    return value < base ? value : -1;
}

size_t SkipBlanks(std::u16string_view text, size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
}

size_t SkipDigits(std::u16string_view text, size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

template <class T>
void SetOut(T* out, T value) {
    if (out) *out = value;
}

// How an integer is written: its base, whether a "-" may lead, and the largest value without one.
// A negated magnitude may reach 2^31, the magnitude of the smallest 32-bit signed number.
struct IntegerForm {
    int base;
    bool allowNegative;
    uint64_t positiveLimit;
};
constexpr uint64_t kNegativeLimit = uint64_t{1} << 31;
// What "%i" of a 32-bit signed number prints.
constexpr IntegerForm kSignedDecimal{10, true, INT32_MAX};
constexpr IntegerForm kHex{16, false, UINT32_MAX};

template <class T>
struct Reading {
    T value{};
    bool valid = false;
    bool onlyBlanksFollow = false;
};

// Without any digit nothing was read, and only blanks follow when the whole text is blank.
Reading<uint32_t> ParseInteger(std::u16string_view text, IntegerForm form) {
    const size_t begin = SkipBlanks(text, 0);
    size_t at = begin;
    const bool negative = form.allowNegative && at < text.size() && text[at] == u'-';
    if (negative) ++at;
    const size_t firstDigit = at;
    uint64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const int digit = DigitValue(text[at], form.base);
        if (digit < 0) break;
        // Past 32 bits the number has overflowed; its further digits are still part of it.
        if (magnitude <= UINT32_MAX)
            magnitude = magnitude * static_cast<unsigned>(form.base) + static_cast<unsigned>(digit);
    }
    Reading<uint32_t> reading;
    const bool digits = at > firstDigit;
    reading.onlyBlanksFollow = SkipBlanks(text, digits ? at : begin) == text.size();
    reading.valid = digits && magnitude <= (negative ? kNegativeLimit : form.positiveLimit);
    if (reading.valid) reading.value = static_cast<uint32_t>(negative ? 0 - magnitude : magnitude);
    return reading;
}

Reading<uint32_t> ReadInteger(const CDialogPage& page, int id, IntegerForm form) {
    if (!page.HasControl(id)) return {};
    return ParseInteger(page.GetControlText(id), form);
}

// An optional sign, digits with an optional point (at least one digit), an optional exponent;
// converted in the C locale whatever locale the process has.
Reading<double> ParseDouble(std::u16string_view text) {
    const size_t begin = SkipBlanks(text, 0);
    size_t at = begin < text.size() && IsSign(text[begin]) ? begin + 1 : begin;
    size_t end = SkipDigits(text, at);
    size_t digits = end - at;
    if (end < text.size() && text[end] == u'.') {
        at = end + 1;
        end = SkipDigits(text, at);
        digits += end - at;
    }
    if (digits > 0 && end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        at = end + 1 < text.size() && IsSign(text[end + 1]) ? end + 2 : end + 1;
        const size_t exponentEnd = SkipDigits(text, at);
        if (exponentEnd > at) end = exponentEnd;
    }
    Reading<double> reading;
    reading.onlyBlanksFollow = SkipBlanks(text, digits > 0 ? end : begin) == text.size();
    if (digits == 0) return reading;
    // Every character of the span is ASCII; from_chars takes no "+".
    std::string narrow;
    for (size_t i = text[begin] == u'+' ? begin + 1 : begin; i < end; ++i) narrow += static_cast<char>(text[i]);
    const auto [stop, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), reading.value);
    reading.valid = error == std::errc() && stop == narrow.data() + narrow.size();
    if (!reading.valid) reading.value = 0;
    return reading;
}

// Widths beyond any sensible field only pad; the bound keeps a bad width from making a huge text.
constexpr int kMaxHexWidth = 32;
constexpr int kMaxDecimals = 64;
constexpr size_t kMaxDialogText = 512;
constexpr size_t kMaxResourceChars = 256;

std::u16string DecimalText(int32_t value) { return platform::FormatW(u"%i", value); }
std::u16string HexText(uint32_t value, int width) {
    return platform::FormatW(u"%0*X", std::clamp(width, 0, kMaxHexWidth), value);
}

// The first entry that begins with the printed number and holds no further digit of it, so that
// "1" finds "1 - One" and not "12 - Twelve".
int FindNumberEntry(const CDialogPage& page, int id, const std::u16string& printed, int base) {
    for (int item = page.FindItemPrefix(id, printed); item >= 0; item = page.FindItemPrefix(id, printed, item + 1)) {
        const std::u16string entry = page.ItemText(id, item);
        if (entry.size() == printed.size() || DigitValue(entry[printed.size()], base) < 0) return item;
    }
    return -1;
}

void SetComboNumber(CDialogPage& page, int id, uint32_t value, const std::u16string& printed, IntegerForm form) {
    const Reading<uint32_t> shown = ReadInteger(page, id, form);
    if (shown.valid && shown.value == value) return;
    const int item = FindNumberEntry(page, id, printed, form.base);
    if (item < 0) {
        page.SetControlText(id, printed);
        return;
    }
    page.SetSelection(id, item);
    page.RedrawControl(id);
}

bool EntryStandsFor(const CDialogPage& page, int id, uint32_t value, const std::u16string& printed, IntegerForm form) {
    const int item = FindNumberEntry(page, id, printed, form.base);
    if (item < 0) return false;
    const Reading<uint32_t> entry = ParseInteger(page.ItemText(id, item), form);
    return entry.valid && entry.value == value;
}

// Items of a dump are 1, 2 or 4 bytes; any other size is taken as 1, so that no item reaches
// past the bytes it was given.
int DumpItemSize(int itemSize) { return itemSize == 2 || itemSize == 4 ? itemSize : 1; }

template <class T>
uint32_t Load(const uint8_t* bytes) {
    T item;
    std::memcpy(&item, bytes, sizeof item);
    return item;
}

template <class T>
void Store(uint8_t* bytes, uint32_t value) {
    const T item = static_cast<T>(value);
    std::memcpy(bytes, &item, sizeof item);
}

uint32_t LoadItem(const uint8_t* bytes, int itemSize) {
    return itemSize == 4 ? Load<uint32_t>(bytes) : itemSize == 2 ? Load<uint16_t>(bytes) : bytes[0];
}

void StoreItem(uint8_t* bytes, uint32_t value, int itemSize) {
    if (itemSize == 4)
        Store<uint32_t>(bytes, value);
    else if (itemSize == 2)
        Store<uint16_t>(bytes, value);
    else
        bytes[0] = static_cast<uint8_t>(value);
}

struct HexItem {
    uint32_t value = 0;
    size_t digits = 0;
};

// Walks the items of a dump text, runs of hexadecimal digits between white space, up to the end
// or to the first character that belongs to no dump.
class HexItemReader {
public:
    explicit HexItemReader(std::u16string_view text) : text(text) {}

    bool Next(HexItem& item) {
        while (at < text.size() && IsWhiteSpace(text[at])) ++at;
        item = {};
        for (; at < text.size(); ++at, ++item.digits) {
            const int digit = DigitValue(text[at], 16);
            if (digit < 0) break;
            item.value = item.value << 4 | static_cast<uint32_t>(digit);
        }
        return item.digits > 0;
    }

    int CountRest() {
        int count = 0;
        for (HexItem item; Next(item);) ++count;
        return count;
    }

    // False when the walk stopped at a foreign character.
    bool ReachedEnd() const { return at == text.size(); }

private:
    std::u16string_view text;
    size_t at = 0;
};

// At most limit characters, without splitting a surrogate pair.
std::u16string_view Head(std::u16string_view text, size_t limit) {
    if (text.size() <= limit) return text;
    const bool splitsPair = limit > 0 && text[limit - 1] >= 0xD800 && text[limit - 1] < 0xDC00;
    return text.substr(0, splitsPair ? limit - 1 : limit);
}

// The parts of a string resource split at separator; none when the module has no such string.
std::vector<std::u16string> ResourceParts(ModuleHandle module, int stringId, char16_t separator) {
    std::vector<std::u16string> parts;
    const char16_t* text = LoadResourceString(module, stringId);
    if (!text) return parts;
    size_t length = 0;
    while (length < kMaxResourceChars && text[length]) ++length;
    std::u16string_view rest(text, length);
    for (size_t cut = rest.find(separator);; cut = rest.find(separator)) {
        parts.emplace_back(rest.substr(0, cut));
        if (cut == std::u16string_view::npos) break;
        rest.remove_prefix(cut + 1);
    }
    return parts;
}

}  // namespace

uint32_t GetDlgNumber(const CDialogPage& page, int id, bool* valid, int base, bool allowNegative,
                      bool* onlyBlanksFollow) {
    const Reading<uint32_t> reading = ReadInteger(page, id, {base, allowNegative, UINT32_MAX});
    SetOut(valid, reading.valid);
    SetOut(onlyBlanksFollow, reading.onlyBlanksFollow);
    return reading.value;
}

uint32_t GetDlgDecimal(const CDialogPage& page, int id, bool* valid, bool allowNegative) {
    return GetDlgNumber(page, id, valid, 10, allowNegative);
}

bool GetDlgDecimalChecked(const CDialogPage& page, int id, uint32_t& value) {
    bool valid = false;
    value = GetDlgDecimal(page, id, &valid, false);
    return valid;
}

uint32_t GetDlgHex(const CDialogPage& page, int id, bool* valid) { return GetDlgNumber(page, id, valid, 16, false); }

bool GetDlgHexChecked(const CDialogPage& page, int id, uint32_t& value) {
    bool valid = false;
    value = GetDlgHex(page, id, &valid);
    return valid;
}

bool GetDlgSigned(const CDialogPage& page, int id, int32_t& value) {
    const Reading<uint32_t> reading = ReadInteger(page, id, kSignedDecimal);
    value = static_cast<int32_t>(reading.value);
    return reading.valid;
}

void SetComboDecimal(CDialogPage& page, int id, int32_t value) {
    SetComboNumber(page, id, static_cast<uint32_t>(value), DecimalText(value), kSignedDecimal);
}

void SetComboHex(CDialogPage& page, int id, uint32_t value, int width) {
    SetComboNumber(page, id, value, HexText(value, width), kHex);
}

bool ComboShowsDecimal(const CDialogPage& page, int id, uint32_t& value) {
    const Reading<uint32_t> shown = ReadInteger(page, id, kSignedDecimal);
    value = shown.value;
    return shown.valid && EntryStandsFor(page, id, value, DecimalText(static_cast<int32_t>(value)), kSignedDecimal);
}

bool ComboShowsHex(const CDialogPage& page, int id, uint32_t& value, int width) {
    const Reading<uint32_t> shown = ReadInteger(page, id, kHex);
    value = shown.value;
    return shown.valid && EntryStandsFor(page, id, value, HexText(value, width), kHex);
}

void SetDlgBinary(CDialogPage& page, int id, uint32_t value, int bytes) {
    std::u16string text;
    for (int bit = std::clamp(bytes, 0, 4) * 8 - 1; bit >= 0; --bit) text += (value >> bit) & 1 ? u'1' : u'0';
    page.SetControlText(id, text);
}

void SetDlgHex(CDialogPage& page, int id, uint32_t value, int width) { page.SetControlText(id, HexText(value, width)); }

void SetDlgHexDump(CDialogPage& page, int id, const uint8_t* bytes, int length, int itemSize) {
    itemSize = DumpItemSize(itemSize);
    std::u16string text;
    for (int at = 0; bytes && length - at >= itemSize; at += itemSize) {
        if (at > 0) text += u' ';
        text += HexText(LoadItem(bytes + at, itemSize), 2 * itemSize);
    }
    page.SetControlText(id, text);
}

int GetDlgHexDump(const CDialogPage& page, int id, uint8_t* bytes, int capacity, int itemSize, bool* valid) {
    itemSize = DumpItemSize(itemSize);
    const std::u16string text = page.GetControlText(id);
    HexItemReader reader(text);
    int count = 0;
    for (HexItem item; bytes && capacity - count >= itemSize && reader.Next(item); count += itemSize)
        StoreItem(bytes + count, item.value, itemSize);
    SetOut(valid, count > 0);
    return count;
}

int CountDlgHexItems(const CDialogPage& page, int id, int /*itemSize*/, int maxChars) {
    const std::u16string text = page.GetControlText(id);
    const std::u16string_view head = std::u16string_view(text).substr(0, static_cast<size_t>(std::max(maxChars, 0)));
    const size_t separator = static_cast<size_t>(std::find_if(head.begin(), head.end(), IsWhiteSpace) - head.begin());
    return HexItemReader(head.substr(separator)).CountRest();
}

int GuessDlgHexItemSize(const CDialogPage& page, int id, int& itemSize) {
    const std::u16string text = page.GetControlText(id);
    HexItemReader reader(text);
    HexItem first;
    if (!reader.Next(first)) return 0;
    itemSize = first.digits <= 2 ? 1 : first.digits <= 4 ? 2 : 4;
    return (1 + reader.CountRest()) * itemSize;
}

bool IsDlgHexDump(const CDialogPage& page, int id, int itemSize) {
    const size_t maxDigits = 2 * static_cast<size_t>(DumpItemSize(itemSize));
    const std::u16string text = page.GetControlText(id);
    HexItemReader reader(text);
    for (HexItem item; reader.Next(item);)
        if (item.digits > maxDigits) return false;
    return reader.ReachedEnd();
}

void SetDlgText(CDialogPage& page, int id, const char16_t* format, ...) {
    std::u16string text;
    if (format) {
        va_list args;
        va_start(args, format);
        text = platform::FormatWv(format, args);
        va_end(args);
    }
    page.SetControlText(id, std::u16string(Head(text, kMaxDialogText)));
}

void SetDlgDouble(CDialogPage& page, int id, double value, int decimals) {
    page.SetControlText(
        id, platform::FormatW(u"%.*f", std::clamp(decimals, 0, kMaxDecimals), std::isfinite(value) ? value : 0.0));
}

double GetDlgDouble(const CDialogPage& page, int id, bool* valid, bool* onlyBlanksFollow) {
    const Reading<double> reading = page.HasControl(id) ? ParseDouble(page.GetControlText(id)) : Reading<double>{};
    SetOut(valid, reading.valid);
    SetOut(onlyBlanksFollow, reading.onlyBlanksFollow);
    return reading.value;
}

bool GetDlgDoubleChecked(const CDialogPage& page, int id, double& value) {
    bool valid = false;
    value = GetDlgDouble(page, id, &valid);
    return valid;
}

void EnableDlgItem(CDialogPage& page, int id, bool enable) { page.EnableControl(id, enable); }

void ShowDlgItem(CDialogPage& page, int id, bool show) { page.ShowControl(id, show); }

void SizeDlgItemToBottom(CDialogPage& page, int id, int width, int bottom) {
    if (!page.HasControl(id)) return;
    const PageRect rect = page.ControlRect(id);
    const int64_t height = std::clamp<int64_t>(int64_t{bottom} - rect.y, 0, INT32_MAX);
    page.MoveControl(id, rect.x, rect.y, std::max(width, 0), static_cast<int>(height));
}

void SizeDlgItemWidth(CDialogPage& page, int id, int width) {
    if (!page.HasControl(id)) return;
    const PageRect rect = page.ControlRect(id);
    page.MoveControl(id, rect.x, rect.y, std::max(width, 0), rect.height);
}

void AddListColumns(CDialogPage& page, int id, ModuleHandle module, int stringId, char16_t separator) {
    for (const std::u16string& heading : ResourceParts(module, stringId, separator))
        page.AddColumn(id, heading, CDialogPage::kColumnToHeader);
}

void AddListRow(CDialogPage& page, int id, ModuleHandle module, int stringId, char16_t separator) {
    const std::vector<std::u16string> cells = ResourceParts(module, stringId, separator);
    if (cells.empty()) return;
    const int row = page.InsertRow(id, page.RowCount(id), cells[0]);
    if (row < 0) return;
    for (size_t column = 1; column < cells.size(); ++column)
        page.SetCellText(id, row, static_cast<int>(column), cells[column]);
}
