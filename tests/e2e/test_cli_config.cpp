// veltro-cli config against the simulated receiver on a pseudo-terminal: a saved configuration
// shows what send changed since, loading it undoes that, and a file that holds anything but
// settings is refused before a byte goes out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/host/core/log/test_stream_file_support.h"
#include "tests/tools/simulator.h"
#include "tests/tools/tool_process.h"

namespace {

const std::string kCli = ToolPath("veltro-cli");

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class CliConfig : public ::testing::Test {
protected:
    void SetUp() override { setenv("VELTRO_CONFIG_HOME", folder.File("").c_str(), 1); }
    void TearDown() override { unsetenv("VELTRO_CONFIG_HOME"); }

    ToolRun Cli(std::vector<std::string> args) {
        args.insert(args.begin(), kCli);
        args.insert(args.end(), {"--port", simulator.DevicePath()});
        return RunTool(args, 30000);
    }
    void Send(const std::string& message, const std::string& assignment) {
        const ToolRun send = Cli({"send", message, assignment});
        ASSERT_EQ(0, send.status) << send.errors;
    }

    TempFolder folder;
    Simulator simulator;
    const std::string saved = folder.File("receiver.kvb");
};

TEST_F(CliConfig, TheDiffShowsWhatSendChangedAndLoadingTheFileUndoesIt) {
    const ToolRun save = Cli({"config", "save", saved});
    ASSERT_EQ(0, save.status) << save.output << save.errors;
    EXPECT_NE(std::string::npos, save.output.find("CFG-PRT (4)")) << save.output;
    EXPECT_NE(std::string::npos, save.output.find("saved to " + saved)) << save.output;
    EXPECT_EQ(0u, Count(save.output, "No answer")) << save.output;

    Send("CFG-NAV", "Min SV Elevation=10");
    Send("CFG-SBAS", "Number of search channels=2");
    const ToolRun diff = Cli({"config", "diff", saved});
    EXPECT_EQ(1, diff.status) << diff.errors;
    EXPECT_EQ("< " + saved + "\n> the receiver\n"
              "CFG-NAV\n  < Min SV Elevation: 5\n  > Min SV Elevation: 10\n"
              "CFG-SBAS\n  < Number of search channels: 3\n  > Number of search channels: 2\n",
              diff.output);

    const ToolRun load = Cli({"config", "load", saved, "--save"});
    EXPECT_EQ(0, load.status) << load.output << load.errors;
    EXPECT_NE(std::string::npos, load.output.find("CFG-CFG")) << load.output;
    const ToolRun same = Cli({"config", "diff", saved});
    EXPECT_EQ(0, same.status) << same.output << same.errors;
    EXPECT_EQ("", same.output);
}

TEST_F(CliConfig, AFileWithANavigationMessageOrABrokenFrameIsRefusedAndNothingIsSent) {
    ASSERT_EQ(0, Cli({"config", "save", saved}).status);
    const std::string settings = ReadAll(saved);
    // A navigation poll among the settings, then a setting whose checksum is wrong.
    const std::string navigation = folder.File("navigation.kvb");
    Write(navigation, settings + std::string("\xA4\x51\x01\x06\x00\x00\x07\x16", 8));
    std::string broken = settings;
    broken[broken.size() - 1] ^= 0x55;
    Write(folder.File("broken.kvb"), broken);

    const auto quiet = [this] { simulator.WaitForErrors([](const std::string&) { return false; }, 300); };
    quiet();
    const size_t received = Count(simulator.Errors(), "received 06");
    for (const std::string& file : {navigation, folder.File("broken.kvb")}) {
        const ToolRun load = Cli({"config", "load", file});
        EXPECT_EQ(1, load.status) << file;
        EXPECT_NE(std::string::npos, load.output.find("Refused: " + file)) << load.output;
        EXPECT_NE(std::string::npos, load.output.find("nothing was sent")) << load.output;
    }
    EXPECT_NE(std::string::npos, Cli({"config", "load", navigation}).output.find("NAV is not a configuration message"));
    quiet();
    EXPECT_EQ(received, Count(simulator.Errors(), "received 06")) << simulator.Errors();
}

}  // namespace
