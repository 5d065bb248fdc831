// The sentence pages of the real nmea.so, made from its templates and texts as the message view
// makes them, in memory, and filled with what the nodes stored from the stream.
#include <string>
#include <vector>

#include "host/core/messages/page_template.h"
#include "shared/memory_page.h"
#include "tests/plugins/nmea/nmea_document_test.h"
#include "tests/support/guarded_bytes.h"

namespace {

constexpr int kList = 10182;
constexpr int kSentence = 1003;
constexpr int kPageCount = 1008;
constexpr int kVisibleSatellites = 1009;
constexpr int kAppendChecksum = 1011;
constexpr int kTextIdentifier = 1012;
constexpr int kText = 1013;

class NmeaPageTest : public NmeaDocumentTest {
protected:
    // The node's page, prepared and showing the node's copy of its sentence.
    CMemoryPage PageOf(CMessageNode* node) {
        const DialogTemplate* dialog = node ? PageTemplateOf(*node) : nullptr;
        if (!dialog) {
            ADD_FAILURE() << "no page";
            return {};
        }
        CMemoryPage page(*dialog);
        node->InitPage(page);
        node->ShowData(page, node->FrameBytes(), node->FrameLength());
        return page;
    }
    CMemoryPage PageOf(const std::string& body) { return PageOf(Send(body)); }
};

std::vector<std::u16string> Column(const CDialogPage& page, int column) {
    std::vector<std::u16string> cells;
    for (int row = 0; row < page.RowCount(kList); ++row) cells.push_back(page.CellText(kList, row, column));
    return cells;
}

std::vector<std::u16string> Values(const CDialogPage& page) { return Column(page, 1); }

TEST_F(NmeaPageTest, AFieldListNamesEveryFieldAndShowsTheTextOfThoseTheSentenceHas) {
    const CMemoryPage full = PageOf("GPGGA,123519.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,2.5,0042");
    const CMemoryPage::Control& list = *full.FindControl(kList);
    ASSERT_EQ(4u, list.columns.size());
    EXPECT_EQ(u"Parameter", list.columns[0].heading);
    EXPECT_EQ(u"Description", list.columns[3].heading);
    EXPECT_EQ(85, list.columns[1].width);
    EXPECT_TRUE(list.columns[1].rightAligned && list.columns[2].rightAligned && !list.columns[3].rightAligned);
    EXPECT_TRUE(list.fullRowSelect);
    EXPECT_EQ((std::vector<std::u16string>{u"123519.00", u"4807.038", u"N", u"01131.000", u"E", u"1", u"08", u"0.9",
                                           u"545.4", u"M", u"46.9", u"M", u"2.5", u"0042"}),
              Values(full));
    EXPECT_EQ(u"UTC", full.CellText(kList, 0, 0));
    EXPECT_EQ(u"hhmmss.sss", full.CellText(kList, 0, 2));
    EXPECT_EQ(u"ID of DGPS Reference Station", full.CellText(kList, 13, 3));

    const std::vector<std::u16string> partial = Values(PageOf("GPGGA,123520.00,4807.038,N,01131.000,E,1,08,0.9,545.4"));
    ASSERT_EQ(14u, partial.size());
    EXPECT_EQ(u"545.4", partial[8]);
    EXPECT_EQ(std::vector<std::u16string>(5), std::vector<std::u16string>(partial.begin() + 9, partial.end()));

    // The page lays the list out over the room it is given.
    CMemoryPage page = PageOf(Node(u"GPZDA"));
    Node(u"GPZDA")->ResizePage(page, 400, 300);
    EXPECT_EQ(400, page.ControlRect(kList).width);
    EXPECT_EQ(300, page.ControlRect(kList).height);
}

TEST_F(NmeaPageTest, GsaListsTheSatellitesUsedWithTheirSbasNumbers) {
    const CMemoryPage used = PageOf("GPGSA,A,3,03,40,12,,,,,,,,,,2.5,1.3,2.1");
    EXPECT_EQ((std::vector<std::u16string>{u"A", u"3", u"3", u"3,40(=127),12", u"2.5", u"1.3", u"2.1"}), Values(used));
    EXPECT_EQ(110, used.FindControl(kList)->columns[1].width);
    EXPECT_EQ((std::vector<std::u16string>{u"A", u"1", u"0", u"", u"", u"", u""}),
              Values(PageOf("GPGSA,A,1,,,,,,,,,,,,,,,")));
}

TEST_F(NmeaPageTest, TheGsvPageShowsTheSatellitesOfTheWholeCycle) {
    Send("GPGSV,3,1,10,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45");
    CMemoryPage midway = PageOf(Node(u"GPGSV"));
    EXPECT_EQ(u"1 / 3", midway.GetControlText(kPageCount));
    EXPECT_EQ(4, midway.RowCount(kList));

    Send("GPGSV,3,2,10,33,10,100,30,18,55,060,,19,,,,21,05,150,28");
    Send("GPGSV,3,3,10,22,64,270,47,24,12,010,33");
    const CMemoryPage cycle = PageOf(Node(u"GPGSV"));
    EXPECT_EQ(u"3 / 3", cycle.GetControlText(kPageCount));
    EXPECT_EQ(u"10", cycle.GetControlText(kVisibleSatellites));
    EXPECT_EQ((std::vector<std::u16string>{u"1", u"2", u"12", u"14", u"33(=120)", u"18", u"19", u"21", u"22", u"24"}),
              Column(cycle, 0));
    EXPECT_EQ(u"", cycle.CellText(kList, 5, 3));
    EXPECT_EQ(u"", cycle.CellText(kList, 6, 1));
    EXPECT_EQ(u"270", cycle.CellText(kList, 8, 2));
    const CMemoryPage::Control& list = *cycle.FindControl(kList);
    ASSERT_EQ(4u, list.columns.size());
    EXPECT_EQ(u"C/NO [dBHz]", list.columns[3].heading);
    EXPECT_TRUE(list.columns[0].rightAligned && list.columns[3].rightAligned && list.columns[0].width == 80);

    // A count of satellites beyond what the cycle's pages hold grows no rows for them.
    Send("GPGSV,1,1,99999999,05,40,083,46");
    CMemoryPage lying = PageOf(Node(u"GPGSV"));
    EXPECT_EQ(u"99999999", lying.GetControlText(kVisibleSatellites));
    EXPECT_EQ(1, lying.RowCount(kList));
    // The list keeps its top below the texts and fills the rest.
    Node(u"GPGSV")->ResizePage(lying, 500, 400);
    const PageRect rect = lying.ControlRect(kList);
    EXPECT_EQ(500, rect.width);
    EXPECT_EQ(400, rect.y + rect.height);

    // Each page of the cycle lists its own fields.
    const CMemoryPage page = PageOf(Node(u"GPGSV")->FindChildByLabel(u"page 1"));
    EXPECT_EQ(19, page.RowCount(kList));
    EXPECT_EQ(50, page.FindControl(kList)->columns[1].width);
    EXPECT_EQ(u"05", page.CellText(kList, 3, 1));
}

TEST_F(NmeaPageTest, TxtNamesTheTypeOfItsTextAndShowsNothingFromBeyondTheSentence) {
    const auto shown = [&](const std::string& body) {
        const CMemoryPage page = PageOf(body);
        return std::pair{page.GetControlText(kTextIdentifier), page.GetControlText(kText)};
    };
    EXPECT_EQ(std::pair(std::u16string(u"NOTICE"), std::u16string(u"antenna ok, 3D")),
              shown("GPTXT,01,01,02,antenna ok, 3D"));
    EXPECT_EQ(u"<unknown>", shown("GPTXT,01,01,09,x").first);
    EXPECT_EQ(u"<unknown>", shown("GPTXT,01,01,-1,x").first);
    EXPECT_EQ(std::pair(std::u16string(u"<none>"), std::u16string()), shown("GPTXT,01,01"));

    const std::string unended = "$GPTXT,01,01,02";
    GuardedBytes bytes(Bytes(unended));
    CMemoryPage page = PageOf(Node(u"GPTXT"));
    Node(u"GPTXT")->ShowData(page, bytes.data(), static_cast<int>(unended.size()));
    EXPECT_EQ(u"NOTICE", page.GetControlText(kTextIdentifier));
    EXPECT_EQ(u"", page.GetControlText(kText));
}

TEST_F(NmeaPageTest, AnUnknownSentenceIsShownWithoutItsFrame) {
    EXPECT_EQ(u"IIGGA,1,2", PageOf("IIGGA,1,2").GetControlText(kSentence));
    CMemoryPage page = PageOf(Node(u"?????"));
    const std::string bare = "$GNZZZ,a*00\n";
    Node(u"?????")->ShowData(page, Bytes(bare).data(), static_cast<int>(bare.size()));
    EXPECT_EQ(u"GNZZZ,a", page.GetControlText(kSentence));
}

TEST_F(NmeaPageTest, TheCustomPageComposesTheSentenceWithOrWithoutItsChecksum) {
    CMessageNode* custom = document.FindNodeByProtocol(u"NMEA", u"?????", u"Custom");
    ASSERT_NE(nullptr, custom);
    CMemoryPage page = PageOf(custom);
    EXPECT_TRUE(page.IsChecked(kAppendChecksum));
    EXPECT_EQ(1000, page.FindControl(kSentence)->textLimit);

    page.TypeText(kSentence, u"GPGGA");
    const auto built = [&](int capacity) {
        std::vector<uint8_t> buffer(static_cast<size_t>(capacity));
        GuardedBytes guarded(buffer);
        int length = -1;
        const bool ok = custom->BuildFromPage(page, guarded.data(), length, capacity);
        return ok ? std::string(guarded.data(), guarded.data() + length) : "failed " + std::to_string(length);
    };
    EXPECT_EQ(NmeaTestSentence("GPGGA"), built(11));
    EXPECT_EQ("failed 0", built(10));
    page.Click(kAppendChecksum);
    EXPECT_EQ("$GPGGA\r\n", built(8));
    EXPECT_EQ("failed 0", built(7));

    EXPECT_TRUE(custom->ValidateControl(page, kSentence));
    for (const char16_t* typed : {u"GPGGA\t1", u"GPGGA\r\n", u"GPTXT,\u00e9t\u00e9"}) {
        page.TypeText(kSentence, typed);
        EXPECT_FALSE(custom->ValidateControl(page, kSentence));
        EXPECT_TRUE(custom->ValidateControl(page, kAppendChecksum));
    }

    // A sentence shown tells by the box whether it carried a checksum.
    for (const std::string& sentence : {NmeaTestSentence("GPZDA,1"), std::string("$GPZDA,1\r\n")}) {
        custom->ShowData(page, Bytes(sentence).data(), static_cast<int>(sentence.size()));
        EXPECT_EQ(u"GPZDA,1", page.GetControlText(kSentence));
        EXPECT_EQ(sentence.find('*') != std::string::npos, page.IsChecked(kAppendChecksum));
    }
}

TEST_F(NmeaPageTest, TheInformationPageComesFromThePluginWithItsLogo) {
    EXPECT_EQ(Root()->ResourceModule(), Node(u"GPGGA")->ResourceModule());
    const DialogTemplate* dialog = PageTemplateOf(*Root());
    ASSERT_NE(nullptr, dialog);
    CMemoryPage page(*dialog);
    ShowPagePictures(page, *dialog, Root()->ResourceModule());
    const BitmapResource* logo = nullptr;
    std::u16string texts;
    for (const CMemoryPage::Control& control : page.Controls()) {
        if (control.picture) logo = control.picture;
        if (control.source.kind == ControlKind::StaticText) texts += control.text;
    }
    ASSERT_NE(nullptr, logo);
    EXPECT_EQ(32, logo->iconWidth);
    EXPECT_TRUE(texts.starts_with(u"NMEA 0183\n\nNational Marine Electronics Association"));
    EXPECT_TRUE(texts.ends_with(u"representing the hexadecimal value of the checksum."));
}

}  // namespace
