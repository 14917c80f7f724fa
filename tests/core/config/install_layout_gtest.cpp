// Which Program.ini, language module and picture the program takes: beside the
// executable in a build folder, the per-user copy of the shipped file once installed.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/config/InstallLayout.h"

using namespace qx260;

namespace
{

struct LayoutCase {
    const char* what;
    const char* executableDirectory;
    const char* userDirectory;
    std::set<std::string> files; // the files that exist
    ConfigurationPlace place;
    const char* path;
    const char* sharedDefault;
};

TEST(InstallLayoutTest, ChoosesTheConfigurationFile)
{
    const LayoutCase cases[] = {
        {"build folder: the file beside the executable, even when installed files exist too",
         "/src/build/bin/",
         "/home/ann/.config/qx260/",
         {"/src/build/bin/Program.ini", "/src/build/share/qx260/Program.ini"},
         ConfigurationPlace::BesideExecutable,
         "/src/build/bin/Program.ini",
         ""},
        {"installed: the per-user copy, made from the shipped file",
         "/usr/bin/",
         "/home/ann/.config/qx260/",
         {"/usr/share/qx260/Program.ini"},
         ConfigurationPlace::PerUserCopy,
         "/home/ann/.config/qx260/Program.ini",
         "/usr/share/qx260/Program.ini"},
        {"installed, copy already made: still the per-user copy",
         "/opt/q/bin/",
         "/home/ann/.config/qx260/",
         {"/opt/q/share/qx260/Program.ini", "/home/ann/.config/qx260/Program.ini"},
         ConfigurationPlace::PerUserCopy,
         "/home/ann/.config/qx260/Program.ini",
         "/opt/q/share/qx260/Program.ini"},
        {"installed, no per-user folder: the shipped file itself",
         "/usr/bin/",
         "",
         {"/usr/share/qx260/Program.ini"},
         ConfigurationPlace::SharedDefault,
         "/usr/share/qx260/Program.ini",
         "/usr/share/qx260/Program.ini"},
        {"a lone copied executable: beside it, as before",
         "/home/ann/tools/",
         "/home/ann/.config/qx260/",
         {"/home/ann/.config/qx260/Program.ini"},
         ConfigurationPlace::BesideExecutable,
         "/home/ann/tools/Program.ini",
         ""},
        {"Windows paths keep their separators",
         "C:\\Program Files\\qx260\\bin\\",
         "C:\\Users\\ann\\AppData\\Roaming\\qx260\\",
         {"C:\\Program Files\\qx260\\share\\qx260\\Program.ini"},
         ConfigurationPlace::PerUserCopy,
         "C:\\Users\\ann\\AppData\\Roaming\\qx260\\Program.ini",
         "C:\\Program Files\\qx260\\share\\qx260\\Program.ini"},
        {"installed at the root",
         "/bin/",
         "/root/.config/qx260/",
         {"/share/qx260/Program.ini"},
         ConfigurationPlace::PerUserCopy,
         "/root/.config/qx260/Program.ini",
         "/share/qx260/Program.ini"},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto exists = [&](const std::string& path) { return c.files.count(path) != 0; };
        const ConfigurationChoice choice =
            chooseConfiguration(c.executableDirectory, c.userDirectory, exists);
        EXPECT_EQ(choice.place, c.place);
        EXPECT_EQ(choice.path, c.path);
        EXPECT_EQ(choice.sharedDefault, c.sharedDefault);
    }
}

TEST(InstallLayoutTest, FindsCompanionFilesBesideTheExecutableFirst)
{
    const std::set<std::string> installed = {"/usr/lib/qx260/Chinese.so", "/usr/share/qx260/title.ico"};
    const std::set<std::string> both = {"/usr/bin/title.ico", "/usr/share/qx260/title.ico"};
    const auto in = [](const std::set<std::string>& files) {
        return [&files](const std::string& path) { return files.count(path) != 0; };
    };
    EXPECT_EQ(installedModuleDirectory("/usr/bin/"), "/usr/lib/qx260/");
    EXPECT_EQ(companionFile("/usr/bin/", installedModuleDirectory("/usr/bin/"), "Chinese.so", in(installed)),
              "/usr/lib/qx260/Chinese.so");
    EXPECT_EQ(companionFile("/usr/bin/", installedDataDirectory("/usr/bin/"), "title.ico", in(both)),
              "/usr/bin/title.ico");
    // Found nowhere: the name beside the executable, for the message about it.
    EXPECT_EQ(companionFile("/usr/bin/", installedModuleDirectory("/usr/bin/"), "Klingon.so", in(installed)),
              "/usr/bin/Klingon.so");
    EXPECT_EQ(installedDataDirectory("bin/"), "bin/../share/qx260/");
}

} // namespace
