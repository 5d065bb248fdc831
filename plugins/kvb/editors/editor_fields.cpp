#include "plugins/kvb/editors/editor_fields.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "platform/text.h"
#include "shared/dialog_page.h"
#include "shared/value_format.h"

namespace {

constexpr std::u16string_view kNoMask = u"none";
constexpr uint32_t kLargestBit = 31;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Reads a bit number at text[at]; at is left behind it.
std::optional<uint32_t> ReadBitNumber(std::u16string_view text, size_t& at) {
    if (at >= text.size() || !IsDigit(text[at])) return std::nullopt;
    uint32_t number = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        number = number * 10 + static_cast<uint32_t>(text[at] - u'0');
        if (number > kLargestBit) return std::nullopt;
    }
    return number;
}

// An item begins with the mask's text as a whole: "0+1" is not the start of "0+1+2 - ALL".
bool BeginsWithMask(const std::u16string& item, const std::u16string& mask) {
    if (!item.starts_with(mask)) return false;
    return item.size() == mask.size() || (item[mask.size()] != u'+' && !IsDigit(item[mask.size()]));
}

// A decimal number with an optional sign at the start of text, read within it.
std::optional<int64_t> LeadingSignedNumber(std::u16string_view text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) ++at;
    const bool negative = at < text.size() && text[at] == u'-';
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) ++at;
    if (at >= text.size() || !IsDigit(text[at])) return std::nullopt;
    int64_t number = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        number = number * 10 + (text[at] - u'0');
        if (number > INT32_MAX) return std::nullopt;
    }
    return negative ? -number : number;
}

}  // namespace

std::optional<uint32_t> ReadNumberedChoice(const CDialogPage& page, int id) {
    bool valid = false;
    const uint32_t value = GetDlgNumber(page, id, &valid, 10, false);
    return valid ? std::optional(value) : std::nullopt;
}

void ShowNumberedChoice(CDialogPage& page, int id, uint32_t value) {
    SetComboDecimal(page, id, static_cast<int32_t>(value));
}

std::optional<uint32_t> ParseProtocolMask(std::u16string_view text) {
    if (text.starts_with(kNoMask)) return 0;
    size_t at = 0;
    uint32_t mask = 0;
    for (;;) {
        const std::optional<uint32_t> bit = ReadBitNumber(text, at);
        if (!bit) return std::nullopt;
        mask |= uint32_t{1} << *bit;
        if (at >= text.size() || text[at] != u'+') return mask;
        ++at;
    }
}

std::u16string FormatProtocolMask(uint32_t mask) {
    if (mask == 0) return std::u16string(kNoMask);
    std::u16string text;
    for (uint32_t bit = 0; bit <= kLargestBit; ++bit) {
        if (!(mask & (uint32_t{1} << bit))) continue;
        if (!text.empty()) text += u'+';
        for (const char c : std::to_string(bit)) text += static_cast<char16_t>(c);
    }
    return text;
}

std::optional<uint32_t> ReadProtocolMask(const CDialogPage& page, int id) {
    if (!page.HasControl(id)) return std::nullopt;
    return ParseProtocolMask(page.GetControlText(id));
}

void ShowProtocolMask(CDialogPage& page, int id, uint32_t mask) {
    const std::u16string text = FormatProtocolMask(mask);
    for (int index = page.FindItemPrefix(id, text); index >= 0; index = page.FindItemPrefix(id, text, index + 1))
        if (BeginsWithMask(page.ItemText(id, index), text)) return page.SetSelection(id, index);
    page.SetSelection(id, -1);
    page.SetControlText(id, text);
}

std::optional<uint32_t> ReadScaledField(const CDialogPage& page, int id, double scale, uint32_t maximum) {
    bool valid = false;
    const double scaled = std::round(GetDlgDouble(page, id, &valid) * scale);
    if (!valid || !(scaled >= 0) || scaled > maximum) return std::nullopt;
    return static_cast<uint32_t>(scaled);
}

void ShowScaledField(CDialogPage& page, int id, double value, double scale, int decimals) {
    SetDlgDouble(page, id, value / scale, decimals);
}

std::optional<int32_t> ReadSignedChoice(const CDialogPage& page, int id, int32_t minimum, int32_t maximum) {
    if (!page.HasControl(id)) return std::nullopt;
    const std::optional<int64_t> number = LeadingSignedNumber(page.GetControlText(id));
    if (!number || *number < minimum || *number > maximum) return std::nullopt;
    return static_cast<int32_t>(*number);
}

void ShowSignedChoice(CDialogPage& page, int id, int32_t value) {
    for (int index = 0; index < page.ItemCount(id); ++index)
        if (LeadingSignedNumber(page.ItemText(id, index)) == value) return page.SetSelection(id, index);
    page.SetSelection(id, -1);
    page.SetControlText(id, platform::FormatW(u"%d", value));
}

std::optional<int64_t> ReadSignedScaledField(const CDialogPage& page, int id, double scale, int64_t minimum,
                                             int64_t maximum) {
    bool valid = false;
    const double scaled = std::round(GetDlgDouble(page, id, &valid) * scale);
    if (!valid || !(scaled >= static_cast<double>(minimum)) || scaled > static_cast<double>(maximum))
        return std::nullopt;
    return static_cast<int64_t>(scaled);
}
