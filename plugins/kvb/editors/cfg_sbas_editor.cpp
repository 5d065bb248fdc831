#include "plugins/kvb/editors/cfg_sbas_editor.h"

#include "plugins/kvb/resources/kvb_editor_ids.h"
#include "platform/text.h"
#include "shared/dialog_page.h"

namespace {

using namespace kvb_res::cfgsbas;

constexpr unsigned kFirstSatellite = 120;
constexpr unsigned kSatellites = 32;

constexpr const char16_t* kSubsystems[] = {u"Disabled", u"Enabled"};
constexpr EditorList kLists[] = {{kSubsystem, kSubsystems}};

constexpr EditorField kFields[] = {
    IndexField(kSubsystem, 0, 1, 0, 1),  BitField(kTestMode, 0, 1, 1),         BitField(kRanging, 1, 1, 0),
    BitField(kCorrections, 1, 1, 1),     BitField(kIntegrity, 1, 1, 2),        NumberField(kChannels, 2, 1),
    RadioField(kAutoScan, 4, 4, 0),      RadioField(kWaas, 4, 4, 0x4C004),     RadioField(kEgnos, 4, 4, 0x851),
    RadioField(kMsas, 4, 4, 0x20200),
};
constexpr int kPresets[] = {kAutoScan, kWaas, kEgnos, kMsas};

bool IsSeparator(char16_t c) { return c == u' ' || c == u'\t' || c == u',' || c == u'+'; }

}  // namespace

std::optional<uint32_t> ParseSbasSatellites(std::u16string_view text) {
    uint32_t mask = 0;
    size_t at = 0;
    while (at < text.size()) {
        if (IsSeparator(text[at])) {
            ++at;
            continue;
        }
        unsigned number = 0;
        const size_t first = at;
        for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9' && at - first < 4; ++at)
            number = number * 10 + static_cast<unsigned>(text[at] - u'0');
        if (at == first || (at < text.size() && !IsSeparator(text[at]))) return std::nullopt;
        if (number < kFirstSatellite || number >= kFirstSatellite + kSatellites) return std::nullopt;
        mask |= uint32_t{1} << (number - kFirstSatellite);
    }
    return mask;
}

std::u16string FormatSbasSatellites(uint32_t mask) {
    std::u16string text;
    for (unsigned bit = 0; bit < kSatellites; ++bit)
        if ((mask >> bit) & 1) text += platform::FormatW(text.empty() ? u"%u" : u" %u", kFirstSatellite + bit);
    return text;
}

void CCfgSbasEditor::Init(CDialogPage& page) const {
    CKvbFieldEditor::Init(page);
    page.SetChecked(kAutoScan, true);
}

bool CCfgSbasEditor::Validate(const CDialogPage& page, int control) const {
    if (control == kOtherPrns && page.IsChecked(kOther))
        return ParseSbasSatellites(page.GetControlText(kOtherPrns)).has_value();
    return CKvbFieldEditor::Validate(page, control);
}

void CCfgSbasEditor::ShowMore(CDialogPage& page, std::span<const uint8_t> payload) const {
    bool preset = false;
    for (const int control : kPresets) preset = preset || page.IsChecked(control);
    page.SetChecked(kOther, !preset);
    page.SetControlText(kOtherPrns, preset ? u"" : FormatSbasSatellites(ReadPayloadField(payload, 4, 4)));
}

bool CCfgSbasEditor::BuildMore(const CDialogPage& page, std::span<uint8_t> payload) const {
    if (!page.IsChecked(kOther)) return true;
    const std::optional<uint32_t> mask = ParseSbasSatellites(page.GetControlText(kOtherPrns));
    if (!mask) return false;
    OrPayloadField(payload, 4, 4, *mask);
    return true;
}

const CCfgSbasEditor kCfgSbasEditor{0x16, 8, kFields, kLists};
