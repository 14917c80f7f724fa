#pragma once
// Port numbers, port device names and the serial devices they stand for.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qx260
{
class UserStore;
} // namespace qx260

namespace qx260::link
{

constexpr int kPortCount = 16; // COM1 .. COM16 offered to the user

// "COM%d" for 1..9, the prefixed name "\\.\COM%d" from 10 up.
std::string portDeviceNameFor(int number);

// The decimal number after the first letter M ("%*[^M]M%d"); empty when there is none.
std::optional<int> portNumberFromName(const std::string& deviceName);

// The stored port number under `key` (userStoreKey of the configuration):
// value "com", low byte of the 32-bit number; missing gives 1.
int loadPortNumber(UserStore& store, const std::string& key);
// Stores n as "com". False when the store refused.
bool storePortNumber(UserStore& store, const std::string& key, int number);
// The port device name from the stored number (called when a channel view is made).
std::string loadPortSetting(UserStore& store, const std::string& key);

// The systems whose serial devices have names of their own; other POSIX systems are
// treated as Linux.
enum class PortSystem { Linux, Windows, MacOS };
#if defined(_WIN32)
constexpr PortSystem kThisPortSystem = PortSystem::Windows;
#elif defined(__APPLE__)
constexpr PortSystem kThisPortSystem = PortSystem::MacOS;
#else
constexpr PortSystem kThisPortSystem = PortSystem::Linux;
#endif

// Where the devices of COM numbers come from on this system. A per-run
// environment variable QX260_PORT_COMn wins over a per-user override
// "Ports/COMn", which wins over the system's own names (defaultDeviceForPort).
struct PortMapping {
    // The environment (getenv in real runs).
    std::function<std::optional<std::string>(const std::string& name)> environment;
    // The per-user override of "Ports/COMn" (empty when not set).
    std::function<std::optional<std::string>(int number)> userOverride;
    PortSystem system = kThisPortSystem;
    // The serial devices present now (paths); asked only on macOS.
    std::function<std::vector<std::string>()> presentDevices;
};

// The system's own device of COM number n:
//   Linux: COM1-COM8 = /dev/ttyUSB0-7, COM9-COM12 = /dev/ttyACM0-3, COM13-COM16 = /dev/ttyS0-3;
//   Windows: the port itself ("COM3", the prefixed name of COM12), any number from 1 up;
//   macOS: the n-th of the present /dev/cu.* devices in name order, leaving out the
//   Bluetooth and debug consoles the system always has.
// Empty for numbers the system has no device for.
std::optional<std::string> defaultDeviceForPort(int number, PortSystem system = kThisPortSystem,
                                                const std::vector<std::string>& presentDevices = {});

// The device path for COM number n, or empty when the number maps to nothing.
std::optional<std::string> deviceForPort(int number, const PortMapping& mapping);

// The device path to open for a port device name ("COM3", the prefixed name of
// COM12) or for a device path given as it is ("/dev/ttyUSB0"). Empty when the
// name maps to nothing.
std::optional<std::string> resolvePortDevice(const std::string& portDeviceName, const PortMapping& mapping);

// A mapping with the process environment and no per-user overrides.
PortMapping environmentOnlyMapping();

} // namespace qx260::link
