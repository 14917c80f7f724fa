#pragma once
// What the ports COM1 .. COM16 are right now, for the Port Setting dialog and qx260-cli
// ports: the device each stands for, whether it is there and may be opened (and if not,
// why), and the USB description of the adapter behind it. And Find Radio: the radio probe
// run on every port named, all at once, each on a thread and a link of its own.

#include <functional>
#include <string>
#include <vector>

#include "core/link/PortNaming.h"
#include "core/link/RadioProbe.h"

namespace qx260::link
{

// The USB adapter behind a device, as the system describes it; empty fields are unknown.
struct UsbDescription {
    std::string vendorId;  // four hex digits, "0403"
    std::string productId; // "6001"
    std::string manufacturer;
    std::string product;
    std::string serialNumber;

    bool empty() const
    {
        return vendorId.empty() && productId.empty() && manufacturer.empty() && product.empty();
    }
};

// "FTDI FT232R USB UART (0403:6001, serial A10KX7D2)": empty when there is no USB adapter.
std::string usbText(const UsbDescription& usb);

struct PortListing {
    int number = 0;     // 1..16
    std::string device; // empty when the number maps to no device
    PortStatus status;
    UsbDescription usb;
};

// Whether `device` is there and may be opened now; a free device is opened and closed at once.
PortStatus portStatus(const std::string& device);

// COM1 .. COM16 through `mapping`, each device looked at by `statusOf`.
std::vector<PortListing>
listPorts(const PortMapping& mapping,
          const std::function<PortStatus(const std::string&)>& statusOf = portStatus);

// Probes each device at once, on a thread of its own; the answers in the order of `devices`.
// Asked from the calling thread now and then; true ends the probes still running.
std::vector<ProbeAnswer> probePorts(const std::vector<std::string>& devices,
                                    const std::function<bool()>& cancelRequested = {});

} // namespace qx260::link
