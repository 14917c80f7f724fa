// The running executable's path from the system (Linux, Windows, macOS), the per-user
// configuration folder, and which Program.ini the program reads.

#include "platform/InstallPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(Q_OS_MACOS)
#include <mach-o/dyld.h>
#endif
#if defined(Q_OS_UNIX)
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

QString userConfigurationBase()
{
#if defined(Q_OS_WIN)
    return QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
#else
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configured.startsWith(QLatin1Char('/')))
        return configured;
    QString home = qEnvironmentVariable("HOME");
#if defined(Q_OS_UNIX)
    if (home.isEmpty()) {
        // Started without an environment (a service, "env -i"): the account still has a home.
        if (const struct passwd* account = ::getpwuid(::getuid()); account && account->pw_dir)
            home = QFile::decodeName(account->pw_dir);
    }
#endif
    if (!home.startsWith(QLatin1Char('/')) || home == QStringLiteral("/"))
        return {};
    return home + QStringLiteral("/.config");
#endif
}

std::string userConfigurationDirectory()
{
    const QString base = userConfigurationBase();
    if (base.isEmpty())
        return {};
    return toNative(QDir::fromNativeSeparators(base) + QStringLiteral("/qx260/"));
}

void provideRuntimeDirectory()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const uid_t user = ::geteuid();
    const struct passwd* account = ::getpwuid(user);
    const QString name =
        account && account->pw_name ? QFile::decodeName(account->pw_name) : QString::number(user);
    const QString folder = QDir::tempPath() + QStringLiteral("/runtime-") + name;
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return;
    struct stat found {
    };
    if (::lstat(native.constData(), &found) != 0 || !S_ISDIR(found.st_mode) || found.st_uid != user ||
        (found.st_mode & 0777) != 0700)
        return;
    qputenv("XDG_RUNTIME_DIR", native);
#endif
}

bool regularFileExists(const std::string& path)
{
    return QFileInfo(fromNative(path)).isFile();
}

ConfigurationChoice locateConfiguration(const std::string& executableDirectory, UserCopy userCopy)
{
    ConfigurationChoice choice =
        chooseConfiguration(executableDirectory, userConfigurationDirectory(), regularFileExists);
    if (choice.place != ConfigurationPlace::PerUserCopy || userCopy == UserCopy::Make ||
        regularFileExists(choice.path))
        return choice;
    // Nothing of the user's yet: the shipped file alone.
    choice.place = ConfigurationPlace::SharedDefault;
    choice.path = choice.sharedDefault;
    return choice;
}

} // namespace qx260
