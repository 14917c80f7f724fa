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

// The program's per-user configuration folder with a trailing "/": $XDG_CONFIG_HOME/qx260/
// (~/.config/qx260/), %APPDATA%/qx260/ on Windows. Empty when the system names none.
std::string userConfigurationDirectory();

// Whether a regular file is at path.
bool regularFileExists(const std::string& path);

enum class UserCopy {
    Make,     // the desktop program: a missing per-user copy is made from the shipped file
    ReadOnly, // the command-line tool: a missing per-user copy reads the shipped file
};

// The Program.ini to load for a program in executableDirectory. With UserCopy::Make a
// missing per-user copy is made first; when that fails (*error says why) the shipped file
// is read instead, so the program still starts with the shipped settings.
ConfigurationChoice locateConfiguration(const std::string& executableDirectory, UserCopy userCopy,
                                        QString* error = nullptr);

} // namespace qx260
