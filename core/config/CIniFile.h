#pragma once
// The program's own reader and writer of INI-style text files ("Program.ini").
// Keeps the order of sections and keys, drops comments and blank lines, and answers
// lookups by name with a default for anything missing. A UTF-8 byte-order mark at the
// start of the file is no part of the first line, and is kept when the file is written.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/FileAccess.h"

namespace qx260
{

// Why a value could not be read back from the file as it was written, or empty when it
// can: a line break splits its line, blanks around it are trimmed, and "//", "/*" and a
// tab before ";" start a comment that GetString cuts off.
std::string valueNotKeptReason(std::string_view value);

class CIniFile
{
  public:
    explicit CIniFile(int growthStep = 4);
    ~CIniFile(); // Save() then Clear() when auto-save is on
    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    // Loads fileName from the directory of programPath (the part before its last path
    // separator; the current directory when it has none).
    FileResult Open(std::string_view fileName, bool autoSave, bool ignoreCase, std::string_view programPath);
    // Reads and parses fullPath; a missing file is created empty. Anything but a regular
    // file, and a file over kMaxTextFileSize, is refused unread. A failure names the
    // system's reason and leaves the store without a file.
    FileResult Load(const std::string& fullPath, bool autoSave = false, bool ignoreCase = false);

    // A user's own file over a shipped one: the user's file keeps only what the user chose
    // (ownKeys, such as the language), and everything else is read from the shipped file,
    // so a newer shipped file reaches every user. LoadOwn reads the user's file like Load,
    // except that a missing one is not made (the first Save makes it); LoadDefaults then
    // reads the shipped file. GetString answers an own key from the user's file when it
    // holds it, and every other key from the shipped file only, so an old full copy of the
    // shipped file adds nothing but its own keys. SetString, Save, FindSection, FindKey and
    // sections() act on the user's file.
    struct OwnKey {
        std::string section;
        std::string key;
    };
    FileResult LoadOwn(const std::string& fullPath, bool autoSave = false, bool ignoreCase = false);
    FileResult LoadDefaults(const std::string& shippedPath, std::vector<OwnKey> ownKeys);
    const std::string& defaultsPath() const; // empty without a shipped file

    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    // Writes everything back when the changed mark is set, replacing the file whole (see
    // replaceFile). Fails with the system's reason when it could not write, when no file
    // is loaded, or (Kind::TooLarge) when the file would grow past kMaxTextFileSize, which
    // Load refuses; the file on the disk is then as it was.
    FileResult Save();
    void Clear();

    int FindSection(std::string_view name) const;         // first match, or -1
    int FindKey(int section, std::string_view key) const; // last match, or -1

    const std::string& filePath() const { return filePath_; }
    bool changed() const { return changed_; }
    bool ignoreCase() const { return ignoreCase_; }

    struct Section {
        std::string name;
        std::vector<std::string> keys;
        std::vector<std::string> values;
    };
    const std::vector<Section>& sections() const { return sections_; }

  private:
    bool sameName(std::string_view a, std::string_view b) const;
    bool isOwnKey(std::string_view section, std::string_view key) const;
    std::string ownString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    void parse(std::string_view bytes);

    std::string filePath_;
    std::vector<Section> sections_;
    int growthStep_;
    bool ignoreCase_ = false;
    bool autoSave_ = false;
    bool changed_ = false;
    bool byteOrderMark_ = false;         // the file began with the UTF-8 mark; it is written back
    std::unique_ptr<CIniFile> defaults_; // the shipped file under a user's own one
    std::vector<OwnKey> ownKeys_;
};

} // namespace qx260
