#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugins/nmea/catalogue/nmea_node.h"
#include "plugins/nmea/framing/nmea_commands.h"
#include "plugins/nmea/framing/nmea_frame_check.h"
#include "tests/plugins/nmea/nmea_test_sentences.h"
#include "tests/support/guarded_bytes.h"

namespace {

constexpr const char* kGga = "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,";

// Checks the bytes where any read past them crashes.
int Check(const std::string& text) {
    GuardedBytes guarded(Bytes(text));
    return NmeaCheckFrame(guarded.data(), static_cast<int32_t>(text.size()));
}

TEST(NmeaCheckFrame, AsksForMoreUntilTheLineFeed) {
    EXPECT_EQ(-1, NmeaCheckFrame(nullptr, 0));
    EXPECT_EQ(-1, Check("$"));
    EXPECT_EQ(-1, Check("$G"));
    const std::string sentence = NmeaTestSentence(kGga);
    EXPECT_EQ(-1, Check(sentence.substr(0, sentence.size() - 1)));
    EXPECT_EQ(static_cast<int>(sentence.size()), Check(sentence));
    EXPECT_EQ(static_cast<int>(sentence.size()), Check(sentence + "$GPGLL"));
}

TEST(NmeaCheckFrame, VerifiesTheChecksumInEitherLetterCase) {
    const std::string sentence = NmeaTestSentence("GPRMC,000000,A,0000.000,N,00000.000,E,0,0,010100,,");
    const size_t star = sentence.find('*');
    std::string lower = sentence;
    lower[star + 1] = static_cast<char>(std::tolower(lower[star + 1]));
    lower[star + 2] = static_cast<char>(std::tolower(lower[star + 2]));
    std::string wrong = sentence;
    wrong[star + 2] = wrong[star + 2] == '0' ? '1' : '0';
    std::string notHex = sentence;
    notHex[star + 1] = 'G';

    EXPECT_EQ(static_cast<int>(sentence.size()), Check(lower));
    EXPECT_EQ(0, Check(wrong));
    EXPECT_EQ(0, Check(notHex));
}

TEST(NmeaCheckFrame, AcceptsSentencesWithoutChecksum) {
    EXPECT_EQ(13, Check("$GPTXT,hello\n"));
    // "*" and one digit: the marker position does not hold "*", so nothing is checked.
    EXPECT_EQ(18, Check("$GPGGA,12,34,x*5\r\n"));
    EXPECT_EQ(3, Check("$*\n"));
}

TEST(NmeaCheckFrame, RejectsBytesOutsideText) {
    EXPECT_EQ(0, Check("GPGGA\r\n"));
    EXPECT_EQ(0, Check(std::string("$GPTXT,a\0b\r\n", 13)));
    EXPECT_EQ(0, Check("$GPTXT,a\xFF"
                       "b\r\n"));
    EXPECT_EQ(15, Check("$GPTXT,a\tb\x0B\x0C\r\r\n"));
}

TEST(NmeaCheckFrame, LimitsTheLengthByTalker) {
    const std::string prefix80 = "$GPTXT," + std::string(72, 'x') + "\r";
    ASSERT_EQ(80u, prefix80.size());
    EXPECT_EQ(82, Check(prefix80 + "x\n"));
    EXPECT_EQ(0, Check(prefix80 + "xx\n"));
    EXPECT_EQ(0, Check(prefix80 + "xx"));  // 82 bytes and no end: it can no longer become a sentence
    EXPECT_EQ(-1, Check(prefix80 + "x"));

    const std::string pkvb = "$PKVB,00," + std::string(189, '1') + "\r\n";
    ASSERT_EQ(200u, pkvb.size());
    EXPECT_EQ(200, Check(pkvb));
    EXPECT_EQ(512, Check("$GNGSV," + std::string(503, '1') + "\r\n"));
    EXPECT_EQ(0, Check("$GNGSV," + std::string(504, '1') + "\r\n"));
}

TEST(NmeaCheckFrame, GivesUpAtOnceWhatCanNoLongerBeASentence) {
    EXPECT_EQ(0, Check("$$"));
    EXPECT_EQ(0, Check("$GPGGA,$GPGGA,"));
    EXPECT_EQ(0, Check("$GPTXT,a$GPTXT,b\r\n"));

    const std::string sentence = NmeaTestSentence(kGga);
    const std::string stream = "$$$" + sentence + "$GPGGA," + sentence + "$GPTXT,a\xFF" + sentence + "$GNTXT," +
                               std::string(93, 'x') + sentence;
    std::vector<std::string> found;
    for (size_t at = 0; at < stream.size();) {
        const int n = Check(stream.substr(at));
        if (n > 0) found.push_back(stream.substr(at, static_cast<size_t>(n)));
        at += n > 0 ? static_cast<size_t>(n) : 1;
    }
    EXPECT_EQ(std::vector<std::string>(4, sentence), found);
}

// The scan reads text several bytes at a time: a byte it must notice is found wherever it sits.
TEST(NmeaCheckFrame, NoticesEveryByteWhereverItSits) {
    const std::string body = kGga;
    for (size_t at = 1; at < body.size(); ++at) {
        std::string withTab = body, withHighByte = body, withDollar = body;
        withTab[at] = '\t';
        withHighByte[at] = '\x80';
        withDollar[at] = '$';
        const std::string tabSentence = NmeaTestSentence(withTab);
        EXPECT_EQ(static_cast<int>(tabSentence.size()), Check(tabSentence)) << at;
        EXPECT_EQ(0, Check(NmeaTestSentence(withHighByte))) << at;
        EXPECT_EQ(0, Check(NmeaTestSentence(withDollar))) << at;
        std::string wrongSum = NmeaTestSentence(body);
        wrongSum[at + 1] ^= 0x01;
        EXPECT_EQ(0, Check(wrongSum)) << at;
    }
}

// The identity is a base so that it exists before the node that refers to it.
struct NamedIdentity {
    NmeaNodeIdentity ownIdentity;
};

class NamedNode : private NamedIdentity, public NmeaNode {
public:
    explicit NamedNode(const char16_t* name)
        : NamedIdentity{{name, name, name, 652, kNoRateCommand}}, NmeaNode(ownIdentity) {}
};

TEST(NmeaBuildPoll, WritesTheStandardQuery) {
    NamedNode zda(u"GPZDA");
    uint8_t buffer[15];
    int length = -1;
    ASSERT_TRUE(NmeaBuildPoll(zda, buffer, length, sizeof buffer));
    const std::string query(reinterpret_cast<char*>(buffer), static_cast<size_t>(length));
    EXPECT_EQ(NmeaTestSentence("EIGPQ,ZDA"), query);
    EXPECT_EQ(15, NmeaCheckFrame(buffer, length));
}

TEST(NmeaBuildPoll, FailsWithoutWritingWhenTooSmall) {
    NamedNode gga(u"GPGGA");
    std::vector<uint8_t> buffer(15, 0xEE);
    int length = -1;
    EXPECT_FALSE(NmeaBuildPoll(gga, buffer.data(), length, 14));
    EXPECT_EQ(0, length);
    EXPECT_EQ(std::vector<uint8_t>(15, 0xEE), buffer);
    NamedNode unnamed(u"?");
    EXPECT_FALSE(NmeaBuildPoll(unnamed, buffer.data(), length, 15));
}

TEST(NmeaBuildRateCommand, WritesTheCfgMsgFrame) {
    uint8_t buffer[11];
    int length = 0;
    ASSERT_TRUE(NmeaBuildRateCommand(3, false, buffer, length, sizeof buffer));
    EXPECT_EQ(std::vector<uint8_t>({0xA4, 0x51, 0x06, 0x01, 0x03, 0x00, 0xF0, 0x03, 0x00, 0xFD, 0x15}),
              std::vector<uint8_t>(buffer, buffer + length));
    ASSERT_TRUE(NmeaBuildRateCommand(10, true, buffer, length, sizeof buffer));
    EXPECT_EQ(std::vector<uint8_t>({0xA4, 0x51, 0x06, 0x01, 0x03, 0x00, 0xF0, 0x0A, 0x01, 0x05, 0x24}),
              std::vector<uint8_t>(buffer, buffer + length));
}

TEST(NmeaBuildRateCommand, FailsWithoutWritingWhenTooSmall) {
    std::vector<uint8_t> buffer(11, 0xEE);
    int length = -1;
    EXPECT_FALSE(NmeaBuildRateCommand(0, true, buffer.data(), length, 10));
    EXPECT_EQ(std::vector<uint8_t>(11, 0xEE), buffer);
}

}  // namespace
