#pragma once
// Per-user numbers (the serial port, the last product choice). Keys are
// "Software\" + AppName (or "Software" when AppName is empty); value names are
// compared without regard to letter case ("com" and "COM" are the same value).

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

// In memory, for tests and for runs that must not touch the user's settings.
class MemoryUserStore : public UserStore
{
  public:
    std::optional<std::int32_t> readNumber(const std::string& key, const std::string& name) override;
    bool writeNumber(const std::string& key, const std::string& name, std::int32_t value) override;
    bool failWrites = false; // for tests: every write fails
  private:
    std::map<std::string, std::int32_t> values_; // "key\nlower-case name"
};

} // namespace qx260
