#include "plugins/kvb/editors/cfg_cfg_editor.h"

#include <algorithm>

#include "plugins/kvb/catalogue/kvb_plugin.h"
#include "plugins/kvb/editors/field_editor.h"
#include "plugins/kvb/resources/kvb_editor_ids.h"
#include "platform/text.h"
#include "shared/dialog_page.h"

namespace {

using namespace kvb_res::cfgcfg;

constexpr uint32_t kEverything = 0xFFFFFFFF;
constexpr int kMaskLists[] = {kClear, kSave, kLoad};
constexpr int kChoices[] = {kRevertDefault, kRevertSaved, kSaveCurrent, kUserDefined};
constexpr unsigned kFirstUserBit = 16;
constexpr unsigned kUserBits = 16;

// The clear, save and load masks of the three common choices.
struct CommonChoice {
    int control;
    uint32_t masks[3];
};
constexpr CommonChoice kCommon[] = {
    {kRevertDefault, {kEverything, 0, kEverything}},
    {kRevertSaved, {0, 0, kEverything}},
    {kSaveCurrent, {0, kEverything, 0}},
};

constexpr const char16_t* kBasicParts[] = {u"1 - MSG", u"2 - INF", u"3 - NAV+DAT+RATE+TP", u"4 - RXM", u"5 - FXW+ITM",
                                           u"6 - Reserved", u"7 - Reserved", u"9 - Reserved", u"10 - ANT"};
constexpr const char16_t* kExtendedParts[] = {
    u"1 - MSG", u"2 - INF", u"3 - NAV+DAT+RATE+TP", u"4 - RXM", u"5 - FXW+ITM", u"6 - EKF Calibration (Flash)",
    u"7 - EKF Temperature Table", u"8 - EKF Configuration", u"9 - EKF Calibration (BBR)", u"10 - ANT"};
constexpr const char16_t* kDeviceItems[] = {u"0 - BBR", u"1 - FLASH"};

void FillParts(CDialogPage& page, int control, bool extended) {
    page.ClearItems(control);
    page.AddItem(control, extended ? u"0 - PRT+USB" : u"0 - PRT");
    for (const char16_t* part : extended ? std::span<const char16_t* const>(kExtendedParts) : kBasicParts)
        page.AddItem(control, part);
    for (unsigned user = 0; user < kUserBits; ++user)
        page.AddItem(control, platform::FormatW(u"%u - User %u", kFirstUserBit + user, user));
}

// The bit an item stands for: the number its text begins with.
int ItemBit(const std::u16string& text) {
    int bit = 0;
    size_t at = 0;
    for (; at < text.size() && at < 3 && text[at] >= u'0' && text[at] <= u'9'; ++at) bit = bit * 10 + (text[at] - u'0');
    return at == 0 || bit > 31 ? -1 : bit;
}

uint32_t SelectedBits(const CDialogPage& page, int control) {
    uint32_t mask = 0;
    for (int item = 0; item < page.ItemCount(control); ++item) {
        const int bit = ItemBit(page.ItemText(control, item));
        if (bit >= 0 && page.IsItemSelected(control, item)) mask |= uint32_t{1} << bit;
    }
    return mask;
}

void SelectBits(CDialogPage& page, int control, uint32_t mask) {
    for (int item = 0; item < page.ItemCount(control); ++item) {
        const int bit = ItemBit(page.ItemText(control, item));
        page.SelectItem(control, item, bit >= 0 && ((mask >> bit) & 1));
    }
}

void Choose(CDialogPage& page, int choice) {
    for (const int control : kChoices) page.SetChecked(control, control == choice);
    for (const int control : kMaskLists) page.EnableControl(control, choice == kUserDefined);
}

bool DeviceMaskSent(const CDialogPage& page) { return KvbExtendedMode() && page.IsChecked(kDevice); }

}  // namespace

void CCfgCfgEditor::Init(CDialogPage& page) const {
    const bool extended = KvbExtendedMode();
    for (const int control : kMaskLists) FillParts(page, control, extended);
    page.ClearItems(kDevices);
    for (const char16_t* device : kDeviceItems) page.AddItem(kDevices, device);
    for (const int control : {kDevice, kDevices}) page.ShowControl(control, extended);
    Choose(page, kRevertSaved);
}

bool CCfgCfgEditor::OnChange(CDialogPage& page, int control) const {
    for (const int choice : kChoices)
        if (choice == control && page.IsChecked(control)) Choose(page, control);
    return false;
}

size_t CCfgCfgEditor::PayloadSize(const CDialogPage& page) const { return DeviceMaskSent(page) ? 13 : 12; }

void CCfgCfgEditor::ShowPayload(CDialogPage& page, std::span<const uint8_t> payload) const {
    const uint32_t masks[] = {ReadPayloadField(payload, 0, 4), ReadPayloadField(payload, 4, 4),
                              ReadPayloadField(payload, 8, 4)};
    int choice = kUserDefined;
    for (const CommonChoice& common : kCommon)
        if (std::equal(std::begin(masks), std::end(masks), common.masks)) choice = common.control;
    Choose(page, choice);
    for (size_t list = 0; list < std::size(kMaskLists); ++list)
        SelectBits(page, kMaskLists[list], choice == kUserDefined ? masks[list] : 0);
    page.SetChecked(kDevice, payload.size() == 13);
    SelectBits(page, kDevices, ReadPayloadField(payload, 12, 1));
}

bool CCfgCfgEditor::BuildPayload(const CDialogPage& page, std::span<uint8_t> payload) const {
    for (const CommonChoice& common : kCommon)
        if (page.IsChecked(common.control))
            for (size_t list = 0; list < std::size(kMaskLists); ++list)
                OrPayloadField(payload, 4 * list, 4, common.masks[list]);
    if (page.IsChecked(kUserDefined))
        for (size_t list = 0; list < std::size(kMaskLists); ++list)
            OrPayloadField(payload, 4 * list, 4, SelectedBits(page, kMaskLists[list]));
    if (DeviceMaskSent(page)) OrPayloadField(payload, 12, 1, SelectedBits(page, kDevices));
    return true;
}

const CCfgCfgEditor kCfgCfgEditor;
