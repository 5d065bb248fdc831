// The configuration editors' byte examples as veltro-cli build prints them, from controls named
// by their labels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tools/tool_process.h"

namespace {

const std::string kCli = ToolPath("veltro-cli");

struct BuildCase {
    std::vector<std::string> arguments;
    std::string frame;
};

const BuildCase kCases[] = {
    {{"CFG-PRT", "Databits=8", "Parity=None", "Stopbits=1", "Bit Order=LSB First", "Oversampling=16x",
      "Mode=Asynchronous", "Baudrate=9600", "Protocol in=0+1", "Protocol out=none"},
     "A4 51 06 00 14 00 00 00 00 00 D0 08 00 00 80 25 00 00 03 00 00 00 00 00 00 00 9A 6F"},
    {{"CFG-INF", "#1030=on"}, "A4 51 06 02 08 00 00 00 00 00 00 00 FF 00 0F AC"},
    {{"CFG-TP", "Pulse Mode=-1"},
     "A4 51 06 07 14 00 00 00 00 00 00 00 00 00 FF 00 00 00 00 00 00 00 00 00 00 00 20 DD"},
    {{"CFG-CFG", "Revert to default configuration=on"},
     "A4 51 06 09 0C 00 FF FF FF FF 00 00 00 00 FF FF FF FF 13 5B"},
    {{"CFG-SBAS", "EGNOS=on"}, "A4 51 06 16 08 00 00 00 00 00 51 08 00 00 7D E6"},
    {{"CFG-TM2", "Channel=1", "Poll Rate=1000", "Channel Enabled=on", "Trigger Mode=1", "Trigger Edge=1"},
     "A4 51 06 19 0C 00 01 00 00 00 E8 03 00 00 0D 00 00 00 24 14"},
};

TEST(CliBuildEditors, TheByteExamplesOfTheConfigurationEditors) {
    for (const BuildCase& example : kCases) {
        std::vector<std::string> arguments = {kCli, "build"};
        arguments.insert(arguments.end(), example.arguments.begin(), example.arguments.end());
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(0, run.status) << example.arguments[0] << ": " << run.errors;
        EXPECT_EQ(example.frame + "\n", run.output) << example.arguments[0];
    }
    const ToolRun invalid = RunTool({kCli, "build", "CFG-PRT", "Protocol in=32"});
    EXPECT_EQ(1, invalid.status);
    EXPECT_NE(std::string::npos, invalid.errors.find("Protocol in is not valid")) << invalid.errors;
    // A text longer than its field is refused, not cut.
    const ToolRun tooLong = RunTool({kCli, "build", "CFG-USB", "Product Text=" + std::string(33, 'x')});
    EXPECT_EQ(1, tooLong.status);
    EXPECT_NE(std::string::npos, tooLong.errors.find("Product Text is not valid")) << tooLong.errors;
}

}  // namespace
