// The COM overrides read from and written to the per-user settings file, and the mapping a
// real run uses, with the serial devices Qt finds present.

#include "platform/PortSettings.h"

#include <QSerialPortInfo>
#include <QSettings>

#include "platform/QSettingsUserStore.h"

namespace qx260::link
{

namespace
{
QString overrideKey(int number)
{
    return QStringLiteral("Ports/COM%1").arg(number);
}
} // namespace

std::optional<std::string> portOverride(int number)
{
    if (!checkUserSettingsFile(userSettingsFile()).ok())
        return std::nullopt;
    QSettings settings(userSettingsFile(), QSettings::IniFormat);
    const QString value = settings.value(overrideKey(number)).toString();
    if (value.isEmpty())
        return std::nullopt;
    return value.toStdString();
}

FileResult setPortOverride(int number, const std::string& device)
{
    return changeUserSettings(userSettingsFile(), [&](QSettings& settings) {
        if (device.empty())
            settings.remove(overrideKey(number));
        else
            settings.setValue(overrideKey(number), QString::fromStdString(device));
    });
}

PortMapping systemPortMapping()
{
    PortMapping mapping = environmentOnlyMapping();
    mapping.userOverride = [](int number) { return portOverride(number); };
    mapping.presentDevices = [] {
        std::vector<std::string> devices;
        for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
            devices.push_back(port.systemLocation().toStdString());
        return devices;
    };
    return mapping;
}

} // namespace qx260::link
