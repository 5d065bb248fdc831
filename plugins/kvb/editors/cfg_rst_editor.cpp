#include "plugins/kvb/editors/cfg_rst_editor.h"

#include "plugins/kvb/resources/kvb_editor_ids.h"
#include "shared/dialog_page.h"

namespace {

using namespace kvb_res::cfgrst;

constexpr const char16_t* kClearItems[] = {
    u"0 - Ephemeris", u"1 - Almanac",   u"2 - Health",   u"3 - Klobuchar", u"4 - Position", u"5 - Clock Drift",
    u"6 - Oscillator", u"7 - UTC Corrections", u"8 - RTC Time", u"9 - RTC Bias", u"10 - RTC Drift",
};
constexpr EditorList kLists[] = {{kClear, kClearItems}};

constexpr EditorField kFields[] = {
    RadioField(kStop, 2, 1, 8),          RadioField(kStart, 2, 1, 9), RadioField(kControlled, 2, 1, 1),
    RadioField(kControlledGps, 2, 1, 2), RadioField(kForced, 2, 1, 0),
};

constexpr int kMostSelections = 16;

// The clear mask that each startup option stands for; the user's choice has none.
struct Startup {
    int control;
    uint32_t mask;
};
constexpr uint32_t kEveryItem = (uint32_t{1} << std::size(kClearItems)) - 1;
constexpr Startup kStartups[] = {{kHotstart, 0}, {kWarmstart, 1}, {kColdstart, kEveryItem}};

void SelectMask(CDialogPage& page, uint32_t mask) {
    for (int item = 0; item < page.ItemCount(kClear) && item < kMostSelections; ++item)
        page.SelectItem(kClear, item, (mask >> item) & 1);
}

void CheckOnly(CDialogPage& page, int control) {
    for (const int option : {kHotstart, kWarmstart, kColdstart, kUserDefined}) page.SetChecked(option, option == control);
}

void ApplyStartup(CDialogPage& page, int control) {
    for (const Startup& startup : kStartups)
        if (startup.control == control) SelectMask(page, startup.mask);
    page.EnableControl(kClear, control == kUserDefined);
}

}  // namespace

void CCfgRstEditor::Init(CDialogPage& page) const {
    CKvbFieldEditor::Init(page);
    CheckOnly(page, kHotstart);
    ApplyStartup(page, kHotstart);
    page.SetChecked(kForced, true);
}

bool CCfgRstEditor::OnChange(CDialogPage& page, int control) const {
    if (control == kHotstart || control == kWarmstart || control == kColdstart || control == kUserDefined)
        if (page.IsChecked(control)) ApplyStartup(page, control);
    return false;
}

void CCfgRstEditor::ShowMore(CDialogPage& page, std::span<const uint8_t> payload) const {
    const uint32_t mask = ReadPayloadField(payload, 0, 2);
    int option = kUserDefined;
    for (const Startup& startup : kStartups)
        if (startup.mask == mask) option = startup.control;
    CheckOnly(page, option);
    ApplyStartup(page, option);
    SelectMask(page, mask);
}

bool CCfgRstEditor::BuildMore(const CDialogPage& page, std::span<uint8_t> payload) const {
    uint32_t mask = 0;
    int selections = 0;
    for (int item = 0; item < page.ItemCount(kClear) && selections < kMostSelections; ++item)
        if (page.IsItemSelected(kClear, item)) {
            mask |= uint32_t{1} << item;
            ++selections;
        }
    OrPayloadField(payload, 0, 2, mask);
    return true;
}

const CCfgRstEditor kCfgRstEditor{0x04, 4, kFields, kLists};
