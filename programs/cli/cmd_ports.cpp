// qx260-cli ports: what each of COM1 .. COM16 is now (the device behind it, absent, no
// permission, in use or free, the USB adapter), setting one, and --probe: which ports a
// radio answers on.

#include <cstdio>

#include "core/config/Texts.h"
#include "core/link/PortNaming.h"
#include "core/link/RadioProbe.h"
#include "platform/PortSettings.h"
#include "platform/PortSurvey.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/CommandLine.h"
#include "programs/cli/EditContext.h"
#include "programs/cli/transfer.h"

namespace qx260::cli
{
namespace
{

constexpr Language kTerminal = Language::English;

std::string portName(int number)
{
    return "COM" + std::to_string(number);
}

int listPorts(bool json)
{
    TransferSession session; // the port information needs Qt's application object
    const std::vector<link::PortListing> ports = link::listPorts(link::systemPortMapping());
    std::string out = json ? "[\n" : "";
    for (const link::PortListing& port : ports) {
        const std::string usb = link::usbText(port.usb);
        if (json) {
            out += " {\"port\": " + jsonString(portName(port.number)) +
                   ", \"device\": " + jsonString(port.device) +
                   ", \"state\": " + jsonString(link::portStateKey(port.status.state)) +
                   ", \"text\": " + jsonString(link::portStatusText(port.status, kTerminal)) + ", \"usb\": ";
            if (port.usb.empty())
                out += "null";
            else
                out += "{\"vendorId\": " + jsonString(port.usb.vendorId) +
                       ", \"productId\": " + jsonString(port.usb.productId) +
                       ", \"manufacturer\": " + jsonString(port.usb.manufacturer) +
                       ", \"product\": " + jsonString(port.usb.product) +
                       ", \"serialNumber\": " + jsonString(port.usb.serialNumber) + "}";
            out += port.number < link::kPortCount ? "},\n" : "}\n";
        } else {
            char line[96];
            std::snprintf(line, sizeof line, "%-6s %-20s ", portName(port.number).c_str(),
                          port.device.c_str());
            out += line + link::portStatusText(port.status, kTerminal);
            if (!usb.empty())
                out += "; " + usb;
            out += "\n";
        }
    }
    if (json)
        out += "]\n";
    std::fputs(out.c_str(), stdout);
    return kExitOk;
}

// The ports --probe asks: the ones named (a COM name or a device), or every free one.
bool probeTargets(const ParsedArgs& parsed, std::vector<std::string>& names,
                  std::vector<std::string>& devices)
{
    const link::PortMapping mapping = link::systemPortMapping();
    if (parsed.has("--port")) {
        for (const std::string& named : parsed.all("--port")) {
            const std::optional<std::string> device = link::resolvePortDevice(named, mapping);
            if (!device) {
                fail(kExitUsage, named + " stands for no device on this system");
                return false;
            }
            names.push_back(named);
            devices.push_back(*device);
        }
        return true;
    }
    for (const link::PortListing& port : link::listPorts(mapping))
        if (port.status.state == link::PortState::Free) {
            names.push_back(portName(port.number));
            devices.push_back(port.device);
        }
    return true;
}

int probe(const ParsedArgs& parsed, bool json)
{
    TransferSession session; // Ctrl+C ends the probes
    std::vector<std::string> names;
    std::vector<std::string> devices;
    if (!probeTargets(parsed, names, devices))
        return kExitUsage;
    std::fprintf(stderr, "%s\n", textOf(Text::FindRadioNote, kTerminal));
    const std::vector<link::ProbeAnswer> answers =
        link::probePorts(devices, [] { return TransferSession::interrupted(); });
    std::string out = json ? "[\n" : "";
    int radios = 0;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const link::ProbeAnswer& a = answers[i];
        radios += a.result == link::ProbeResult::Radio ? 1 : 0;
        if (json) {
            out += " {\"port\": " + jsonString(names[i]) + ", \"device\": " + jsonString(devices[i]) +
                   ", \"answer\": " + jsonString(link::probeResultKey(a.result)) +
                   ", \"variant\": " + std::to_string(a.variant) +
                   ", \"text\": " + jsonString(link::probeAnswerText(a, kTerminal)) + "}" +
                   (i + 1 < answers.size() ? ",\n" : "\n");
        } else {
            char line[96];
            std::snprintf(line, sizeof line, "%-6s %-20s ", names[i].c_str(), devices[i].c_str());
            out += line + link::probeAnswerText(a, kTerminal) + "\n";
        }
    }
    if (json)
        out += "]\n";
    std::fputs(out.c_str(), stdout);
    if (TransferSession::interrupted())
        return fail(kExitFailure, "cancelled");
    if (radios == 0)
        return fail(kExitFailure,
                    devices.empty() ? "no free port to ask" : textOf(Text::FindRadioNone, kTerminal));
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
    const bool json = parsed.has("--json");
    if (args.empty())
        return parsed.has("--probe") ? probe(parsed, json) : listPorts(json);
    if (parsed.has("--probe") || json || parsed.has("--port"))
        return usageError("ports", "--probe, --port and --json go with the listing, not with set");
    if (args[0] == "set" && (args.size() == 3 || args.size() == 2))
        return setPort(args[1], args.size() == 3 ? args[2] : std::string());
    return usageError("ports", "ports takes nothing, or set COMn DEVICE");
}

const CommandRegistrar registrar({
    .name = "ports",
    .summary = "what each COM port is now; --probe finds the radio; set COMn DEVICE changes one",
    .arguments = {{"set", Count::Optional}, {"COMn", Count::Optional}, {"DEVICE", Count::Optional}},
    .options = {{.name = "--json", .help = "the listing as JSON, for programs"},
                {.name = "--probe",
                 .help = "ask each free port (or each port named by --port) at once for the radio's "
                         "identification and list which answer, with the radio variant. It sends a few "
                         "bytes to each port (the opening of a Read) and writes nothing into a radio"},
                {.name = "--port",
                 .value = "P",
                 .repeats = true,
                 .help = "with --probe: ask this port (COMn or a device path) instead of every free one"}},
    .description = "Lists the device behind each of COM1 .. COM16, whether it is absent, not open to\n"
                   "you (and how to get access), in use by another program or free, and the USB\n"
                   "adapter behind it. Built in on Linux: COM1-COM8 = /dev/ttyUSB0-7,\n"
                   "COM9-COM12 = /dev/ttyACM0-3, COM13-COM16 = /dev/ttyS0-3; on Windows the ports\n"
                   "themselves; on macOS the /dev/cu.* devices in name order. \"ports set COMn DEVICE\"\n"
                   "changes that for this user (an empty DEVICE goes back to the built-in one); the\n"
                   "environment variable QX260_PORT_COMn overrides both for one run.",
    .notes = "Exit status of --probe: 0 when a radio answered on some port, 1 when none did.",
    .run = runPorts,
});

} // namespace
} // namespace qx260::cli
