// The per-user settings file: where it lies, changes written as a draft that replaces the
// file only once it reads back right, and the number and text values under the program's
// groups.

#include "platform/QSettingsUserStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <filesystem>
#include <limits>

#include "platform/FileLock.h"
#include "platform/InstallPaths.h"

namespace qx260
{

namespace
{

const char* const kNoSettingsPlace =
    "this account has no home folder to keep settings in (HOME is not set and the system names "
    "none); set QX260_SETTINGS to the settings file to use";

} // namespace

QString userSettingsFile()
{
    const QString overridden = qEnvironmentVariable("QX260_SETTINGS");
    if (!overridden.isEmpty())
        return overridden;
    const QString base = userConfigurationBase();
    if (base.isEmpty())
        return {};
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

namespace
{

// The change itself, under the lock; see changeUserSettings.
FileResult changeLockedSettings(const std::string& path, const std::function<void(QSettings&)>& change)
{
    const FileReadResult current = readWholeFile(path, kMaxTextFileSize);
    if (!current.ok())
        return current;

    // QSettings writes the changed file as a draft in a folder of its own...
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return FileResult::failure("cannot make a temporary folder");
    const auto writeBytes = [](const QString& name, const QByteArray& bytes) {
        QFile f(name);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
    };
    const QString draftFile = scratch.filePath(QStringLiteral("draft.ini"));
    const QByteArray before(reinterpret_cast<const char*>(current.bytes.data()),
                            qsizetype(current.bytes.size()));
    if (!writeBytes(draftFile, before))
        return FileResult::failure("cannot write a temporary file");
    QSettings draft(draftFile, QSettings::IniFormat);
    change(draft);
    draft.sync();
    if (draft.status() == QSettings::FormatError)
        return FileResult::failure(path + " is not a settings file (it cannot be read as one); move it "
                                          "aside or remove it, and the program starts a new one");
    QFile drafted(draftFile);
    if (draft.status() != QSettings::NoError || !drafted.open(QIODevice::ReadOnly))
        return FileResult::failure("cannot write a temporary file");
    const QByteArray after = drafted.readAll();
    // Never a file the next read would refuse.
    if (static_cast<std::size_t>(after.size()) > kMaxTextFileSize)
        return FileResult::failure("the settings would grow larger than the 1 MiB the program reads; "
                                   "nothing was changed",
                                   FileResult::Kind::TooLarge);

    // ...which counts only when it reads back as what was meant: QSettings does not tell
    // a write cut short by a full disk. (A copy is read, as QSettings would answer a
    // second reading of the draft itself from its memory.)
    const QString checkFile = scratch.filePath(QStringLiteral("check.ini"));
    if (!writeBytes(checkFile, after))
        return FileResult::failure("cannot write a temporary file");
    const QSettings check(checkFile, QSettings::IniFormat);
    const QStringList keys = draft.allKeys();
    if (check.allKeys() != keys)
        return FileResult::failure("the settings could not be written whole");
    for (const QString& key : keys) {
        if (check.value(key).toString() != draft.value(key).toString())
            return FileResult::failure("the settings could not be written whole");
    }
    return replaceFile(path, std::string_view(after.constData(), static_cast<std::size_t>(after.size())));
}

} // namespace

FileResult changeUserSettings(const QString& file, const std::function<void(QSettings&)>& change)
{
    if (file.isEmpty())
        return FileResult::failure(kNoSettingsPlace);
    const std::string path = QFile::encodeName(file).toStdString();
    const QString folder = QFileInfo(file).absolutePath();
    // The folders this change makes, the deepest first.
    QStringList made;
    for (QString missing = folder; !QFileInfo::exists(missing);) {
        made.append(missing);
        const QString parent = QFileInfo(missing).absolutePath();
        if (parent == missing)
            break;
        missing = parent;
    }
    if (!QDir().mkpath(folder))
        return FileResult::failure("cannot make the folder " + folder.toStdString());
    // A failed change leaves no new folder or empty file behind.
    const auto removeMadeFolder = [&] {
        for (const QString& one : std::as_const(made))
            QDir().rmdir(one);
    };
    if (const FileResult checked = checkUserSettingsFile(file); !checked.ok()) {
        removeMadeFolder();
        return checked;
    }
    // From the read to the rename, no other change of the file comes between.
    FileLock lock;
    if (const FileResult locked = lock.lock(path, MissingFile::Create); !locked.ok()) {
        removeMadeFolder();
        return locked;
    }
    const FileResult changed = changeLockedSettings(path, change);
    if (!changed.ok()) {
        lock.discardCreatedFile();
        removeMadeFolder();
    }
    return changed;
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
    const std::optional<std::string> text = readText(key, name);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const qlonglong n = QString::fromStdString(*text).trimmed().toLongLong(&ok, 10);
    if (!ok || n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(n);
}

bool QSettingsUserStore::writeNumber(const std::string& key, const std::string& name, std::int32_t value)
{
    return changeUserSettings(file_,
                              [&](QSettings& settings) {
                                  settings.setValue(settingsPath(key, name), static_cast<int>(value));
                              })
        .ok();
}

std::optional<std::string> QSettingsUserStore::readText(const std::string& key, const std::string& name)
{
    if (!checkUserSettingsFile(file_).ok())
        return std::nullopt;
    QSettings settings(file_, QSettings::IniFormat);
    const QVariant v = settings.value(settingsPath(key, name));
    // A list is what QSettings makes of an unquoted "a, b" typed into the file by hand.
    if (!v.isValid() || v.typeId() == QMetaType::QStringList)
        return std::nullopt;
    return v.toString().toStdString();
}

bool QSettingsUserStore::writeText(const std::string& key, const std::string& name, const std::string& value)
{
    return changeUserSettings(file_,
                              [&](QSettings& settings) {
                                  settings.setValue(settingsPath(key, name), QString::fromStdString(value));
                              })
        .ok();
}

} // namespace qx260
