// veltro-cli orbitpack against the simulated receiver on a pseudo-terminal: the blocks it keeps
// are the file, byte for byte, whether read from a file or downloaded from a server on 127.0.0.1;
// a refused block ends the update red.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/host/core/log/test_stream_file_support.h"
#include "tests/support/loopback_server.h"
#include "tests/tools/simulator.h"
#include "tests/tools/tool_process.h"

namespace {

const std::string kCli = ToolPath("veltro-cli");

std::vector<uint8_t> Pattern(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t k = 0; k < size; ++k) bytes[k] = static_cast<uint8_t>(k * 13 + k / 512);
    return bytes;
}

// Settings of their own, so that nothing stored changes the run.
class CliOrbitpack : public ::testing::Test {
protected:
    void SetUp() override { setenv("VELTRO_CONFIG_HOME", folder.File("").c_str(), 1); }
    void TearDown() override { unsetenv("VELTRO_CONFIG_HOME"); }

    ToolRun Update(const std::string& source, const Simulator& simulator) {
        return RunTool({kCli, "orbitpack", source, "--port", simulator.DevicePath()}, 15000);
    }

    TempFolder folder;
    const std::string kept = folder.File("kept.opk");
};

TEST_F(CliOrbitpack, TheReceiverKeepsTheFileAndTheDownloadByteForByte) {
    Simulator simulator({"--orbit-keep", kept});
    const std::vector<uint8_t> file = Pattern(1300);
    const std::string path = folder.File("current_3d.opk");
    WriteFileBytes(path, file);
    const ToolRun run = Update(path, simulator);
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.output, "Start Orbitpack Update\nLoad File " + path +
                              "\nSend Cancel\nWrite Block 0x00000 Size 512\nWrite Block 0x00200 Size 512\n"
                              "Write Block 0x00400 Size 276\nSend Cancel\nDone\n");
    EXPECT_EQ(ReadFileBytes(kept), file);

    const std::vector<uint8_t> download = Pattern(2100);
    LoopbackServer server(kHttpRequestEnd, "HTTP/1.1 200 OK\r\nContent-Length: 2100\r\n\r\n" +
                                               std::string(download.begin(), download.end()));
    const ToolRun fetched = Update("http://u:p@127.0.0.1:" + std::to_string(server.Port()) + "/o.opk", simulator);
    EXPECT_EQ(fetched.status, 0) << fetched.output << fetched.errors;
    EXPECT_NE(fetched.output.find("Got 2100 Bytes\nSend Cancel\nWrite Block 0x00000 Size 512\n"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(kept), download);
}

TEST_F(CliOrbitpack, ARefusedBlockEndsRedAfterTheClosingCancel) {
    Simulator simulator({"--orbit-keep", kept, "--orbit-refuse", "2"});
    const std::string path = folder.File("current_1d.opk");
    WriteFileBytes(path, Pattern(1300));
    const ToolRun run = Update(path, simulator);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(
        run.output.ends_with("Write Block 0x00200 Size 512\nERROR: NotAcknowledge received\nSend Cancel\nDone\n"))
        << run.output;
    EXPECT_EQ(ReadFileBytes(kept), std::vector<uint8_t>(Pattern(512)));
    EXPECT_EQ(RunTool({kCli, "orbitpack"}).status, 2);
}

}  // namespace
