#include "plugins/kvb/editors/cfg_dat_editor.h"

#include <bit>
#include <cmath>
#include <optional>

#include "platform/text.h"
#include "plugins/kvb/editors/datum_table.h"
#include "plugins/kvb/editors/field_editor.h"
#include "plugins/kvb/resources/kvb_editor_ids.h"
#include "shared/dialog_page.h"
#include "shared/value_format.h"

namespace {

using namespace kvb_res::cfgdat;

constexpr size_t kSelectSize = 2;
constexpr size_t kUserSize = 44;
// The receiver's answer: number, six characters of code, then the user form.
constexpr size_t kAnswerSize = 52;
constexpr size_t kAnswerParameters = 8;
constexpr uint32_t kUserDatum = kDatumCount;
constexpr const char16_t* kUserItem = u"USER...";

struct DatumParameter {
    int control;
    uint8_t offset;
    // 8-byte double, else 4-byte float.
    bool isDouble;
    double minimum;
    double maximum;
    int decimals;
};

constexpr DatumParameter kParameters[] = {
    {kSemiMajorAxis, 0, true, 6.3e6, 6.5e6, 3},
    {kInverseFlattening, 8, true, 0, 500, 3},
    {kShiftX, 16, false, -5000, 5000, 3},
    {kShiftY, 20, false, -5000, 5000, 3},
    {kShiftZ, 24, false, -5000, 5000, 3},
    {kRotationX, 28, false, -20, 20, 4},
    {kRotationY, 32, false, -20, 20, 4},
    {kRotationZ, 36, false, -20, 20, 4},
    {kScale, 40, false, 0, 50, 4},
};

// The datum number of the selected item; kUserDatum for "USER..." or any item without a leading
// number; nothing when no item is selected.
std::optional<uint32_t> SelectedDatum(const CDialogPage& page) {
    const int selection = page.Selection(kDatum);
    if (selection < 0) return std::nullopt;
    const std::u16string text = page.ItemText(kDatum, selection);
    uint32_t number = 0;
    size_t at = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9' && number < kUserDatum; ++at)
        number = number * 10 + static_cast<uint32_t>(text[at] - u'0');
    return at == 0 || number > kUserDatum ? kUserDatum : number;
}

bool IsUserDatum(const CDialogPage& page) { return SelectedDatum(page) == kUserDatum; }

std::optional<double> ReadParameter(const CDialogPage& page, const DatumParameter& parameter) {
    bool valid = false;
    const double value = GetDlgDouble(page, parameter.control, &valid);
    if (!valid || !(value >= parameter.minimum && value <= parameter.maximum)) return std::nullopt;
    return value;
}

void WriteParameter(std::span<uint8_t> payload, const DatumParameter& parameter, double value) {
    if (parameter.isDouble) {
        const uint64_t bits = std::bit_cast<uint64_t>(value);
        OrPayloadField(payload, parameter.offset, 4, static_cast<uint32_t>(bits));
        OrPayloadField(payload, parameter.offset + 4u, 4, static_cast<uint32_t>(bits >> 32));
    } else {
        OrPayloadField(payload, parameter.offset, 4, std::bit_cast<uint32_t>(static_cast<float>(value)));
    }
}

double ReadPayloadParameter(std::span<const uint8_t> parameters, const DatumParameter& parameter) {
    const uint32_t low = ReadPayloadField(parameters, parameter.offset, 4);
    if (!parameter.isDouble) return std::bit_cast<float>(low);
    const uint64_t high = ReadPayloadField(parameters, parameter.offset + 4u, 4);
    return std::bit_cast<double>(high << 32 | low);
}

// Only a user datum's parameters are the user's to edit; a predefined datum's are the receiver's.
void LayOut(CDialogPage& page) {
    const bool user = IsUserDatum(page);
    for (const DatumParameter& parameter : kParameters) {
        page.EnableControl(parameter.control, user);
        if (!user) page.SetControlText(parameter.control, u"");
    }
}

void SelectDatum(CDialogPage& page, uint32_t number) {
    page.SetSelection(kDatum, number < kDatumCount ? static_cast<int>(number) + 1 : 0);
    LayOut(page);
}

void ShowParameters(CDialogPage& page, std::span<const uint8_t> parameters) {
    for (const DatumParameter& parameter : kParameters)
        SetDlgDouble(page, parameter.control, ReadPayloadParameter(parameters, parameter), parameter.decimals);
}

}  // namespace

void CCfgDatEditor::Init(CDialogPage& page) const {
    page.ClearItems(kDatum);
    page.AddItem(kDatum, kUserItem);
    for (size_t number = 0; number < kDatumCount; ++number)
        page.AddItem(kDatum, platform::FormatW(u"%u - ", static_cast<unsigned>(number)) + kDatumCodes[number]);
    LayOut(page);
}

bool CCfgDatEditor::Validate(const CDialogPage& page, int control) const {
    if (!IsUserDatum(page)) return true;
    for (const DatumParameter& parameter : kParameters)
        if (parameter.control == control) return ReadParameter(page, parameter).has_value();
    return true;
}

bool CCfgDatEditor::OnChange(CDialogPage& page, int control) const {
    if (control == kDatum) LayOut(page);
    return false;
}

bool CCfgDatEditor::Fits(size_t payloadSize) const {
    return payloadSize == kSelectSize || payloadSize == kUserSize || payloadSize == kAnswerSize;
}

size_t CCfgDatEditor::PayloadSize(const CDialogPage& page) const { return IsUserDatum(page) ? kUserSize : kSelectSize; }

void CCfgDatEditor::ShowPayload(CDialogPage& page, std::span<const uint8_t> payload) const {
    if (payload.size() == kUserSize) {
        SelectDatum(page, kUserDatum);
        return ShowParameters(page, payload);
    }
    SelectDatum(page, ReadPayloadField(payload, 0, 2));
    if (payload.size() == kAnswerSize) ShowParameters(page, payload.subspan(kAnswerParameters));
}

// With no datum selected nothing is sent: a user datum of zeros would become the receiver's.
bool CCfgDatEditor::BuildPayload(const CDialogPage& page, std::span<uint8_t> payload) const {
    const std::optional<uint32_t> datum = SelectedDatum(page);
    if (!datum) return false;
    if (*datum < kDatumCount) {
        OrPayloadField(payload, 0, 2, *datum);
        return true;
    }
    for (const DatumParameter& parameter : kParameters) {
        const std::optional<double> value = ReadParameter(page, parameter);
        if (!value) return false;
        WriteParameter(payload, parameter, *value);
    }
    return true;
}

const CCfgDatEditor kCfgDatEditor;
