#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text.h"
#include "shared/memory_page.h"
#include "shared/page_listener.h"
#include "shared/value_format.h"
#include "tests/support/german_locale.h"
#include "tests/support/guarded_bytes.h"

namespace {

enum { kEdit = 1001, kCombo, kList, kRadioA, kRadioB, kRadioC, kReadOnly, kMissing = 9999 };

constexpr ControlTemplate kControls[] = {
    {kEdit, ControlKind::Edit, u"", {4, 8, 100, 12}},
    {kCombo, ControlKind::DropDownList, nullptr, {4, 24, 100, 60}},
    {kList, ControlKind::ListControl, nullptr, {4, 40, 150, 80}},
    {kRadioA, ControlKind::RadioButton, u"A", {4, 124, 40, 10}, STYLE_GROUP},
    {kRadioB, ControlKind::RadioButton, u"B", {48, 124, 40, 10}},
    {kRadioC, ControlKind::RadioButton, u"C", {92, 124, 40, 10}, STYLE_GROUP},
    {kReadOnly, ControlKind::Edit, u"fixed", {4, 140, 100, 12}, STYLE_READ_ONLY},
};
constexpr DialogTemplate kDialog{100, 160, 160, kControls};

class ValueFormat : public ::testing::Test {
protected:
    // "12" before "1", so that a plain prefix search would pick the wrong entry.
    void SetUp() override {
        for (const char16_t* item : {u"0 - None", u"12 - Twelve", u"1 - One"}) page.AddItem(kCombo, item);
    }
    void Type(const std::u16string& text) { page.SetControlText(kEdit, text); }
    std::u16string Text(int id = kEdit) const { return page.GetControlText(id); }

    CMemoryPage page{kDialog};
};

struct NumberCase {
    const char16_t* text;
    int base;
    bool allowNegative;
    bool valid;
    uint32_t value;
    bool onlyBlanksFollow;
};

TEST_F(ValueFormat, ReadsIntegersWithinThirtyTwoBits) {
    const NumberCase cases[] = {
        {u" \t42  ", 10, false, true, 42, true},
        {u"42 x", 10, false, true, 42, false},
        {u"-5", 10, false, false, 0, false},
        {u"-5", 10, true, true, 0u - 5, true},
        {u"", 10, true, false, 0, true},
        {u"  -", 10, true, false, 0, false},
        {u"4294967295", 10, false, true, UINT32_MAX, true},
        {u"4294967296", 10, false, false, 0, true},
        {u"99999999999999999999999", 10, false, false, 0, true},
        {u"-2147483648", 10, true, true, 0x80000000u, true},
        {u"-2147483649", 10, true, false, 0, true},
        {u"ffffFFFF", 16, false, true, UINT32_MAX, true},
        {u"100000000", 16, false, false, 0, true},
        {u"1g", 16, false, true, 1, false},
        {u"0x10", 16, false, true, 0, false},
    };
    for (const NumberCase& c : cases) {
        Type(c.text);
        bool valid = !c.valid, blanks = !c.onlyBlanksFollow;
        const uint32_t value = GetDlgNumber(page, kEdit, &valid, c.base, c.allowNegative, &blanks);
        SCOPED_TRACE(platform::WideToUtf8(c.text));
        EXPECT_EQ(c.valid, valid);
        EXPECT_EQ(c.value, value);
        EXPECT_EQ(c.onlyBlanksFollow, blanks);
    }
    bool valid = true;
    GetDlgNumber(page, kMissing, &valid, 10, false);
    EXPECT_FALSE(valid);

    int32_t signedValue = 0;
    Type(u"-2147483648");
    EXPECT_TRUE(GetDlgSigned(page, kEdit, signedValue));
    EXPECT_EQ(INT32_MIN, signedValue);
    Type(u"2147483648");
    EXPECT_FALSE(GetDlgSigned(page, kEdit, signedValue));
    uint32_t unsignedValue = 0;
    Type(u"-1");
    EXPECT_FALSE(GetDlgDecimalChecked(page, kEdit, unsignedValue));
}

TEST_F(ValueFormat, CombosPickTheEntryOfExactlyThatNumber) {
    SetComboDecimal(page, kCombo, 1);
    EXPECT_EQ(2, page.Selection(kCombo));
    EXPECT_EQ(1, page.FindControl(kCombo)->redraws);
    SetComboDecimal(page, kCombo, 1);  // already shown: left alone
    EXPECT_EQ(1, page.FindControl(kCombo)->redraws);
    uint32_t value = 0;
    EXPECT_TRUE(ComboShowsDecimal(page, kCombo, value));
    EXPECT_EQ(1u, value);

    SetComboDecimal(page, kCombo, -3);
    EXPECT_EQ(u"-3", Text(kCombo));
    EXPECT_FALSE(ComboShowsDecimal(page, kCombo, value));

    page.ClearItems(kCombo);
    page.AddItem(kCombo, u"A0 - Wide");
    page.AddItem(kCombo, u"0A - Ten");
    SetComboHex(page, kCombo, 0xA, 2);
    EXPECT_EQ(1, page.Selection(kCombo));
    EXPECT_TRUE(ComboShowsHex(page, kCombo, value, 2));
    EXPECT_FALSE(ComboShowsHex(page, kCombo, value, 1));  // "A" is no entry: "A0" goes on in hex
    SetComboHex(page, kCombo, 0xB, 1);
    EXPECT_EQ(u"B", Text(kCombo));
}

TEST_F(ValueFormat, WritesHexDumpsInMachineOrder) {
    const uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04};
    SetDlgHexDump(page, kEdit, bytes, 4, 2);
    EXPECT_EQ(std::endian::native == std::endian::little ? u"0201 0403" : u"0102 0304", Text());
    SetDlgHexDump(page, kEdit, bytes, 1, 2);
    EXPECT_EQ(u"", Text());
    SetDlgHexDump(page, kEdit, bytes, 3, 3);  // no such item size: bytes one by one
    EXPECT_EQ(u"01 02 03", Text());

    // Five bytes in items of four: one item, and no byte read past the fifth.
    GuardedBytes guarded({0xAA, 0xBB, 0xCC, 0xDD, 0xEE});
    SetDlgHexDump(page, kEdit, guarded.data(), 5, 4);
    EXPECT_EQ(8u, Text().size());

    std::vector<uint8_t> back(4);
    SetDlgHexDump(page, kEdit, bytes, 4, 4);
    EXPECT_EQ(4, GetDlgHexDump(page, kEdit, back.data(), 4, 4, nullptr));
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 4), back);
}

TEST_F(ValueFormat, ReadsHexDumpsWithinCapacity) {
    uint8_t out[4] = {0, 0, 0, 0x77};
    bool valid = false;
    Type(u"1 2 3");
    EXPECT_EQ(3, GetDlgHexDump(page, kEdit, out, 3, 1, &valid));
    EXPECT_TRUE(valid);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 0x77}), std::vector<uint8_t>(out, out + 4));
    Type(u"");
    EXPECT_EQ(0, GetDlgHexDump(page, kEdit, out, 4, 1, &valid));
    EXPECT_FALSE(valid);
    Type(u"11 22 33");
    EXPECT_EQ(2, GetDlgHexDump(page, kEdit, out, 2, 1, &valid));
    Type(u"1234 5678");
    EXPECT_EQ(2, GetDlgHexDump(page, kEdit, out, 3, 2, &valid));  // the second item would not fit
    Type(u"12 zz 34");
    EXPECT_EQ(1, GetDlgHexDump(page, kEdit, out, 4, 1, &valid));

    Type(u"123");
    EXPECT_FALSE(IsDlgHexDump(page, kEdit, 1));
    EXPECT_TRUE(IsDlgHexDump(page, kEdit, 2));
    Type(u"0G");
    EXPECT_FALSE(IsDlgHexDump(page, kEdit, 1));
    Type(u"0a\r\n1F ");
    EXPECT_TRUE(IsDlgHexDump(page, kEdit, 1));
    Type(u"");
    EXPECT_TRUE(IsDlgHexDump(page, kEdit, 1));

    int itemSize = 2;
    EXPECT_EQ(0, GuessDlgHexItemSize(page, kEdit, itemSize));
    EXPECT_EQ(2, itemSize);
    const std::pair<const char16_t*, int> guesses[] = {{u"1 2", 1}, {u"123 4", 2}, {u"12345 6", 4}};
    for (const auto& [text, size] : guesses) {
        Type(text);
        EXPECT_EQ(2 * size, GuessDlgHexItemSize(page, kEdit, itemSize));
        EXPECT_EQ(size, itemSize);
    }

    Type(u"B5 01 02 03");
    EXPECT_EQ(3, CountDlgHexItems(page, kEdit, 1, 100));
    EXPECT_EQ(1, CountDlgHexItems(page, kEdit, 1, 5));
}

TEST_F(ValueFormat, WritesBitsHexTextAndDoubles) {
    SetDlgBinary(page, kEdit, 5, 1);
    EXPECT_EQ(u"00000101", Text());
    SetDlgBinary(page, kEdit, 0x80000001, 8);
    EXPECT_EQ(u"1" + std::u16string(30, u'0') + u"1", Text());
    SetDlgHex(page, kEdit, 0xab, 4);
    EXPECT_EQ(u"00AB", Text());
    SetDlgDouble(page, kEdit, std::nan(""), 2);
    EXPECT_EQ(u"0.00", Text());
    SetDlgDouble(page, kEdit, 3.14159, 3);
    EXPECT_EQ(u"3.142", Text());
    SetDlgText(page, kEdit, u"%d-%s", 5, "x");
    EXPECT_EQ(u"5-x", Text());
    SetDlgText(page, kEdit, u"%600d", 1);
    EXPECT_EQ(512u, Text().size());
    SetDlgText(page, kEdit, nullptr);
    EXPECT_EQ(u"", Text());
}

TEST_F(ValueFormat, ReadsDoublesOfThePointForm) {
    const struct {
        const char16_t* text;
        bool valid;
        double value;
        bool onlyBlanksFollow;
    } cases[] = {
        {u"  -1.5e3 ", true, -1500, true}, {u".5", true, 0.5, true},  {u"+5.", true, 5, true},
        {u"1e", true, 1, false},           {u"1,5", true, 1, false},  {u".", false, 0, false},
        {u"-", false, 0, false},           {u"nan", false, 0, false}, {u"1e999", false, 0, true},
    };
    for (const auto& c : cases) {
        Type(c.text);
        bool valid = !c.valid, blanks = !c.onlyBlanksFollow;
        SCOPED_TRACE(platform::WideToUtf8(c.text));
        EXPECT_EQ(c.value, GetDlgDouble(page, kEdit, &valid, &blanks));
        EXPECT_EQ(c.valid, valid);
        EXPECT_EQ(c.onlyBlanksFollow, blanks);
    }
}

TEST_F(ValueFormat, IgnoresAGermanLocale) {
    ScopedGermanLocale german;
    if (!german.Active()) GTEST_SKIP() << "localedef could not build a German locale";
    SetDlgDouble(page, kEdit, 1.5, 2);
    EXPECT_EQ(u"1.50", Text());
    double value = 0;
    Type(u"2.25");
    EXPECT_TRUE(GetDlgDoubleChecked(page, kEdit, value));
    EXPECT_EQ(2.25, value);
}

TEST_F(ValueFormat, SizesControlsAndFillsListsFromStrings) {
    const PageRect before = page.ControlRect(kEdit);
    SizeDlgItemToBottom(page, kEdit, 80, before.y + 30);
    const PageRect after = page.ControlRect(kEdit);
    EXPECT_EQ((std::vector<int>{before.x, before.y, 80, 30}),
              (std::vector<int>{after.x, after.y, after.width, after.height}));
    SizeDlgItemToBottom(page, kEdit, 80, before.y - 5);
    EXPECT_EQ(0, page.ControlRect(kEdit).height);
    SizeDlgItemWidth(page, kEdit, 50);
    EXPECT_EQ(50, page.ControlRect(kEdit).width);

    const std::u16string longText = std::u16string(300, u'x') + u"|y";
    const StringResource strings[] = {{1, u"A|B|C"}, {2, u"x||z"}, {3, longText.c_str()}};
    const ResourceTable table{{}, strings, {}};
    const ResourceTable* previous = ModuleResources(nullptr);
    SetProgramResources(&table);
    AddListColumns(page, kList, nullptr, 1, u'|');
    AddListRow(page, kList, nullptr, 2, u'|');
    AddListRow(page, kList, nullptr, 3, u'|');
    AddListRow(page, kList, nullptr, 4, u'|');  // no such string
    SetProgramResources(previous);

    ASSERT_EQ(3, page.ColumnCount(kList));
    EXPECT_EQ(u"C", page.ColumnHeading(kList, 2));
    EXPECT_EQ(CDialogPage::kColumnToHeader, page.FindControl(kList)->columns[0].width);
    ASSERT_EQ(2, page.RowCount(kList));
    EXPECT_EQ(u"z", page.CellText(kList, 0, 2));
    EXPECT_EQ(u"", page.CellText(kList, 0, 1));
    EXPECT_EQ(std::u16string(256, u'x'), page.CellText(kList, 1, 0));  // cut before the separator
}

struct CountingListener final : IPageListener {
    void OnControlChanged(int controlId) override { changed.push_back(controlId); }
    std::vector<int> changed;
};

TEST_F(ValueFormat, MemoryPageActsLikeTheWidgets) {
    CountingListener listener;
    page.SetListener(&listener);
    page.SetChecked(kRadioC, true);
    page.Click(kRadioA);
    page.Click(kRadioB);
    EXPECT_FALSE(page.IsChecked(kRadioA));
    EXPECT_TRUE(page.IsChecked(kRadioB));
    EXPECT_TRUE(page.IsChecked(kRadioC));  // a group of its own

    page.TypeText(kReadOnly, u"typed");
    EXPECT_EQ(u"fixed", Text(kReadOnly));
    page.TypeText(kEdit, u"typed");
    EXPECT_EQ(u"typed", Text());
    EXPECT_EQ((std::vector<int>{kRadioA, kRadioB, kEdit}), listener.changed);
}

}  // namespace
