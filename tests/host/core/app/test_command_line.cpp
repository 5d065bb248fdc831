#include <gtest/gtest.h>

#include "host/core/app/command_line.h"

namespace {

CVeltroCommandLine Parse(const std::vector<std::string>& arguments) {
    CVeltroCommandLine info;
    info.ParseArguments(arguments);
    info.Finish();
    return info;
}

TEST(CommandLine, HistoryTakesTheNextPlainWordAsItsCapacity) {
    EXPECT_EQ(Parse({"-history", "3600"}).historyCapacity, 3600);
    EXPECT_EQ(Parse({"/HISTORY", "12"}).historyCapacity, 12);

    CVeltroCommandLine alone;
    alone.ParseParam("history", true, false);
    EXPECT_FALSE(alone.historyCapacity);
    alone.ParseParam("42", false, true);
    EXPECT_EQ(alone.historyCapacity, 42);

    // The stored options may give the value of the arguments' last keyword.
    CVeltroCommandLine split;
    split.ParseArguments({"-history"});
    split.ParseText("3600");
    split.Finish();
    EXPECT_EQ(split.historyCapacity, 3600);
    EXPECT_TRUE(split.fileName.empty());
    EXPECT_TRUE(split.problems.empty());

    // Another keyword in between ends the wait: the number is then a file name.
    const CVeltroCommandLine interrupted = Parse({"-history", "-rtc", "3600"});
    EXPECT_FALSE(interrupted.historyCapacity);
    EXPECT_EQ(interrupted.fileName, "3600");
}

TEST(CommandLine, ValuesThatMakeNoSenseAreToldAndIgnored) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{{"-history", "0"},
                                                                                           {"-history", "abc"},
                                                                                           {"-history", "99999999999"},
                                                                                           {"-history"},
                                                                                           {"-port", "12"},
                                                                                           {"-port", "COM3"},
                                                                                           {"-baud", "12345"},
                                                                                           {"-baud", "-9600"},
                                                                                           {"-frobnicate"}}) {
        const CVeltroCommandLine info = Parse(arguments);
        EXPECT_EQ(info.problems.size(), 1u) << arguments[0];
        EXPECT_FALSE(info.historyCapacity || info.portNumber || info.baudRate) << arguments[0];
        EXPECT_TRUE(info.fileName.empty()) << arguments[0];
    }
}

TEST(CommandLine, KeywordsEnableHiddenMessageGroupsWhateverTheirSignAndCase) {
    EXPECT_EQ(Parse({"/ATMEL"}).messageGroups, 0x100u);
    EXPECT_EQ(Parse({"-rtc"}).messageGroups, 0x100u);
    EXPECT_EQ(Parse({"--Spectrum", "-memaccess", "/logging", "-ODOMETER"}).messageGroups, 0x200u | 0x400 | 0x2 | 0x4);
}

TEST(CommandLine, StoredOptionsAreWordsBetweenBlanks) {
    CVeltroCommandLine info;
    info.ParseText("   -logging  \t  /odometer   -history   60   ");
    EXPECT_EQ(info.messageGroups, 0x2u | 0x4);
    EXPECT_EQ(info.historyCapacity, 60);
    EXPECT_TRUE(info.problems.empty());

    CVeltroCommandLine empty;
    empty.ParseText("  - /  -- ");
    empty.ParseArguments({"", "-", "/"});
    EXPECT_TRUE(empty.fileName.empty());
    EXPECT_TRUE(empty.problems.empty());
}

TEST(CommandLine, ASlashStartsAKeywordOnlyForKnownKeywords) {
    EXPECT_EQ(Parse({"/home/user/logs/drive.kvb"}).fileName, "/home/user/logs/drive.kvb");
    EXPECT_EQ(Parse({"/rtc.kvb"}).fileName, "/rtc.kvb");
    const CVeltroCommandLine info = Parse({"first.kvb", "/rtc", "second.kvb"});
    EXPECT_EQ(info.fileName, "second.kvb");
    EXPECT_EQ(info.messageGroups, 0x100u);
}

TEST(CommandLine, PortTakesANumberOrADevice) {
    const CVeltroCommandLine number = Parse({"-port", "3"});
    EXPECT_EQ(number.portNumber, 3);
    EXPECT_TRUE(number.portDevice.empty());

    const CVeltroCommandLine device = Parse({"-port", "3", "--port", "/dev/ttyUSB0", "-baud", "9600"});
    EXPECT_FALSE(device.portNumber);
    EXPECT_EQ(device.portDevice, "/dev/ttyUSB0");
    EXPECT_EQ(device.baudRate, 9600u);
    EXPECT_TRUE(device.fileName.empty());
}

TEST(CommandLine, HelpVersionAndSplash) {
    const CVeltroCommandLine info = Parse({"--help", "-VERSION", "/nologo"});
    EXPECT_TRUE(info.showHelp);
    EXPECT_TRUE(info.showVersion);
    EXPECT_FALSE(info.showSplash);
    EXPECT_TRUE(Parse({}).showSplash);
}

}  // namespace
