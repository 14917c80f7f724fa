#pragma once
// Where the program's companion files lie. Run from its build folder (or from any folder
// it was copied to together with them) they lie beside the executable. Installed, the
// executable sits in PREFIX/bin, the shipped Program.ini and the pictures in
// PREFIX/share/qx260/ and the language modules in PREFIX/lib/qx260/; there each user
// keeps an own Program.ini in the per-user configuration folder, holding only the language
// chosen over the shipped one, so that choosing a language needs no write access to the
// installation and a newer shipped file reaches every user.
//
// Pure functions over path texts: the caller says which files exist, so the choice is
// the same on every system and is tested without a file system.

#include <functional>
#include <string>

namespace qx260
{

// Whether a regular file exists at path (the platform answers).
using FileExists = std::function<bool(const std::string& path)>;

// The folders of an installed program, from the executable's directory (with its
// trailing separator): "/usr/bin/" gives "/usr/share/qx260/" and "/usr/lib/qx260/".
std::string installedDataDirectory(const std::string& executableDirectory);
std::string installedModuleDirectory(const std::string& executableDirectory);

// The companion file `name`: beside the executable when it is there, else in
// installedDirectory when it is there, else beside the executable (where a message
// about the missing file then points).
std::string companionFile(const std::string& executableDirectory, const std::string& installedDirectory,
                          const std::string& name, const FileExists& exists);

enum class ConfigurationPlace {
    BesideExecutable, // the build folder's Program.ini; also when there is none at all
    PerUserCopy,      // installed: the user's own Program.ini (the language) over the shipped one
    SharedDefault,    // installed, with no per-user folder to keep a copy in: the shipped file
};

struct ConfigurationChoice {
    ConfigurationPlace place = ConfigurationPlace::BesideExecutable;
    std::string path;          // the Program.ini to use
    std::string sharedDefault; // installed: the shipped Program.ini; empty otherwise
};

// Which Program.ini the program uses. userDirectory is the program's per-user
// configuration folder with its trailing separator ($XDG_CONFIG_HOME/qx260/, or
// %APPDATA%\qx260\ on Windows), empty when the system names none.
ConfigurationChoice chooseConfiguration(const std::string& executableDirectory,
                                        const std::string& userDirectory, const FileExists& exists);

} // namespace qx260
