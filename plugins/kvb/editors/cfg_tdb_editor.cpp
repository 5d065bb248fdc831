#include "plugins/kvb/editors/cfg_tdb_editor.h"

#include <array>
#include <cstring>

#include "platform/text.h"
#include "plugins/kvb/editors/editor_fields.h"
#include "plugins/kvb/editors/tdb_field_table.h"
#include "plugins/kvb/resources/kvb_editor_ids.h"
#include "shared/dialog_page.h"

namespace {

using namespace kvb_res::cfgtdb;

constexpr size_t kPayloadSize = 68;
constexpr int32_t kNoChannel = -1;
constexpr int32_t kLastChannel = 15;

constexpr const char16_t* kChannels[] = {u"0", u"1",  u"2",  u"3",  u"4",  u"5",  u"6",  u"7", u"8",
                                         u"9", u"10", u"11", u"12", u"13", u"14", u"15", u"-1"};
constexpr const char16_t* kSizes[] = {u"0 - off", u"1 - Byte", u"2 - HWord", u"4 - Word"};
constexpr uint32_t kSizeValues[] = {0, 1, 2, 4};

constexpr int Channel(int probe) { return kChannel0 + probe * kProbeStep; }
constexpr int Size(int probe) { return Channel(probe) + 1; }
constexpr int Offset(int probe) { return Channel(probe) + 2; }

constexpr auto Fields() {
    std::array<EditorField, 2 + 3 * kProbes> fields{};
    size_t at = 0;
    // Enabled only by exactly 1.
    fields[at++] = RadioField(kEnable, 0, 1, 1);
    fields[at++] = NumberField(kTarget, 1, 1);
    for (int probe = 0; probe < kProbes; ++probe) {
        const auto offset = static_cast<uint8_t>(4 + 4 * probe);
        fields[at++] = SignedChoiceField(Channel(probe), offset);
        fields[at++] = ChoiceField(Size(probe), offset + 1, 1);
        fields[at++] = ChoiceField(Offset(probe), offset + 2, 2);
    }
    return fields;
}
constexpr auto kFields = Fields();

constexpr auto Lists() {
    std::array<EditorList, 2 * kProbes> lists{};
    for (int probe = 0; probe < kProbes; ++probe) {
        lists[2 * probe] = {Channel(probe), kChannels};
        lists[2 * probe + 1] = {Size(probe), kSizes};
    }
    return lists;
}
constexpr auto kLists = Lists();

// The probe whose row holds the control; -1 for the other controls.
int ProbeOf(int control) {
    const int index = control - kChannel0;
    return index >= 0 && index < kProbes * kProbeStep ? index / kProbeStep : -1;
}

// "%i - %s (%i)": offset, name and size.
std::u16string OffsetItem(const TdbFieldRecord& field) {
    const std::u16string name = platform::AnsiToWide({field.name, strnlen(field.name, sizeof field.name)});
    return platform::FormatW(u"%i - ", field.Offset()) + name + platform::FormatW(u" (%i)", field.size);
}

bool IsKnownSize(uint32_t size) {
    for (const uint32_t known : kSizeValues)
        if (size == known) return true;
    return false;
}

}  // namespace

void CCfgTdbEditor::Init(CDialogPage& page) const {
    CKvbFieldEditor::Init(page);
    page.SetChecked(kEnable, true);
    for (int probe = 0; probe < kProbes; ++probe) {
        const int control = Offset(probe);
        page.ClearItems(control);
        page.AddItem(control, u"0");
        for (const TdbFieldRecord& field : kTdbFields)
            if (field.IsOffered()) page.AddItem(control, OffsetItem(field));
        page.SetSelection(control, 0);
    }
}

bool CCfgTdbEditor::Validate(const CDialogPage& page, int control) const {
    const int probe = ProbeOf(control);
    if (probe >= 0 && control == Channel(probe))
        return ReadSignedChoice(page, control, kNoChannel, kLastChannel).has_value();
    if (probe >= 0 && control == Size(probe)) {
        const std::optional<uint32_t> size = ReadNumberedChoice(page, control);
        return size && IsKnownSize(*size);
    }
    return CKvbFieldEditor::Validate(page, control);
}

const CCfgTdbEditor kCfgTdbEditor{0x15, kPayloadSize, kFields, kLists};
