#include <gtest/gtest.h>

#include <cstdio>

#include "platform/text.h"
#include "platform/ticks.h"
#include "tests/support/german_locale.h"

using namespace platform;

TEST(Text, AnsiIsWindows1252) {
    EXPECT_EQ(AnsiToWide("\x80\x9f\xb0" "A"), u"\u20AC\u0178\u00B0A");
    EXPECT_EQ(WideToAnsi(u"\u20AC\u00B0A"), "\x80\xb0" "A");
    EXPECT_EQ(WideToAnsi(u"\u4E2D"), "?");
    // The five unassigned codes pass through unchanged both ways.
    EXPECT_EQ(WideToAnsi(AnsiToWide("\x81\x8d\x8f\x90\x9d")), "\x81\x8d\x8f\x90\x9d");
}

TEST(Text, Utf8RoundTripsAndRejectsMalformedBytes) {
    const std::u16string wide = u"Grad \u00B0 \u20AC \U0001F600";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(wide)), wide);
    EXPECT_EQ(Utf8ToWide("a\xC3"), u"a\uFFFD");          // truncated sequence at the end
    EXPECT_EQ(Utf8ToWide("\x80z"), u"\uFFFDz");          // stray continuation byte
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
    EXPECT_EQ(WideToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Text, NumbersIgnoreTheProcessLocale) {
    ScopedGermanLocale german;
    ASSERT_TRUE(german.Active()) << "localedef could not build a German locale";
    char native[32];
    std::snprintf(native, sizeof native, "%.3f", 4807.038);
    ASSERT_STREQ(native, "4807,038");  // the locale really is active
    EXPECT_EQ(FormatC("%.3f", 4807.038), "4807.038");
    EXPECT_EQ(FormatW(u"%.1f m", 12.25), u"12.2 m");
}

TEST(Text, LongFormatsAreNotCut) {
    const std::string long_text(1000, 'x');
    EXPECT_EQ(FormatC("%s!", long_text.c_str()).size(), 1001u);
}

TEST(Ticks, ManualClockWrapsLikeTheHandheld) {
    ManualTickClock clock(0xFFFFFFF0u);
    const uint32_t before = GetTickCount();
    clock.Advance(0x20);
    EXPECT_EQ(GetTickCount(), 0x10u);
    EXPECT_EQ(GetTickCount() - before, 0x20u);
}
