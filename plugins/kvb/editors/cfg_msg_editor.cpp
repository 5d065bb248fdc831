#include "plugins/kvb/editors/cfg_msg_editor.h"

#include <array>

#include "plugins/kvb/catalogue/kvb_output_messages.h"
#include "plugins/kvb/catalogue/kvb_plugin.h"
#include "plugins/kvb/resources/kvb_editor_ids.h"
#include "platform/text.h"
#include "shared/dialog_page.h"

namespace {

using namespace kvb_res::cfgmsg;

constexpr auto Fields() {
    std::array<EditorField, 5> fields{};
    fields[0] = MessageField(kMessage, 0);
    for (int target = 0; target < 4; ++target)
        fields[static_cast<size_t>(1 + target)] = GatedField(kRate0 + target * kTargetStep, static_cast<uint8_t>(2 + target),
                                                             1, kOn0 + target * kTargetStep);
    return fields;
}
constexpr auto kFields = Fields();

std::u16string ItemText(const KvbOutputMessage& output) {
    std::u16string text = platform::FormatW(u"%02X-%02X ", unsigned{output.messageClass}, unsigned{output.id});
    text += output.className;
    if (output.messageName) text.append(u" - ").append(output.messageName);
    return text;
}

}  // namespace

void CCfgMsgEditor::Init(CDialogPage& page) const {
    const bool extended = KvbExtendedMode();
    page.ClearItems(kMessage);
    for (const KvbOutputMessage& output : kKvbOutputMessages)
        if (output.basic || extended) page.AddItem(kMessage, ItemText(output));
    page.SetSelection(kMessage, 0);
    for (int target = 0; target < 4; ++target) page.SetControlText(kRate0 + target * kTargetStep, u"0");
}

const CCfgMsgEditor kCfgMsgEditor{0x01, 6, kFields, {}, 2};
