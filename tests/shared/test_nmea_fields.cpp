#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "shared/nmea_fields.h"
#include "shared/nmea_units.h"
#include "tests/support/german_locale.h"
#include "tests/support/guarded_bytes.h"
#include "tests/plugins/nmea/nmea_test_sentences.h"

namespace {

constexpr double kDegree = kPi / 180;

TEST(NmeaFields, SplitsAtCommasAndStopsAtTheChecksum) {
    const std::string text = "$GPGLL,4916.45,N,,W,225444,A*1D\r\n";
    const NmeaFields fields(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
    EXPECT_EQ("$GPGLL", fields.Text(0));
    EXPECT_EQ("4916.45", fields.Text(1));
    EXPECT_EQ("", fields.Text(3));
    EXPECT_FALSE(fields.Number(3));
    EXPECT_EQ('A', fields.Letter(6));
    EXPECT_FALSE(fields.Text(7).size());  // the checksum is no field
    EXPECT_FALSE(fields.Integer(-1));
    EXPECT_FALSE(fields.Integer(1000));
}

TEST(NmeaFields, ReadNumbersAsTextToNumberConversionsDo) {
    const std::string text = "$GPXXX, +12.5, 7x,abc,-3,1e400,99999999999, n ,+-1\r\n";
    const NmeaFields fields(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
    EXPECT_EQ(12.5, fields.Number(1));
    EXPECT_EQ(7, fields.Integer(2));
    EXPECT_FALSE(fields.Number(3));
    EXPECT_EQ(-3, fields.Integer(4));
    EXPECT_FALSE(fields.Number(5));   // out of range
    EXPECT_FALSE(fields.Integer(6));  // out of range
    EXPECT_EQ('N', fields.Letter(7));
    EXPECT_FALSE(fields.Number(8));
}

TEST(NmeaFields, ReadDecimalsToTheSameBitsAsTheFullConversion) {
    // Around the limits of the quick path: 2^53 and beyond, 19 and more digits, exponents.
    const char* const texts[] = {"4807.038", "-0", "-0.000", ".5", "-.25", "5.", "0.1", "1234567.8912345",
                                 "9007199254740992", "9007199254740993", "900719925474099.3", "0.000000000000000001",
                                 "0.0000000000000000001", "0.00000000000000000000001", "1.5e3", "12.5.3", "2E-2x",
                                 "00000000000000000000000017.5"};
    for (const char* text : texts) {
        const std::string sentence = std::string("$GPXXX,") + text + "\r\n";
        double expected = 0;
        std::from_chars(text, text + std::strlen(text), expected);
        const std::optional<double> read = NmeaFields(Bytes(sentence).data(), static_cast<int>(sentence.size())).Number(1);
        ASSERT_TRUE(read) << text;
        EXPECT_EQ(std::bit_cast<uint64_t>(expected), std::bit_cast<uint64_t>(*read)) << text;
    }
}

TEST(NmeaFields, ReadOneIntegerAsTheFullSplitDoes) {
    const std::string text = "$GPGSV,3,1, 11,+4,x,,-7*4A\r\n";
    for (size_t cut = 0; cut <= text.size(); ++cut) {
        GuardedBytes guarded(Bytes(text), cut);
        const NmeaFields fields(guarded.data(), static_cast<int>(cut));
        for (int n = -1; n < 10; ++n)
            EXPECT_EQ(fields.Integer(n), NmeaFields::IntegerIn(guarded.data(), static_cast<int>(cut), n)) << cut << " " << n;
    }
}

TEST(NmeaFields, NeverReadPastTheSentence) {
    // A sentence cut anywhere, even inside a field, ends where its bytes end.
    const std::string text = "$GPGSV,3,1,11,03,03,111,00,04,15,270,00";
    for (size_t cut = 0; cut <= text.size(); ++cut) {
        GuardedBytes guarded(Bytes(text), cut);
        const NmeaFields fields(guarded.data(), static_cast<int>(cut));
        for (int n = 0; n < 12; ++n) {
            (void)fields.Number(n);
            (void)fields.Letter(n);
        }
    }
    GuardedBytes guarded(Bytes(text));
    EXPECT_EQ(0, NmeaFields(guarded.data(), static_cast<int>(text.size())).Integer(11));
    EXPECT_EQ("0", NmeaFields(guarded.data(), static_cast<int>(text.size()) - 1).Text(11));
}

TEST(NmeaFields, ParseNumbersWhateverTheLocale) {
    ScopedGermanLocale german;
    ASSERT_TRUE(german.Active()) << "localedef could not build a German locale";
    const std::string text = "$GPGGA,4807.038\r\n";
    const NmeaFields fields(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
    EXPECT_EQ(4807.038, fields.Number(1));
}

TEST(ParseNmeaTime, KeepsTheFractionAndRejectsImpossibleTimes) {
    const auto time = ParseNmeaTime(235959.25);
    ASSERT_TRUE(time);
    EXPECT_EQ(23, time->hour);
    EXPECT_EQ(59, time->minute);
    EXPECT_DOUBLE_EQ(59.25, time->second);
    EXPECT_FALSE(ParseNmeaTime(240000));
    EXPECT_FALSE(ParseNmeaTime(126000));
    EXPECT_FALSE(ParseNmeaTime(123560));
    EXPECT_FALSE(ParseNmeaTime(-1));
    EXPECT_FALSE(ParseNmeaTime(1000000));
}

TEST(ParseNmeaDate, ReadsDayMonthAndTwoDigitYear) {
    const auto date = ParseNmeaDate(230394);
    ASSERT_TRUE(date);
    EXPECT_EQ(23, date->day);
    EXPECT_EQ(3, date->month);
    EXPECT_EQ(94, date->year);
    EXPECT_FALSE(ParseNmeaDate(1394));    // day 0
    EXPECT_FALSE(ParseNmeaDate(231394));  // month 13
    EXPECT_FALSE(ParseNmeaDate(1000000));
    EXPECT_EQ(1994, FourDigitYear(94));
    EXPECT_EQ(2024, FourDigitYear(24));
}

TEST(ParseNmeaCoordinates, ConvertDegreesAndMinutesToRadians) {
    EXPECT_NEAR((48 + 7.038 / 60) * kDegree, *ParseNmeaLatitude(4807.038, 'N'), 1e-12);
    EXPECT_NEAR(-(48 + 7.038 / 60) * kDegree, *ParseNmeaLatitude(4807.038, 's'), 1e-12);
    EXPECT_NEAR(-(11 + 31.0 / 60) * kDegree, *ParseNmeaLongitude(1131.0, 'W'), 1e-12);
    EXPECT_NEAR(180 * kDegree, *ParseNmeaLongitude(18000.0, 'e'), 1e-12);
    EXPECT_FALSE(ParseNmeaLatitude(4807.038, 'E'));
}

TEST(ParseNmeaCoordinates, RejectAnglesBeyondThePolesAndTheDateLine) {
    // 95 degrees north is no latitude; it must not turn into 85 degrees south.
    EXPECT_FALSE(ParseNmeaLatitude(9500.0, 'N'));
    EXPECT_FALSE(ParseNmeaLatitude(9000.01, 'S'));
    EXPECT_TRUE(ParseNmeaLatitude(9000.0, 'N'));
    EXPECT_FALSE(ParseNmeaLongitude(18100.0, 'E'));
    EXPECT_FALSE(ParseNmeaLongitude(36000.0, 'W'));
}

}  // namespace
