// qx260-cli ports: the devices behind COM1 .. COM16, and setting one.

#include <cstdio>

#include "core/link/PortNaming.h"
#include "platform/PortSettings.h"
#include "platform/QtSerialLink.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/CommandLine.h"

namespace qx260::cli
{
namespace
{

int listPorts()
{
    const link::PortMapping mapping = link::systemPortMapping();
    for (int n = 1; n <= link::kPortCount; ++n) {
        const std::optional<std::string> device = link::deviceForPort(n, mapping);
        const char* state = device && link::QtSerialLink::probe(*device) ? "opens" : "-";
        std::printf("COM%-3d %-28s %s\n", n, device ? device->c_str() : "", state);
    }
    return kExitOk;
}

int setPort(const std::string& name, const std::string& device)
{
    const std::optional<int> number = link::portNumberFromName(name);
    if (name.size() < 4 || name.compare(0, 3, "COM") != 0 ||
        name.find_first_not_of("0123456789", 3) != std::string::npos || !number || *number < 1 ||
        *number > link::kPortCount)
        return fail(kExitUsage, "name a port COM1 .. COM16, not \"" + name + "\"");
    if (const FileResult stored = link::setPortOverride(*number, device); !stored.ok())
        return fail(kExitFailure, "could not store the setting for " + name + ": " + stored.reason);
    if (device.empty())
        std::printf("COM%d uses %s again\n", *number,
                    link::deviceForPort(*number, link::systemPortMapping()).value_or("no device").c_str());
    else
        std::printf("COM%d = %s\n", *number, device.c_str());
    return kExitOk;
}

int runPorts(const ParsedArgs& parsed)
{
    const std::vector<std::string>& args = parsed.positional;
    if (const int code = checkUserSettings(); code != kExitOk)
        return code;
    if (args.empty())
        return listPorts();
    if (args[0] == "set" && (args.size() == 3 || args.size() == 2))
        return setPort(args[1], args.size() == 3 ? args[2] : std::string());
    return usageError("ports", "ports takes nothing, or set COMn DEVICE");
}

const CommandRegistrar registrar({
    .name = "ports",
    .summary = "which device each COM name stands for; set COMn DEVICE changes one",
    .arguments = {{"set", Count::Optional}, {"COMn", Count::Optional}, {"DEVICE", Count::Optional}},
    .description = "Lists the device behind each of COM1 .. COM16 and whether it opens now.\n"
                   "Built in on Linux: COM1-COM8 = /dev/ttyUSB0-7, COM9-COM12 = /dev/ttyACM0-3,\n"
                   "COM13-COM16 = /dev/ttyS0-3; on Windows the ports themselves; on macOS the\n"
                   "/dev/cu.* devices in name order. \"ports set COMn DEVICE\" changes that for this\n"
                   "user (an empty DEVICE goes back to the built-in one); the environment\n"
                   "variable QX260_PORT_COMn overrides both for one run.",
    .run = runPorts,
});

} // namespace
} // namespace qx260::cli
