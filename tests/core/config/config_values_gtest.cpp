// The language values taken from Program.ini, and the per-user values: the key under the
// configured AppName, the product choice, names in any letter case, and failed writes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/config/CIniFile.h"
#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "tests/support/TestSystem.h"

namespace fs = std::filesystem;
using namespace qx260;

namespace
{

// A configuration store loaded from the given text, case-insensitive like the program's.
class ConfigFile
{
  public:
    explicit ConfigFile(const std::string& content, const std::string& name)
    {
        path_ = fs::temp_directory_path() /
                ("qx260-config-" + std::to_string(testsystem::processId()) + "-" + name + ".ini");
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~ConfigFile() { fs::remove(path_); }
    bool loadInto(CIniFile& ini) const { return ini.Load(path_.string(), false, true).ok(); }

  private:
    fs::path path_;
};

struct LanguageCase {
    const char* ini;
    const char* name;
    bool flag;
    const char* help;
};

TEST(ProcessValuesTest, DerivesLanguageValues)
{
    const LanguageCase cases[] = {
        {"[Setup]\nLanguage=Chinese\n", "Chinese", true, "chHelp.chm"},
        {"[Setup]\nLanguage=chinese\n", "chinese", false, "enHelp.chm"},
        {"[setup]\nlanguage = English\n", "English", false, "enHelp.chm"},
        {"", "", false, "enHelp.chm"},
    };
    int i = 0;
    for (const LanguageCase& c : cases) {
        SCOPED_TRACE(c.ini);
        ConfigFile file(c.ini, "lang" + std::to_string(i++));
        ProcessValues values;
        ASSERT_TRUE(file.loadInto(values.configurationStore));
        values.deriveLanguageValues();
        EXPECT_EQ(values.languageName, c.name);
        EXPECT_EQ(isChinese(values.language()), c.flag);
        EXPECT_EQ(values.helpFileName, c.help);
    }
}

TEST(ProcessValuesTest, InitialValuesAndLanguageSection)
{
    ConfigFile file("[Setup]\nLanguage=English\nAppName=QX\n[English]\ncompany=Acme\n"
                    "[Chinese]\nCompany=Other\n",
                    "section");
    ProcessValues values;
    EXPECT_EQ(values.radioVariant, 1);
    EXPECT_EQ(values.portDeviceName, "COM1");
    EXPECT_EQ(values.applicationName, "Program");

    ASSERT_TRUE(file.loadInto(values.configurationStore));
    values.deriveLanguageValues();
    EXPECT_EQ(values.languageString("Company"), "Acme");
    EXPECT_EQ(values.languageString("Version"), "");
    EXPECT_EQ(values.setupString("appname"), "QX");
    EXPECT_EQ(values.language(), Language::English);
    EXPECT_EQ(&processValues(), &processValues());
}

TEST(UserStoreTest, KeyFollowsTheSetupAppName)
{
    ConfigFile named("[Setup]\nAppName=QX-260 Programmer\n", "key1");
    ConfigFile empty("[Setup]\nAppName=\n", "key2");
    CIniFile a, b, none;
    ASSERT_TRUE(named.loadInto(a));
    ASSERT_TRUE(empty.loadInto(b));
    EXPECT_EQ(userStoreKey(a), "Software\\QX-260 Programmer");
    EXPECT_EQ(userStoreKey(b), "Software");
    EXPECT_EQ(userStoreKey(none), "Software");
}

TEST(UserStoreTest, ProductChoiceRoundTripAndMissingValuesReadZero)
{
    ConfigFile file("[Setup]\nAppName=QX\n", "choice");
    CIniFile ini;
    ASSERT_TRUE(file.loadInto(ini));
    MemoryUserStore store;
    EXPECT_EQ(readProductChoice(store, ini).type, 0);
    EXPECT_EQ(readProductChoice(store, ini).field, 0);

    writeProductChoice(store, ini, {3, 7});
    const ProductChoice back = readProductChoice(store, ini);
    EXPECT_EQ(back.type, 3);
    EXPECT_EQ(back.field, 7);
    EXPECT_EQ(store.readNumber("Software\\QX", "TYPE"), 3);
    EXPECT_EQ(store.readNumber("Software", "Type"), std::nullopt); // other key
}

TEST(UserStoreTest, ValueNamesIgnoreCaseAndFailedWritesKeepOldValue)
{
    MemoryUserStore store;
    EXPECT_TRUE(store.writeNumber("Software\\QX", "com", 5));
    EXPECT_EQ(store.readNumber("Software\\QX", "COM"), 5);
    EXPECT_TRUE(store.writeNumber("Software\\QX", "Com", -2));
    EXPECT_EQ(store.readNumber("Software\\QX", "com"), -2);
    store.failWrites = true;
    EXPECT_FALSE(store.writeNumber("Software\\QX", "com", 9));
    EXPECT_EQ(store.readNumber("Software\\QX", "com"), -2);
}

} // namespace
