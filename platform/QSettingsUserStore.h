#pragma once
// The per-user store on a real system: an INI file read and written through QSettings.
// The file is $QX260_SETTINGS when that is set (tests and portable runs), else
// qx260/qx260.ini in the user's configuration directory (~/.config on Linux).

#include <QString>

#include <functional>

#include "core/config/FileAccess.h"
#include "core/config/UserStore.h"

class QSettings;

namespace qx260
{

// Full path of the per-user settings file. Other per-user settings (port device
// overrides, for example) live in the same file. Empty when the account has no home
// folder (see userConfigurationBase): reads then find nothing, and writes fail with a
// message that names QX260_SETTINGS.
QString userSettingsFile();

// Whether the settings file may be used: a missing one is fine (the first write makes it);
// anything but a regular file, or one over kMaxTextFileSize, is refused before it is
// opened, as a named pipe there would keep the program waiting for ever. Reads of a
// refused file find nothing and writes fail.
FileResult checkUserSettingsFile(const QString& file);

// Changes the settings file: `change` edits it through QSettings, and the file is then
// replaced whole or not at all (see replaceFile), under its edit lock. QSettings writes
// its files itself, and a write cut short by a full disk passes there unnoticed; so it
// writes a draft, which is put in place only when it reads back complete.
FileResult changeUserSettings(const QString& file, const std::function<void(QSettings&)>& change);

class QSettingsUserStore : public UserStore
{
  public:
    QSettingsUserStore(); // on userSettingsFile()
    explicit QSettingsUserStore(QString file);

    std::optional<std::int32_t> readNumber(const std::string& key, const std::string& name) override;
    bool writeNumber(const std::string& key, const std::string& name, std::int32_t value) override;
    std::optional<std::string> readText(const std::string& key, const std::string& name) override;
    bool writeText(const std::string& key, const std::string& name, const std::string& value) override;

    const QString& file() const { return file_; }

    // Where key + name live inside the file: the key's parts become nested groups,
    // the value name is stored in lower case.
    static QString settingsPath(const std::string& key, const std::string& name);

  private:
    QString file_;
};

} // namespace qx260
