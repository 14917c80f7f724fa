// Choosing where Program.ini, the pictures and the language modules are taken from: beside
// the executable when they are there, else in the installed tree above it.

#include "core/config/InstallLayout.h"

#include <string_view>

namespace qx260
{

namespace
{

constexpr std::string_view kConfigurationName = "Program.ini";

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

// The folder above `directory` (which ends in a separator), kept in the separators it
// uses: "/usr/bin/" gives "/usr/", "C:\qx260\bin\" gives "C:\qx260\". The root is its
// own parent; a relative name without a folder above it gets "../".
std::string parentDirectory(const std::string& directory)
{
    std::string_view rest = directory;
    while (!rest.empty() && isSeparator(rest.back()))
        rest.remove_suffix(1);
    if (rest.empty())
        return directory;
    const std::size_t separator = rest.find_last_of("/\\");
    if (separator == std::string_view::npos)
        return directory + "../";
    return std::string(rest.substr(0, separator + 1));
}

// The separator a directory text uses, for the parts added to it.
char separatorOf(const std::string& directory)
{
    return !directory.empty() && directory.back() == '\\' ? '\\' : '/';
}

std::string subdirectory(const std::string& executableDirectory, std::string_view first)
{
    const char separator = separatorOf(executableDirectory);
    std::string path = parentDirectory(executableDirectory);
    path.append(first);
    path += separator;
    path += "qx260";
    path += separator;
    return path;
}

} // namespace

std::string installedDataDirectory(const std::string& executableDirectory)
{
    return subdirectory(executableDirectory, "share");
}

std::string installedModuleDirectory(const std::string& executableDirectory)
{
    return subdirectory(executableDirectory, "lib");
}

std::string companionFile(const std::string& executableDirectory, const std::string& installedDirectory,
                          const std::string& name, const FileExists& exists)
{
    const std::string beside = executableDirectory + name;
    if (exists(beside))
        return beside;
    const std::string installed = installedDirectory + name;
    return exists(installed) ? installed : beside;
}

ConfigurationChoice chooseConfiguration(const std::string& executableDirectory,
                                        const std::string& userDirectory, const FileExists& exists)
{
    ConfigurationChoice choice;
    choice.path = executableDirectory + std::string(kConfigurationName);
    if (exists(choice.path))
        return choice; // the build folder, or a folder the program was copied to with its files
    const std::string shipped = installedDataDirectory(executableDirectory) + std::string(kConfigurationName);
    if (!exists(shipped))
        return choice; // not installed either: the program starts as it would beside an empty file
    choice.sharedDefault = shipped;
    if (userDirectory.empty()) {
        choice.place = ConfigurationPlace::SharedDefault;
        choice.path = shipped;
        return choice;
    }
    choice.place = ConfigurationPlace::PerUserCopy;
    choice.path = userDirectory + std::string(kConfigurationName);
    return choice;
}

} // namespace qx260
