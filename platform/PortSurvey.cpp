// The port survey over the system: stat and access say whether a device is there and open
// to this user, an open says whether another program holds it, QSerialPortInfo gives the
// USB description; Find Radio runs the core's probe on PortThreads.

#include "platform/PortSurvey.h"

#include <QSerialPortInfo>

#include <atomic>
#include <memory>

#include "platform/PortThreads.h"
#include "platform/QtSerialLink.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace qx260::link
{

std::string usbText(const UsbDescription& usb)
{
    if (usb.empty())
        return {};
    std::string name = usb.manufacturer;
    if (!usb.product.empty())
        name += (name.empty() ? "" : " ") + usb.product;
    std::string ids;
    if (!usb.vendorId.empty() || !usb.productId.empty())
        ids = usb.vendorId + ":" + usb.productId;
    if (!usb.serialNumber.empty())
        ids += (ids.empty() ? "serial " : ", serial ") + usb.serialNumber;
    if (name.empty())
        return ids;
    return ids.empty() ? name : name + " (" + ids + ")";
}

PortStatus portStatus(const std::string& device)
{
    PortStatus status;
    if (device.empty())
        return status;
#ifdef Q_OS_UNIX
    struct stat st {
    };
    if (::stat(device.c_str(), &st) != 0) {
        status.state = PortState::Absent;
        return status;
    }
    if (::access(device.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
        status.state = PortState::NoPermission;
        if (const struct group* g = ::getgrgid(st.st_gid); g && st.st_gid != 0)
            status.group = g->gr_name;
        return status;
    }
    // A plain open, not a serial port object: it needs no event loop, and a device that
    // another program keeps exclusive refuses it as the serial port would.
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        status.state =
            error == ENOENT || error == ENXIO || error == ENODEV ? PortState::Absent : PortState::InUse;
        if (status.state == PortState::InUse && error != EBUSY)
            status.reason = std::strerror(error);
        return status;
    }
    ::close(fd);
    status.state = PortState::Free;
#else
    status.state = QtSerialLink::probe(device) ? PortState::Free : PortState::InUse;
#endif
    return status;
}

std::vector<PortListing> listPorts(const PortMapping& mapping,
                                   const std::function<PortStatus(const std::string&)>& statusOf)
{
    const QList<QSerialPortInfo> present = QSerialPortInfo::availablePorts();
    std::vector<PortListing> ports;
    for (int n = 1; n <= kPortCount; ++n) {
        PortListing port;
        port.number = n;
        port.device = deviceForPort(n, mapping).value_or(std::string());
        port.status = statusOf(port.device);
        for (const QSerialPortInfo& info : present) {
            if (port.device.empty() || info.systemLocation().toStdString() != port.device)
                continue;
            if (info.hasVendorIdentifier())
                port.usb.vendorId =
                    QStringLiteral("%1").arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0')).toStdString();
            if (info.hasProductIdentifier())
                port.usb.productId =
                    QStringLiteral("%1").arg(info.productIdentifier(), 4, 16, QLatin1Char('0')).toStdString();
            port.usb.manufacturer = info.manufacturer().toStdString();
            port.usb.product = info.description().toStdString();
            port.usb.serialNumber = info.serialNumber().toStdString();
        }
        ports.push_back(port);
    }
    return ports;
}

std::vector<ProbeAnswer> probePorts(const std::vector<std::string>& devices,
                                    const std::function<bool()>& cancelRequested)
{
    // The answers are written by the ports' threads, each into its own slot, and read only
    // after every thread has returned.
    std::vector<ProbeAnswer> answers(devices.size());
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    {
        PortThreads threads;
        for (std::size_t i = 0; i < devices.size(); ++i)
            threads.start([&answers, &devices, i, cancelled](SerialLink& link) {
                answers[i] = probeRadio(link, devices[i], [cancelled] { return cancelled->load(); });
            });
        while (!threads.wait(50))
            if (cancelRequested && cancelRequested())
                cancelled->store(true);
    }
    return answers;
}

} // namespace qx260::link
