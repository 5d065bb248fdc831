#include <gtest/gtest.h>

#include <filesystem>

#include "host/core/connection/connection_control.h"
#include "platform/profile.h"
#include "tests/platform/test_serial_terminal.h"

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kFramingError = 0x08;

// The main frame's connection logic over a real port thread whose COM2 is a link in a temporary
// folder to a pseudo-terminal, so that the device can vanish and return.
class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(terminal.IsOpen());
        folder = fs::temp_directory_path() / ("veltro-connection-" + std::to_string(getpid()));
        fs::create_directories(folder);
        link = folder / "gps";
        Plug();
        profile.WriteString(u"Ports", u"COM2", link.u16string());
    }
    void TearDown() override { fs::remove_all(folder); }

    void Plug() { fs::create_symlink(terminal.SlavePath(), link); }
    void Unplug() { fs::remove(link); }
    CConnectionControl& Control(ConnectionSettings settings) {
        control = std::make_unique<CConnectionControl>(settings, port, ports);
        return *control;
    }
    static ConnectionSettings Watching(int portNumber) {
        ConnectionSettings settings;
        settings.port = portNumber;
        settings.autoConnect = true;
        return settings;
    }

    PseudoTerminal terminal;
    fs::path folder;
    fs::path link;
    platform::CMemoryProfile profile;
    platform::CPortMap ports{profile, {"/nonexistent", "/dev"}};
    CPortThread port{ports};
    std::unique_ptr<CConnectionControl> control;
};

// A port whose rate can never be set, like one whose device vanished while open.
class DeadPort : public IBaudControl {
public:
    uint32_t BaudRate() const override { return 115200; }
    bool SetBaud(uint32_t rate) override {
        tried.push_back(rate);
        return false;
    }
    std::vector<uint32_t> tried;
};

}  // namespace

TEST_F(ConnectionTest, TheWatchdogFollowsADeviceThatVanishesAndReturns) {
    CConnectionControl& connection = Control(Watching(2));
    connection.Start();
    EXPECT_EQ(port.CurrentPort(), 2);

    Unplug();
    connection.OnWatchdogTimer();
    EXPECT_EQ(port.CurrentPort(), 0);
    EXPECT_EQ(connection.Settings().port, 2);
    EXPECT_TRUE(connection.Settings().doConnect);
    connection.OnWatchdogTimer();
    EXPECT_EQ(port.CurrentPort(), 0);

    Plug();
    connection.OnWatchdogTimer();
    EXPECT_EQ(port.CurrentPort(), 2);
}

TEST_F(ConnectionTest, WithoutAutoConnectTheWatchdogLeavesThePortAlone) {
    ConnectionSettings settings = Watching(2);
    settings.autoConnect = false;
    CConnectionControl& connection = Control(settings);
    connection.Start();  // connects once, as "DoConnect" asks
    ASSERT_EQ(port.CurrentPort(), 2);
    Unplug();
    connection.OnWatchdogTimer();
    EXPECT_EQ(port.CurrentPort(), 2);
}

TEST_F(ConnectionTest, ADeviceReplacedBetweenTwoTicksIsClosedAndReopened) {
    CConnectionControl& connection = Control(Watching(2));
    connection.Start();
    ASSERT_TRUE(port.Start(ThreadPriority::Normal));
    // Unplugged and replugged within a second: the path is back, the open descriptor is dead.
    PseudoTerminal replacement;
    terminal.CloseMaster();
    Unplug();
    fs::create_symlink(replacement.SlavePath(), link);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (port.ProbePort(2) == platform::kSerialOk && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    connection.OnWatchdogTimer();
    EXPECT_EQ(port.CurrentPort(), 0);
    connection.OnWatchdogTimer();
    ASSERT_EQ(port.CurrentPort(), 2);
    const uint8_t byte = 0x42;
    EXPECT_EQ(port.Write(&byte, 1), 1);
    EXPECT_EQ(replacement.Receive(1, 2000), std::vector<uint8_t>{byte});
}

TEST_F(ConnectionTest, APortHeldByAnotherProgramIsReportedBusyNotTaken) {
    LockingProcess other(terminal.SlavePath());
    ASSERT_TRUE(other.Locked());
    ConnectionSettings settings = Watching(2);
    settings.enumPorts = true;
    CConnectionControl& connection = Control(settings);
    connection.Start();
    connection.OnWatchdogTimer();
    EXPECT_EQ(port.CurrentPort(), 0);
    EXPECT_EQ(port.ProbePort(2), platform::kSerialInUse);
    EXPECT_FALSE(port.SetPort(2));

    const std::vector<PortListEntry> list = connection.ListPorts();
    ASSERT_EQ(list.size(), 1u);  // COM1 has no device
    EXPECT_EQ(list[0].number, 2);
    EXPECT_TRUE(list[0].busy);
    EXPECT_EQ(PortMenuText(list[0]), u"COM2 " + link.u16string());
}

TEST_F(ConnectionTest, UserCommandsRememberThePortAndWhetherToConnect) {
    ConnectionSettings settings = Watching(2);
    settings.doConnect = false;
    CConnectionControl& connection = Control(settings);
    connection.Start();
    EXPECT_EQ(port.CurrentPort(), 0);
    connection.ToggleConnection();
    EXPECT_EQ(port.CurrentPort(), 2);

    connection.Save(profile);
    EXPECT_EQ(profile.GetInt(u"Settings", u"DoConnect", -1), 1);  // open while the watchdog manages it

    connection.SelectPort(0);
    EXPECT_EQ(port.CurrentPort(), 0);
    EXPECT_FALSE(connection.Settings().doConnect);
    connection.OnWatchdogTimer();
    EXPECT_EQ(port.CurrentPort(), 0);

    EXPECT_TRUE(connection.SelectBaudCommand(40197));
    EXPECT_FALSE(connection.SelectBaudCommand(40198));  // an item without a rate
    connection.Save(profile);
    EXPECT_EQ(profile.GetInt(u"Settings", u"Port", -1), 2);
    EXPECT_EQ(profile.GetInt(u"Settings", u"DoConnect", -1), 0);
    EXPECT_EQ(profile.GetInt(u"Settings", u"BaudRate", -1), 9600);
}

TEST_F(ConnectionTest, AutobaudMovesFrom115200To4800AfterTwoErrorReports) {
    ConnectionSettings settings = Watching(2);
    settings.autobaud = true;
    CConnectionControl& connection = Control(settings);
    connection.Start();
    ASSERT_TRUE(connection.SelectBaudCommand(40204));

    connection.OnPortRead(20, kFramingError);
    EXPECT_EQ(port.BaudRate(), 115200u);
    connection.OnPortRead(20, kFramingError);
    EXPECT_EQ(port.BaudRate(), 4800u);
    EXPECT_EQ(terminal.SlaveSpeed(), B4800);

    // Two clean reads forgive an error; a read without bytes changes nothing.
    connection.OnPortRead(20, kFramingError);
    connection.OnPortRead(20, 0);
    connection.OnPortRead(0, 0);
    connection.OnPortRead(20, 0);
    connection.OnPortRead(20, kFramingError);
    EXPECT_EQ(port.BaudRate(), 4800u);
    connection.OnPortRead(0, 0x10);  // a break counts as well
    EXPECT_EQ(port.BaudRate(), 9600u);
    // Overruns say nothing about the rate.
    connection.OnPortRead(20, 0x02);
    connection.OnPortRead(20, 0x02);
    EXPECT_EQ(port.BaudRate(), 9600u);

    connection.ToggleAutobaud();
    connection.OnPortRead(20, kFramingError);
    connection.OnPortRead(20, kFramingError);
    EXPECT_EQ(port.BaudRate(), 9600u);
}

TEST(Autobaud, TriesEachRateOnceAndKeepsTheCurrentOneWhenNoneCanBeSet) {
    DeadPort port;
    CAutobaud autobaud;
    autobaud.OnPortRead(5, kFramingError, port);
    autobaud.OnPortRead(5, kFramingError, port);
    EXPECT_EQ(port.tried, (std::vector<uint32_t>{4800, 9600, 19200, 38400, 57600}));
    EXPECT_EQ(autobaud.State(), 1);
}

TEST(ConnectionSettings, OutOfRangeValuesFallBackAndWriteBackFollowsThePort) {
    platform::CMemoryProfile profile;
    profile.WriteInt(u"Settings", u"MaxPorts", 20);
    profile.WriteInt(u"Settings", u"Port", 40);
    profile.WriteInt(u"Settings", u"BaudRate", 12345);
    ConnectionSettings settings = ConnectionSettings::Load(profile);
    EXPECT_EQ(settings.maxPorts, 9);
    EXPECT_EQ(settings.port, 1);
    EXPECT_EQ(settings.baudRate, 57600u);
    EXPECT_TRUE(settings.doConnect);

    platform::CPortMap ports(profile, {"/nonexistent", "/dev"});
    CPortThread port(ports);
    CConnectionControl connection(settings, port, ports);
    const std::vector<PortListEntry> list = connection.ListPorts();
    ASSERT_EQ(list.size(), 9u);
    EXPECT_EQ(list.front().number, 1);
    EXPECT_EQ(list.back().number, 9);
    EXPECT_EQ(PortMenuText(list.front()), u"COM1");

    settings.doConnect = false;
    settings.autoConnect = true;
    settings.Save(profile, 3, 4800);
    EXPECT_EQ(profile.GetInt(u"Settings", u"Port", -1), 3);
    EXPECT_EQ(profile.GetInt(u"Settings", u"DoConnect", -1), 1);
    EXPECT_EQ(profile.GetInt(u"Settings", u"BaudRate", -1), 4800);
    settings.Save(profile, 0, 4800);
    EXPECT_EQ(profile.GetInt(u"Settings", u"Port", -1), 1);
    EXPECT_EQ(profile.GetInt(u"Settings", u"DoConnect", -1), 0);
}
