#include "plugins/kvb/editors/cfg_prt_editor.h"

#include "plugins/kvb/catalogue/kvb_plugin.h"
#include "plugins/kvb/editors/editor_fields.h"
#include "plugins/kvb/resources/kvb_editor_ids.h"
#include "platform/text.h"
#include "shared/dialog_page.h"

namespace {

using namespace kvb_res::cfgprt;

struct PortProtocol {
    uint8_t number;
    const char16_t* name;
    bool basic;
    bool input;
    bool output;
};

constexpr PortProtocol kProtocols[] = {
    {0, u"KVB", true, true, true},     {1, u"NMEA", true, true, true},    {2, u"RTCM", true, true, false},
    {3, u"RAW", true, false, true},    {4, u"TIM", false, true, true},    {12, u"USER0", true, true, true},
    {13, u"USER1", true, true, true},  {14, u"USER2", true, true, true},  {15, u"USER3", true, true, true},
};
constexpr const char16_t* kPorts[] = {u"USART0", u"USART1", u"USART2", u"USB"};
constexpr uint32_t kUsbPort = 3;

constexpr const char16_t* kBaudratesItems[] = {u"4800", u"9600", u"19200", u"38400", u"57600", u"115200"};
constexpr const char16_t* kDatabitsItems[] = {u"5", u"6", u"7", u"8"};
constexpr const char16_t* kStopbitsItems[] = {u"1", u"1.5", u"2"};
constexpr const char16_t* kParitiesItems[] = {u"Even", u"Odd", u"Space", u"Mark", u"None"};
constexpr const char16_t* kBitOrdersItems[] = {u"LSB First", u"MSB First"};
constexpr const char16_t* kOversamplingsItems[] = {u"16x", u"8x"};
constexpr const char16_t* kModesItems[] = {u"Asynchronous", u"Synchronous in", u"Synchronous out"};
constexpr uint32_t kModeBits[] = {0x10, 0x130, 0x40110};

constexpr EditorList kLists[] = {
    {kBaudrate, kBaudratesItems}, {kDatabits, kDatabitsItems},          {kStopbits, kStopbitsItems},
    {kParity, kParitiesItems},    {kBitOrder, kBitOrdersItems},         {kOversampling, kOversamplingsItems},
    {kMode, kModesItems},
};

constexpr EditorField kFields[] = {
    ChoiceField(kTarget, 0, 1),
    IndexField(kDatabits, 4, 4, 6, 3),
    IndexField(kParity, 4, 4, 9, 7),
    IndexField(kStopbits, 4, 4, 12, 3),
    IndexField(kBitOrder, 4, 4, 16, 1),
    IndexField(kOversampling, 4, 4, 19, 1),
    MappedField(kMode, 4, 4, kModeBits),
    ChoiceField(kBaudrate, 8, 4),
    MaskField(kProtocolIn, 12, 2, 0xFFFF),
    MaskField(kProtocolOut, 14, 2, 0xFFFF),
    BitField(kAutoBauding, 16, 1, 0),
    MaskField(kForwardTo, 18, 1, 15),
};

constexpr int kSerialRows[] = {kBaudrate, kAutoBauding, kMode, kDatabits, kParity, kStopbits, kBitOrder,
                               kOversampling};

void AddNumbered(CDialogPage& page, int control, unsigned number, const char16_t* name) {
    page.AddItem(control, platform::FormatW(u"%u - ", number) + name);
}

void FillProtocols(CDialogPage& page, int control, bool input, bool extended) {
    page.ClearItems(control);
    page.AddItem(control, u"none");
    for (const PortProtocol& protocol : kProtocols)
        if ((input ? protocol.input : protocol.output) && (protocol.basic || extended))
            AddNumbered(page, control, protocol.number, protocol.name);
    page.AddItem(control, u"0+1 - KVB+NMEA");
    if (input) page.AddItem(control, u"0+1+2 - KVB+NMEA+RTCM");
}

void FillPorts(CDialogPage& page, bool extended) {
    page.ClearItems(kTarget);
    page.ClearItems(kForwardTo);
    page.AddItem(kForwardTo, u"none");
    for (unsigned port = 0; port < std::size(kPorts); ++port) {
        AddNumbered(page, kTarget, port, kPorts[port]);
        AddNumbered(page, kForwardTo, port, kPorts[port]);
    }
    page.AddItem(kForwardTo, extended ? u"0+1+2+3 - ALL" : u"0+1+2 - ALL");
}

void LayOut(CDialogPage& page) {
    const std::optional<uint32_t> port = ReadNumberedChoice(page, kTarget);
    const bool serial = !port || *port != kUsbPort;
    for (const int control : kSerialRows) {
        page.ShowControl(control, serial);
        // The label before it goes with it.
        page.ShowControl(control + 1000, serial);
    }
}

}  // namespace

void CCfgPrtEditor::Init(CDialogPage& page) const {
    CKvbFieldEditor::Init(page);
    const bool extended = KvbExtendedMode();
    FillPorts(page, extended);
    FillProtocols(page, kProtocolIn, true, extended);
    FillProtocols(page, kProtocolOut, false, extended);
    page.SetSelection(kTarget, 0);
    page.SetSelection(kBaudrate, 1);
    page.SetSelection(kDatabits, 3);
    page.SetSelection(kParity, 4);
    for (const int control : {kProtocolIn, kProtocolOut, kForwardTo}) page.SetSelection(control, 0);
}

bool CCfgPrtEditor::OnChange(CDialogPage& page, int control) const {
    if (control != kTarget) return false;
    LayOut(page);
    return true;
}

void CCfgPrtEditor::ShowMore(CDialogPage& page, std::span<const uint8_t>) const { LayOut(page); }

const CCfgPrtEditor kCfgPrtEditor{0x00, 20, kFields, kLists, 1};
