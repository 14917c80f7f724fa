// From a COM number to a device: the port names, the stored port number, each system's own
// serial devices, and the overrides (environment, per-user) that come before them.

#include "core/link/PortNaming.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/config/UserStore.h"

namespace qx260::link
{

namespace
{
constexpr const char* kPortValueName = "com";

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

std::string portDeviceNameFor(int number)
{
    std::string name = "COM" + std::to_string(number);
    if (number >= 10)
        return "\\\\.\\" + name;
    return name;
}

std::optional<int> portNumberFromName(const std::string& deviceName)
{
    // %*[^M] needs at least one character before the M.
    const std::size_t m = deviceName.find('M');
    if (m == std::string::npos || m == 0)
        return std::nullopt;
    std::size_t i = m + 1;
    while (i < deviceName.size() && (deviceName[i] == ' ' || deviceName[i] == '\t' || deviceName[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < deviceName.size() && (deviceName[i] == '+' || deviceName[i] == '-')) {
        negative = deviceName[i] == '-';
        ++i;
    }
    if (i >= deviceName.size() || !isAsciiDigit(deviceName[i]))
        return std::nullopt;
    long long value = 0;
    for (; i < deviceName.size() && isAsciiDigit(deviceName[i]); ++i) {
        value = value * 10 + (deviceName[i] - '0');
        if (value > 1000000)
            return std::nullopt; // no port has such a number
    }
    return static_cast<int>(negative ? -value : value);
}

int loadPortNumber(UserStore& store, const std::string& key)
{
    const std::optional<std::int32_t> stored = store.readNumber(key, kPortValueName);
    if (!stored)
        return 1;
    return static_cast<int>(static_cast<std::uint32_t>(*stored) & 0xFFu);
}

bool storePortNumber(UserStore& store, const std::string& key, int number)
{
    return store.writeNumber(key, kPortValueName, number);
}

std::string loadPortSetting(UserStore& store, const std::string& key)
{
    return portDeviceNameFor(loadPortNumber(store, key));
}

std::optional<std::string> defaultDeviceForPort(int number, PortSystem system,
                                                const std::vector<std::string>& presentDevices)
{
    switch (system) {
    case PortSystem::Windows:
        if (number >= 1)
            return portDeviceNameFor(number);
        return std::nullopt;
    case PortSystem::MacOS: {
        // The call-out devices (cu.*) are the ones a program opens; tty.* wait for a carrier.
        std::vector<std::string> devices;
        for (const std::string& device : presentDevices)
            if (device.rfind("/dev/cu.", 0) == 0 && device != "/dev/cu.Bluetooth-Incoming-Port" &&
                device != "/dev/cu.debug-console")
                devices.push_back(device);
        std::sort(devices.begin(), devices.end());
        if (number >= 1 && static_cast<std::size_t>(number) <= devices.size())
            return devices[static_cast<std::size_t>(number) - 1];
        return std::nullopt;
    }
    case PortSystem::Linux:
        break;
    }
    if (number >= 1 && number <= 8)
        return "/dev/ttyUSB" + std::to_string(number - 1);
    if (number >= 9 && number <= 12)
        return "/dev/ttyACM" + std::to_string(number - 9);
    if (number >= 13 && number <= 16)
        return "/dev/ttyS" + std::to_string(number - 13);
    return std::nullopt;
}

std::optional<std::string> deviceForPort(int number, const PortMapping& mapping)
{
    if (mapping.environment) {
        if (auto fromEnv = mapping.environment("QX260_PORT_COM" + std::to_string(number));
            fromEnv && !fromEnv->empty())
            return fromEnv;
    }
    if (mapping.userOverride) {
        if (auto stored = mapping.userOverride(number); stored && !stored->empty())
            return stored;
    }
    if (mapping.system == PortSystem::MacOS && mapping.presentDevices)
        return defaultDeviceForPort(number, mapping.system, mapping.presentDevices());
    return defaultDeviceForPort(number, mapping.system);
}

std::optional<std::string> resolvePortDevice(const std::string& portDeviceName, const PortMapping& mapping)
{
    if (portDeviceName.empty())
        return std::nullopt;
    if (portDeviceName.find('/') != std::string::npos)
        return portDeviceName; // a device path given as it is
    std::string name = portDeviceName;
    if (name.rfind("\\\\.\\", 0) == 0)
        name = name.substr(4);
    if (name.size() < 4 || (name.compare(0, 3, "COM") != 0 && name.compare(0, 3, "com") != 0))
        return std::nullopt;
    for (std::size_t i = 3; i < name.size(); ++i)
        if (!isAsciiDigit(name[i]))
            return std::nullopt;
    const std::optional<int> number = portNumberFromName("COM" + name.substr(3));
    if (!number)
        return std::nullopt;
    return deviceForPort(*number, mapping);
}

PortMapping environmentOnlyMapping()
{
    PortMapping mapping;
    mapping.environment = [](const std::string& name) -> std::optional<std::string> {
        if (const char* value = std::getenv(name.c_str()))
            return std::string(value);
        return std::nullopt;
    };
    return mapping;
}

} // namespace qx260::link
