#include <gtest/gtest.h>

#include "host/core/log/log_file_name.h"

TEST(LogFileName, NamesThePortAndTheLocalTime) {
    std::tm time{};
    time.tm_year = 2024 - 1900;
    time.tm_mon = 0;
    time.tm_mday = 31;
    time.tm_hour = 23;
    time.tm_min = 5;
    time.tm_sec = 9;
    EXPECT_EQ(ProposeLogFileName(3, time), u"COM3_240131_230509");
    EXPECT_EQ(ProposeLogFileName(0, time), u"Untitled_240131_230509");
}
