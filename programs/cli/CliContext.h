#pragma once
// What the commands share: opening Program.ini the way the program does, the per-user
// store, and a channel table set up like the channel window's.

#include <memory>
#include <string>

#include "core/config/FileAccess.h"
#include "core/config/Language.h"
#include "platform/FileLock.h"

namespace qx260
{
class ChannelTable;
class RadioImage;
struct BandLimits;
class UserStore;
struct DocumentResult;
struct ProcessValues;
} // namespace qx260

namespace qx260::cli
{

// The Program.ini the desktop program would use: the one beside the executable or,
// installed, the user's own one (which holds the language over the shipped file; the
// shipped file while the user has none; the command-line tool never makes it).
std::string defaultConfigurationPath();

// Loads Program.ini into values.configurationStore (ignore case on, auto-save off), from
// configPath or, when that is empty, from defaultConfigurationPath(), then derives the
// language values and the executable directory. A configuration file named on the command
// line must exist; a missing default one counts as empty and is not created. False with a
// message when a file exists but cannot be read.
bool loadConfiguration(ProcessValues& values, const std::string& configPath, std::string& error);

// Said after a frequency refused because the document's band is empty: which
// configuration was read (or that none was found), since its missing band is why.
std::string emptyBandNote(const ProcessValues& values);

// Overrides the language of the configuration ("English" or "Chinese"); false for any other.
bool setLanguage(ProcessValues& values, const std::string& languageName);

// The per-user store of the desktop program ($QX260_SETTINGS redirects it).
std::unique_ptr<UserStore> openUserStore();

// kExitOk when the per-user settings file may be used; else kExitFailure after saying why
// (a named pipe, a device or a huge file there is refused at once).
int checkUserSettings();

// Takes the edit lock of the file at path for as long as `lock` is held (see FileLock),
// so that two commands changing the same file take turns. kExitOk, or kExitFailure after
// saying that another program is changing it.
int lockForEdit(const std::string& path, FileLock& lock, MissingFile missing = MissingFile::Skip);

// Whether two paths name the same file: the same existing file (also through a link or
// another spelling), or the same place for a file still to be made.
bool sameFile(const std::string& a, const std::string& b);

// Header row and channel numbers, as the channel window writes them at set-up.
void setUpTable(ChannelTable& table, Language language);

// Reads "0", "1" or "2"; false for anything else.
bool parseVariant(const std::string& text, int& variant);

// "reason" of a failed system call for messages, from errno.
std::string systemReason(int errorNumber);

// "-" where a command reads a document or a channel list stands for standard input.
bool isStandardInput(const std::string& path);
// What messages call a file a command read: its path, or "standard input" for "-".
std::string inputName(const std::string& path);
// Standard input, whole, with the bound a file of its kind has: at most maxBytes (more is
// Kind::TooLarge). Standard input is read once: a second call fails.
FileReadResult readStandardInput(std::size_t maxBytes = kMaxTextFileSize);
// The document at path or, for "-", on standard input (its first 1040 bytes count, and
// standard input may hold no more than a channel list may); `image` changes only on success.
DocumentResult loadDocumentInput(const std::string& path, RadioImage& image);

} // namespace qx260::cli
