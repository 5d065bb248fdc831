#include "plugins/kvb/editors/field_editor.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "plugins/kvb/catalogue/kvb_plugin.h"
#include "plugins/kvb/editors/editor_fields.h"
#include "platform/text.h"
#include "shared/dialog_page.h"
#include "shared/value_format.h"

namespace {

uint32_t WidthMaximum(size_t width) { return width >= 4 ? UINT32_MAX : (uint32_t{1} << (8 * width)) - 1; }
uint32_t FieldMaximum(const EditorField& field) {
    return field.maximum ? field.maximum : WidthMaximum(field.width);
}

int64_t SignExtend(uint32_t raw, size_t width) {
    const unsigned bits = static_cast<unsigned>(8 * width);
    if (bits >= 32) return static_cast<int32_t>(raw);
    const uint32_t sign = uint32_t{1} << (bits - 1);
    return static_cast<int64_t>(raw ^ sign) - static_cast<int64_t>(sign);
}

uint32_t TwosComplement(int64_t value, size_t width) {
    return static_cast<uint32_t>(static_cast<uint64_t>(value) & WidthMaximum(width));
}

std::optional<uint32_t> ReadNumber(const CDialogPage& page, const EditorField& field) {
    if (field.gate && !page.IsChecked(field.gate)) return 0;
    if (!field.isSigned) {
        const std::optional<uint32_t> value = ReadScaledField(page, field.control, field.scale, FieldMaximum(field));
        if (!value) return std::nullopt;
        return *value << field.shift;
    }
    const int64_t limit = int64_t{1} << (8 * field.width - 1);
    const std::optional<int64_t> value = ReadSignedScaledField(page, field.control, field.scale, -limit, limit - 1);
    if (!value) return std::nullopt;
    return TwosComplement(*value, field.width);
}

std::optional<uint32_t> ReadIndex(const CDialogPage& page, const EditorField& field) {
    const int selection = page.Selection(field.control);
    if (selection < 0 || static_cast<uint32_t>(selection) > field.maximum) return std::nullopt;
    return static_cast<uint32_t>(selection) << field.shift;
}

std::optional<uint32_t> ReadMapped(const CDialogPage& page, const EditorField& field) {
    const int selection = page.Selection(field.control);
    if (selection < 0 || static_cast<size_t>(selection) >= field.values.size()) return std::nullopt;
    return field.values[static_cast<size_t>(selection)];
}

std::optional<uint32_t> HexPair(std::u16string_view text) {
    auto digit = [](char16_t c) -> int {
        if (c >= u'0' && c <= u'9') return c - u'0';
        if (c >= u'A' && c <= u'F') return c - u'A' + 10;
        if (c >= u'a' && c <= u'f') return c - u'a' + 10;
        return -1;
    };
    if (text.size() < 5 || text[2] != u'-') return std::nullopt;
    const int digits[] = {digit(text[0]), digit(text[1]), digit(text[3]), digit(text[4])};
    for (const int d : digits)
        if (d < 0) return std::nullopt;
    if (text.size() > 5 && digit(text[5]) >= 0) return std::nullopt;
    return static_cast<uint32_t>(digits[0] * 16 + digits[1]) | static_cast<uint32_t>(digits[2] * 16 + digits[3]) << 8;
}

std::optional<uint32_t> ReadDeviation(const CDialogPage& page, const EditorField& field) {
    bool valid = false;
    const double deviation = GetDlgDouble(page, field.control, &valid);
    if (!valid || !std::isfinite(deviation)) return std::nullopt;
    if (deviation < 0) return 0;
    const double variance = std::round(deviation * deviation * 1e6);
    return variance > field.maximum ? field.maximum : static_cast<uint32_t>(variance);
}

std::optional<uint32_t> ReadHex(const CDialogPage& page, const EditorField& field) {
    bool valid = false;
    bool onlyBlanks = false;
    const uint32_t value = GetDlgNumber(page, field.control, &valid, 16, false, &onlyBlanks);
    if (!valid || !onlyBlanks || value > FieldMaximum(field)) return std::nullopt;
    return value;
}

// The text as the receiver takes it: single-byte characters, no more than the field holds. A
// longer text is refused rather than cut.
std::optional<std::string> ReadText(const CDialogPage& page, const EditorField& field) {
    if (!page.HasControl(field.control)) return std::nullopt;
    const std::u16string text = page.GetControlText(field.control);
    const std::string bytes = platform::WideToAnsi(text);
    if (bytes.size() > field.width || bytes.find('\0') != std::string::npos || platform::AnsiToWide(bytes) != text)
        return std::nullopt;
    return bytes;
}

// The text within its field, up to the first zero if there is one.
void ShowText(CDialogPage& page, const EditorField& field, std::span<const uint8_t> payload) {
    const size_t begin = std::min<size_t>(field.offset, payload.size());
    const size_t end = std::min<size_t>(begin + field.width, payload.size());
    const auto first = payload.begin() + static_cast<std::ptrdiff_t>(begin);
    const auto last = std::find(first, payload.begin() + static_cast<std::ptrdiff_t>(end), uint8_t{0});
    page.SetControlText(field.control, platform::AnsiToWide(std::string(first, last)));
}

void WriteText(const std::string& text, const EditorField& field, std::span<uint8_t> payload) {
    for (size_t at = 0; at < text.size() && field.offset + at < payload.size(); ++at)
        payload[field.offset + at] = static_cast<uint8_t>(text[at]);
}

// The bits the control stands for, placed in its field; nothing when the control does not read.
std::optional<uint32_t> ReadField(const CDialogPage& page, const EditorField& field) {
    switch (field.kind) {
        case EditorFieldKind::Number:
            return ReadNumber(page, field);
        case EditorFieldKind::Choice: {
            const std::optional<uint32_t> value = ReadNumberedChoice(page, field.control);
            if (!value || *value > FieldMaximum(field)) return std::nullopt;
            return value;
        }
        case EditorFieldKind::Signed: {
            const int32_t limit = int32_t{1} << (8 * field.width - 1);
            const std::optional<int32_t> value = ReadSignedChoice(page, field.control, -limit, limit - 1);
            if (!value) return std::nullopt;
            return TwosComplement(*value, field.width);
        }
        case EditorFieldKind::Index:
            return ReadIndex(page, field);
        case EditorFieldKind::Mapped:
            return ReadMapped(page, field);
        case EditorFieldKind::Bit:
            return page.IsChecked(field.control) ? uint32_t{1} << field.shift : 0;
        case EditorFieldKind::All:
            return page.IsChecked(field.control) ? WidthMaximum(field.width) : 0;
        case EditorFieldKind::Radio:
            return page.IsChecked(field.control) ? field.constant : 0;
        case EditorFieldKind::Mask: {
            const std::optional<uint32_t> mask = ReadProtocolMask(page, field.control);
            if (!mask || *mask > field.maximum) return std::nullopt;
            return mask;
        }
        case EditorFieldKind::Message:
            return page.HasControl(field.control) ? HexPair(page.GetControlText(field.control)) : std::nullopt;
        case EditorFieldKind::Deviation:
            return ReadDeviation(page, field);
        case EditorFieldKind::Hex:
            return ReadHex(page, field);
        case EditorFieldKind::Clear:
            return page.IsChecked(field.control) ? 0 : uint32_t{1} << field.shift;
        case EditorFieldKind::Text:
            return ReadText(page, field) ? std::optional<uint32_t>(0) : std::nullopt;
        case EditorFieldKind::Status:
            return 0;
    }
    return std::nullopt;
}

void SelectMessage(CDialogPage& page, int control, uint32_t raw) {
    const std::u16string text = platform::FormatW(u"%02X-%02X", raw & 0xFF, (raw >> 8) & 0xFF);
    const int index = page.FindItemPrefix(control, text);
    page.SetSelection(control, index);
    if (index < 0) page.SetControlText(control, text);
}

void SelectMapped(CDialogPage& page, const EditorField& field, uint32_t raw) {
    uint32_t bits = 0;
    for (const uint32_t value : field.values) bits |= value;
    for (size_t index = 0; index < field.values.size(); ++index)
        if ((raw & bits) == field.values[index]) return page.SetSelection(field.control, static_cast<int>(index));
    page.SetSelection(field.control, -1);
}

void ShowField(CDialogPage& page, const EditorField& field, uint32_t raw) {
    switch (field.kind) {
        case EditorFieldKind::Number:
            if (field.gate) page.SetChecked(field.gate, raw != 0);
            if (field.isSigned)
                return SetDlgDouble(page, field.control, static_cast<double>(SignExtend(raw, field.width)) / field.scale,
                                    field.decimals);
            return ShowScaledField(page, field.control, (raw >> field.shift) & FieldMaximum(field), field.scale,
                                   field.decimals);
        case EditorFieldKind::Choice:
            return ShowNumberedChoice(page, field.control, raw);
        case EditorFieldKind::Signed:
            return ShowSignedChoice(page, field.control, static_cast<int32_t>(SignExtend(raw, field.width)));
        case EditorFieldKind::Index: {
            const int index = static_cast<int>((raw >> field.shift) & field.maximum);
            return page.SetSelection(field.control, index < page.ItemCount(field.control) ? index : -1);
        }
        case EditorFieldKind::Mapped:
            return SelectMapped(page, field, raw);
        case EditorFieldKind::Bit:
            return page.SetChecked(field.control, (raw >> field.shift) & 1);
        case EditorFieldKind::All:
            return page.SetChecked(field.control, raw == WidthMaximum(field.width));
        case EditorFieldKind::Radio:
            return page.SetChecked(field.control, raw == field.constant);
        case EditorFieldKind::Mask:
            return ShowProtocolMask(page, field.control, raw);
        case EditorFieldKind::Message:
            return SelectMessage(page, field.control, raw);
        case EditorFieldKind::Deviation:
            return SetDlgDouble(page, field.control, std::sqrt(static_cast<double>(raw) / 1e6), field.decimals);
        case EditorFieldKind::Hex:
            return SetDlgHex(page, field.control, raw, 2 * field.width);
        case EditorFieldKind::Clear:
            return page.SetChecked(field.control, !((raw >> field.shift) & 1));
        case EditorFieldKind::Text:
            return;
        case EditorFieldKind::Status:
            return page.ShowControl(field.control, ((raw >> field.shift) & 1) == field.constant);
    }
}

bool ShowsZero(EditorFieldKind kind) {
    return kind == EditorFieldKind::Number || kind == EditorFieldKind::Deviation || kind == EditorFieldKind::Hex;
}

}  // namespace

uint32_t ReadPayloadField(std::span<const uint8_t> payload, size_t offset, size_t width) {
    uint32_t value = 0;
    for (size_t at = 0; at < width && offset + at < payload.size(); ++at)
        value |= static_cast<uint32_t>(payload[offset + at]) << (8 * at);
    return value;
}

void OrPayloadField(std::span<uint8_t> payload, size_t offset, size_t width, uint32_t value) {
    for (size_t at = 0; at < width && offset + at < payload.size(); ++at)
        payload[offset + at] |= static_cast<uint8_t>(value >> (8 * at));
}

void CKvbFieldEditor::Init(CDialogPage& page) const {
    const bool extended = KvbExtendedMode();
    for (const EditorList& list : lists) {
        page.ClearItems(list.control);
        for (const char16_t* item : extended && !list.extended.empty() ? list.extended : list.items)
            page.AddItem(list.control, item);
        page.SetSelection(list.control, 0);
    }
    // A page not yet filled from a frame builds one of zeros, in the full form.
    for (const EditorField& field : fields) {
        if (ShowsZero(field.kind)) ShowField(page, field, 0);
        if (field.kind == EditorFieldKind::Clear) page.SetChecked(field.control, true);
        if (field.kind == EditorFieldKind::Status) page.ShowControl(field.control, false);
    }
    if (shortForm.control) page.SetChecked(shortForm.control, true);
}

bool CKvbFieldEditor::Fits(size_t size) const {
    return size == payloadSize || (shortForm.control && size == shortForm.shortSize);
}

size_t CKvbFieldEditor::PayloadSize(const CDialogPage& page) const {
    return shortForm.control && !page.IsChecked(shortForm.control) ? shortForm.shortSize : payloadSize;
}

void CKvbFieldEditor::ShowPayload(CDialogPage& page, std::span<const uint8_t> payload) const {
    for (const EditorField& field : fields) {
        if (field.kind == EditorFieldKind::Text)
            ShowText(page, field, payload);
        else
            ShowField(page, field, ReadPayloadField(payload, field.offset, field.width));
    }
    if (shortForm.control) page.SetChecked(shortForm.control, payload.size() == payloadSize);
    ShowMore(page, payload);
}

bool CKvbFieldEditor::BuildPayload(const CDialogPage& page, std::span<uint8_t> payload) const {
    for (const EditorField& field : fields) {
        if (field.kind == EditorFieldKind::Text) {
            const std::optional<std::string> text = ReadText(page, field);
            if (!text) return false;
            WriteText(*text, field, payload);
            continue;
        }
        const std::optional<uint32_t> bits = ReadField(page, field);
        if (!bits) return false;
        OrPayloadField(payload, field.offset, field.width, *bits);
    }
    return BuildMore(page, payload);
}

bool CKvbFieldEditor::Validate(const CDialogPage& page, int control) const {
    for (const EditorField& field : fields)
        if (field.control == control && !ReadField(page, field)) return false;
    return true;
}

bool CKvbFieldEditor::OnChange(CDialogPage&, int control) const {
    return pollBytes > 0 && !fields.empty() && fields.front().control == control;
}

std::optional<std::vector<uint8_t>> CKvbFieldEditor::PollPayload(const CDialogPage& page) const {
    if (pollBytes == 0 || fields.empty()) return std::vector<uint8_t>{};
    const std::optional<uint32_t> selector = ReadField(page, fields.front());
    if (!selector) return std::nullopt;
    std::vector<uint8_t> payload(pollBytes, 0);
    OrPayloadField(payload, 0, pollBytes, *selector);
    return payload;
}
