// veltro-cli run as a user runs it: its commands, its answers to wrong command lines, missing
// files and ports, and a receiver that goes away and comes back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/file_profile.h"
#include "tests/host/core/log/test_stream_file_support.h"
#include "tests/platform/test_serial_terminal.h"
#include "tests/support/test_protocol.h"
#include "tests/tools/simulator.h"
#include "tests/tools/tool_process.h"

namespace {

const std::string kCli = ToolPath("veltro-cli");
const std::string kSim = ToolPath("veltro-sim");

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

size_t Lines(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

// A link standing for the receiver's port, pointed at one terminal after another.
class PortLink {
public:
    explicit PortLink(const std::string& target) { Point(target); }
    void Point(const std::string& target) {
        std::filesystem::remove(path);
        std::filesystem::create_symlink(target, path);
    }
    const std::string& Path() const { return path; }

private:
    TempFolder folder;
    std::string path = folder.File("receiver");
};

TEST(CliCommandLine, HelpAndWrongCommandLines) {
    const ToolRun help = RunTool({kCli, "--help"});
    EXPECT_EQ(0, help.status);
    EXPECT_TRUE(Contains(help.output, "usage: veltro-cli"));
    EXPECT_EQ(0, RunTool({kCli}).status);

    for (const auto& args : std::vector<std::vector<std::string>>{{kCli, "frobnicate"},
                                                                  {kCli, "monitor", "--bogus"},
                                                                  {kCli, "monitor", "--baud", "12345x"},
                                                                  {kCli, "monitor", "--port", "12"},
                                                                  {kCli, "dump"},
                                                                  {kCli, "dump", "x.kvb", "--format", "xml"},
                                                                  {kCli, "messages", "x.kvb", "--values", "Lat"}}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(2, run.status) << args.back();
        EXPECT_TRUE(Contains(run.errors, "usage: veltro-cli")) << run.errors;
    }
}

TEST(CliFiles, UnreadableLogsAndUncreatableRecordingsFailWithTheirMessage) {
    const ToolRun dump = RunTool({kCli, "dump", "/nonexistent/log.kvb"});
    EXPECT_EQ(1, dump.status);
    EXPECT_EQ("veltro-cli: ERROR: Log file could not be opened.\nveltro-cli: No such file or directory\n", dump.errors);
    EXPECT_EQ("", dump.output);
    EXPECT_EQ(1, RunTool({kCli, "messages", "/"}).status);

    Simulator simulator;
    const ToolRun record = RunTool({kCli, "record", "/nonexistent/log.kvb", "--port", simulator.DevicePath()});
    EXPECT_EQ(1, record.status);
    EXPECT_TRUE(Contains(record.errors, "ERROR: Log file could not be created.")) << record.errors;
}

TEST(CliFiles, AnUnknownValueNameListsTheValidOnes) {
    TempFolder folder;
    const ToolRun run = RunTool({kCli, "dump", folder.File("none.kvb"), "--values", "Lat,Latitude"});
    EXPECT_EQ(2, run.status);
    EXPECT_TRUE(Contains(run.errors, "no value is named \"Latitude\"")) << run.errors;
    for (const char* name : {"\n  UTC\n", "\n  Lat\n", "\n  SVs Used\n", "\n  SV1 C/N0\n", "\n  SV209 El\n"})
        EXPECT_TRUE(Contains(run.errors, name)) << name;
}

TEST(CliPorts, MissingAndBusyPortsFailWithTheReason) {
    const ToolRun missing = RunTool({kCli, "monitor", "--port", "/dev/veltro-no-such-device"});
    EXPECT_EQ(1, missing.status);
    EXPECT_TRUE(Contains(missing.errors, "/dev/veltro-no-such-device")) << missing.errors;

    PseudoTerminal terminal;
    ASSERT_TRUE(terminal.IsOpen());
    LockingProcess other(terminal.SlavePath());
    ASSERT_TRUE(other.Locked());
    const ToolRun busy = RunTool({kCli, "monitor", "--port", terminal.SlavePath()});
    EXPECT_EQ(1, busy.status);
    EXPECT_TRUE(Contains(busy.errors, terminal.SlavePath())) << busy.errors;
    EXPECT_NE(missing.errors.substr(missing.errors.find(": ")), busy.errors.substr(busy.errors.find(": ")));
}

// The line speed given is the one the terminal is set to; autobaud keeps a speed that reads
// cleanly, and both print the receiver's epochs.
TEST(CliLive, BaudAndAutobaudOnARealTerminal) {
    TempFolder folder;
    const std::string log = folder.File("epochs.kvb");
    ASSERT_EQ(0, RunTool({kSim, "--output", log, "--flood", "--epochs", "6"}).status);
    const std::vector<uint8_t> stream = ReadFileBytes(log);
    for (const auto& [options, speed] : std::vector<std::pair<std::vector<std::string>, speed_t>>{
             {{"--baud", "9600"}, B9600}, {{"--baud", "19200", "--autobaud"}, B19200}}) {
        PseudoTerminal terminal;
        ASSERT_TRUE(terminal.IsOpen());
        std::vector<std::string> args{kCli, "monitor", "--port", terminal.SlavePath()};
        args.insert(args.end(), options.begin(), options.end());
        ToolProcess monitor(args);
        ASSERT_TRUE(monitor.WaitForOutput([&](auto&) { return terminal.SlaveSpeed() == speed; }, 5000))
            << options.back() << " " << monitor.Errors();
        terminal.Send(stream);
        EXPECT_TRUE(monitor.WaitForOutput([](auto& out) { return Lines(out) >= 4; }, 8000)) << monitor.Errors();
        EXPECT_EQ(terminal.SlaveSpeed(), speed);
        monitor.Signal(SIGINT);
        EXPECT_EQ(0, monitor.Wait(5000));
        EXPECT_FALSE(Contains(monitor.Errors(), "trying")) << monitor.Errors();
    }
}

// The program's own settings file is read and left as the window's program wrote it.
TEST(CliLive, MonitorWithItsOwnSimulatorPrintsEpochsAndEndsOnCtrlC) {
    TempFolder settings;
    const std::string path = settings.File("Veltro3.ini");
    {
        platform::CFileProfile profile(path);
        profile.WriteInt(u"Settings", u"BaudRate", 9600);
        profile.WriteString(u"Recent File List", u"File1", u"/logs/drive.kvb");
    }
    const std::vector<uint8_t> written = ReadFileBytes(path);
    ASSERT_EQ(setenv("VELTRO_CONFIG_HOME", std::filesystem::path(path).parent_path().c_str(), 1), 0);
    ToolProcess monitor({kCli, "monitor", "--simulate"});
    unsetenv("VELTRO_CONFIG_HOME");
    EXPECT_TRUE(monitor.WaitForOutput([](auto& out) { return Contains(out, "  3D  lat "); }, 8000)) << monitor.Errors();
    EXPECT_TRUE(monitor.WaitForOutput([](auto& out) { return Lines(out) >= 3; }, 8000));
    monitor.Signal(SIGINT);
    EXPECT_EQ(0, monitor.Wait(5000));
    EXPECT_TRUE(Contains(monitor.Output(), "m/s  sats ")) << monitor.Output();
    EXPECT_EQ("", monitor.Errors());

    EXPECT_EQ(ReadFileBytes(path), written);
    const platform::CFileProfile after(path);
    EXPECT_EQ(after.GetInt(u"Settings", u"BaudRate", 0), 9600);
    EXPECT_EQ(after.GetString(u"Recent File List", u"File1", u""), u"/logs/drive.kvb");
}

// The watchdog notices the device going and coming back: a link that names first one simulated
// receiver's terminal and then another's.
TEST(CliLive, AReceiverThatGoesAwayIsReportedAndReconnected) {
    auto first = std::make_unique<Simulator>();
    PortLink link(first->DevicePath());
    ToolProcess monitor({kCli, "monitor", "--port", link.Path()});
    ASSERT_TRUE(monitor.WaitForOutput([](auto& out) { return Lines(out) >= 2; }, 8000)) << monitor.Errors();

    first.reset();
    Simulator second;
    link.Point(second.DevicePath());
    const size_t before = Lines(monitor.Output());
    EXPECT_TRUE(monitor.WaitForOutput([&](auto& out) { return Lines(out) >= before + 3; }, 8000));
    monitor.Signal(SIGINT);
    EXPECT_EQ(0, monitor.Wait(5000));
    EXPECT_TRUE(Contains(monitor.Errors(), "lost")) << monitor.Errors();
    EXPECT_TRUE(Contains(monitor.Errors(), "reconnected")) << monitor.Errors();
}

// A device that returns held by another program is told once, with the holder, not waited for
// in silence.
TEST(CliLive, AReturningDeviceThatIsBusyIsToldOnce) {
    auto simulator = std::make_unique<Simulator>();
    PortLink link(simulator->DevicePath());
    ToolProcess monitor({kCli, "monitor", "--port", link.Path()});
    ASSERT_TRUE(monitor.WaitForOutput([](auto& out) { return Lines(out) >= 1; }, 8000)) << monitor.Errors();

    simulator.reset();
    PseudoTerminal busy;
    LockingProcess other(busy.SlavePath());
    ASSERT_TRUE(other.Locked());
    link.Point(busy.SlavePath());
    // The holder is named by its process number.
    const std::string holder = "(process " + std::to_string(other.Pid()) + ")";
    const auto told = [&] { return Contains(monitor.Errors(), holder); };
    EXPECT_TRUE(monitor.WaitForOutput([&](auto&) { return told(); }, 8000)) << monitor.Errors();
    monitor.WaitForOutput([](auto&) { return false; }, 2500);
    monitor.Signal(SIGINT);
    EXPECT_EQ(0, monitor.Wait(5000));
    const std::string& errors = monitor.Errors();
    EXPECT_EQ(errors.find(holder), errors.rfind(holder)) << errors;
}

// As `veltro-cli monitor --simulate | head -2`: the command ends when its reader is gone.
TEST(CliLive, AClosedOutputEndsTheCommand) {
    ToolProcess monitor({kCli, "monitor", "--simulate"});
    ASSERT_TRUE(monitor.WaitForOutput([](auto& out) { return Lines(out) >= 2; }, 8000)) << monitor.Errors();
    monitor.CloseOutput();
    EXPECT_EQ(0, monitor.Wait(3000));
}

// A recording ended by a hang-up is whole; one that hits the file size limit ends the command
// with status 1 and the reason.
TEST(CliFiles, ARecordingEndsWholeOnAHangUpAndFailsOnAFullDisk) {
    TempFolder folder;
    const std::string hungUp = folder.File("hung-up.kvb");
    ToolProcess record({kCli, "record", hungUp, "--simulate"});
    ASSERT_TRUE(record.WaitForOutput([](auto& out) { return Lines(out) >= 2; }, 8000)) << record.Errors();
    record.Signal(SIGHUP);
    EXPECT_EQ(0, record.Wait(5000));
    const ToolRun messages = RunTool({kCli, "messages", hungUp});
    EXPECT_TRUE(Contains(messages.output, "         0  unrecognised bytes\n")) << messages.output;

    const std::string full = folder.File("full.kvb");
    const ToolRun limited = RunTool({"/usr/bin/prlimit", "--fsize=4096", kCli, "record", full, "--simulate"}, 15000);
    EXPECT_EQ(1, limited.status) << limited.errors;
    EXPECT_TRUE(Contains(limited.errors, "ERROR: Log file could not be written.")) << limited.errors;
    EXPECT_TRUE(Contains(limited.errors, "File too large")) << limited.errors;
    EXPECT_LE(std::filesystem::file_size(full), 4096u);
}

TEST(CliReplay, AFloodOfEpochsIsCountedAndDumpedInFull) {
    TempFolder folder;
    const std::string log = folder.File("flood.kvb");
    ASSERT_EQ(0, RunTool({kSim, "--output", log, "--flood", "--epochs", "60", "--rate", "10"}).status);

    const ToolRun messages = RunTool({kCli, "messages", log});
    EXPECT_EQ(0, messages.status) << messages.errors;
    // Each line has the count, the message's name and its labels.
    EXPECT_TRUE(Contains(messages.output, "        60  NAV-SOL ")) << messages.output;
    EXPECT_TRUE(Contains(messages.output, "  KVB / NAV (Navigation) / SOL (Navigation Solution)\n"));
    EXPECT_TRUE(Contains(messages.output, "        60  GPZDA "));
    EXPECT_TRUE(Contains(messages.output, "  NMEA / GPZDA (Time & Date)\n"));
    EXPECT_TRUE(Contains(messages.output, "         0  unrecognised bytes\n"));

    // The last epoch is closed at the end of the log.
    const ToolRun csv = RunTool({kCli, "dump", log});
    EXPECT_EQ(61u, Lines(csv.output));
    EXPECT_TRUE(csv.output.starts_with("UTC,Nav. Mode,Lat,Lon,Alt (MSL),SoG,SVs Used,SVs Tracked,PDOP\n"));
    const ToolRun json = RunTool({kCli, "dump", log, "--format", "json", "--values", "UTC,Used SVs,Nav. Mode"});
    EXPECT_TRUE(json.output.starts_with("{\"UTC\": \"")) << json.output.substr(0, 80);
    EXPECT_EQ(60u, Lines(json.output));
    EXPECT_EQ(60u, static_cast<size_t>(std::count(json.output.begin(), json.output.end(), '{')));
    EXPECT_TRUE(Contains(json.output, "\"Nav. Mode\": \"3D\"}\n"));
}

TEST(CliReplay, ALogOfLineNoiseIsReadToItsEndAsUnrecognisedBytes) {
    TempFolder folder;
    const std::string log = folder.File("noise.kvb");
    WriteFileBytes(log, PatternBytes(50000, 7));
    const ToolRun messages = RunTool({kCli, "messages", log});
    EXPECT_EQ(0, messages.status) << messages.errors;
    // Every byte of the noise is counted, none lost and none taken for a frame.
    EXPECT_TRUE(Contains(messages.output, "     50000  unrecognised bytes\n")) << messages.output;
    const ToolRun dump = RunTool({kCli, "dump", log});
    EXPECT_EQ(0, dump.status) << dump.errors;
}

// The test protocol's plug-in carries a page for its VALUE message: a table and labelled fields.
TEST(CliShow, APageIsShownFilledWithTheLastCopyOfItsMessage) {
    TempFolder folder;
    const std::string log = folder.File("values.kvb");
    std::vector<uint8_t> bytes = TestFrameU32(kTestTimeType, 1000);
    for (uint32_t value : {1234u, 5678u}) {
        const std::vector<uint8_t> frame = TestFrameU32(kTestValueType, value);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    WriteFileBytes(log, bytes);
    const std::string plugins = VELTRO_TEST_PLUGIN_DIR "simple";

    const ToolRun shown = RunTool({kCli, "show", log, "VALUE", "--plugins", plugins});
    EXPECT_EQ(0, shown.status) << shown.errors;
    EXPECT_EQ("Type: 2\nLength: 9\n[x] Even value\nParam | Value\nValue | 5.678\nRaw | 0x0000162E\n", shown.output);

    const ToolRun unknown = RunTool({kCli, "show", log, "NOPE", "--plugins", plugins});
    EXPECT_EQ(2, unknown.status);
    EXPECT_TRUE(Contains(unknown.errors, "no message is named \"NOPE\"")) << unknown.errors;
    EXPECT_TRUE(Contains(unknown.errors, "  VALUE\n") && Contains(unknown.errors, "  CUSTOM\n")) << unknown.errors;

    WriteFileBytes(log, TestFrameU32(kTestTimeType, 1000));
    const ToolRun absent = RunTool({kCli, "show", log, "VALUE", "--plugins", plugins});
    EXPECT_EQ(1, absent.status);
    EXPECT_TRUE(Contains(absent.errors, "the log holds no VALUE")) << absent.errors;
}

// The CUSTOM page, set from the command line as a user sets it: the frame it builds, a field that
// does not validate, a control the page does not have.
TEST(CliBuild, ControlsAreSetByTheirLabelsAndTheFrameIsPrinted) {
    const std::string content = "Message bytes, sent as they stand";
    const ToolRun text = RunTool({kCli, "build", "CUSTOM", "Hexadecimal=off", content + "=Hi"});
    EXPECT_EQ(0, text.status) << text.errors;
    EXPECT_EQ("48 69\n", text.output);
    EXPECT_EQ("A4 51\n", RunTool({kCli, "build", "CUSTOM", "#1027=a4 51"}).output);

    const ToolRun invalid = RunTool({kCli, "build", "CUSTOM", content + "=4G"});
    EXPECT_EQ(1, invalid.status);
    EXPECT_TRUE(Contains(invalid.errors, content + " is not valid")) << invalid.errors;
    const ToolRun unknown = RunTool({kCli, "build", "CUSTOM", "Nope=1"});
    EXPECT_EQ(2, unknown.status);
    EXPECT_TRUE(Contains(unknown.errors, "  Hexadecimal\n  " + content + "\n")) << unknown.errors;
}

}  // namespace
