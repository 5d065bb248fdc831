// The message pages of kvb.so, opened from the plug-in's own templates on the in-memory page as the
// message view opens them, and filled with frames as the receiver sends them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/messages/page_template.h"
#include "platform/shared_library.h"
#include "platform/text.h"
#include "shared/memory_page.h"
#include "shared/protocol_object.h"
#include "tests/plugins/kvb/kvb_document_test.h"
#include "tests/plugins/kvb/kvb_test_stream.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Texts = std::vector<std::u16string>;

constexpr int kList = 1357;
constexpr int kText = 1003;
constexpr uint8_t kInf = 0x04;
constexpr uint8_t kMon = 0x0A;

// A node's page after InitPage, as the message view holds it.
struct OpenPage {
    CMessageNode* node;
    CMemoryPage page;

    void Show(const Bytes& frame) { node->ShowData(page, frame.data(), static_cast<int>(frame.size())); }
    Texts Column(int column) const {
        Texts cells;
        for (int row = 0; row < page.RowCount(kList); ++row) cells.push_back(page.CellText(kList, row, column));
        return cells;
    }
    Texts Row(int row) const {
        Texts cells;
        for (int column = 0; column < page.ColumnCount(kList); ++column)
            cells.push_back(page.CellText(kList, row, column));
        return cells;
    }
    Texts Headings() const {
        Texts headings;
        for (int column = 0; column < page.ColumnCount(kList); ++column)
            headings.push_back(page.ColumnHeading(kList, column));
        return headings;
    }
    std::u16string Field(int id) const { return page.GetControlText(id); }
    int Icon(int row) const { return page.FindControl(kList)->rows.at(static_cast<size_t>(row)).icon; }
};

class KvbPagesTest : public KvbDocumentTest {
protected:
    // The library stays loaded for the next test, with the mode it was last given.
    void TearDown() override { SetMode(0); }

    void SetMode(uint32_t mode) {
        for (const CPluginHost::Plugin& plugin : document.Plugins().Plugins())
            if (std::u16string(plugin.protocol->GetProtocolName()) == u"KVB")
                reinterpret_cast<InitializeFn>(platform::FindSymbol(plugin.module, "Initialize"))(mode, plugin.module);
    }
    OpenPage Open(const char16_t* name) {
        CMessageNode* node = Node(name);
        const DialogTemplate* dialog = node ? PageTemplateOf(*node) : nullptr;
        if (!dialog) {
            ADD_FAILURE() << "no page for this message";
            return {node, CMemoryPage()};
        }
        OpenPage open{node, CMemoryPage(*dialog)};
        node->InitPage(open.page);
        return open;
    }
};

// ---- Templates

TEST_F(KvbPagesTest, EveryMessageWithAPageFindsItsTemplateInThePluginsModule) {
    for (const char16_t* name :
         {u"NAV-POSECEF", u"NAV-POSLLH", u"NAV-STATUS", u"NAV-DOP", u"NAV-SOL", u"NAV-POSUTM", u"NAV-VELECEF",
          u"NAV-VELNED", u"NAV-TIMEGPS", u"NAV-TIMEUTC", u"NAV-CLOCK", u"NAV-SVINFO", u"NAV-DGPS", u"NAV-SBAS",
          u"NAV-SVPOS", u"NAV-EKFSTATUS", u"MON-VER", u"INF"}) {
        CMessageNode* node = Node(name);
        ASSERT_NE(node, nullptr);
        EXPECT_NE(PageTemplateOf(*node), nullptr) << platform::WideToUtf8(name);
    }
    // The navigation class names a page that the plug-in does not carry.
    EXPECT_EQ(PageTemplateOf(*Node(u"NAV")), nullptr);
}

// ---- List pages

TEST_F(KvbPagesTest, NavStatusShowsItsRowsAndAFrameOfTheWrongLengthEmptiesEveryValue) {
    OpenPage status = Open(u"NAV-STATUS");
    status.Show(KvbTestPayload(16).U4(0, 1000).U1(4, 3).U1(5, 0x0D).U1(6, 0x09).U4(8, 28450).U4(12, 1200000).Frame(3));
    EXPECT_EQ(status.Column(0),
              (Texts{u"Position Fix Type", u"Position within Limits", u"DGPS Fix", u"Weeknumber Valid",
                     u"Time of Week Valid", u"DGPS In", u"TTFF", u"Time since Powerup"}));
    EXPECT_EQ(status.Column(1),
              (Texts{u"3D Fix", u"Yes", u"No", u"Yes", u"Yes", u"PR+PRR", u"28.450 s", u"1200.000 s"}));

    status.Show(KvbTestFrameOfLength(0x01, 0x03, 23));
    EXPECT_EQ(status.Column(1), Texts(8));
    EXPECT_EQ(status.Column(0)[0], u"Position Fix Type");
}

TEST_F(KvbPagesTest, NavStatusInExtendedModeShowsTheReceiversInternalFlagsAndOutgoingCorrections) {
    SetMode(1);
    OpenPage status = Open(u"NAV-STATUS");
    status.Show(KvbTestPayload(16).U1(4, 5).U1(5, 0xDD).U1(6, 0x09).Frame(3));
    EXPECT_EQ(status.Column(1), (Texts{u"TIME", u"Yes", u"No", u"Yes", u"Yes", u"1", u"0", u"inactive", u"Yes",
                                       u"PR+PRR", u"PR+PRR+CP", u"0.000 s", u"0.000 s"}));
    EXPECT_EQ(status.Column(0)[5], u"SufPos Flag");
}

Bytes NavSol(uint8_t gpsFix, uint8_t flags, uint8_t extrapolated = 0) {
    return KvbTestPayload(52)
        .U4(0, 302400000)
        .I4(4, 12345)
        .I2(8, 2200)
        .U1(10, gpsFix)
        .U1(11, flags)
        .I4(12, 12345678)
        .I4(16, -2345678)
        .I4(20, 3456789)
        .U4(24, 350)
        .I4(28, -120)
        .I4(32, 980)
        .I4(36, 46)
        .U4(40, 40)
        .U2(44, 180)
        .U1(46, extrapolated)
        .U1(47, 9)
        .Frame(6);
}

TEST_F(KvbPagesTest, NavSolShowsWhatIsValidOfItsTimeAndItsNumbersOnlyWithAFix) {
    OpenPage sol = Open(u"NAV-SOL");
    EXPECT_EQ(sol.Headings(), (Texts{u"Param", u"Value", u"Units"}));
    sol.Show(NavSol(3, 0x0D));
    EXPECT_EQ(sol.Column(1), (Texts{u"2200:302400.000012345", u"3D Fix", u"FixOK ", u"123456.8, -23456.8, 34567.9",
                                    u"3.5", u"-1.2, 9.8, 0.5", u"0.4", u"1.80", u"9"}));
    EXPECT_EQ(sol.Column(2),
              (Texts{u"[wno:s]", u"", u"", u"[m,m,m]", u"[m]", u"[m/s,m/s,m/s]", u"[m/s]", u"", u"PRN-#"}));

    sol.Show(NavSol(0, 0x04));
    EXPECT_EQ(sol.Column(1), (Texts{u"2200:????", u"No Fix", u"", u"", u"", u"", u"", u"", u""}));
    sol.Show(NavSol(0, 0x08));
    EXPECT_EQ(sol.Column(1)[0], u"????:302400.000012345");
    sol.Show(NavSol(0, 0x00));
    EXPECT_EQ(sol.Column(1)[0], u"????:????");
}

TEST_F(KvbPagesTest, NavSolInExtendedModeShowsEveryFlagAndTheNumbersWithoutAFix) {
    SetMode(1);
    OpenPage sol = Open(u"NAV-SOL");
    sol.Show(NavSol(0, 0xBD, 0x01));
    EXPECT_EQ(sol.Column(1)[2], u"FixOK SUFPOS SKIPCHK SAON! FV TE ");
    EXPECT_EQ(sol.Column(1)[3], u"123456.8, -23456.8, 34567.9");
    sol.Show(NavSol(3, 0x42));
    EXPECT_EQ(sol.Column(1)[2], u"DGPS SAOFF ");
}

Bytes SvInfo(std::vector<KvbTestChannel> channels) {
    KvbTestPayload payload(8 + 12 * channels.size());
    payload.U1(4, static_cast<uint8_t>(channels.size()));
    size_t at = 8;
    for (const KvbTestChannel& c : channels) {
        payload.U1(at, c.channel).U1(at + 1, c.svid).U1(at + 2, c.flags).I1(at + 3, c.quality).U1(at + 4, c.cno);
        payload.I1(at + 5, c.elev).I2(at + 6, c.azim).I4(at + 8, c.prRes);
        at += 12;
    }
    return payload.Frame(0x30);
}

TEST_F(KvbPagesTest, NavSvInfoShowsARowPerChannelWithTheIconOfItsQuality) {
    OpenPage svinfo = Open(u"NAV-SVINFO");
    const CMemoryPage::Control* list = svinfo.page.FindControl(kList);
    ASSERT_TRUE(list && list->icons && list->fullRowSelect);
    EXPECT_EQ(list->icons->iconWidth, 8);
    EXPECT_EQ(list->icons->iconHeight, 11);
    EXPECT_EQ(list->icons->maskColor, 0xFFFFFFFFu);

    svinfo.Show(SvInfo({{0, 5, 0x81, 5, 40, 30, 120, -123},
                        {1, 120, 0x00, 9, 33, 35, 185, 0},
                        {2, 0, 0x1F, 7, 45, 60, -20, 250},
                        {3, 9, 0x20, -1, 0, -9, 0, 0}}));
    EXPECT_EQ(svinfo.Row(0), (Texts{u"0", u"5", u"40", u"-1.23", u"S", u"5", u"--", u"--", u"none", u"Y", u"N"}));
    EXPECT_EQ(svinfo.Row(1), (Texts{u"1", u"120", u"33", u"0.00", u"N", u"9", u"35", u"185", u"none", u"Y", u"N"}));
    EXPECT_EQ(svinfo.Row(2), (Texts{u"2", u"", u"45", u"2.50", u"Y", u"7", u"60", u"-20", u"Eph", u"N", u"Y"}));
    EXPECT_EQ(svinfo.Row(3)[5], u"255");
    EXPECT_EQ(svinfo.Row(3)[8], u"Opk");
    // A quality beyond the table, from the receiver as any other byte, shows no icon.
    EXPECT_EQ(svinfo.Icon(0), 4);
    EXPECT_EQ(svinfo.Icon(1), -1);
    EXPECT_EQ(svinfo.Icon(2), 3);
    EXPECT_EQ(svinfo.Icon(3), -1);

    svinfo.Show(SvInfo({{0, 7, 0x0D, 1, 20, 10, 45, 0}}));
    EXPECT_EQ(svinfo.page.RowCount(kList), 1);
    EXPECT_EQ(svinfo.Row(0)[1], u"7");
    EXPECT_EQ(svinfo.Icon(0), 1);
    // A count that does not match the records leaves no channel of an earlier frame.
    Bytes broken = SvInfo({{0, 7, 0x0D, 1, 20, 10, 45, 0}});
    broken[10] = 2;
    svinfo.Show(broken);
    EXPECT_EQ(svinfo.page.RowCount(kList), 0);
}

Bytes NavDgps(size_t recordSize, size_t records = 2) {
    KvbTestPayload payload(16 + recordSize * records);
    payload.U4(0, 1000).I4(4, 2500).U2(8, 0x0123).U2(10, 0).U1(12, static_cast<uint8_t>(records)).U1(13, 1);
    const size_t second = 16 + recordSize;
    payload.U1(16, 5).U1(17, 0x13).U2(18, 1500).R4(20, 1.25f).R4(24, -0.5f);
    if (records > 1) payload.U1(second, 12).U1(second + 1, 0x04).U2(second + 2, 60000).R4(second + 4, -3.5f);
    if (records > 1) payload.R4(second + 8, 0.125f);
    return payload.Frame(0x31);
}

TEST_F(KvbPagesTest, NavDgpsReadsChannelRecordsOfTheSizeTheFrameCarries) {
    OpenPage dgps = Open(u"NAV-DGPS");
    for (size_t recordSize : {12u, 16u}) {
        SCOPED_TRACE(recordSize);
        dgps.Show(NavDgps(recordSize));
        EXPECT_EQ(dgps.Column(1),
                  (Texts{u"1.000 s", u"2.500 s", u"0x0123", u"0x0000", u"PR+PRR", u"1.500 s", u"60.000 s"}));
        EXPECT_EQ(dgps.Row(5), (Texts{u"CH03   SV05   (used)", u"1.500 s", u"1.250", u"-0.500"}));
        EXPECT_EQ(dgps.Row(6), (Texts{u"CH04   SV12   (too old)", u"60.000 s", u"-3.500", u"0.125"}));
    }
    dgps.Show(NavDgps(14));
    EXPECT_EQ(dgps.Column(1), Texts(5));
    EXPECT_EQ(dgps.Column(0).back(), u"DGPS Status");
}

TEST_F(KvbPagesTest, NavSbasShowsItsStatusInFieldsAndItsSatellitesWithTheRatingOnlyWhenExtended) {
    const Bytes frame = KvbTestPayload(24)
                            .U1(4, 120)
                            .U1(5, 1)
                            .I1(6, 1)
                            .U1(7, 0x07)
                            .U1(8, 1)
                            .U1(12, 7)
                            .U1(13, 3)
                            .U1(14, 15)
                            .I1(15, 0)
                            .U1(16, 0x03)
                            .I2(18, -125)
                            .I2(20, 250)
                            .Frame(0x32);
    OpenPage sbas = Open(u"NAV-SBAS");
    sbas.Show(frame);
    EXPECT_EQ(sbas.Field(1002), u"120");
    EXPECT_EQ(sbas.Field(1003), u"Operational");
    EXPECT_EQ(sbas.Field(1004), u"EGNOS");
    EXPECT_TRUE(sbas.page.IsChecked(1005) && sbas.page.IsChecked(1006) && sbas.page.IsChecked(1007));
    EXPECT_EQ(sbas.Row(0), (Texts{u"07", u"15", u"-1.25m", u"2.50m", u"0.00m", u"Don't use", u"WAAS", u"Rng Corr "}));

    sbas.Show(KvbTestFrameOfLength(0x01, 0x32, 21));
    EXPECT_EQ(sbas.Field(1003), u"");
    EXPECT_FALSE(sbas.page.IsChecked(1005));
    EXPECT_EQ(sbas.page.RowCount(kList), 0);

    SetMode(1);
    OpenPage extended = Open(u"NAV-SBAS");
    extended.Show(frame);
    EXPECT_EQ(extended.Headings().back(), u"Rating");
    EXPECT_EQ(extended.Row(0).back(), u"3");
}

Bytes NavEkfStatus(uint8_t marker) {
    return KvbTestPayload(36)
        .I4(0, 1234)
        .I4(4, 100)
        .U4(8, 51234)
        .I2(12, 6400)
        .U1(14, 1)
        .U1(15, 0x3C)
        .I4(16, 1000000)
        .I4(20, -2500)
        .I4(24, 1020)
        .I2(28, 35)
        .I2(30, 120)
        .I2(32, 48)
        .U1(34, 0xC5)
        .U1(35, marker)
        .Frame(0x40);
}

TEST_F(KvbPagesTest, NavEkfStatusShowsItsCalibrationInTheScaleItsMarkerSelects) {
    OpenPage ekf = Open(u"NAV-EKFSTATUS");
    ekf.Show(NavEkfStatus(0));
    EXPECT_EQ(ekf.Column(1),
              (Texts{u"WHEELTICK+GYRO", u"1234", u"0.100 s", u"512.34", u"25.00", u"Forward", u"", u"Ticks Gyro ",
                     u"Dir Temp ", u"- ", u"1.0 (3.5%)", u"1.020 (4.8%)", u"-2.500 (12.0%)"}));
    EXPECT_EQ(ekf.Column(2)[4], u"[\u00B0C]");

    ekf.Show(NavEkfStatus(0xDA));
    EXPECT_EQ(ekf.Row(10), (Texts{u"   Scale Factor Ticks", u"100.0 [Ticks/km]", u"Init 0.35%"}));
    EXPECT_EQ(ekf.Row(11), (Texts{u"   Scale Factor Gyro", u"0.010 [-]", u"Fine Calib 0.48%"}));
    EXPECT_EQ(ekf.Row(12), (Texts{u"   Bias Gyro", u"-0.02500 [rad/s]", u"Fine Calib 1.20%"}));

    SetMode(1);
    OpenPage extended = Open(u"NAV-EKFSTATUS");
    extended.Show(NavEkfStatus(0));
    EXPECT_EQ(extended.Row(4), (Texts{u"        0.03909", u"-98.436", u"[mV, deg/s]"}));
}

TEST_F(KvbPagesTest, TheMainControlTakesThePagesSizeWhereItStands) {
    OpenPage sol = Open(u"NAV-SOL");
    sol.node->ResizePage(sol.page, 300, 200);
    EXPECT_EQ(sol.page.ControlRect(kList).width, 300);
    EXPECT_EQ(sol.page.ControlRect(kList).height, 200);

    OpenPage sbas = Open(u"NAV-SBAS");
    const PageRect before = sbas.page.ControlRect(kList);
    sbas.node->ResizePage(sbas.page, 300, 400);
    EXPECT_EQ(sbas.page.ControlRect(kList).y, before.y);
    EXPECT_EQ(sbas.page.ControlRect(kList).y + sbas.page.ControlRect(kList).height, 400);
}

// ---- Pages of fields

TEST_F(KvbPagesTest, NavTimeUtcMarksWhatIsNotValidAndAFrameOfTheWrongLengthEmptiesEveryField) {
    OpenPage utc = Open(u"NAV-TIMEUTC");
    const auto frame = [](uint8_t valid) {
        return KvbTestPayload(20)
            .U4(0, 475237000)
            .U4(4, 13000)
            .I4(8, 5)
            .U2(12, 2024)
            .U1(14, 3)
            .U1(15, 1)
            .U1(16, 12)
            .U1(17, 0)
            .U1(18, 19)
            .U1(19, valid)
            .Frame(0x21);
    };
    utc.Show(frame(0x07));
    EXPECT_EQ(utc.Field(1001), u"475237.000");
    EXPECT_EQ(utc.Field(1002), u"1. 3. 2024");
    EXPECT_EQ(utc.Field(1003), u"12:00:19");
    EXPECT_EQ(utc.Field(1004), u"5");
    EXPECT_EQ(utc.Field(1005), u"13.000");

    utc.Show(frame(0x03));
    EXPECT_EQ(utc.Field(1001), u"475237.000");
    EXPECT_EQ(utc.Field(1002), u"Invalid");
    EXPECT_EQ(utc.Field(1004), u"Invalid");

    utc.Show(KvbTestFrameOfLength(0x01, 0x21, 29));
    for (int field = 1001; field <= 1005; ++field) EXPECT_EQ(utc.Field(field), u"") << field;
}

TEST_F(KvbPagesTest, NavPosUtmPadsItsGridCoordinates) {
    OpenPage utm = Open(u"NAV-POSUTM");
    utm.Show(KvbTestPayload(18).I4(4, 46512345).I4(8, 524612399).I4(12, 41231).I1(16, 32).U1(17, 1).Frame(0x08));
    EXPECT_EQ(utm.Field(1002), u"0465123.45");
    EXPECT_EQ(utm.Field(1003), u"5246123.99");
    EXPECT_EQ(utm.Field(1004), u"412.31");
    EXPECT_EQ(utm.Field(1005), u"South");
    EXPECT_EQ(utm.Field(1006), u"32");
}

Bytes MonVer(std::string_view software, std::string_view hardware, std::vector<std::string_view> extensions) {
    KvbTestPayload payload(40 + 30 * extensions.size());
    payload.Text(0, software).Text(30, hardware);
    for (size_t i = 0; i < extensions.size(); ++i) payload.Text(40 + 30 * i, extensions[i]);
    return payload.Frame(kMon, 0x04);
}

TEST_F(KvbPagesTest, MonVerReadsItsTextsWithinTheirFieldsWhetherOrNotTheyAreTerminated) {
    OpenPage version = Open(u"MON-VER");
    const Bytes frame = MonVer("5.00 (24817)", "00040001", {"PROTVER 14.00"});
    ASSERT_EQ(frame.size(), 78u);
    version.Show(frame);
    EXPECT_EQ(version.Field(1002), u"5.00 (24817)");
    EXPECT_EQ(version.Field(1003), u"00040001");
    EXPECT_EQ(version.page.ItemCount(1004), 1);
    EXPECT_EQ(version.page.ItemText(1004, 0), u"PROTVER 14.00");

    // Fields filled to their last byte end there, not in the next field or beyond the frame.
    const std::string software(30, 'S'), hardware(10, 'H'), extension(30, 'E');
    version.Show(MonVer(software, hardware, {extension, extension}));
    EXPECT_EQ(version.Field(1002), platform::Utf8ToWide(software));
    EXPECT_EQ(version.Field(1003), platform::Utf8ToWide(hardware));
    EXPECT_EQ(version.page.ItemCount(1004), 2);
    EXPECT_EQ(version.page.ItemText(1004, 1), platform::Utf8ToWide(extension));

    for (size_t length : {47u, 60u}) {
        version.Show(frame);
        version.Show(KvbTestFrameOfLength(kMon, 0x04, length));
        EXPECT_EQ(version.Field(1002), u"") << length;
        EXPECT_EQ(version.page.ItemCount(1004), 0) << length;
    }
}

// ---- Information messages

TEST_F(KvbPagesTest, AnInformationMessageBecomesTextWithThePrefixOfItsKind) {
    OpenPage information = Open(u"INF");
    const auto text = [&](uint8_t id, std::string_view payload) {
        information.Show(KvbTestPayload(payload.size()).Text(0, payload).Frame(kInf, id));
        return information.Field(kText);
    };
    EXPECT_EQ(text(9, "ANTENNA OPEN"), u"RES9: ANTENNA OPEN");
    EXPECT_EQ(text(0, "no fix"), u"ERROR: no fix");
    EXPECT_EQ(text(2, "started"), u"started");
    EXPECT_EQ(text(7, std::string_view("ab\0cd", 5)), u"USER: ab");
    EXPECT_EQ(text(1, ""), u"");

    // The class keeps the text of the last one for the text consoles.
    const std::vector<CMessageNode*> nodes = Feed(KvbTestPayload(4)
                                                      .Text(0,
                                                            "\xB0"
                                                            "C!")
                                                      .Frame(kInf, 1));
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0], Node(u"INF"));
    ASSERT_NE(nodes[0]->Text(), nullptr);
    EXPECT_EQ(std::u16string(nodes[0]->Text()), u"WARNING: \u00B0C!");
}

}  // namespace
