#include "plugins/kvb/editors/cfg_fxw_editor.h"

#include <vector>

#include "plugins/kvb/resources/kvb_editor_ids.h"
#include "shared/dialog_page.h"

namespace {

using namespace kvb_res::cfgfxw;

constexpr size_t kPayloadSize = 36;
constexpr double kMilliseconds = 1000;

// Flags: bit 0 sleep, 1 backup, 2 use the on/off times, 3 align them to the base time of week.
constexpr uint32_t kSleepFlag = 1u << 0;
constexpr uint32_t kBackupFlag = 1u << 1;
constexpr uint32_t kOnOffTimeFlag = 1u << 2;
constexpr uint32_t kAbsoluteAlignFlag = 1u << 3;

constexpr EditorField kFields[] = {
    BitField(kSleep, 0, 4, 0),
    BitField(kBackup, 0, 4, 1),
    BitField(kOnOffTime, 0, 4, 2),
    BitField(kAbsoluteAlign, 0, 4, 3),
    NumberField(kReacquire, 4, 4, kMilliseconds, 3),
    NumberField(kAcquire, 8, 4, kMilliseconds, 3),
    NumberField(kReacquireOff, 12, 4, kMilliseconds, 3),
    NumberField(kAcquireOff, 16, 4, kMilliseconds, 3),
    NumberField(kOn, 20, 4, kMilliseconds, 3),
    NumberField(kOff, 24, 4, kMilliseconds, 3),
    NumberField(kBaseTow, 32, 4, kMilliseconds, 3),
};

// A template: the flags and the times in seconds, T_reacq to T_off and the base time of week.
struct FxwTemplate {
    const char16_t* name;
    uint32_t flags;
    uint32_t seconds[7];
};
constexpr size_t kTimeOffsets[] = {4, 8, 12, 16, 20, 24, 32};

constexpr FxwTemplate kTemplates[] = {
    // Wakes often and briefly: a handheld that wants a fresh fix soon after it asks.
    {u"Mobile Unit Set", kSleepFlag, {10, 120, 10, 60, 0, 0, 0}},
    // A fix every half hour, kept alive by the backup supply in between.
    {u"Asset Tracking Unit Set", kSleepFlag | kBackupFlag | kOnOffTimeFlag, {30, 300, 600, 3600, 60, 1800, 0}},
    // One fix an hour at the full hour of the GPS week.
    {u"Scheduled Fix", kBackupFlag | kOnOffTimeFlag | kAbsoluteAlignFlag, {60, 300, 3600, 3600, 60, 3600, 0}},
    // Short cycles to watch the receiver go to sleep and wake up.
    {u"Debug Set", kSleepFlag, {2, 10, 5, 10, 10, 20, 0}},
};

std::vector<uint8_t> PayloadOf(const FxwTemplate& preset) {
    std::vector<uint8_t> payload(kPayloadSize, 0);
    OrPayloadField(payload, 0, 4, preset.flags);
    for (size_t time = 0; time < std::size(kTimeOffsets); ++time)
        OrPayloadField(payload, kTimeOffsets[time], 4, preset.seconds[time] * static_cast<uint32_t>(kMilliseconds));
    return payload;
}

}  // namespace

void CCfgFxwEditor::Init(CDialogPage& page) const {
    CKvbFieldEditor::Init(page);
    page.ClearItems(kTemplate);
    for (const FxwTemplate& preset : kTemplates) page.AddItem(kTemplate, preset.name);
    page.SetSelection(kTemplate, -1);
}

bool CCfgFxwEditor::OnChange(CDialogPage& page, int control) const {
    const int selection = page.Selection(kTemplate);
    if (control == kTemplate && selection >= 0 && static_cast<size_t>(selection) < std::size(kTemplates))
        ShowPayload(page, PayloadOf(kTemplates[selection]));
    return false;
}

const CCfgFxwEditor kCfgFxwEditor{0x0E, kPayloadSize, kFields, {}};
