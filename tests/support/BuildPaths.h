#pragma once
// Where the build put what the tests start and read: the programs in its bin/ folder,
// the built manual, the sources. Found at run time from the test executable, which lies in
// that same bin/ folder, instead of being compiled in: the test sources then compile to
// the same objects in every checkout, and a fresh clone's build takes them from the
// compiler cache.

#include <filesystem>

#include <QDir>
#include <QFile>
#include <QString>

namespace qx260::testpaths
{

// The build's bin/ folder (no trailing separator).
inline QString binDir()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return QString::fromStdString(self.parent_path().string());
}

// The built manual: share/qx260/manual beside bin/.
inline QString manualDir()
{
    return QDir::cleanPath(binDir() + QStringLiteral("/../share/qx260/manual"));
}

// The source tree the build was configured from, as its cache names it.
inline QString sourceDir()
{
    QFile cache(binDir() + QStringLiteral("/../CMakeCache.txt"));
    if (!cache.open(QIODevice::ReadOnly))
        return {};
    const QByteArray key = "CMAKE_HOME_DIRECTORY:INTERNAL=";
    while (!cache.atEnd()) {
        const QByteArray line = cache.readLine().trimmed();
        if (line.startsWith(key))
            return QString::fromLocal8Bit(line.mid(key.size()));
    }
    return {};
}

} // namespace qx260::testpaths
