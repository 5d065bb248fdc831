#include <gtest/gtest.h>

#include <chrono>

#include "platform/serial_device.h"
#include "platform/serial_probe.h"
#include "tests/platform/test_serial_terminal.h"

using platform::CSerialDevice;

namespace {

class SerialDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(terminal.IsOpen());
        ASSERT_EQ(device.Open(terminal.SlavePath()), platform::kSerialOk);
        ASSERT_TRUE(device.Configure({}));
    }

    PseudoTerminal terminal;
    CSerialDevice device;
};

std::vector<uint8_t> ReadAll(CSerialDevice& device, size_t count) {
    std::vector<uint8_t> bytes;
    for (int attempt = 0; attempt < 30 && bytes.size() < count; ++attempt) {
        uint8_t buffer[64];
        const int n = device.Read(buffer, sizeof buffer, 100);
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
}

}  // namespace

TEST_F(SerialDeviceTest, BytesPassBothWaysUnchanged) {
    // Carriage returns, line feeds and flow-control characters must pass as they are.
    const std::vector<uint8_t> bytes{'\r', '\n', 0x11, 0x13, 0x00, 0xFF, 0x7F, 0x03};
    terminal.Send(bytes);
    EXPECT_EQ(ReadAll(device, bytes.size()), bytes);
    EXPECT_EQ(device.Write(bytes.data(), static_cast<int>(bytes.size()), 1000), static_cast<int>(bytes.size()));
    device.Drain();
    EXPECT_EQ(terminal.Receive(bytes.size(), 2000), bytes);
}

TEST_F(SerialDeviceTest, AReadWithoutDataReturnsAfterItsTimeOut) {
    uint8_t buffer[16];
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device.Read(buffer, sizeof buffer, 50), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));
    // A pseudo-terminal keeps no error counters: no error bits, no failure.
    EXPECT_EQ(device.TakeLineErrors(), 0u);
}

TEST_F(SerialDeviceTest, QueuedBytesAndPurge) {
    terminal.Send({1, 2, 3, 4, 5});
    for (int attempt = 0; attempt < 100 && device.QueuedBytes() < 5; ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(device.QueuedBytes(), 5);
    device.Purge();
    EXPECT_EQ(device.QueuedBytes(), 0);
}

// As a command that sends one frame and ends: no closing flush may drop what was just written.
TEST_F(SerialDeviceTest, TheLastBytesBeforeACloseReachTheFarEnd) {
    constexpr int kRuns = 1000;
    const std::vector<uint8_t> frame{0xA4, 0x51, 0x06, 0x04};
    for (int run = 0; run < kRuns; ++run) {
        device.Close();
        ASSERT_EQ(device.Open(terminal.SlavePath()), platform::kSerialOk);
        device.Write(frame.data(), static_cast<int>(frame.size()), 1000);
        device.Drain();
    }
    device.Close();
    EXPECT_EQ(terminal.Receive(frame.size() * kRuns, 2000).size(), frame.size() * kRuns);
}

TEST_F(SerialDeviceTest, RatesWithoutATermiosSpeedAreRefused) {
    EXPECT_TRUE(device.Configure({115200}));
    EXPECT_EQ(terminal.SlaveSpeed(), B115200);
    EXPECT_TRUE(device.Configure({300}));
    EXPECT_FALSE(device.Configure({14400}));
    EXPECT_FALSE(device.Configure({57600, 9}));
    EXPECT_EQ(terminal.SlaveSpeed(), B300);
}

TEST_F(SerialDeviceTest, ASecondOpenIsRefusedAsInUse) {
    CSerialDevice second;
    EXPECT_EQ(second.Open(terminal.SlavePath()), platform::kSerialInUse);
    device.Close();
    EXPECT_EQ(second.Open(terminal.SlavePath()), platform::kSerialOk);
}

TEST_F(SerialDeviceTest, AVanishedDeviceReadsNothingWithAPause) {
    terminal.CloseMaster();
    uint8_t buffer[16];
    for (int read = 0; read < 3; ++read) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(device.Read(buffer, sizeof buffer, 0), 0);
        // Even a caller that asks not to wait is not let loop on a dead device.
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(90));
    }
    EXPECT_TRUE(device.IsHungUp());
    EXPECT_EQ(device.Write(buffer, 4, 100), 0);
}

TEST(SerialProbe, TellsAbsentUnusableAndLockedDevicesApart) {
    PseudoTerminal terminal;
    ASSERT_TRUE(terminal.IsOpen());
    EXPECT_EQ(platform::ProbeSerialDevice(terminal.SlavePath()), platform::kSerialOk);
    EXPECT_EQ(platform::ProbeSerialDevice("/nonexistent/ttyUSB0"), platform::kSerialNotFound);
    EXPECT_EQ(platform::ProbeSerialDevice("/proc/version"), platform::kSerialNotFunctioning);

    // Probing does not open: a device held by this process itself still probes as usable.
    CSerialDevice device;
    ASSERT_EQ(device.Open(terminal.SlavePath()), platform::kSerialOk);
    EXPECT_EQ(platform::ProbeSerialDevice(terminal.SlavePath()), platform::kSerialOk);
    device.Close();

    LockingProcess other(terminal.SlavePath());
    ASSERT_TRUE(other.Locked());
    EXPECT_EQ(platform::ProbeSerialDevice(terminal.SlavePath()), platform::kSerialInUse);
    EXPECT_EQ(device.Open(terminal.SlavePath()), platform::kSerialInUse);
}

TEST(SerialErrors, AccessDeniedNamesTheGroupToJoin) {
    EXPECT_EQ(platform::SerialErrorFromErrno(EACCES), platform::kSerialAccessDenied);
    EXPECT_EQ(platform::SerialErrorFromErrno(ENOENT), platform::kSerialNotFound);
    EXPECT_EQ(platform::SerialErrorFromErrno(EBUSY), platform::kSerialInUse);
    EXPECT_EQ(platform::SerialErrorFromErrno(EIO), platform::kSerialNotFunctioning);
    const std::u16string text = platform::DescribeSerialError(platform::kSerialAccessDenied, "/dev/null");
    EXPECT_NE(text.find(u"/dev/null: access denied"), std::u16string::npos);
    EXPECT_NE(text.find(u"usermod -aG"), std::u16string::npos);
}
