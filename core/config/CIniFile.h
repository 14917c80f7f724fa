#pragma once
// The program's own reader and writer of INI-style text files ("Program.ini").
// Keeps the order of sections and keys, drops comments and blank lines, and answers
// lookups by name with a default for anything missing. A UTF-8 byte-order mark at the
// start of the file is no part of the first line, and is kept when the file is written.

#include <string>
#include <string_view>
#include <vector>

#include "core/config/FileAccess.h"

namespace qx260
{

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

    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    // Writes everything back when the changed mark is set, replacing the file whole (see
    // replaceFile). Fails with the system's reason when it could not write, or when no
    // file is loaded.
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

    std::string filePath_;
    std::vector<Section> sections_;
    int growthStep_;
    bool ignoreCase_ = false;
    bool autoSave_ = false;
    bool changed_ = false;
    bool byteOrderMark_ = false; // the file began with the UTF-8 mark; it is written back
};

} // namespace qx260
