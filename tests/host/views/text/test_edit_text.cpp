#include <gtest/gtest.h>

#include <string>

#include "host/views/text/edit_text_buffer.h"
#include "host/views/text/text_view_format.h"

namespace {

std::u16string Entry(int n) { return u"entry " + std::u16string(1, static_cast<char16_t>(u'A' + n % 26)) + u'\n'; }

}  // namespace

TEST(EditTextBuffer, FiveHundredLinesLoseTheOldestTwentySixBeforeTheNextEntry) {
    CEditTextBuffer buffer;
    for (int i = 0; i < 499; ++i) buffer.Append(Entry(i));
    // 499 entries and the empty line behind the last.
    ASSERT_EQ(buffer.LineCount(), 500);
    const uint64_t start = buffer.StartOffset();

    const size_t dropped = buffer.Append(u"newest\n");
    EXPECT_EQ(dropped, 26 * Entry(0).size());
    EXPECT_EQ(buffer.StartOffset(), start + dropped);
    EXPECT_EQ(buffer.LineCount(), 475);
    EXPECT_TRUE(buffer.Text().starts_with(Entry(26)));
    EXPECT_TRUE(buffer.Text().ends_with(Entry(498) + u"newest\n"));

    // Lower limits trim at once, with the same spare.
    buffer.SetLineLimits(100, 5);
    EXPECT_EQ(buffer.LineCount(), 100 - 6);
}

TEST(EditTextBuffer, TheTextLimitCountsLineBreaksTwiceAndCutsAnOversizedEntry) {
    CEditTextBuffer buffer;
    const std::u16string line(98, u'x');
    for (int i = 0; i < 300; ++i) buffer.Append(line + u'\n');
    // 300 lines of 100 edit characters: exactly the limit.
    EXPECT_EQ(buffer.EditLength(), 30000u);
    EXPECT_EQ(buffer.LineCount(), 301);

    // One more character needs room taken from the first line: it and 25 + 1 more lines go.
    buffer.Append(u"y");
    EXPECT_EQ(buffer.LineCount(), 301 - 26);
    EXPECT_EQ(buffer.EditLength(), 274u * 100 + 1);

    // What cannot fit even alone is cut to the limit.
    buffer.Append(std::u16string(40000, u'z'));
    EXPECT_EQ(buffer.EditLength(), size_t{CEditTextBuffer::kTextLimit});
    EXPECT_EQ(buffer.LineCount(), 1);

    buffer.Clear();
    EXPECT_TRUE(buffer.IsEmpty());
    EXPECT_EQ(buffer.LineCount(), 1);
}

TEST(TextViewFormat, LinesBlocksAndStamps) {
    EXPECT_EQ(text_view::Line(u"a\r\nb"), u"a\x0B\x0B" u"b\n");
    EXPECT_EQ(text_view::Block(u"a\r\nb"), u"a\x0B\n          b\n");
    EXPECT_EQ(text_view::Plain(u"Done\n"), u"Done\n");
    EXPECT_EQ(text_view::TimeStamp(-1), u"??:??:??");
    // 2026-03-04 05:06:07 UTC.
    EXPECT_EQ(text_view::Stamped(1772600767, u"x"), u"05:06:07  x");
    EXPECT_EQ(EditFontTenths(96), 84);
    EXPECT_EQ(EditFontTenths(192), 42);
    EXPECT_EQ(EditFontTenths(131), 62);
}

TEST(FollowTheEnd, TheUserKeepsTheViewForFourSecondsAfterScrollingOrSelecting) {
    // Scrolled a moment ago: the caret goes to the end, the view stays.
    const FollowDecision scrolled = DecideFollow({false, true, true, 3999});
    EXPECT_TRUE(scrolled.caretToEnd);
    EXPECT_FALSE(scrolled.scrollToEnd);
    EXPECT_TRUE(DecideFollow({false, true, true, 4000}).scrollToEnd);
    // A selection elsewhere stays; the view follows only after four quiet seconds.
    EXPECT_FALSE(DecideFollow({false, false, false, 4000}).scrollToEnd);
    EXPECT_TRUE(DecideFollow({false, false, false, 4001}).scrollToEnd);
    // The stylus is down: nothing moves, however long ago it was pressed.
    const FollowDecision holding = DecideFollow({true, true, false, 100000});
    EXPECT_FALSE(holding.caretToEnd || holding.scrollToEnd);
}
