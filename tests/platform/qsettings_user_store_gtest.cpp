// The per-user settings file on a real system: where it lies, numbers and texts read back
// as written, keys that stay apart, values that are no number, an unwritable location.

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

#include "platform/QSettingsUserStore.h"

using qx260::QSettingsUserStore;

namespace
{

class QSettingsUserStoreTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        file_ = dir_.filePath("sub/qx260.ini");
        qputenv("QX260_SETTINGS", file_.toUtf8());
    }
    void TearDown() override { qunsetenv("QX260_SETTINGS"); }

    QTemporaryDir dir_;
    QString file_;
};

// QX260_SETTINGS first; else $XDG_CONFIG_HOME when absolute, else the home folder's
// .config, the home folder from the password database when HOME is not set (never
// "/.config").
TEST_F(QSettingsUserStoreTest, FileComesFromTheEnvironmentOrTheUserConfigDirectory)
{
    EXPECT_EQ(qx260::userSettingsFile(), file_);
    EXPECT_EQ(QSettingsUserStore().file(), file_);
    qunsetenv("QX260_SETTINGS");
    const QByteArray home = qgetenv("HOME");
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    const struct passwd* account = ::getpwuid(::getuid());
    ASSERT_NE(account, nullptr);
    const QString accountHome = QFile::decodeName(account->pw_dir);
    const struct {
        const char* home;       // nullptr: unset
        const char* configHome; // nullptr: unset
        QString file;
    } cases[] = {
        {"/h", "/c", "/c/qx260/qx260.ini"},
        {"/h", nullptr, "/h/.config/qx260/qx260.ini"},
        {"/h", "relative", "/h/.config/qx260/qx260.ini"},
        {nullptr, nullptr, accountHome + "/.config/qx260/qx260.ini"},
        {"", "", accountHome + "/.config/qx260/qx260.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        c.home ? qputenv("HOME", c.home) : qunsetenv("HOME");
        c.configHome ? qputenv("XDG_CONFIG_HOME", c.configHome) : qunsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(qx260::userSettingsFile(), c.file);
    }
    // An account without any home: a write refuses and says what to set.
    EXPECT_NE(qx260::changeUserSettings(QString(), [](QSettings&) {}).reason.find("QX260_SETTINGS"),
              std::string::npos);
    home.isNull() ? qunsetenv("HOME") : qputenv("HOME", home);
    configHome.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", configHome);
}

TEST_F(QSettingsUserStoreTest, NumbersRoundTripThroughTheFileWithCaseInsensitiveNames)
{
    {
        QSettingsUserStore store;
        EXPECT_EQ(store.readNumber("Software\\QX-260 Programmer", "COM"), std::nullopt);
        EXPECT_TRUE(store.writeNumber("Software\\QX-260 Programmer", "com", 7));
        EXPECT_TRUE(store.writeNumber("Software\\QX-260 Programmer", "Type", -1));
        EXPECT_TRUE(store.writeNumber("Software", "Field", 2147483647));
    }
    ASSERT_TRUE(QFile::exists(file_));
    QSettingsUserStore again; // a new instance reads what the first one wrote
    EXPECT_EQ(again.readNumber("Software\\QX-260 Programmer", "COM"), 7);
    EXPECT_EQ(again.readNumber("Software\\QX-260 Programmer", "type"), -1);
    EXPECT_EQ(again.readNumber("Software", "FIELD"), 2147483647);
    EXPECT_EQ(again.readNumber("Software", "com"), std::nullopt);
}

TEST_F(QSettingsUserStoreTest, TextsRoundTripAsWrittenWhateverTheyHold)
{
    // Paths and window placements: commas, quotes, spaces at either end, "@" (QSettings'
    // mark for its own types), separators of both systems, other scripts, nothing at all.
    const std::string texts[] = {"/home/a, b/radio.dat", "  spaced  ", "@Variant(x)", "C:\\radios\\\"q\".dat",
                                 "信道/写频.dat",        "",           "line\nbreak", "AdnQywADAAAAAAA="};
    {
        QSettingsUserStore store;
        int i = 0;
        for (const std::string& text : texts)
            EXPECT_TRUE(
                store.writeText("Software\\QX\\Recent File List", "File" + std::to_string(++i), text));
        EXPECT_TRUE(store.writeNumber("Software\\QX", "com", 3));
    }
    QSettingsUserStore again;
    int i = 0;
    for (const std::string& text : texts)
        EXPECT_EQ(again.readText("Software\\QX\\Recent File List", "file" + std::to_string(++i)), text);
    EXPECT_EQ(again.readText("Software\\QX\\Recent File List", "File9"), std::nullopt);
    // A number reads as its text; the texts beside it left it alone.
    EXPECT_EQ(again.readText("Software\\QX", "COM"), "3");
}

TEST_F(QSettingsUserStoreTest, KeysWithSlashesOrPercentsStayApart)
{
    QSettingsUserStore store;
    EXPECT_TRUE(store.writeNumber("Software\\A/B", "com", 1));
    EXPECT_TRUE(store.writeNumber("Software\\A\\B", "com", 2));
    EXPECT_TRUE(store.writeNumber("Software\\A%2FB", "com", 3));
    EXPECT_EQ(store.readNumber("Software\\A/B", "com"), 1);
    EXPECT_EQ(store.readNumber("Software\\A\\B", "com"), 2);
    EXPECT_EQ(store.readNumber("Software\\A%2FB", "com"), 3);
}

TEST_F(QSettingsUserStoreTest, ValuesThatAreNotThirtyTwoBitNumbersReadAsMissing)
{
    {
        QSettings raw(file_, QSettings::IniFormat);
        const QString group = QSettingsUserStore::settingsPath("Software\\QX", "");
        raw.setValue(group + "text", "COM3");
        raw.setValue(group + "big", "4294967296");
        raw.setValue(group + "list", QStringList{"1", "2"});
        raw.setValue(group + "trailing", "12abc");
        raw.setValue(group + "ok", " 42 ");
        raw.sync();
    }
    QSettingsUserStore store;
    for (const char* name : {"text", "big", "list", "trailing"}) {
        EXPECT_EQ(store.readNumber("Software\\QX", name), std::nullopt) << name;
    }
    EXPECT_EQ(store.readNumber("Software\\QX", "ok"), 42);
}

TEST_F(QSettingsUserStoreTest, UnwritableLocationReportsFailure)
{
    QFile blocker(dir_.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettingsUserStore store(dir_.filePath("blocker/qx260.ini")); // parent is a plain file
    EXPECT_FALSE(store.writeNumber("Software", "com", 1));
    EXPECT_FALSE(store.writeText("Software", "folder", "x"));
    EXPECT_EQ(store.readNumber("Software", "com"), std::nullopt);
}

} // namespace
