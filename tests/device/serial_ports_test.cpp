#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "device/serial_link.h"
#include "device/serial_ports.h"

namespace tripdesk::device {
namespace {
namespace fs = std::filesystem;

// Builds a small sysfs tree: class/tty/<name>/device links into devices/.
class FakeSysfs {
public:
    FakeSysfs() : root_(fs::path(::testing::TempDir()) / ("sysfs_" + std::to_string(::getpid()) + "_" +
                                                         std::to_string(counter_++))) {
        fs::remove_all(root_);
        fs::create_directories(root_ / "class" / "tty");
    }
    ~FakeSysfs() { fs::remove_all(root_); }

    // A tty whose device sits at devices/<device_path>, bound to driver.
    void add(const std::string& name, const std::string& device_path, const std::string& driver = "serial") {
        const fs::path device = root_ / "devices" / device_path;
        fs::create_directories(device);
        fs::create_directories(root_ / "bus" / driver);
        if (!fs::exists(device / "driver")) fs::create_directory_symlink(root_ / "bus" / driver, device / "driver");
        const fs::path tty = root_ / "class" / "tty" / name;
        fs::create_directories(tty);
        fs::create_directory_symlink(device, tty / "device");
    }
    // A virtual tty without a device (console, pseudo-terminal master).
    void add_virtual(const std::string& name) { fs::create_directories(root_ / "class" / "tty" / name); }

    PortSources sources(const std::string& extra = {}) const { return PortSources{root_.string(), extra}; }

private:
    static inline int counter_ = 0;
    fs::path root_;
};

TEST(PortSort, IgnoresCaseAndComparesAsText) {
    std::vector<std::string> names{"COM2", "com10", "COM1", "ttyUSB0", "ttyACM0", "/dev/pts/3"};
    sort_port_names(names);
    EXPECT_EQ(names, (std::vector<std::string>{"/dev/pts/3", "COM1", "com10", "COM2", "ttyACM0", "ttyUSB0"}));
}

TEST(PortList, ListsRealPortsSortedAndFindsTheUsbConverter) {
    FakeSysfs sys;
    sys.add("ttyS1", "pnp0/00:01");
    sys.add("ttyS10", "pnp0/00:02");
    sys.add("ttyS2", "platform/serial8250", "serial8250");  // placeholder UART
    sys.add("ttyUSB1", "pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/ttyUSB1", "ftdi_sio");
    sys.add("ttyUSB0", "pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/ttyUSB0", "pl2303");
    sys.add_virtual("tty0");
    sys.add_virtual("console");
    const PortList list = list_serial_ports(sys.sources("/dev/pts/7:/tmp/links/COM3"));
    EXPECT_EQ(list.entries,
              (std::vector<std::string>{"/dev/pts/7", "/tmp/links/COM3", "ttyS1", "ttyS10", "ttyUSB0", "ttyUSB1"}));
    EXPECT_EQ(list.converter, "ttyUSB0");
}

TEST(PortList, NoConverterWithoutUsbAndErrorWithoutTtyClass) {
    FakeSysfs sys;
    sys.add("ttyS0", "pnp0/00:01");
    EXPECT_EQ(list_serial_ports(sys.sources()).converter, "");
    try {
        list_serial_ports(PortSources{"/nonexistent-sysfs", ""});
        FAIL() << "no error";
    } catch (const SerialError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Registry error (win error code: ", 0), 0u) << e.what();
    }
}

TEST(Preselection, RememberedPortConverterAndFirstEntry) {
    const std::vector<std::string> ports{"COM1", "COM10", "COM2"};
    struct Case {
        const char* current;
        const char* converter;
        int expected;
    };
    const Case cases[] = {
        {"COM2", "", 2},       // remembered port found
        {"COM1", "", 0},       // remembered port is the first entry
        {"COM7", "", 0},       // remembered port gone: first entry
        {"com2", "", 0},       // the remembered port is compared exactly
        {"COM2", "com10", 1},  // the converter wins, case ignored
        {"COM2", "COM9", 2},   // a converter not in the list changes nothing
    };
    for (const Case& c : cases)
        EXPECT_EQ(preselected_entry(ports, c.current, c.converter), c.expected) << c.current << " " << c.converter;
    EXPECT_EQ(preselected_entry({}, "COM1", "COM1"), -1);
}

TEST(Preselection, ConnectionPortAndRememberedPort) {
    const std::vector<std::string> ports{"COM1", "COM10", "COM2"};
    EXPECT_EQ(port_for_connection(ports, "COM1", "COM2"), "COM1");  // the first entry connects too
    EXPECT_EQ(port_for_connection(ports, "COM5", "COM2"), "COM2");
    EXPECT_EQ(port_for_connection(ports, "", "COM2"), "COM2");
    EXPECT_EQ(port_to_remember("COM10", "COM2"), "COM10");
    EXPECT_EQ(port_to_remember("", "COM2"), "COM2");  // nothing selected
    EXPECT_EQ(port_to_remember("/dev/pts/3", "COM2"), "/dev/pts/3");
}

}  // namespace
}  // namespace tripdesk::device
