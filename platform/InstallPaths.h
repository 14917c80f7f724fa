#pragma once
// The system's answers to where the program's files are: the running executable, the
// per-user configuration folder, and the Program.ini the program uses (the choice itself
// is the core's; see core/config/InstallLayout.h).

#include <QString>

#include <string>

#include "core/config/InstallLayout.h"

namespace qx260
{

// Full path of the running executable; works before a QCoreApplication exists (the
// command-line tool makes one only for the commands that need it). Empty when the system
// does not say.
std::string executablePath();
// Its directory with a trailing "/" ("./" when the path is unknown).
std::string executableDirectory();

// The user's configuration folder without a trailing "/": $XDG_CONFIG_HOME when it is an
// absolute path, else .config in the home folder, which is $HOME or, when that is not set,
// the account's home from the password database; %APPDATA% on Windows. Empty when none is
// known (never "/.config" for a process started without an environment).
QString userConfigurationBase();

// The program's per-user configuration folder with a trailing "/": $XDG_CONFIG_HOME/qx260/
// (~/.config/qx260/), %APPDATA%/qx260/ on Windows. Empty when the system names none.
std::string userConfigurationDirectory();

// Before the GUI library starts: where XDG_RUNTIME_DIR is not set (a cron job, su, a
// container), names the private folder the toolkit would fall back to, made if missing,
// so that it does not print a warning about it on every start. Does nothing elsewhere,
// or when that folder is not this user's own, private one (the toolkit then says why).
void provideRuntimeDirectory();

// Whether a regular file is at path.
bool regularFileExists(const std::string& path);

enum class UserCopy {
    Make,     // the desktop program: the user's own file, made by the first change of language
    ReadOnly, // the command-line tool: the shipped file alone while the user has no own file
};

// The Program.ini to load for a program in executableDirectory. Installed, the user's own
// file holds only the user's choices and is read over the shipped one (see
// ProcessValues::loadConfiguration); nothing is written here.
ConfigurationChoice locateConfiguration(const std::string& executableDirectory, UserCopy userCopy);

} // namespace qx260
