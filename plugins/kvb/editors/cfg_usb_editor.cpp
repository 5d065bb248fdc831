#include "plugins/kvb/editors/cfg_usb_editor.h"

#include "plugins/kvb/catalogue/kvb_plugin.h"
#include "plugins/kvb/resources/kvb_editor_ids.h"
#include "shared/dialog_page.h"

namespace {

using namespace kvb_res::cfgusb;

// 0-1 vendor and 2-3 product id; 4-5 the device configuration (bit 0 COM emulation, 1 generic
// serial application, 2 bulk transfer, 3 bulk loop-back, 4 configuration selected by the product
// id); 6 firmware update (bit 0 DFU, 1 detach, 2 manifestation tolerant); 7 options (bit 0 remote
// wake-up, 1 no connect delay after reset); 8 power (0 bus, 1 self powered); 9 reserved; 10-11 the
// current [mA]; then the product, vendor and serial number texts in 32 bytes each.
constexpr uint8_t kTextBytes = 32;
constexpr EditorField kFields[] = {
    HexField(kVendorId, 0, 2),
    HexField(kProductId, 2, 2),
    BitField(kComEmulation, 4, 2, 0),
    BitField(kGenericSerial, 4, 2, 1),
    BitField(kBulkTransfer, 4, 2, 2),
    BitField(kBulkLoopBack, 4, 2, 3),
    BitField(kLinkToPid, 4, 2, 4),
    BitField(kDfu, 6, 1, 0),
    BitField(kDfuDetach, 6, 1, 1),
    BitField(kDfuTolerant, 6, 1, 2),
    BitField(kRemoteWakeup, 7, 1, 0),
    BitField(kNoConnectDelay, 7, 1, 1),
    RadioField(kBusPowered, 8, 1, 0),
    RadioField(kSelfPowered, 8, 1, 1),
    NumberField(kCurrent, 10, 2),
    TextField(kProductText, 12, kTextBytes),
    TextField(kVendorText, 12 + kTextBytes, kTextBytes),
    TextField(kSerialNumber, 12 + 2 * kTextBytes, kTextBytes),
};

constexpr int kMakersControls[] = {kComEmulation, kGenericSerial, kBulkTransfer, kBulkLoopBack, kLinkToPid,
                                   kDfu,          kDfuDetach,     kDfuTolerant,  kRemoteWakeup};

}  // namespace

void CCfgUsbEditor::Init(CDialogPage& page) const {
    CKvbFieldEditor::Init(page);
    page.SetChecked(kBusPowered, true);
    const bool extended = KvbExtendedMode();
    for (const int control : kMakersControls) page.EnableControl(control, extended);
}

const CCfgUsbEditor kCfgUsbEditor{0x1B, 108, kFields, {}};
