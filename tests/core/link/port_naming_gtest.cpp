// Port device names, the stored port number and the device of a COM number.

#include <gtest/gtest.h>

#include <map>

#include "core/config/UserStore.h"
#include "core/link/PortNaming.h"

using namespace qx260;
using namespace qx260::link;

namespace
{
struct MapStore : UserStore {
    std::map<std::string, std::int32_t> values;
    std::optional<std::int32_t> readNumber(const std::string& key, const std::string& name) override
    {
        auto it = values.find(key + "|" + name);
        if (it == values.end())
            return std::nullopt;
        return it->second;
    }
    bool writeNumber(const std::string& key, const std::string& name, std::int32_t value) override
    {
        values[key + "|" + name] = value;
        return true;
    }
    std::optional<std::string> readText(const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    bool writeText(const std::string&, const std::string&, const std::string&) override { return false; }
};
} // namespace

TEST(PortNaming, DeviceNameAndNumberGoBothWays)
{
    EXPECT_EQ(portDeviceNameFor(1), "COM1");
    EXPECT_EQ(portDeviceNameFor(9), "COM9");
    EXPECT_EQ(portDeviceNameFor(10), "\\\\.\\COM10");
    EXPECT_EQ(portDeviceNameFor(0), "COM0");
    EXPECT_EQ(portDeviceNameFor(20), "\\\\.\\COM20");
    for (int n = 0; n <= 255; ++n)
        EXPECT_EQ(portNumberFromName(portDeviceNameFor(n)), n);

    EXPECT_EQ(portNumberFromName("COM"), std::nullopt);
    EXPECT_EQ(portNumberFromName("M5"), std::nullopt); // nothing before the M
    EXPECT_EQ(portNumberFromName("COMx"), std::nullopt);
    EXPECT_EQ(portNumberFromName("/dev/ttyUSB0"), std::nullopt);
    EXPECT_EQ(portNumberFromName("COM3 M7"), 3); // the first M counts
}

TEST(PortNaming, StoredNumberUsesTheLowByteAndDefaultsToCom1)
{
    MapStore store;
    const std::string key = "Software\\Program";
    EXPECT_EQ(loadPortSetting(store, key), "COM1");
    EXPECT_TRUE(storePortNumber(store, key, 12));
    EXPECT_EQ(store.values.at(key + "|com"), 12);
    EXPECT_EQ(loadPortSetting(store, key), "\\\\.\\COM12");
    store.values[key + "|com"] = 0x0105;
    EXPECT_EQ(loadPortNumber(store, key), 5);
    store.values[key + "|com"] = -1;
    EXPECT_EQ(loadPortNumber(store, key), 255);
    store.values[key + "|com"] = 0;
    EXPECT_EQ(loadPortSetting(store, key), "COM0");
}

TEST(PortNaming, ComNumbersMapToDevices)
{
    PortMapping none;
    none.system = PortSystem::Linux;
    const std::pair<const char*, std::optional<std::string>> table[] = {
        {"COM1", "/dev/ttyUSB0"},       {"COM8", "/dev/ttyUSB7"},
        {"COM9", "/dev/ttyACM0"},       {"\\\\.\\COM12", "/dev/ttyACM3"},
        {"\\\\.\\COM13", "/dev/ttyS0"}, {"\\\\.\\COM16", "/dev/ttyS3"},
        {"COM0", std::nullopt},         {"\\\\.\\COM20", std::nullopt},
        {"LPT1", std::nullopt},         {"", std::nullopt},
        {"/dev/pts/7", "/dev/pts/7"},   {"COM1x", std::nullopt},
    };
    for (const auto& [name, device] : table)
        EXPECT_EQ(resolvePortDevice(name, none), device) << name;

    // The environment wins over the per-user override, which wins over the table.
    PortMapping mapping;
    mapping.system = PortSystem::Linux;
    std::map<std::string, std::string> env = {{"QX260_PORT_COM2", "/tmp/radio"}};
    std::map<int, std::string> overrides = {{2, "/dev/ttyS9"}, {3, "/dev/ttyS8"}, {20, "/dev/ttyUSB5"}};
    mapping.environment = [&](const std::string& n) -> std::optional<std::string> {
        auto it = env.find(n);
        return it == env.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    mapping.userOverride = [&](int n) -> std::optional<std::string> {
        auto it = overrides.find(n);
        return it == overrides.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    EXPECT_EQ(resolvePortDevice("COM2", mapping), "/tmp/radio");
    EXPECT_EQ(resolvePortDevice("COM3", mapping), "/dev/ttyS8");
    EXPECT_EQ(resolvePortDevice("COM4", mapping), "/dev/ttyUSB3");
    EXPECT_EQ(resolvePortDevice("\\\\.\\COM20", mapping), "/dev/ttyUSB5");
    env["QX260_PORT_COM3"] = ""; // an empty variable does not count
    EXPECT_EQ(resolvePortDevice("COM3", mapping), "/dev/ttyS8");
}

TEST(PortNaming, EachSystemHasItsOwnDeviceNames)
{
    const std::vector<std::string> mac = {"/dev/cu.usbserial-A10",  "/dev/cu.Bluetooth-Incoming-Port",
                                          "/dev/tty.usbserial-A10", "/dev/cu.debug-console",
                                          "/dev/cu.SLAB_USBtoUART", "/dev/cu.usbmodem14201"};
    const struct {
        PortSystem system;
        const char* name;
        std::optional<std::string> device;
    } table[] = {
        {PortSystem::Windows, "COM3", "COM3"},
        {PortSystem::Windows, "\\\\.\\COM12", "\\\\.\\COM12"},
        {PortSystem::Windows, "\\\\.\\COM20", "\\\\.\\COM20"}, // Windows has ports above 16
        {PortSystem::Windows, "COM0", std::nullopt},
        {PortSystem::MacOS, "COM1", "/dev/cu.SLAB_USBtoUART"}, // name order, consoles left out
        {PortSystem::MacOS, "COM2", "/dev/cu.usbmodem14201"},
        {PortSystem::MacOS, "COM3", "/dev/cu.usbserial-A10"},
        {PortSystem::MacOS, "COM4", std::nullopt},
        {PortSystem::Linux, "COM12", "/dev/ttyACM3"},
        {PortSystem::Windows, "/dev/pts/7", "/dev/pts/7"}, // a path is taken as it is anywhere
    };
    for (const auto& c : table) {
        PortMapping mapping;
        mapping.system = c.system;
        mapping.presentDevices = [&] { return mac; };
        EXPECT_EQ(resolvePortDevice(c.name, mapping), c.device) << c.name;
    }
    // The environment still wins on every system.
    PortMapping windows;
    windows.system = PortSystem::Windows;
    windows.environment = [](const std::string& n) -> std::optional<std::string> {
        return n == "QX260_PORT_COM2" ? std::optional<std::string>("COM7") : std::nullopt;
    };
    EXPECT_EQ(resolvePortDevice("COM2", windows), "COM7");
}
