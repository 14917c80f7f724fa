#pragma once
// Per-user values: numbers (the serial port, the last product choice, the choices around
// a Write) and texts (the desktop program's recent files, window placement and last
// folder, the backup folder). Keys are "Software\" + AppName (or "Software" when AppName
// is empty), optionally with a subkey; value names are compared without regard to letter
// case ("com" and "COM" are the same value). A number and a text of the same name are the
// same value.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace qx260
{

class CIniFile;

class UserStore
{
  public:
    virtual ~UserStore() = default;
    // Empty when missing or not a 32-bit number.
    virtual std::optional<std::int32_t> readNumber(const std::string& key, const std::string& name) = 0;
    // False when it could not be written.
    virtual bool writeNumber(const std::string& key, const std::string& name, std::int32_t value) = 0;
    // Empty when missing. Any UTF-8 text, also an empty one, reads back as written.
    virtual std::optional<std::string> readText(const std::string& key, const std::string& name) = 0;
    virtual bool writeText(const std::string& key, const std::string& name, const std::string& value) = 0;
};

// "Software\" + the "AppName" value of section "Setup", or "Software" when that is empty.
std::string userStoreKey(const CIniFile& config);

// The last product choice, "Type" and "Field"; a missing value reads as 0.
struct ProductChoice {
    std::int32_t type = 0;
    std::int32_t field = 0;
};
ProductChoice readProductChoice(UserStore& store, const CIniFile& config);
void writeProductChoice(UserStore& store, const CIniFile& config, ProductChoice choice);

// What a Write in the window does around the exchange, all off at first: read the radio
// and save what it holds, show what will change and ask, read it back and compare.
struct WriteSafety {
    bool backup = false;
    std::string backupFolder; // empty: the user's documents folder
    bool review = false;
    bool verify = false;
    bool any() const { return backup || review || verify; }
};
WriteSafety readWriteSafety(UserStore& store, const CIniFile& config);
// False when a value could not be written.
bool writeWriteSafety(UserStore& store, const CIniFile& config, const WriteSafety& safety);

// In memory, for tests and for runs that must not touch the user's settings.
class MemoryUserStore : public UserStore
{
  public:
    std::optional<std::int32_t> readNumber(const std::string& key, const std::string& name) override;
    bool writeNumber(const std::string& key, const std::string& name, std::int32_t value) override;
    std::optional<std::string> readText(const std::string& key, const std::string& name) override;
    bool writeText(const std::string& key, const std::string& name, const std::string& value) override;
    bool failWrites = false; // for tests: every write fails
  private:
    std::map<std::string, std::string> values_; // "key\nlower-case name": the value as text
};

} // namespace qx260
