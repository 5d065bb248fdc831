#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/port_map.h"
#include "platform/profile.h"
#include "platform/serial_probe.h"

namespace fs = std::filesystem;

namespace {

// A sysfs tty class folder and a device folder in a temporary directory.
class SerialPortsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("veltro-serial-" + std::to_string(getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "dev");
        folders = {(root / "class").string(), (root / "dev").string()};
    }
    void TearDown() override { fs::remove_all(root); }

    // A device with hardware behind it; a UART also reports its port type (0 when phantom).
    void AddTty(const std::string& name, bool hasDevice = true, const char* uartType = nullptr) {
        const fs::path folder = root / "class" / name;
        fs::create_directories(folder);
        if (hasDevice) fs::create_directory(folder / "device");
        if (uartType) std::ofstream(folder / "type") << uartType << "\n";
        std::ofstream(root / "dev" / name);
    }
    void RemoveTty(const std::string& name) {
        fs::remove_all(root / "class" / name);
        fs::remove(root / "dev" / name);
    }
    std::string Dev(const std::string& name) const { return (root / "dev" / name).string(); }

    fs::path root;
    platform::SerialDeviceFolders folders;
    platform::CMemoryProfile profile;
};

}  // namespace

TEST_F(SerialPortsTest, ListsRealDevicesInNaturalOrder) {
    AddTty("ttyUSB10");
    AddTty("ttyUSB2");
    AddTty("ttyS0", true, "4");
    AddTty("ttyS1", true, "0");  // the kernel's phantom UARTs
    AddTty("ttyS3", true, "0");
    AddTty("tty1", false);  // a virtual terminal
    AddTty("ttyACM0");
    EXPECT_EQ(platform::ListSerialDevices(folders),
              (std::vector<std::string>{Dev("ttyACM0"), Dev("ttyS0"), Dev("ttyUSB2"), Dev("ttyUSB10")}));
}

TEST_F(SerialPortsTest, ADeviceIsNamedByItsStableLinkWhereItHasOne) {
    AddTty("ttyUSB0");
    AddTty("ttyUSB1");
    fs::create_directories(root / "dev" / "serial" / "by-id");
    const fs::path link = root / "dev" / "serial" / "by-id" / "usb-Korvala_GPS_1234-if00-port0";
    fs::create_symlink("../../ttyUSB1", link);
    EXPECT_EQ(platform::StableDeviceName(Dev("ttyUSB1"), folders), link.string());
    EXPECT_EQ(platform::StableDeviceName(Dev("ttyUSB0"), folders), Dev("ttyUSB0"));
    EXPECT_EQ(platform::StableDeviceName("tcp://127.0.0.1:4001", folders), "tcp://127.0.0.1:4001");
}

TEST_F(SerialPortsTest, ExplicitMapWinsAndDevicesKeepTheirNumbers) {
    AddTty("ttyUSB0");
    AddTty("ttyUSB1");
    AddTty("ttyUSB2");
    // COM2 names ttyUSB1 through a link, as /dev/serial/by-id does: it is not numbered twice.
    fs::create_directory(root / "by-id");
    fs::create_symlink(Dev("ttyUSB1"), root / "by-id" / "gps");
    profile.WriteString(u"Ports", u"COM2", (root / "by-id" / "gps").u16string());
    platform::CPortMap ports(profile, folders);

    EXPECT_EQ(ports.DevicePath(1), Dev("ttyUSB0"));
    EXPECT_EQ(ports.DevicePath(2), (root / "by-id" / "gps").string());
    EXPECT_EQ(ports.DevicePath(3), Dev("ttyUSB2"));
    EXPECT_EQ(ports.DevicePath(4), "");
    EXPECT_EQ(ports.DevicePath(0), "");
    EXPECT_EQ(ports.DevicePath(10), "");

    // Unplugged, ttyUSB0 keeps COM1; a new device takes the lowest free number; back, it is COM1 again.
    RemoveTty("ttyUSB0");
    AddTty("ttyACM0");
    EXPECT_EQ(ports.DevicePath(4), Dev("ttyACM0"));
    EXPECT_EQ(ports.DevicePath(1), Dev("ttyUSB0"));
    AddTty("ttyUSB0");
    EXPECT_EQ(ports.DevicePath(1), Dev("ttyUSB0"));
    EXPECT_EQ(ports.DevicePath(3), Dev("ttyUSB2"));

    // A device named for this run wins over the map and leaves the profile as it was.
    ports.UseForThisRun(2, "/dev/pts/7");
    EXPECT_EQ(ports.DevicePath(2), "/dev/pts/7");
    EXPECT_EQ(profile.GetString(u"Ports", u"COM2", u""), (root / "by-id" / "gps").u16string());
}

TEST_F(SerialPortsTest, AMappingTooLongForAPathIsIgnoredAndNamedOnceWithoutItsValue) {
    AddTty("ttyUSB0");
    profile.WriteString(u"Ports", u"COM1", std::u16string(10 * 1024 * 1024, u'x'));
    const std::string longest(platform::kMaxProfilePath, 'y');
    profile.WriteString(u"Ports", u"COM2", std::u16string(longest.begin(), longest.end()));
    platform::CPortMap ports(profile, folders);
    testing::internal::CaptureStderr();
    EXPECT_EQ(ports.DevicePath(1), Dev("ttyUSB0"));
    EXPECT_EQ(ports.DevicePath(1), Dev("ttyUSB0"));
    EXPECT_EQ(ports.DevicePath(2), longest);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "veltro: setting Ports/COM1 is longer than 4096 bytes and is ignored\n");
}

TEST_F(SerialPortsTest, AbsentDevicesGiveUpTheirNumbersOnlyWhenAllAreTaken) {
    for (int i = 0; i < 9; ++i) AddTty("ttyUSB" + std::to_string(i));
    platform::CPortMap ports(profile, folders);
    EXPECT_EQ(ports.DevicePath(9), Dev("ttyUSB8"));
    RemoveTty("ttyUSB3");
    AddTty("ttyUSB9");
    EXPECT_EQ(ports.DevicePath(4), Dev("ttyUSB9"));
}
