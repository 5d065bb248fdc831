// veltro-cli's receiver commands and Aidwell Online end to end: the real send path to a simulated
// receiver, which logs every configuration and aiding frame that reaches it, and an Aidwell-like
// server on 127.0.0.1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "host/services/kvb_frame.h"
#include "tests/host/core/log/test_stream_file_support.h"
#include "tests/support/loopback_server.h"
#include "tests/tools/simulator.h"
#include "tests/tools/tool_process.h"

namespace {

const std::string kCli = ToolPath("veltro-cli");

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A frame as the simulator logs it.
struct Logged {
    long long atMs;
    std::string classAndId;
    size_t length;
    std::string bytes;
};

std::vector<Logged> LoggedFrames(const std::string& log) {
    static const std::regex kLine(R"(veltro-sim: \+(\d+) ms received (.. ..), (\d+) bytes: ([^\n]*))");
    std::vector<Logged> frames;
    for (auto line = std::sregex_iterator(log.begin(), log.end(), kLine); line != std::sregex_iterator(); ++line)
        frames.push_back({std::stoll((*line)[1]), (*line)[2], std::stoul((*line)[3]), (*line)[4]});
    return frames;
}

std::string Message(size_t length) {
    std::vector<uint8_t> payload(length - kKvbFrameExtraBytes, 0x5A);
    std::string frame(length, '\0');
    BuildKvbFrame(reinterpret_cast<uint8_t*>(frame.data()), 0x0B, 0x31, payload.data(),
                  static_cast<int>(payload.size()));
    return frame;
}

std::string Reply(const std::string& type, const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\nContent-Type: " + type +
           "\r\n\r\n" + body;
}

// Settings of their own, so that the stored NetAid settings are the defaults.
class CliServices : public ::testing::Test {
protected:
    void SetUp() override { setenv("VELTRO_CONFIG_HOME", settings.File("").c_str(), 1); }
    void TearDown() override { unsetenv("VELTRO_CONFIG_HOME"); }

    ToolRun Cli(std::vector<std::string> args, const std::string& device) {
        args.insert(args.begin(), kCli);
        args.insert(args.end(), {"--port", device});
        return RunTool(args, 15000);
    }
    std::vector<Logged> WaitForFrames(size_t count) {
        simulator.WaitForErrors([count](const std::string& log) { return LoggedFrames(log).size() >= count; }, 5000);
        return LoggedFrames(simulator.Errors());
    }

    TempFolder settings;
    Simulator simulator;
};

TEST_F(CliServices, ResetsAndTheDiagnosticOutputsReachTheReceiverInOrder) {
    EXPECT_EQ(Cli({"reset", "cold"}, simulator.DevicePath()).status, 0);
    EXPECT_EQ(Cli({"reset", "hot"}, simulator.DevicePath()).status, 0);
    const ToolRun debug = Cli({"debug-messages"}, simulator.DevicePath());
    EXPECT_EQ(debug.status, 0) << debug.errors;
    EXPECT_TRUE(debug.output.starts_with("Enable Any KVB INF\nEnable NAV CLOCK\n")) << debug.output;
    EXPECT_TRUE(debug.output.ends_with("Poll MON SWVER\nDone ...\n")) << debug.output;

    // The three polls of the monitor messages are neither configuration nor aiding.
    const std::vector<Logged> frames = WaitForFrames(2 + 18);
    ASSERT_EQ(frames.size(), 20u) << simulator.Errors();
    EXPECT_EQ(frames[0].bytes, "A4 51 06 04 04 00 FF 07 02 00 16 79");
    EXPECT_EQ(frames[1].bytes, "A4 51 06 04 04 00 00 00 02 00 10 68");
    EXPECT_EQ(frames[2].classAndId, "06 02");
    EXPECT_EQ(frames[3].bytes, "A4 51 06 01 03 00 01 22 01 2E 87");
    EXPECT_EQ(frames[19].bytes, "A4 51 06 01 03 00 03 07 01 15 57");

    EXPECT_EQ(RunTool({kCli, "reset", "lukewarm"}).status, 2);
    EXPECT_EQ(RunTool({kCli, "reset", "none"}).status, 2);
}

TEST_F(CliServices, AidingMessagesArriveOneByOneAfterTheReset) {
    LoopbackServer server(kAidwellRequestEnd, Reply("application/kvb", Message(60) + Message(200) + Message(8)));
    const std::string address = "127.0.0.1:" + std::to_string(server.Port());
    const ToolRun aid =
        Cli({"aid", "--server", address, "--reset", "cold", "--lat", "47.5", "--acc", "1000"}, simulator.DevicePath());
    EXPECT_EQ(aid.status, 0) << aid.errors;
    EXPECT_EQ(aid.output,
              "Wait for Rx to Reset Coldstart (1 second)\nInitialise Socket\n"
              "Connecting to Korvala Aidwell Online Server\nRequest Aidwell Data\nGet Aidwell Data \n"
              "Send the Aidwell Data\nDone ...\n");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0], "cmd=full;user=;pwd=;lat=47.500000;lon=0.000000;alt=0.0;pacc=1000.00\r\n");

    const std::vector<Logged> frames = WaitForFrames(4);
    ASSERT_EQ(frames.size(), 4u) << simulator.Errors();
    EXPECT_EQ(frames[0].classAndId, "06 04");
    EXPECT_GE(frames[1].atMs - frames[0].atMs, 1000);
    for (size_t k = 1; k < 4; ++k) EXPECT_EQ(frames[k].classAndId, "0B 31");
    EXPECT_EQ(frames[1].length, 60u);
    EXPECT_EQ(frames[2].length, 200u);
    EXPECT_EQ(frames[3].length, 8u);
    EXPECT_GE(frames[2].atMs - frames[1].atMs, 95);
    EXPECT_GE(frames[3].atMs - frames[2].atMs, 95);
}

// Bytes that do not start a message go as one piece: the receiver finds both messages in it at once.
TEST_F(CliServices, AReplyThatDoesNotStartWithAMessageArrivesInOnePiece) {
    LoopbackServer server(kAidwellRequestEnd, Reply("Application/KVB", "\x01\x02" + Message(60) + Message(200)));
    const ToolRun aid = Cli({"aid", "--server", "127.0.0.1:" + std::to_string(server.Port()), "--reset", "none"},
                            simulator.DevicePath());
    EXPECT_EQ(aid.status, 0) << aid.errors;
    const std::vector<Logged> frames = WaitForFrames(2);
    ASSERT_EQ(frames.size(), 2u) << simulator.Errors();
    EXPECT_LT(frames[1].atMs - frames[0].atMs, 50);
}

TEST_F(CliServices, TextRepliesUnreachableServersAndWrongRequestsFail) {
    LoopbackServer text(kAidwellRequestEnd, Reply("text/plain", "User not registered."));
    const ToolRun refused = Cli({"aid", "--server", "127.0.0.1:" + std::to_string(text.Port()), "--reset", "none",
                                 "--user", "nobody", "--cmd", "eph"},
                                simulator.DevicePath());
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.output.ends_with("Get Aidwell Data \nUser not registered.\n")) << refused.output;
    ASSERT_TRUE(text.WaitForRequests(1));
    EXPECT_TRUE(text.Requests()[0].starts_with("cmd=eph;user=nobody;")) << text.Requests()[0];

    RefusingPort closed;
    const ToolRun unreachable = Cli(
        {"aid", "--server", "127.0.0.1:" + std::to_string(closed.Port()), "--reset", "none"}, simulator.DevicePath());
    EXPECT_EQ(unreachable.status, 1);
    EXPECT_TRUE(unreachable.output.ends_with("Connecting to Korvala Aidwell Online Server\n")) << unreachable.output;
    EXPECT_TRUE(LoggedFrames(simulator.Errors()).empty()) << simulator.Errors();

    for (const auto& args :
         std::vector<std::vector<std::string>>{{kCli, "aid"},
                                               {kCli, "aid", "--server", "h:0"},
                                               {kCli, "aid", "--server", "h:65536"},
                                               {kCli, "aid", "--server", "h", "--cmd", "all"},
                                               {kCli, "aid", "--server", "h", "--lat", "north"},
                                               {kCli, "aid", "--server", "h", "--use-current", "--lat", "1"}}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_TRUE(Contains(run.errors, "usage: veltro-cli")) << run.errors;
    }
}

// The program's own simulator, whose log joins the program's standard error.
TEST_F(CliServices, UseCurrentSendsTheReceiversOwnPosition) {
    LoopbackServer server(kAidwellRequestEnd, Reply("application/kvb", Message(8)));
    const ToolRun aid = RunTool({kCli, "aid", "--simulate", "--use-current", "--reset", "none", "--server",
                                 "127.0.0.1:" + std::to_string(server.Port())},
                                15000);
    EXPECT_EQ(aid.status, 0) << aid.errors;
    ASSERT_TRUE(server.WaitForRequests(1));
    EXPECT_TRUE(std::regex_search(server.Requests()[0],
                                  std::regex(R"(;lat=47\.3\d{5};lon=8\.5\d{5};alt=\d+\.\d;pacc=\d+\.\d\d\r\n$)")))
        << server.Requests()[0];
    EXPECT_EQ(LoggedFrames(aid.errors).size(), 1u) << aid.errors;
}

}  // namespace
