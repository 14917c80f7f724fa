// The INI reader and writer: parsing line by line, lookups by name, and writing back so
// that a failure part-way never leaves a cut-off file.

#include "core/config/CIniFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/config/AsciiText.h"

namespace qx260
{

namespace
{

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Cuts value at the first occurrence of marker (marker and everything after it go).
void cutAt(std::string& value, std::string_view marker)
{
    const auto pos = value.find(marker);
    if (pos != std::string::npos)
        value.erase(pos);
}

// Some editors begin a UTF-8 text with this mark; it is not part of the first line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

std::string valueNotKeptReason(std::string_view value)
{
    if (value.find_first_of("\r\n") != std::string_view::npos)
        return "a value cannot hold a line break";
    if (!value.empty() && (isBlank(value.front()) || isBlank(value.back())))
        return "a value cannot begin or end with a blank: the file keeps it without them";
    for (const std::string_view marker : {"//", "/*", "\t;"}) {
        if (value.find(marker) != std::string_view::npos) {
            std::string reason = "a value cannot hold ";
            if (marker == "\t;") {
                reason += "a tab before \";\"";
            } else {
                reason += '"';
                reason += marker;
                reason += '"';
            }
            return reason + ": the file reads it as the start of a comment";
        }
    }
    return {};
}

CIniFile::CIniFile(int growthStep) : growthStep_(growthStep > 0 ? growthStep : 1) {}

CIniFile::~CIniFile()
{
    if (autoSave_) {
        Save();
        Clear();
    }
}

bool CIniFile::sameName(std::string_view a, std::string_view b) const
{
    return ignoreCase_ ? equalsIgnoringAsciiCase(a, b) : a == b;
}

FileResult CIniFile::Open(std::string_view fileName, bool autoSave, bool ignoreCase,
                          std::string_view programPath)
{
    // Windows takes either separator in a program path; POSIX systems only "/".
#ifdef _WIN32
    constexpr std::string_view kSeparators = "/\\";
#else
    constexpr std::string_view kSeparators = "/";
#endif
    std::string path;
    const auto slash = programPath.find_last_of(kSeparators);
    if (slash != std::string_view::npos) {
        path.assign(programPath.substr(0, slash + 1));
    } else {
        std::error_code ec;
        path = std::filesystem::current_path(ec).string();
        path += static_cast<char>(std::filesystem::path::preferred_separator);
    }
    path.append(fileName);
    return Load(path, autoSave, ignoreCase);
}

FileResult CIniFile::Load(const std::string& fullPath, bool autoSave, bool ignoreCase)
{
    Clear();
    autoSave_ = autoSave;
    ignoreCase_ = ignoreCase;

    std::error_code ec;
    if (!std::filesystem::exists(fullPath, ec) && !ec) {
        // Missing: create it empty.
        errno = 0;
        std::FILE* f = std::fopen(fullPath.c_str(), "ab");
        if (!f)
            return FileResult::fromErrno(errno);
        std::fclose(f);
        filePath_ = fullPath;
        return {};
    }
    // Read whole or not at all: a file that cannot be read (or is no configuration file at
    // all, such as a pipe or something huge) leaves the store without a file, so that a
    // later Save cannot replace contents that were never seen.
    const FileReadResult file = readWholeFile(fullPath, kMaxTextFileSize);
    if (!file.ok())
        return file;
    filePath_ = fullPath;
    parse(std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
    return {};
}

FileResult CIniFile::LoadOwn(const std::string& fullPath, bool autoSave, bool ignoreCase)
{
    std::error_code ec;
    if (!std::filesystem::exists(fullPath, ec) && !ec) {
        Clear();
        autoSave_ = autoSave;
        ignoreCase_ = ignoreCase;
        filePath_ = fullPath; // made by the first Save
        return {};
    }
    return Load(fullPath, autoSave, ignoreCase);
}

FileResult CIniFile::LoadDefaults(const std::string& shippedPath, std::vector<OwnKey> ownKeys)
{
    defaults_.reset();
    ownKeys_.clear();
    auto shipped = std::make_unique<CIniFile>(growthStep_);
    // The shipped file is only read: a missing one is no reason to make one.
    std::error_code ec;
    if (!std::filesystem::exists(shippedPath, ec) && !ec)
        return FileResult::fromErrno(ENOENT);
    if (const FileResult loaded = shipped->Load(shippedPath, false, ignoreCase_); !loaded.ok())
        return loaded;
    defaults_ = std::move(shipped);
    ownKeys_ = std::move(ownKeys);
    return {};
}

const std::string& CIniFile::defaultsPath() const
{
    static const std::string none;
    return defaults_ ? defaults_->filePath() : none;
}

void CIniFile::parse(std::string_view bytes)
{
    auto parseLine = [this](std::string_view raw) {
        std::string_view text = trim(raw);
        // A mark inside the file (two files joined into one) is no more part of its line
        // than the one at the start; kept, it would turn a comment into a key that the next
        // load, finding it at the start of the saved file, takes for a comment again.
        while (text.starts_with(kByteOrderMark))
            text = trim(text.substr(kByteOrderMark.size()));
        if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
            if (sections_.empty())
                sections_.push_back(Section{});
            if (sections_.size() == sections_.capacity())
                sections_.reserve(sections_.size() + static_cast<std::size_t>(growthStep_));
            sections_.push_back(Section{std::string(text.substr(1, text.size() - 2)), {}, {}});
            return;
        }
        std::string_view key = text;
        std::string_view value;
        const auto eq = text.find('=');
        if (eq != std::string_view::npos) {
            key = trim(text.substr(0, eq));
            value = trim(text.substr(eq + 1));
        }
        if (key.empty())
            return;
        const char first = key.front();
        if (first == ';' || first == '/' || first == '\\' || first == '*')
            return;
        if (sections_.empty())
            sections_.push_back(Section{});
        Section& s = sections_.back();
        s.keys.emplace_back(key);
        s.values.emplace_back(value);
    };

    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        byteOrderMark_ = true;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    std::string line;
    bool lineCut = false; // a zero byte ends the line's text
    for (const char c : bytes) {
        if (c == '\n') {
            parseLine(line);
            line.clear();
            lineCut = false;
        } else if (c == '\0') {
            lineCut = true;
        } else if (!lineCut) {
            line.push_back(c);
        }
    }
    if (!line.empty())
        parseLine(line);
}

int CIniFile::FindSection(std::string_view name) const
{
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (sameName(sections_[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

int CIniFile::FindKey(int section, std::string_view key) const
{
    if (section < 0 || static_cast<std::size_t>(section) >= sections_.size())
        return -1;
    const auto& keys = sections_[static_cast<std::size_t>(section)].keys;
    for (std::size_t i = keys.size(); i-- > 0;) {
        if (sameName(keys[i], key))
            return static_cast<int>(i);
    }
    return -1;
}

bool CIniFile::isOwnKey(std::string_view section, std::string_view key) const
{
    for (const OwnKey& own : ownKeys_) {
        if (sameName(own.section, section) && sameName(own.key, key))
            return true;
    }
    return false;
}

std::string CIniFile::GetString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const
{
    if (!defaults_)
        return ownString(section, key, defaultValue);
    if (isOwnKey(section, key)) {
        const int s = FindSection(section);
        if (s >= 0 && FindKey(s, key) >= 0)
            return ownString(section, key, defaultValue);
    }
    return defaults_->GetString(section, key, defaultValue);
}

std::string CIniFile::ownString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const
{
    const int s = FindSection(section);
    if (s < 0)
        return std::string(defaultValue);
    const int k = FindKey(s, key);
    if (k < 0)
        return std::string(trim(defaultValue));
    std::string value = sections_[static_cast<std::size_t>(s)].values[static_cast<std::size_t>(k)];
    cutAt(value, "//");
    cutAt(value, "\t;");
    cutAt(value, "/*");
    return value;
}

void CIniFile::SetString(std::string_view section, std::string_view key, std::string_view value)
{
    if (filePath_.empty())
        return;
    int s = FindSection(section);
    if (s < 0) {
        // The head section comes first, even when the file held nothing.
        if (sections_.empty() && !section.empty())
            sections_.push_back(Section{});
        sections_.push_back(Section{std::string(section), {}, {}});
        s = static_cast<int>(sections_.size()) - 1;
        changed_ = true;
    }
    Section& sec = sections_[static_cast<std::size_t>(s)];
    const int k = FindKey(s, key);
    if (k < 0) {
        sec.keys.emplace_back(key);
        sec.values.emplace_back(value);
        changed_ = true;
        return;
    }
    std::string& stored = sec.values[static_cast<std::size_t>(k)];
    if (!sameName(stored, value))
        changed_ = true;
    stored.assign(value);
}

FileResult CIniFile::Save()
{
    if (filePath_.empty())
        return FileResult::failure("no file is loaded"); // there is nowhere to write
    if (!changed_)
        return {};

    std::string text(byteOrderMark_ ? kByteOrderMark : std::string_view());
    for (const Section& s : sections_) {
        // Only the head section goes without a header; a later "[]" keeps its own, or
        // its keys would join the section before it when the file is read again.
        if (!s.name.empty() || &s != &sections_.front()) {
            text += '[';
            text += s.name;
            text += "]\r\n";
        }
        for (std::size_t i = 0; i < s.keys.size(); ++i) {
            text += s.keys[i];
            if (!s.keys[i].empty())
                text += '=';
            text += s.values[i];
            text += "\r\n";
        }
    }

    // Never a file that Load would refuse: the one on the disk stays as it is.
    if (text.size() > kMaxTextFileSize)
        return FileResult::failure(
            "it would grow larger than the 1 MiB the program reads; nothing was changed",
            FileResult::Kind::TooLarge);
    // The user's own file over a shipped one is made by its first save, folder and all.
    if (defaults_) {
        const std::filesystem::path folder = std::filesystem::path(filePath_).parent_path();
        std::error_code ec;
        if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
            std::filesystem::create_directories(folder, ec);
            if (ec)
                return FileResult::failure("cannot make the folder " + folder.string() + ": " + ec.message());
        }
    }
    // A complete new file put in place with one rename: a failure part-way never leaves a
    // cut-off configuration, and a read-only file stays as it is.
    return replaceFile(filePath_, text);
}

void CIniFile::Clear()
{
    defaults_.reset();
    ownKeys_.clear();
    sections_.clear();
    filePath_.clear();
    changed_ = false;
    byteOrderMark_ = false;
}

} // namespace qx260
