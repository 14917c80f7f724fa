// Program.ini loaded (installed: the user's choices over the shipped file), the language
// values derived from its Setup section, lookups in the language's
// section and in Setup, and the one ProcessValues of the process.

#include "core/config/ProcessValues.h"

#include "core/config/UserStore.h"

namespace qx260
{

const std::vector<CIniFile::OwnKey>& userChoiceKeys()
{
    static const std::vector<CIniFile::OwnKey> keys{{"Setup", "Language"}};
    return keys;
}

FileResult ProcessValues::loadConfiguration(const ConfigurationChoice& choice, bool autoSave,
                                            std::string* failedPath)
{
    const auto failed = [failedPath](const FileResult& result, const std::string& path) {
        if (failedPath)
            *failedPath = path;
        return result;
    };
    if (choice.place != ConfigurationPlace::PerUserCopy || choice.sharedDefault.empty()) {
        const FileResult loaded = configurationStore.Load(choice.path, autoSave, true);
        return loaded.ok() ? loaded : failed(loaded, choice.path);
    }
    // The user's file first (a damaged one is reported, and the shipped file still read),
    // then the shipped file under it.
    const FileResult own = configurationStore.LoadOwn(choice.path, autoSave, true);
    const FileResult shipped = configurationStore.LoadDefaults(choice.sharedDefault, userChoiceKeys());
    if (!own.ok())
        return failed(own, choice.path);
    return shipped.ok() ? shipped : failed(shipped, choice.sharedDefault);
}

std::string ProcessValues::languageFile() const
{
    const CIniFile& store = configurationStore;
    if (store.defaultsPath().empty())
        return store.filePath();
    const int setup = store.FindSection("Setup");
    return setup >= 0 && store.FindKey(setup, "Language") >= 0 ? store.filePath() : store.defaultsPath();
}

void ProcessValues::deriveLanguageValues()
{
    languageName = configurationStore.GetString("Setup", "Language", "");
    language_ = languageName == "Chinese" ? Language::Chinese : Language::English;
    helpFileName = isChinese(language_) ? "chHelp.chm" : "enHelp.chm";
}

std::string ProcessValues::languageString(std::string_view key) const
{
    return configurationStore.GetString(languageName, key, "");
}

std::string ProcessValues::setupString(std::string_view key) const
{
    return configurationStore.GetString("Setup", key, "");
}

UserStore& ProcessValues::userStoreOrSession()
{
    static MemoryUserStore sessionStore;
    return userStore ? *userStore : sessionStore;
}

ProcessValues& processValues()
{
    static ProcessValues values;
    return values;
}

} // namespace qx260
