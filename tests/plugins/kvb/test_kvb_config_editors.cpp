// The configuration editors of kvb.so, opened from the plug-in's own templates on the in-memory
// page as the message view opens them, driven like a user and read back as the frames they send.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <bit>
#include <string>
#include <vector>

#include "host/core/messages/page_template.h"
#include "platform/shared_library.h"
#include "platform/text.h"
#include "shared/memory_page.h"
#include "shared/protocol_object.h"
#include "tests/plugins/kvb/kvb_document_test.h"
#include "tests/plugins/kvb/kvb_test_frames.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct OpenEditor {
    CMessageNode* node;
    CMemoryPage page;

    void Show(const Bytes& frame) { node->ShowData(page, frame.data(), static_cast<int>(frame.size())); }
    Bytes Build() {
        uint8_t buffer[512];
        int length = 0;
        if (!node->BuildFromPage(page, buffer, length, sizeof buffer)) return {};
        return Bytes(buffer, buffer + length);
    }
    // The payload of the built frame.
    Bytes Payload() {
        const Bytes frame = Build();
        return frame.size() < 8 ? Bytes{} : Bytes(frame.begin() + 6, frame.end() - 2);
    }
    Bytes Poll() {
        uint8_t buffer[64];
        int length = 0;
        const int built = node->BuildPoll(page, buffer, length, sizeof buffer);
        return built > 0 ? Bytes(buffer, buffer + length) : Bytes{};
    }
    int Item(int id, const std::u16string& prefix) { return page.FindItemPrefix(id, prefix); }
    void Choose(int id, const std::u16string& prefix) { page.ChooseItem(id, Item(id, prefix)); }
    std::u16string Text(int id) const { return page.GetControlText(id); }
};

class KvbConfigEditorsTest : public KvbDocumentTest {
protected:
    void TearDown() override { SetMode(0); }

    void SetMode(uint32_t mode) {
        for (const CPluginHost::Plugin& plugin : document.Plugins().Plugins())
            if (std::u16string(plugin.protocol->GetProtocolName()) == u"KVB")
                reinterpret_cast<InitializeFn>(platform::FindSymbol(plugin.module, "Initialize"))(mode, plugin.module);
    }
    OpenEditor Open(const char16_t* name, const char16_t* description = nullptr) {
        CMessageNode* node = document.FindNodeByProtocol(protocol, name, description);
        const DialogTemplate* dialog = node ? PageTemplateOf(*node) : nullptr;
        if (!dialog) {
            ADD_FAILURE() << "no page";
            return {node, CMemoryPage()};
        }
        OpenEditor open{node, CMemoryPage(*dialog)};
        node->InitPage(open.page);
        return open;
    }
};

// Control ids of the pages, as the templates number them.
namespace prt {
enum : int { kTarget = 1001, kBaudrate, kAutoBauding, kMode, kDatabits, kParity, kStopbits, kBitOrder, kOversampling,
             kProtocolIn, kProtocolOut, kForwardTo };
}
constexpr int kInfTarget2All = 1030;
constexpr int kTpPulseMode = 1003;
constexpr int kCfgRevertDefault = 1001;
constexpr int kSbasEgnos = 1009;
constexpr int kNavMinSvs = 1002;
constexpr int kNavStaticHold = 1024;

TEST_F(KvbConfigEditorsTest, PortModeWordOfEightBitsNoParityOneStopBitAsynchronous) {
    OpenEditor prt = Open(u"CFG-PRT");
    prt.Choose(prt::kDatabits, u"8");
    prt.Choose(prt::kParity, u"None");
    prt.Choose(prt::kStopbits, u"1");
    prt.Choose(prt::kBitOrder, u"LSB First");
    prt.Choose(prt::kOversampling, u"16x");
    prt.Choose(prt::kMode, u"Asynchronous");
    const Bytes payload = prt.Payload();
    ASSERT_EQ(20u, payload.size());
    EXPECT_EQ((Bytes{0xD0, 0x08, 0x00, 0x00}), Bytes(payload.begin() + 4, payload.begin() + 8));
}

TEST_F(KvbConfigEditorsTest, ProtocolMasksShowTheirItemOrTheirTextAndReadTypedText) {
    OpenEditor prt = Open(u"CFG-PRT");
    Bytes payload(20, 0);
    payload[4] = 0xD0;
    payload[5] = 0x08;
    payload[12] = 0x03;
    payload[14] = 0x01;
    payload[15] = 0x04;
    prt.Show(KvbTestFrame(0x06, 0x00, payload));
    EXPECT_EQ(u"0+1 - KVB+NMEA", prt.Text(prt::kProtocolIn));
    EXPECT_EQ(u"0+10", prt.Text(prt::kProtocolOut));

    prt.page.TypeText(prt::kProtocolIn, u"none");
    EXPECT_TRUE(prt.node->ValidateControl(prt.page, prt::kProtocolIn));
    EXPECT_EQ(0, prt.Payload().at(12));
    for (const char16_t* invalid : {u"32", u"+1", u"", u"1+", u"16"}) {
        prt.page.TypeText(prt::kProtocolIn, invalid);
        EXPECT_FALSE(prt.node->ValidateControl(prt.page, prt::kProtocolIn)) << platform::WideToUtf8(invalid);
        EXPECT_TRUE(prt.Build().empty());
    }
    prt.page.TypeText(prt::kForwardTo, u"4");
    EXPECT_FALSE(prt.node->ValidateControl(prt.page, prt::kForwardTo));
}

TEST_F(KvbConfigEditorsTest, TheByteExamplesOfTheOtherEditors) {
    OpenEditor inf = Open(u"CFG-INF");
    inf.page.Click(kInfTarget2All);
    EXPECT_EQ((Bytes{0, 0, 0, 0, 0, 0, 0xFF, 0}), inf.Payload());

    OpenEditor tp = Open(u"CFG-TP");
    for (const int field : {1001, 1002, 1005, 1006, 1007}) tp.page.TypeText(field, u"0");
    tp.Choose(kTpPulseMode, u"-1 - falling edge");
    EXPECT_EQ(0xFF, tp.Payload().at(8));

    OpenEditor cfg = Open(u"CFG-CFG");
    cfg.page.Click(kCfgRevertDefault);
    EXPECT_EQ((Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}), cfg.Payload());

    OpenEditor sbas = Open(u"CFG-SBAS");
    sbas.page.TypeText(1006, u"3");
    sbas.page.Click(kSbasEgnos);
    EXPECT_EQ((Bytes{0, 0, 3, 0, 0x51, 0x08, 0, 0}), sbas.Payload());
}

TEST_F(KvbConfigEditorsTest, ScaledFieldsRoundAndRefuseWhatTheirFieldCannotHold) {
    OpenEditor nav = Open(u"CFG-NAV");
    nav.Show(KvbTestFrame(0x06, 0x03, Bytes(28, 0)));
    nav.page.TypeText(kNavStaticHold, u"0.29");
    EXPECT_EQ(29, nav.Payload().at(26));
    for (const char16_t* refused : {u"-1", u"256", u"1e9", u"x"}) {
        nav.page.TypeText(kNavMinSvs, refused);
        EXPECT_FALSE(nav.node->ValidateControl(nav.page, kNavMinSvs)) << platform::WideToUtf8(refused);
    }
    nav.page.TypeText(kNavMinSvs, u"255");
    EXPECT_TRUE(nav.node->ValidateControl(nav.page, kNavMinSvs));
}

TEST_F(KvbConfigEditorsTest, PollsCarryTheSelectionOfThePage) {
    OpenEditor prt = Open(u"CFG-PRT");
    prt.Choose(prt::kTarget, u"2 - ");
    EXPECT_EQ(KvbTestFrame(0x06, 0x00, {2}), prt.Poll());
    OpenEditor msg = Open(u"CFG-MSG");
    msg.Choose(1001, u"01-06 NAV - SOL");
    EXPECT_EQ(KvbTestFrame(0x06, 0x01, {0x01, 0x06}), msg.Poll());
    OpenEditor inf = Open(u"CFG-INF");
    inf.Choose(1001, u"12 - USER0");
    EXPECT_EQ(KvbTestFrame(0x06, 0x02, {12}), inf.Poll());
    EXPECT_EQ(KvbTestFrame(0x06, 0x08, {}), Open(u"CFG-RATE").Poll());
    EXPECT_TRUE(Open(u"CFG-RST").Poll().empty());
}

TEST_F(KvbConfigEditorsTest, AFrameOfTheWrongLengthLeavesThePageAsItIs) {
    OpenEditor rate = Open(u"CFG-RATE");
    rate.Show(KvbTestFrame(0x06, 0x08, {0xC8, 0, 1, 0, 1, 0}));
    rate.Show(KvbTestFrame(0x06, 0x08, {0xE8, 0x03, 1, 0, 1}));
    EXPECT_EQ(u"200", rate.Text(1001));
    EXPECT_EQ(u"5.000", rate.Text(1004));
}

TEST_F(KvbConfigEditorsTest, PagesFollowTheirSelectionsAndTheExtendedMode) {
    OpenEditor prt = Open(u"CFG-PRT");
    EXPECT_LT(prt.Item(prt::kProtocolIn, u"4 - TIM"), 0);
    prt.Choose(prt::kTarget, u"3 - USB");
    EXPECT_TRUE(prt.node->OnControlChange(prt.page, prt::kTarget)) << "another port is polled";
    EXPECT_FALSE(prt.page.IsControlVisible(prt::kDatabits));
    EXPECT_TRUE(prt.page.IsControlVisible(prt::kProtocolIn));

    OpenEditor rst = Open(u"CFG-RST");
    rst.page.Click(1003);  // Coldstart
    rst.node->OnControlChange(rst.page, 1003);
    EXPECT_FALSE(rst.page.IsControlEnabled(1005));
    EXPECT_EQ((Bytes{0xFF, 0x07, 0, 0}), rst.Payload());

    OpenEditor cfg = Open(u"CFG-CFG");
    EXPECT_FALSE(cfg.page.IsControlEnabled(1005));
    cfg.page.Click(1004);  // User defined
    cfg.node->OnControlChange(cfg.page, 1004);
    ASSERT_TRUE(cfg.page.IsControlEnabled(1005));
    cfg.page.SelectItem(1007, cfg.Item(1007, u"10 - ANT"), true);
    EXPECT_EQ((Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x04, 0, 0}), cfg.Payload());

    SetMode(1);
    OpenEditor extended = Open(u"CFG-PRT");
    EXPECT_GE(extended.Item(prt::kProtocolIn, u"4 - TIM"), 0);
    EXPECT_GE(extended.Item(prt::kForwardTo, u"0+1+2+3 - ALL"), 0);
    EXPECT_GE(Open(u"CFG-CFG").Item(1005, u"8 - EKF Configuration"), 0);
}

// A payload of size bytes with little-endian fields {offset, width, value} set.
struct PayloadField {
    size_t offset;
    size_t width;
    uint32_t value;
};
Bytes Payload(size_t size, std::initializer_list<PayloadField> fields) {
    Bytes payload(size, 0);
    for (const PayloadField& field : fields)
        for (size_t at = 0; at < field.width; ++at)
            payload.at(field.offset + at) = static_cast<uint8_t>(field.value >> (8 * at));
    return payload;
}
Bytes WithText(Bytes payload, size_t offset, const std::string& text) {
    std::copy(text.begin(), text.end(), payload.begin() + static_cast<std::ptrdiff_t>(offset));
    return payload;
}

// ---- CFG-DAT and CFG-TDB
// The 44 bytes of a user datum: two doubles, then seven floats.
Bytes UserDatum(const std::vector<double>& parameters) {
    Bytes payload;
    const auto put = [&payload](uint64_t bits, int bytes) {
        for (int at = 0; at < bytes; ++at) payload.push_back(static_cast<uint8_t>(bits >> (8 * at)));
    };
    for (size_t at = 0; at < parameters.size(); ++at) {
        if (at < 2)
            put(std::bit_cast<uint64_t>(parameters[at]), 8);
        else
            put(std::bit_cast<uint32_t>(static_cast<float>(parameters[at])), 4);
    }
    return payload;
}

struct TdbProbe {
    uint8_t channel;
    uint8_t size;
    uint16_t offset;
};
// The tracking debugger's payload: enable, target, then the probes given, the others off.
Bytes TdbProbes(uint8_t enable, uint8_t target, const std::vector<TdbProbe>& probes) {
    Bytes payload(68, 0);
    payload[0] = enable;
    payload[1] = target;
    for (size_t at = 0; at < probes.size(); ++at) {
        payload[4 + 4 * at] = probes[at].channel;
        payload[5 + 4 * at] = probes[at].size;
        payload[6 + 4 * at] = static_cast<uint8_t>(probes[at].offset);
        payload[7 + 4 * at] = static_cast<uint8_t>(probes[at].offset >> 8);
    }
    return payload;
}

struct RoundTrip {
    const char16_t* name;
    uint8_t id;
    Bytes payload;
    uint32_t mode = 0;
};

// Frames as a receiver sends them; every editor must send back the bytes it was shown.
const RoundTrip kRoundTrips[] = {
    {u"CFG-PRT", 0x00, {1, 0, 0, 0, 0xD0, 0x08, 0, 0, 0x80, 0x25, 0, 0, 0x03, 0, 0x01, 0x04, 1, 0, 0x07, 0}},
    {u"CFG-PRT", 0x00, {3, 0, 0, 0, 0xB0, 0x23, 0x09, 0, 0x00, 0xC2, 0x01, 0, 0x01, 0x10, 0x02, 0, 0, 0, 0x0F, 0}, 1},
    {u"CFG-MSG", 0x01, {0x01, 0x06, 1, 0, 5, 0}},
    {u"CFG-MSG", 0x01, {0x03, 0x08, 0, 2, 0, 0}, 1},
    {u"CFG-INF", 0x02, {1, 0, 0, 0, 0x07, 0xFF, 0x80, 0}},
    {u"CFG-RST", 0x04, {0x00, 0x00, 9, 0}},
    {u"CFG-RST", 0x04, {0xFF, 0x07, 2, 0}},
    {u"CFG-RST", 0x04, {0x0A, 0x04, 8, 0}},
    {u"CFG-RATE", 0x08, {0xE8, 0x03, 1, 0, 1, 0}},
    {u"CFG-TP", 0x07, {0x40, 0x42, 0x0F, 0, 0xA0, 0x86, 0x01, 0, 0xFF, 1, 0, 0, 0x32, 0, 0xF6, 0xFF, 0x9C, 0xFF, 0xFF, 0xFF}},
    {u"CFG-NAV", 0x03, {3, 3, 16, 24, 20, 5, 1, 60, 30, 30, 0x2C, 0x01, 0x64, 0, 10, 0x1F, 250, 0, 250, 0, 100, 0, 200, 0,
                        30, 0, 29, 0}},
    {u"CFG-NAV2", 0x1A, {3, 0, 0, 0, 4, 3, 16, 2, 0x18, 0xFC, 0xFF, 0xFF, 35, 20, 5, 60, 10, 3, 0, 0, 250, 0, 250, 0, 100,
                         0, 200, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {u"CFG-TMODE", 0x1D, {2, 0, 0, 0, 0x10, 0x27, 0, 0, 0xF0, 0xD8, 0xFF, 0xFF, 1, 0, 0, 0, 0x40, 0x42, 0x0F, 0, 0x2C, 0x01, 0,
                          0, 0x10, 0x27, 0, 0}},
    {u"CFG-CFG", 0x09, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}},
    {u"CFG-CFG", 0x09, {0x06, 0, 0, 0, 0x01, 0x04, 0x01, 0, 0, 0, 0, 0}},
    {u"CFG-CFG", 0x09, {0, 0, 0, 0, 0xC0, 0x03, 0, 0, 0, 0, 0, 0, 0x03}, 1},
    {u"CFG-SBAS", 0x16, {1, 0x07, 3, 0, 0x04, 0xC0, 0x04, 0}},
    {u"CFG-SBAS", 0x16, {3, 0x01, 1, 0, 0x05, 0x00, 0x00, 0x80}},
    {u"CFG-NMEA", 0x17, {0x21, 0x23, 12, 0x03}},
    {u"CFG-ANT", 0x13, {0x1B, 0, 0xA3, 0x28}},
    {u"CFG-RXM", 0x11, {2, 1}},
    {u"CFG-FXW", 0x0E, Payload(36, {{0, 4, 0x07}, {4, 4, 10000}, {8, 4, 120500}, {12, 4, 10}, {16, 4, 60000},
                                    {20, 4, 60000}, {24, 4, 1800000}, {32, 4, 3600000}})},
    {u"CFG-LOG", 0x21, Payload(36, {{0, 4, 0xA005}, {4, 2, 5}, {8, 2, 600}, {12, 2, 10}, {16, 2, 1000}, {20, 2, 2},
                                    {22, 2, 50}, {24, 2, 0x49}, {32, 2, 0x99}})},
    {u"CFG-EKF", 0x12, Payload(16, {{0, 1, 1}, {1, 1, 0x76}, {3, 1, 3}, {4, 1, 2}, {5, 1, 1}, {6, 1, 12}, {7, 1, 13},
                                    {8, 2, 250}, {10, 2, 2500}, {12, 1, 30}, {13, 1, 15}, {14, 2, 600}})},
    {u"CFG-USB", 0x1B, WithText(WithText(WithText(Payload(108, {{0, 2, 0xF055}, {2, 2, 0x01A5}, {4, 2, 0x15}, {6, 1, 5},
                                                               {7, 1, 3}, {8, 1, 1}, {10, 2, 100}}),
                                                  12, "Veltro Receiver"),
                                         44, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"),
                                76, "0042")},
    {u"CFG-TM", 0x10, Payload(12, {{0, 1, 3}, {4, 4, 1000}, {8, 4, 0x05}})},
    {u"CFG-TM2", 0x19, Payload(12, {{0, 1, 2}, {4, 4, 500}, {8, 4, 0x1F}})},
    {u"CFG-NAVX", 0x0A, Payload(48, {{0, 1, 3}, {1, 1, 16}, {2, 1, 2}, {3, 1, 2}, {4, 1, 1}, {5, 1, 1}, {6, 1, 4},
                                     {8, 1, 5}, {9, 1, 20}, {10, 2, 250}, {12, 2, 100}, {14, 2, 300}, {16, 4, 600},
                                     {20, 4, 2500}, {24, 4, 0xFFFFFB50}, {32, 1, 3}, {33, 1, 4}, {36, 4, 1500},
                                     {40, 2, 0xFFEC}})},
    {u"CFG-NAVX", 0x0A, Payload(32, {{0, 1, 4}, {1, 1, 12}, {2, 1, 1}, {5, 1, 2}, {6, 1, 1}, {24, 4, 12345}})},
    {u"CFG-TST", 0x0B, Payload(48, {{0, 1, 17}, {1, 1, 3}, {2, 1, 3}, {4, 4, 0xFFFFF63C}, {8, 4, 512}, {12, 1, 45},
                                    {16, 4, 60}, {44, 4, 0xDEADBEEF}})},
    {u"CFG-TST", 0x0B, Payload(44, {{0, 1, 32}, {16, 4, 5}})},
    {u"CFG-RXMX", 0x0C, Payload(16, {{0, 1, 1}, {1, 1, 16}, {2, 1, 3}, {4, 2, 30}, {6, 2, 5}, {8, 4, 4000},
                                     {12, 1, 12}, {13, 1, 3}})},
    {u"CFG-RXMOSC", 0x0D, Payload(28, {{0, 1, 2}, {4, 4, 23104000}, {8, 2, 500}, {10, 2, 100}, {12, 4, 2000},
                                       {16, 4, 0xFFFFFF6A}, {20, 4, 30}, {24, 4, 0x12345678}})},
    {u"CFG-RXMOSC", 0x0D, Payload(24, {{0, 1, 4}, {4, 4, 16368000}})},
    {u"CFG-ITM", 0x0F, Payload(28, {{0, 4, 7}, {4, 4, 1000}, {8, 4, 9000}, {12, 4, 30000}, {16, 1, 4}, {17, 1, 30},
                                    {20, 4, 5000}})},
    {u"CFG-LPTST", 0x18, Payload(16, {{0, 4, 5}, {4, 4, 3600}, {8, 4, 200}, {12, 4, 800}})},
    {u"CFG-TRKSET", 0x1F, Payload(5, {{0, 1, 1}, {1, 2, 150}, {3, 2, 20}})},
    {u"CFG-MAP", 0x14, Payload(12, {{0, 1, 5}, {1, 1, 1}, {4, 4, 0x00100000}, {8, 4, 0x20004000}})},
    {u"ODO", 0x1E, Payload(8, {{0, 4, 1}, {4, 4, 2}})},
    {u"ODO", 0x1E, Payload(8, {{0, 4, 2}, {4, 4, 3}})},
    // CFG-DAT and CFG-TDB
    {u"CFG-DAT", 0x06, {83, 0}},
    {u"CFG-DAT", 0x06, UserDatum({6378388.0, 297.0, -87, -98, -121, 0.5, -0.25, 1, 2.5})},
    {u"CFG-TDB", 0x15, TdbProbes(1, 2, {{3, 2, 68}, {0xFF, 4, 12}, {15, 1, 1}, {0, 0, 500}})},
};

TEST_F(KvbConfigEditorsTest, EveryEditorSendsBackTheFrameItShows) {
    for (const RoundTrip& trip : kRoundTrips) {
        SetMode(trip.mode);
        OpenEditor editor = Open(trip.name);
        const Bytes frame = KvbTestFrame(0x06, trip.id, trip.payload);
        editor.Show(frame);
        EXPECT_EQ(frame, editor.Build()) << platform::WideToUtf8(trip.name) << " " << trip.payload.size();
    }
}

TEST_F(KvbConfigEditorsTest, TheCustomMessageSendsWhatIsTyped) {
    OpenEditor custom = Open(u"??-??", u"Custom");
    custom.Show({});
    EXPECT_EQ(u"??", custom.Text(1001));
    const Bytes frame = KvbTestFrame(0x0B, 0x31, {0x01, 0xA2, 0xFF});
    custom.Show(frame);
    EXPECT_EQ(u"01 A2 FF", custom.Text(1003));
    EXPECT_EQ(frame, custom.Build());
    custom.page.TypeText(1001, u"1G");
    EXPECT_FALSE(custom.node->ValidateControl(custom.page, 1001));
    custom.page.TypeText(1003, u"0G");
    EXPECT_FALSE(custom.node->ValidateControl(custom.page, 1003));
}

namespace usb {
enum : int { kVendorId = 1001, kComEmulation = 1003, kRemoteWakeup = 1014, kProductText = 1016, kVendorText, kSerial };
}

TEST_F(KvbConfigEditorsTest, UsbTextsStayWithinTheirFieldsOfThirtyTwoBytes) {
    OpenEditor usb = Open(u"CFG-USB");
    const std::u16string full(32, u'x');
    usb.page.TypeText(usb::kProductText, full);
    EXPECT_TRUE(usb.node->ValidateControl(usb.page, usb::kProductText));
    const Bytes payload = usb.Payload();
    ASSERT_EQ(108u, payload.size());
    EXPECT_EQ(Bytes(32, 'x'), Bytes(payload.begin() + 12, payload.begin() + 44));
    EXPECT_EQ(0, payload[44]);
    for (const std::u16string& refused : {full + u"x", std::u16string(u"\u4E2D")}) {
        usb.page.TypeText(usb::kProductText, refused);
        EXPECT_FALSE(usb.node->ValidateControl(usb.page, usb::kProductText));
        EXPECT_TRUE(usb.Build().empty()) << "never cut";
    }
    // A text that fills its field has no end mark; the next field is not part of it.
    usb.Show(KvbTestFrame(0x06, 0x1B, WithText(WithText(Bytes(108, 0), 44, std::string(32, 'V')), 76, "0042")));
    EXPECT_EQ(std::u16string(32, u'V'), usb.Text(usb::kVendorText));
    EXPECT_EQ(u"0042", usb.Text(usb::kSerial));
    usb.page.TypeText(usb::kVendorId, u"F05G");
    EXPECT_FALSE(usb.node->ValidateControl(usb.page, usb::kVendorId));

    EXPECT_FALSE(usb.page.IsControlEnabled(usb::kComEmulation));
    EXPECT_FALSE(usb.page.IsControlEnabled(usb::kRemoteWakeup));
    SetMode(1);
    OpenEditor extended = Open(u"CFG-USB");
    EXPECT_TRUE(extended.page.IsControlEnabled(usb::kComEmulation));
    EXPECT_TRUE(extended.page.IsControlEnabled(usb::kRemoteWakeup));
}

TEST_F(KvbConfigEditorsTest, AFixwiseTemplateFillsThePage) {
    OpenEditor fxw = Open(u"CFG-FXW");
    fxw.Choose(1001, u"Asset Tracking Unit Set");
    EXPECT_FALSE(fxw.node->OnControlChange(fxw.page, 1001));
    EXPECT_EQ(Payload(36, {{0, 4, 0x07}, {4, 4, 30000}, {8, 4, 300000}, {12, 4, 600000}, {16, 4, 3600000},
                           {20, 4, 60000}, {24, 4, 1800000}}),
              fxw.Payload());
    EXPECT_EQ(u"1800.000", fxw.Text(1011));
}

TEST_F(KvbConfigEditorsTest, PollsOfTimeMarkChannelsAndMappingEntriesAndTheStatusNotes) {
    OpenEditor tm2 = Open(u"CFG-TM2");
    tm2.Choose(1001, u"2");
    EXPECT_TRUE(tm2.node->OnControlChange(tm2.page, 1001));
    EXPECT_EQ((Bytes{0xA4, 0x51, 0x06, 0x19, 0x01, 0x00, 0x02, 0x22, 0x87}), tm2.Poll());
    OpenEditor map = Open(u"CFG-MAP");
    map.Choose(1001, u"5 - RESERVED");
    EXPECT_EQ(KvbTestFrame(0x06, 0x14, {5}), map.Poll());
    EXPECT_EQ(9u, map.Poll().size());

    OpenEditor odo = Open(u"ODO");
    odo.Show(KvbTestFrame(0x06, 0x1E, Payload(8, {{0, 4, 2}, {4, 4, 1}})));
    EXPECT_TRUE(odo.page.IsControlVisible(1004)) << "Odo is disabled";
    odo.Show(KvbTestFrame(0x06, 0x1E, Payload(8, {{0, 4, 1}, {4, 4, 1}})));
    EXPECT_FALSE(odo.page.IsControlVisible(1004));
    OpenEditor tm = Open(u"CFG-TM");
    EXPECT_FALSE(tm.page.IsControlVisible(1006));
    tm.Show(KvbTestFrame(0x06, 0x10, Payload(12, {{8, 4, 0x80000000}})));
    EXPECT_TRUE(tm.page.IsControlVisible(1006)) << "Timemark not available";
}

// ---- CFG-DAT and CFG-TDB
namespace dat {
enum : int { kDatum = 1001, kSemiMajorAxis, kInverseFlattening, kShiftX, kScale = 1010 };
}
namespace tdb {
enum : int { kEnable = 1001, kTarget, kChannel0 = 1010, kSize0, kOffset0, kChannel15 = 1055, kOffset15 = 1057 };
}

TEST_F(KvbConfigEditorsTest, TheDatumListSelectsByNumberAndAUserDatumIsChecked) {
    OpenEditor dat = Open(u"CFG-DAT");
    ASSERT_EQ(217, dat.page.ItemCount(dat::kDatum));
    EXPECT_EQ(u"USER...", dat.page.ItemText(dat::kDatum, 0));
    EXPECT_EQ(u"0 - WGS84", dat.page.ItemText(dat::kDatum, 1));
    EXPECT_EQ(u"184 - IDN", dat.page.ItemText(dat::kDatum, 185));
    EXPECT_EQ(u"215 - CH95", dat.page.ItemText(dat::kDatum, 216));
    EXPECT_TRUE(dat.Build().empty()) << "no datum selected sends nothing";
    EXPECT_FALSE(dat.page.IsControlEnabled(dat::kSemiMajorAxis));

    dat.Choose(dat::kDatum, u"0 - WGS84");
    EXPECT_EQ((Bytes{0xA4, 0x51, 0x06, 0x06, 0x02, 0x00, 0x00, 0x00, 0x0E, 0x4A}), dat.Build());

    dat.Choose(dat::kDatum, u"USER...");
    dat.node->OnControlChange(dat.page, dat::kDatum);
    ASSERT_TRUE(dat.page.IsControlEnabled(dat::kSemiMajorAxis));
    const std::vector<std::pair<int, const char16_t*>> wgs84 = {
        {dat::kSemiMajorAxis, u"6378137"}, {dat::kInverseFlattening, u"298.257223563"}, {dat::kShiftX, u"0"},
        {dat::kShiftX + 1, u"0"}, {dat::kShiftX + 2, u"0"}, {dat::kShiftX + 3, u"0"}, {dat::kShiftX + 4, u"0"},
        {dat::kShiftX + 5, u"0"}, {dat::kScale, u"0"}};
    for (const auto& [control, text] : wgs84) dat.page.TypeText(control, text);
    EXPECT_TRUE(dat.node->ValidateControl(dat.page, dat::kSemiMajorAxis));
    EXPECT_EQ(KvbTestFrame(0x06, 0x06, UserDatum({6378137, 298.257223563, 0, 0, 0, 0, 0, 0, 0})), dat.Build());
    dat.page.TypeText(dat::kSemiMajorAxis, u"6299999.999");
    EXPECT_FALSE(dat.node->ValidateControl(dat.page, dat::kSemiMajorAxis));
    EXPECT_TRUE(dat.Build().empty());
    dat.page.TypeText(dat::kScale, u"50.1");
    EXPECT_FALSE(dat.node->ValidateControl(dat.page, dat::kScale));

    dat.Choose(dat::kDatum, u"83 - OGB-M");
    dat.node->OnControlChange(dat.page, dat::kDatum);
    EXPECT_TRUE(dat.node->ValidateControl(dat.page, dat::kSemiMajorAxis)) << "only a user datum is checked";
    EXPECT_EQ(u"", dat.Text(dat::kSemiMajorAxis));
}

TEST_F(KvbConfigEditorsTest, TheReceiversDatumIsShownFromEachOfItsForms) {
    OpenEditor dat = Open(u"CFG-DAT");
    Bytes answer = {216, 0, 'U', 'S', 'E', 'R', 0, 0};
    const Bytes user = UserDatum({6378388.0, 297.0, -87, -98, -121, 0, 0, 0, 0});
    answer.insert(answer.end(), user.begin(), user.end());
    dat.Show(KvbTestFrame(0x06, 0x06, answer));
    EXPECT_EQ(0, dat.page.Selection(dat::kDatum));
    EXPECT_EQ(u"6378388.000", dat.Text(dat::kSemiMajorAxis));
    EXPECT_EQ(u"-87.000", dat.Text(dat::kShiftX));

    answer[0] = 83;
    dat.Show(KvbTestFrame(0x06, 0x06, answer));
    EXPECT_EQ(u"83 - OGB-M", dat.page.ItemText(dat::kDatum, dat.page.Selection(dat::kDatum)));
    EXPECT_EQ(u"297.000", dat.Text(dat::kInverseFlattening));
    dat.Show(KvbTestFrame(0x06, 0x06, {1, 0, 0}));
    EXPECT_EQ(u"83 - OGB-M", dat.Text(dat::kDatum)) << "a frame of another length";
}

TEST_F(KvbConfigEditorsTest, TheTrackingDebuggerOffersTheFieldTableAndSelectsWholeNumbers) {
    OpenEditor tdb = Open(u"CFG-TDB");
    EXPECT_TRUE(tdb.page.IsChecked(tdb::kEnable));
    EXPECT_EQ(u"0", tdb.Text(tdb::kTarget));
    ASSERT_EQ(132, tdb.page.ItemCount(tdb::kOffset15));
    EXPECT_EQ(u"0", tdb.page.ItemText(tdb::kOffset15, 0));
    EXPECT_EQ(u"0 - SATID_REM (2)", tdb.page.ItemText(tdb::kOffset15, 1));
    EXPECT_GE(tdb.Item(tdb::kOffset15, u"68 - CNO (2)"), 0);
    EXPECT_EQ(u"448 - LPSCHANY (0)", tdb.page.ItemText(tdb::kOffset15, 131));
    EXPECT_LT(tdb.Item(tdb::kOffset15, u"0 - MEASTTAG"), 0) << "a field not offered";
    EXPECT_EQ(17, tdb.page.ItemCount(tdb::kChannel15));
    EXPECT_EQ(KvbTestFrame(0x06, 0x15, TdbProbes(1, 0, {})), tdb.Build()) << "all rows off";
    EXPECT_EQ(KvbTestFrame(0x06, 0x15, {}), tdb.Poll());

    tdb.Show(KvbTestFrame(0x06, 0x15, TdbProbes(3, 7, {{1, 2, 1}, {0xFF, 4, 12}})));
    EXPECT_FALSE(tdb.page.IsChecked(tdb::kEnable)) << "only 1 enables";
    EXPECT_EQ(u"7", tdb.Text(tdb::kTarget));
    EXPECT_EQ(u"1", tdb.Text(tdb::kChannel0));
    EXPECT_EQ(u"2 - HWord", tdb.Text(tdb::kSize0));
    EXPECT_EQ(u"1", tdb.Text(tdb::kOffset0)) << "not 12 - PSZCNT";
    EXPECT_EQ(u"-1", tdb.Text(tdb::kChannel0 + 3));
    EXPECT_EQ(u"12 - PSZCNT (4)", tdb.Text(tdb::kOffset0 + 3));

    tdb.Show(KvbTestFrame(0x06, 0x15, Bytes(67, 0)));
    EXPECT_EQ(u"7", tdb.Text(tdb::kTarget)) << "a frame of another length";
    tdb.page.TypeText(tdb::kChannel0, u"16");
    EXPECT_FALSE(tdb.node->ValidateControl(tdb.page, tdb::kChannel0));
    tdb.page.TypeText(tdb::kSize0, u"3");
    EXPECT_FALSE(tdb.node->ValidateControl(tdb.page, tdb::kSize0));
}

}  // namespace
