// The per-user values the core keeps under the program's key (the product choice, the
// Write Safety choices), and MemoryUserStore for runs that keep nothing between them.

#include "core/config/UserStore.h"

#include <charconv>

#include "core/config/AsciiText.h"
#include "core/config/CIniFile.h"

namespace qx260
{

std::string userStoreKey(const CIniFile& config)
{
    const std::string appName = config.GetString("Setup", "AppName", "");
    return appName.empty() ? std::string("Software") : "Software\\" + appName;
}

ProductChoice readProductChoice(UserStore& store, const CIniFile& config)
{
    const std::string key = userStoreKey(config);
    ProductChoice choice;
    choice.type = store.readNumber(key, "Type").value_or(0);
    choice.field = store.readNumber(key, "Field").value_or(0);
    return choice;
}

void writeProductChoice(UserStore& store, const CIniFile& config, ProductChoice choice)
{
    const std::string key = userStoreKey(config);
    store.writeNumber(key, "Type", choice.type);
    store.writeNumber(key, "Field", choice.field);
}

WriteSafety readWriteSafety(UserStore& store, const CIniFile& config)
{
    const std::string key = userStoreKey(config);
    WriteSafety safety;
    safety.backup = store.readNumber(key, "WriteBackup").value_or(0) != 0;
    safety.backupFolder = store.readText(key, "WriteBackupFolder").value_or(std::string());
    safety.review = store.readNumber(key, "WriteReview").value_or(0) != 0;
    safety.verify = store.readNumber(key, "WriteVerify").value_or(0) != 0;
    return safety;
}

bool writeWriteSafety(UserStore& store, const CIniFile& config, const WriteSafety& safety)
{
    const std::string key = userStoreKey(config);
    bool ok = store.writeNumber(key, "WriteBackup", safety.backup ? 1 : 0);
    ok = store.writeText(key, "WriteBackupFolder", safety.backupFolder) && ok;
    ok = store.writeNumber(key, "WriteReview", safety.review ? 1 : 0) && ok;
    return store.writeNumber(key, "WriteVerify", safety.verify ? 1 : 0) && ok;
}

std::optional<std::int32_t> MemoryUserStore::readNumber(const std::string& key, const std::string& name)
{
    const std::optional<std::string> text = readText(key, name);
    if (!text)
        return std::nullopt;
    // Only what writeNumber wrote (a text such as "12abc" is no number).
    std::int32_t value = 0;
    const char* end = text->data() + text->size();
    const auto [last, error] = std::from_chars(text->data(), end, value);
    if (error != std::errc() || last != end)
        return std::nullopt;
    return value;
}

bool MemoryUserStore::writeNumber(const std::string& key, const std::string& name, std::int32_t value)
{
    return writeText(key, name, std::to_string(value));
}

std::optional<std::string> MemoryUserStore::readText(const std::string& key, const std::string& name)
{
    const auto it = values_.find(key + '\n' + lowerAscii(name));
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

bool MemoryUserStore::writeText(const std::string& key, const std::string& name, const std::string& value)
{
    if (failWrites)
        return false;
    values_[key + '\n' + lowerAscii(name)] = value;
    return true;
}

} // namespace qx260
