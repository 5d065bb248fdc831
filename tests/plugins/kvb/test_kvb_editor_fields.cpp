// The conventions every configuration editor shares: protocol masks, numbered choices and scaled
// fields, read from and shown on a page in memory.
#include <gtest/gtest.h>

#include "plugins/kvb/editors/editor_fields.h"
#include "shared/memory_page.h"

namespace {

constexpr int kList = 10;
constexpr int kField = 11;
constexpr ControlTemplate kControls[] = {
    {kList, ControlKind::DropDownEdit, u"", {0, 0, 60, 40}},
    {kField, ControlKind::Edit, u"", {0, 20, 60, 12}},
};
constexpr DialogTemplate kPage{1, 100, 60, kControls};

class EditorFields : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char16_t* item : {u"none", u"0 - KVB", u"0+1+2 - KVB+NMEA+RTCM", u"0+1 - KVB+NMEA", u"12 - USER0"})
            page.AddItem(kList, item);
    }
    CMemoryPage page{kPage};
};

TEST_F(EditorFields, ProtocolMasksReadTheirBitsAndIgnoreTheNames) {
    EXPECT_EQ(ParseProtocolMask(u"0+1 - KVB+NMEA"), 0x3u);
    EXPECT_EQ(ParseProtocolMask(u"none"), 0u);
    EXPECT_EQ(ParseProtocolMask(u"31"), 0x80000000u);
    const std::u16string_view invalid[] = {u"32", u"", u" 1", u"0+", u"+1", u"x", u"100000000000"};
    for (size_t i = 0; i < std::size(invalid); ++i) EXPECT_FALSE(ParseProtocolMask(invalid[i])) << "case " << i;
    EXPECT_EQ(FormatProtocolMask(0x401), u"0+10");
    EXPECT_EQ(FormatProtocolMask(0), u"none");

    // "0+1" selects its own item, not the longer one that begins alike.
    page.SetControlText(kList, u"0+1");
    ShowProtocolMask(page, kList, *ReadProtocolMask(page, kList));
    EXPECT_EQ(page.GetControlText(kList), u"0+1 - KVB+NMEA");
    ShowProtocolMask(page, kList, 0x401);
    EXPECT_EQ(page.Selection(kList), -1);
    EXPECT_EQ(page.GetControlText(kList), u"0+10");
}

TEST_F(EditorFields, NumberedChoicesTakeTheLeadingNumber) {
    page.SetControlText(kList, u"12 - USER0");
    EXPECT_EQ(ReadNumberedChoice(page, kList), 12u);
    page.SetControlText(kList, u"7");
    EXPECT_EQ(ReadNumberedChoice(page, kList), 7u);
    page.SetControlText(kList, u"USER0");
    EXPECT_FALSE(ReadNumberedChoice(page, kList));
    ShowNumberedChoice(page, kList, 12);
    EXPECT_EQ(page.GetControlText(kList), u"12 - USER0");
    ShowNumberedChoice(page, kList, 1);
    EXPECT_EQ(page.GetControlText(kList), u"1") << "not the item of 12";
}

TEST_F(EditorFields, ScaledFieldsRoundAndRefuseWhatTheFieldCannotHold) {
    page.SetControlText(kField, u"0.29");
    EXPECT_EQ(ReadScaledField(page, kField, 100, 0xFFFF), 29u);
    page.SetControlText(kField, u"-1");
    EXPECT_FALSE(ReadScaledField(page, kField, 1, 0xFFFF));
    page.SetControlText(kField, u"655.36");
    EXPECT_FALSE(ReadScaledField(page, kField, 100, 0xFFFF));
    page.SetControlText(kField, u"1e300");
    EXPECT_FALSE(ReadScaledField(page, kField, 1, 0xFFFFFFFF));
    ShowScaledField(page, kField, 29, 100, 2);
    EXPECT_EQ(page.GetControlText(kField), u"0.29");
}

}  // namespace
