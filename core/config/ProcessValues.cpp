// The language values derived from Program.ini's Setup section, lookups in the language's
// section and in Setup, and the one ProcessValues of the process.

#include "core/config/ProcessValues.h"

#include "core/config/UserStore.h"

namespace qx260
{

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
