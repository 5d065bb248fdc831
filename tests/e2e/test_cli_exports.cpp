// veltro-cli among the tools of its users: a simulated log exported as a table, a track and
// points that other tools read, a receiver reached over TCP, and a recording without a name.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/host/core/log/test_stream_file_support.h"
#include "tests/tools/simulator.h"
#include "tests/tools/tool_process.h"

namespace {

const std::string kCli = ToolPath("veltro-cli");

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

std::string Write(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
    return path;
}

TEST(CliExports, ASimulatedLogIsExportedInFullInEveryFormat) {
    TempFolder folder;
    const std::string log = folder.File("drive.kvb");
    ASSERT_EQ(0, RunTool({ToolPath("veltro-sim"), "--output", log, "--flood", "--epochs", "120", "--rate", "10",
                          "--start", "2024-03-01T12:00:00Z"})
                     .status);
    const auto dump = [&](const std::string& format) {
        const ToolRun run = RunTool({kCli, "dump", log, "--format", format});
        EXPECT_EQ(0, run.status) << run.errors;
        return run.output;
    };
    const std::string csv = dump("csv");
    EXPECT_EQ(121u, Count(csv, "\n"));
    // The last epoch is there: the simulator's 120th, 11.9 s after the first.
    EXPECT_NE(csv.find("\n2024-03-01T12:00:11.900Z,3D,"), std::string::npos) << csv.substr(csv.size() - 200);
    EXPECT_EQ(120u, Count(dump("json"), "}\n"));

    const std::string gpx = Write(folder.File("drive.gpx"), dump("gpx"));
    const ToolRun valid = RunTool({"/usr/bin/xmllint", "--noout", "--schema", VELTRO_SOURCE_DIR "/tests/e2e/data/gpx_track.xsd", gpx});
    EXPECT_EQ(0, valid.status) << valid.errors;
    const std::string track = dump("gpx");
    const size_t points = Count(track, "<trkpt ");
    EXPECT_GT(points, 100u);
    EXPECT_NE(track.find("<time>2024-03-01T12:00:11.900Z</time><fix>dgps</fix>"), std::string::npos);

    const std::string kml = Write(folder.File("drive.kml"), dump("kml"));
    EXPECT_EQ(0, RunTool({"/usr/bin/xmllint", "--noout", kml}).status);
    EXPECT_EQ(points, Count(dump("kml"), "<gx:coord>"));

    const std::string geojson = Write(folder.File("drive.geojson"), dump("geojson"));
    const ToolRun parsed = RunTool({"/usr/bin/python3", "-c",
                                    "import json, sys; d = json.load(open(sys.argv[1])); "
                                    "print(d['type'], len(d['features']), d['features'][-1]['geometry']['type'])",
                                    geojson});
    EXPECT_EQ("FeatureCollection " + std::to_string(points) + " Point\n", parsed.output) << parsed.errors;
}

// A TCP bridge to a receiver's terminal on 127.0.0.1, for one client at a time, that can go
// away for a while as a network serial server does when it restarts.
class TcpBridge {
public:
    explicit TcpBridge(const std::string& terminal) : terminal(::open(terminal.c_str(), O_RDWR | O_NOCTTY)) {
        termios raw{};
        tcgetattr(this->terminal, &raw);
        cfmakeraw(&raw);
        tcsetattr(this->terminal, TCSANOW, &raw);
        Listen();
        worker = std::thread([this] { Run(); });
    }
    ~TcpBridge() {
        stop = true;
        worker.join();
        for (int fd : {client, listener, terminal})
            if (fd >= 0) ::close(fd);
    }
    std::string Address() const { return "tcp://127.0.0.1:" + std::to_string(port); }
    // The client is dropped and no one is let in for the time.
    void GoAway(std::chrono::milliseconds time) { awayUntil = std::chrono::steady_clock::now() + time; }

private:
    void Listen() {
        listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int on = 1;
        setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t size = sizeof address;
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
        port = ntohs(address.sin_port);
        ::listen(listener, 1);
    }
    static void CloseFd(int& fd) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
    void Copy(int from, int to) {
        char buffer[4096];
        const ssize_t count = ::read(from, buffer, sizeof buffer);
        if (count <= 0 && from == client) CloseFd(client);
        if (count > 0 && to >= 0) (void)!::write(to, buffer, static_cast<size_t>(count));
    }
    void Run() {
        while (!stop) {
            if (std::chrono::steady_clock::now() < awayUntil.load()) {
                CloseFd(client);
                CloseFd(listener);
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                continue;
            }
            if (listener < 0) Listen();
            pollfd waits[] = {{listener, POLLIN, 0}, {terminal, POLLIN, 0}, {client, POLLIN, 0}};
            if (poll(waits, 3, 20) <= 0) continue;
            if (waits[0].revents & POLLIN) {
                CloseFd(client);
                client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            }
            // The receiver's output is read whether or not anyone listens, as a serial line runs on.
            if (waits[1].revents & POLLIN) Copy(terminal, client);
            if (client >= 0 && (waits[2].revents & (POLLIN | POLLHUP))) Copy(client, terminal);
        }
    }

    int terminal;
    int listener = -1;
    int client = -1;
    uint16_t port = 0;
    std::atomic<bool> stop{false};
    std::atomic<std::chrono::steady_clock::time_point> awayUntil{};
    std::thread worker;
};

size_t Lines(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST(CliNetworkReceiver, AReceiverOverTcpIsRecordedAndSurvivesItsServerGoingAway) {
    Simulator simulator;
    TcpBridge bridge(simulator.DevicePath());
    TempFolder folder;
    const std::string log = folder.File("network.kvb");
    ToolProcess record({kCli, "record", log, "--port", bridge.Address(), "--poll", "MON-VER"});
    ASSERT_TRUE(record.WaitForOutput([](auto& out) { return Lines(out) >= 3; }, 8000)) << record.Errors();

    bridge.GoAway(std::chrono::milliseconds(2500));
    const auto told = [&](const std::string& what) {
        return record.WaitForOutput([&](auto&) { return record.Errors().find(what) != std::string::npos; }, 8000);
    };
    EXPECT_TRUE(told("lost; waiting")) << record.Errors();
    EXPECT_TRUE(told("reconnected")) << record.Errors();
    const size_t before = Lines(record.Output());
    EXPECT_TRUE(record.WaitForOutput([&](auto& out) { return Lines(out) >= before + 3; }, 8000));
    record.Signal(SIGINT);
    EXPECT_EQ(0, record.Wait(5000)) << record.Errors();

    // The poll went out over the connection and was answered; the recording holds both sides.
    const ToolRun messages = RunTool({kCli, "messages", log});
    EXPECT_NE(messages.output.find("  MON-VER "), std::string::npos) << messages.output;
    const ToolRun dump = RunTool({kCli, "dump", log});
    EXPECT_GE(Lines(dump.output), before + 3) << dump.errors;
}

TEST(CliNetworkReceiver, AServerThatRefusesIsToldAndAWrongAddressIsAUsageOfThePort) {
    // Nothing listens on the bridge's port once it is gone.
    std::string address;
    {
        Simulator simulator;
        address = TcpBridge(simulator.DevicePath()).Address();
    }
    const ToolRun refused = RunTool({kCli, "monitor", "--port", address});
    EXPECT_EQ(1, refused.status);
    EXPECT_NE(refused.errors.find(address), std::string::npos) << refused.errors;
    EXPECT_EQ(1, RunTool({kCli, "monitor", "--port", "tcp://127.0.0.1"}).status);
}

TEST(CliRecord, ARecordingWithoutANameGoesAmongTheUsersLogs) {
    TempFolder data;
    ASSERT_EQ(setenv("XDG_DATA_HOME", data.File("share").c_str(), 1), 0);
    ToolProcess record({kCli, "record", "--simulate"});
    unsetenv("XDG_DATA_HOME");
    ASSERT_TRUE(record.WaitForOutput([](auto& out) { return Lines(out) >= 2; }, 8000)) << record.Errors();
    record.Signal(SIGINT);
    EXPECT_EQ(0, record.Wait(5000));
    const std::string told = "veltro-cli: recording to ";
    ASSERT_EQ(0u, record.Errors().find(told + data.File("share/veltro/logs/COM1_"))) << record.Errors();
    const std::string path = record.Errors().substr(told.size(), record.Errors().find('\n') - told.size());
    EXPECT_TRUE(path.ends_with(".kvb")) << path;
    EXPECT_GT(std::filesystem::file_size(path), 0u);
}

}  // namespace
