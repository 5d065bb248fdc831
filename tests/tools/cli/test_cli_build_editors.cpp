// The configuration editors' byte examples as veltro-cli build prints them, from controls named
// by their labels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/text.h"
#include "tests/host/core/log/test_stream_file_support.h"
#include "tests/plugins/kvb/kvb_test_frames.h"
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

// ---- CFG-DAT and CFG-TDB
std::string Hex(const std::vector<uint8_t>& frame) {
    std::string hex;
    for (const uint8_t byte : frame) hex += platform::FormatC(hex.empty() ? "%02X" : " %02X", byte);
    return hex;
}

ToolRun Build(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {kCli, "build"});
    return RunTool(arguments);
}

TEST(CliBuildEditors, TheDatumAndTheTrackingDebugger) {
    EXPECT_EQ("A4 51 06 06 02 00 00 00 0E 4A\n", Build({"CFG-DAT", "Datum=0"}).output);
    const ToolRun none = Build({"CFG-DAT"});
    EXPECT_EQ(1, none.status);
    EXPECT_NE(std::string::npos, none.errors.find("CFG-DAT builds no frame from its page")) << none.errors;

    std::vector<std::string> user = {"CFG-DAT", "Datum=USER...", "Semi-major axis=6378137",
                                     "Inverse flattening=298.257223563"};
    for (const char* zero : {"X shift", "Y shift", "Z shift", "X rotation", "Y rotation", "Z rotation", "Scale"})
        user.push_back(std::string(zero) + "=0");
    const ToolRun wgs84 = Build(user);
    EXPECT_EQ(0, wgs84.status) << wgs84.errors;
    EXPECT_EQ(52u * 3, wgs84.output.size());
    user[2] = "Semi-major axis=6299999.99";
    const ToolRun small = Build(user);
    EXPECT_EQ(1, small.status);
    EXPECT_NE(std::string::npos, small.errors.find("Semi-major axis is not valid")) << small.errors;

    // The receiver's answer, number 216, is a user datum, which the page sends back in the user form.
    std::vector<uint8_t> datum(44, 0);
    const double parameters[] = {6378388, 297};
    std::memcpy(datum.data(), parameters, sizeof parameters);
    std::vector<uint8_t> answer = {216, 0, 'U', 'S', 'E', 'R', 0, 0};
    answer.insert(answer.end(), datum.begin(), datum.end());
    const TempFolder folder;
    WriteFileBytes(folder.File("datum.kvb"), KvbTestFrame(0x06, 0x06, answer));
    EXPECT_EQ(Hex(KvbTestFrame(0x06, 0x06, datum)) + "\n",
              Build({"CFG-DAT", "--from", folder.File("datum.kvb")}).output);

    std::vector<uint8_t> payload(68, 0);
    payload[0] = 1;
    EXPECT_EQ(Hex(KvbTestFrame(0x06, 0x15, payload)) + "\n", Build({"CFG-TDB"}).output) << "all rows off";
    const std::vector<uint8_t> probes = {0xFF, 2, 1, 0, 3, 4, 12, 0, 0, 2, 68, 0};
    std::copy(probes.begin(), probes.end(), payload.begin() + 4);
    EXPECT_EQ(Hex(KvbTestFrame(0x06, 0x15, payload)) + "\n",
              Build({"CFG-TDB", "Channel 0=-1", "Size 0=2", "Offset 0=1", "Channel 1=3", "Size 1=4", "Offset 1=12",
                     "Size 2=2", "Offset 2=68 - CNO (2)"})
                  .output);
}

}  // namespace
