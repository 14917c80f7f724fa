#include "platform/QSettingsUserStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <filesystem>
#include <limits>

namespace qx260
{

QString userSettingsFile()
{
    const QString overridden = qEnvironmentVariable("QX260_SETTINGS");
    if (!overridden.isEmpty())
        return overridden;
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/qx260/qx260.ini");
}

FileResult checkUserSettingsFile(const QString& file)
{
    const std::string path = QFile::encodeName(file).toStdString();
    const FileResult checked = checkSmallFile(path, kMaxTextFileSize);
    std::error_code ec;
    if (!checked.ok() && !std::filesystem::exists(path, ec) && !ec)
        return {};
    return checked;
}

QSettingsUserStore::QSettingsUserStore() : file_(userSettingsFile()) {}

QSettingsUserStore::QSettingsUserStore(QString file) : file_(std::move(file)) {}

QString QSettingsUserStore::settingsPath(const std::string& key, const std::string& name)
{
    // "Software\App" becomes the groups Software/App. A "/" or "%" inside a part is
    // escaped so that it can neither split nor merge groups.
    QString path;
    for (const QString& part : QString::fromStdString(key).split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        QString escaped = part;
        escaped.replace(QLatin1Char('%'), QStringLiteral("%25"));
        escaped.replace(QLatin1Char('/'), QStringLiteral("%2F"));
        path += escaped + QLatin1Char('/');
    }
    QString value = QString::fromStdString(name).toLower();
    value.replace(QLatin1Char('%'), QStringLiteral("%25"));
    value.replace(QLatin1Char('/'), QStringLiteral("%2F"));
    value.replace(QLatin1Char('\\'), QStringLiteral("%5C"));
    return path + value;
}

std::optional<std::int32_t> QSettingsUserStore::readNumber(const std::string& key, const std::string& name)
{
    if (!checkUserSettingsFile(file_).ok())
        return std::nullopt;
    QSettings settings(file_, QSettings::IniFormat);
    const QVariant v = settings.value(settingsPath(key, name));
    if (!v.isValid() || v.typeId() == QMetaType::QStringList)
        return std::nullopt;
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok, 10);
    if (!ok || n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(n);
}

bool QSettingsUserStore::writeNumber(const std::string& key, const std::string& name, std::int32_t value)
{
    const QFileInfo info(file_);
    if (!QDir().mkpath(info.absolutePath()) || !checkUserSettingsFile(file_).ok())
        return false;
    QSettings settings(file_, QSettings::IniFormat);
    if (!settings.isWritable())
        return false;
    settings.setValue(settingsPath(key, name), static_cast<int>(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace qx260
