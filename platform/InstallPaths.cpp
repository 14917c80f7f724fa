// The running executable's path from the system (Linux, Windows, macOS), the per-user
// configuration folder from Qt's standard paths, and the per-user copy of Program.ini.

#include "platform/InstallPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(Q_OS_MACOS)
#include <mach-o/dyld.h>
#endif

namespace qx260
{

namespace
{

std::string toNative(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString fromNative(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

std::string executablePath()
{
#if defined(Q_OS_WIN)
    wchar_t buffer[32768];
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    if (length == 0 || length >= std::size(buffer))
        return {};
    return toNative(QDir::fromNativeSeparators(QString::fromWCharArray(buffer, static_cast<int>(length))));
#elif defined(Q_OS_MACOS)
    char buffer[4096];
    uint32_t size = sizeof buffer;
    if (::_NSGetExecutablePath(buffer, &size) != 0)
        return {};
    std::error_code ec;
    const std::filesystem::path resolved = std::filesystem::canonical(buffer, ec);
    return ec ? std::string(buffer) : resolved.string();
#else
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.string();
#endif
}

std::string executableDirectory()
{
    const std::string path = executablePath();
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string userConfigurationDirectory()
{
#if defined(Q_OS_WIN)
    const QString base = qEnvironmentVariable("APPDATA");
#else
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#endif
    if (base.isEmpty())
        return {};
    return toNative(QDir::fromNativeSeparators(base) + QStringLiteral("/qx260/"));
}

bool regularFileExists(const std::string& path)
{
    return QFileInfo(fromNative(path)).isFile();
}

ConfigurationChoice locateConfiguration(const std::string& executableDirectory, UserCopy userCopy,
                                        QString* error)
{
    ConfigurationChoice choice =
        chooseConfiguration(executableDirectory, userConfigurationDirectory(), regularFileExists);
    if (choice.place != ConfigurationPlace::PerUserCopy || regularFileExists(choice.path))
        return choice;
    const auto readShipped = [&choice] {
        choice.place = ConfigurationPlace::SharedDefault;
        choice.path = choice.sharedDefault;
        return choice;
    };
    if (userCopy == UserCopy::ReadOnly)
        return readShipped();

    // The copy is written whole or not at all, and gets the user's own permissions
    // (the shipped file may be read-only).
    const QString target = fromNative(choice.path);
    QFile shipped(fromNative(choice.sharedDefault));
    QString problem;
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
        problem = QStringLiteral("cannot create the folder %1").arg(QFileInfo(target).absolutePath());
    } else if (!shipped.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("cannot read %1: %2").arg(shipped.fileName(), shipped.errorString());
    } else {
        const QByteArray contents = shipped.readAll();
        QSaveFile copy(target);
        if (!copy.open(QIODevice::WriteOnly) || copy.write(contents) != contents.size() || !copy.commit())
            problem = QStringLiteral("cannot write %1: %2").arg(target, copy.errorString());
    }
    if (problem.isEmpty())
        return choice;
    if (error)
        *error = problem;
    return readShipped();
}

} // namespace qx260
