#pragma once
// Values that exist once per process: the configuration store, the language values,
// the executable's directory, the radio variant the channel windows lay their columns out
// for, and the serial port. What belongs to one document lives in the document.

#include <functional>
#include <string>
#include <vector>

#include "core/config/CIniFile.h"
#include "core/config/InstallLayout.h"
#include "core/config/Language.h"

namespace qx260
{

class UserStore;

struct ProcessValues {
    CIniFile configurationStore{4};
    std::string languageName;        // "Setup"/"Language" as written
    std::string helpFileName;        // "chHelp.chm" or "enHelp.chm"
    std::string executableDirectory; // with its trailing separator
    std::string applicationName = "Program";
    int radioVariant = 1; // 0, 1 or 2; set by a completed Read, read when a window fills its table
    std::string portDeviceName = "COM1";
    UserStore* userStore = nullptr; // per-user numbers; owned by the front end
    // The per-user store; in a run without one, a store that keeps values for this run only.
    UserStore& userStoreOrSession();
    // Shows a new main window caption (set by the desktop program; empty in the CLI).
    std::function<void(const std::string&)> showCaption;

    // Loads the configuration store from the Program.ini chosen for this run. Installed,
    // the user's own file is read over the shipped one and keeps only the user's choices
    // (userChoiceKeys); elsewhere the one file is read (a missing one made empty, as
    // CIniFile::Load does). A failure names the file in *failedPath; the store then holds
    // what could be read.
    FileResult loadConfiguration(const ConfigurationChoice& choice, bool autoSave, std::string* failedPath);

    // The file the language was read from: the user's own file when it names one, else
    // the shipped file under it, else the one file loaded (empty when none is).
    std::string languageFile() const;

    // languageName, the language and helpFileName from the configuration store.
    void deriveLanguageValues();

    // The language the program speaks: Chinese exactly when languageName is "Chinese".
    Language language() const { return language_; }
    void setLanguage(Language language) { language_ = language; }

    // Keys of the section named by languageName ("Company", "AppName", "About Title", ...).
    std::string languageString(std::string_view key) const;
    std::string setupString(std::string_view key) const; // section "Setup", default empty

  private:
    Language language_ = Language::English;
};

// What a user's own Program.ini holds over the shipped one: the language choice.
const std::vector<CIniFile::OwnKey>& userChoiceKeys();

// The one instance of the running program.
ProcessValues& processValues();

} // namespace qx260
