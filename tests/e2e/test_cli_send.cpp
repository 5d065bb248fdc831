// veltro-cli send against the simulated receiver on a pseudo-terminal: the configuration it sends
// changes what the receiver does, and the page it prints is the receiver's answer to a new poll.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <string>

#include "platform/ticks.h"
#include "tests/platform/test_serial_terminal.h"
#include "tests/tools/tool_process.h"

namespace {

const std::string kCli = ToolPath("veltro-cli");
const std::string kSim = ToolPath("veltro-sim");

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
size_t Lines(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

class SimulatorOnTerminal {
public:
    SimulatorOnTerminal() : process({kSim, "--rate", "1"}) {
        process.WaitForOutput([](auto& out) { return Contains(out, "\n"); }, 5000);
        device = process.Output().substr(0, process.Output().find('\n'));
    }
    ~SimulatorOnTerminal() {
        process.Signal(SIGTERM);
        process.Wait(5000);
    }
    ToolProcess process;
    std::string device;
};

// Epoch lines that monitor prints in the given time, once the first one came.
size_t EpochsIn(const std::string& device, uint32_t milliseconds) {
    ToolProcess monitor({kCli, "monitor", "--port", device});
    monitor.WaitForOutput([](auto& out) { return Lines(out) >= 1; }, 5000);
    const size_t first = Lines(monitor.Output());
    const uint32_t end = platform::GetTickCount() + milliseconds;
    while (static_cast<int32_t>(platform::GetTickCount() - end) < 0)
        monitor.WaitForOutput([](auto&) { return false; }, 50);
    const size_t lines = Lines(monitor.Output()) - first;
    monitor.Signal(SIGINT);
    monitor.Wait(5000);
    return lines;
}

TEST(CliSend, ANewMeasurementPeriodMakesTheReceiverNavigateFiveTimesASecond) {
    SimulatorOnTerminal simulator;
    ASSERT_FALSE(simulator.device.empty());
    const ToolRun send = RunTool({kCli, "send", "CFG-RATE", "Measurement Period=200", "--port", simulator.device});
    EXPECT_EQ(0, send.status) << send.errors;
    EXPECT_TRUE(Contains(send.output, "Measurement Period: 200\n")) << send.output;
    EXPECT_TRUE(Contains(send.output, "Navigation Frequency: 5.000")) << send.output;

    const size_t epochs = EpochsIn(simulator.device, 2000);
    EXPECT_GE(epochs, 8u);
    EXPECT_LE(epochs, 12u);

    // A send that changes nothing shows what the receiver keeps.
    const ToolRun poll = RunTool({kCli, "send", "CFG-RATE", "--port", simulator.device});
    EXPECT_TRUE(Contains(poll.output, "Measurement Period: 200\n")) << poll.output << poll.errors;
}

// The odometer's group is not shown by default; naming it is enough.
TEST(CliSend, TheOdometerIsSwitchedOffAndKeptSo) {
    SimulatorOnTerminal simulator;
    const ToolRun send =
        RunTool({kCli, "send", "ODO", "Enable Odo=off", "Platform=2", "--port", simulator.device});
    EXPECT_EQ(0, send.status) << send.errors;
    EXPECT_TRUE(Contains(send.output, "[ ] Enable Odo\n")) << send.output;
    EXPECT_TRUE(Contains(send.output, "Platform: 2 - BICYCLE\n")) << send.output;

    const ToolRun poll = RunTool({kCli, "send", "ODO", "--port", simulator.device});
    EXPECT_TRUE(Contains(poll.output, "[ ] Enable Odo\n")) << poll.output << poll.errors;
    EXPECT_TRUE(Contains(poll.output, "Platform: 2 - BICYCLE\n")) << poll.output;
}

TEST(CliSend, AControlThatDoesNotTakeItsValueSendsNothing) {
    SimulatorOnTerminal simulator;
    const ToolRun refused = RunTool({kCli, "send", "CFG-RATE", "Measurement Period=-5", "--port", simulator.device});
    EXPECT_EQ(1, refused.status);
    EXPECT_TRUE(Contains(refused.errors, "Measurement Period is not valid")) << refused.errors;
    const ToolRun unknown = RunTool({kCli, "send", "CFG-RATE", "Nope=1", "--port", simulator.device});
    EXPECT_EQ(2, unknown.status);
    EXPECT_TRUE(Contains(unknown.errors, "  Navigation Rate\n")) << unknown.errors;
}

TEST(CliSend, NoAnswerToThePollIsAnError) {
    const PseudoTerminal silent;
    ASSERT_TRUE(silent.IsOpen());
    const ToolRun send = RunTool({kCli, "send", "CFG-RATE", "--port", silent.SlavePath()});
    EXPECT_EQ(1, send.status);
    EXPECT_TRUE(Contains(send.errors, "did not answer the poll of CFG-RATE within 3 s")) << send.errors;
}

// ---- CFG-DAT
TEST(CliSend, TheDatumSentIsTheDatumTheReceiverReports) {
    SimulatorOnTerminal simulator;
    const ToolRun user = RunTool({kCli, "send", "CFG-DAT", "Datum=USER...", "Semi-major axis=6378388",
                                  "Inverse flattening=297", "X shift=-87", "Y shift=-98", "Z shift=-121", "X rotation=0",
                                  "Y rotation=0", "Z rotation=0", "Scale=0", "--port", simulator.device});
    EXPECT_EQ(0, user.status) << user.errors;
    EXPECT_TRUE(Contains(user.output, "Datum: USER...\n")) << user.output;
    EXPECT_TRUE(Contains(user.output, "Semi-major axis: 6378388.000\n")) << user.output;
    EXPECT_TRUE(Contains(user.output, "Z shift: -121.000\n")) << user.output;

    const ToolRun predefined = RunTool({kCli, "send", "CFG-DAT", "Datum=83", "--port", simulator.device});
    EXPECT_EQ(0, predefined.status) << predefined.errors;
    EXPECT_TRUE(Contains(predefined.output, "Datum: 83 - OGB-M\n")) << predefined.output;
    const ToolRun poll = RunTool({kCli, "send", "CFG-DAT", "--port", simulator.device});
    EXPECT_TRUE(Contains(poll.output, "Datum: 83 - OGB-M\n")) << poll.output << poll.errors;
}

}  // namespace
