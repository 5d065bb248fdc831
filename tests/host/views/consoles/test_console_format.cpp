#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "host/views/consoles/console_format.h"

namespace {

std::vector<uint8_t> Counting(size_t count, uint8_t first) {
    std::vector<uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

}  // namespace

TEST(HexDump, SixteenBytesMakeOneLineSeventeenAPaddedSecond) {
    EXPECT_EQ(console::HexDump(Counting(16, 0x40)),
              u"0000  40 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F  @ABCDEFGHIJKLMNO");

    std::vector<uint8_t> bytes = Counting(16, 0x41);
    bytes[1] = 0x0D;
    bytes[2] = 0xE9;
    bytes[3] = 0x85;
    bytes.push_back(0x0A);
    EXPECT_EQ(console::HexDump(bytes),
              u"0000  41 0D E9 85 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50  A\x0B\u00E9\x0B" u"EFGHIJKLMNOP\n"
              u"0010  0A " + std::u16string(15 * 3, u' ') + u" \x0B");
    EXPECT_EQ(console::HexDump({}), u"");
}

TEST(PacketLine, NamesProtocolMessageSizeAndDescription) {
    EXPECT_EQ(console::PacketLine(u"KVB", u"NAV-SOL", 60, u"Navigation Solution"),
              u"KVB NAV-SOL,  Size  60,  'Navigation Solution'");
    EXPECT_EQ(console::PacketLine(u"UNKNOWN", u"???", 4096, u"50% \u00FC"),
              u"UNKNOWN ???,  Size 4096,  '50% \u00FC'");
}

TEST(ConsoleState, TheBlockKeepsPauseFilterSwitchAndTextAsUtf16) {
    const console::Settings settings{true, false, u"GGA \u00E9"};
    const std::array<uint8_t, 514> block = console::EncodeState(settings);
    EXPECT_EQ(block[0], 1);
    EXPECT_EQ(block[1], 0);
    EXPECT_EQ(block[2], 'G');
    EXPECT_EQ(block[3], 0);
    EXPECT_EQ(block[10], 0xE9);
    EXPECT_EQ(block[12], 0);
    EXPECT_EQ(console::DecodeState(block), settings);

    // A block from elsewhere without its terminator still gives at most 255 characters.
    std::array<uint8_t, 514> foreign;
    foreign.fill('x');
    const console::Settings decoded = console::DecodeState(foreign);
    EXPECT_TRUE(decoded.paused);
    EXPECT_EQ(decoded.filter.size(), 255u);
    EXPECT_EQ(decoded.filter[0], u'\u7878');
}
