// Whole-file reads and safe replacement, in standard C++ (<cstdio> for the byte transfer,
// because it reports the system's errno; <filesystem> for everything about the path).

#include "core/config/FileAccess.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

namespace qx260
{

namespace
{

namespace fs = std::filesystem;

std::atomic<FileSyncHook> syncHook{nullptr};

// When this process started, near enough: static data is made before main runs. A
// temporary last changed before it cannot belong to a save of this process, nor to one
// still running elsewhere unless that began before us and has not written since.
const fs::file_time_type processStart = fs::file_time_type::clock::now();

constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::size_t kTemporaryLetters = 6;

bool temporaryLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Closes the file on every way out; close() reports a failed close (some file systems
// only say at that point that the data could not be written).
class OpenFile
{
  public:
    explicit OpenFile(std::FILE* file) : file_(file) {}
    ~OpenFile()
    {
        if (file_)
            std::fclose(file_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    std::FILE* get() const { return file_; }
    bool close()
    {
        std::FILE* f = file_;
        file_ = nullptr;
        return std::fclose(f) == 0;
    }

  private:
    std::FILE* file_;
};

// The file a write really replaces: a symbolic link is followed, so the link stays.
// A link that leads nowhere is itself replaced.
fs::path fileToReplace(const std::string& path)
{
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        fs::path resolved = fs::canonical(path, ec);
        if (!ec)
            return resolved;
    }
    return fs::path(path);
}

// Creates a new, empty file "<target>.tmp-XXXXXX" for writing; never opens one that exists.
std::FILE* createTemporary(const fs::path& target, fs::path& tempPath, int& errorNumber)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 generator(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    errorNumber = EEXIST;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(6, 'X');
        for (char& c : suffix)
            c = kLetters[pick(generator)];
        tempPath = target;
        tempPath += std::string(kTemporaryMark) + suffix;
        errno = 0;
        // "x": created here or not at all. The user's umask decides its permissions, as
        // for any new file, until those of the replaced file are copied.
        if (std::FILE* f = std::fopen(tempPath.string().c_str(), "wbx"))
            return f;
        errorNumber = errno;
        if (errorNumber != EEXIST)
            return nullptr;
    }
    return nullptr;
}

// "1 MiB", "64 KiB" or "1000 bytes": a size limit as a user reads it.
std::string sizeText(std::size_t bytes)
{
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0)
        return std::to_string(bytes / (1024 * 1024)) + " MiB";
    if (bytes >= 1024 && bytes % 1024 == 0)
        return std::to_string(bytes / 1024) + " KiB";
    return std::to_string(bytes) + " bytes";
}

// Judged by its type before it is opened: opening a named pipe would wait for a writer,
// and a device may never end. The file's status goes to `status` when it is wanted.
FileResult regularFileAt(const fs::path& path, fs::file_status* status = nullptr)
{
    std::error_code ec;
    const fs::file_status found = fs::status(path, ec);
    if (ec)
        return FileResult::failure(ec.message());
    if (fs::is_directory(found))
        return FileResult::fromErrno(EISDIR);
    if (!fs::is_regular_file(found))
        return FileResult::failure("not a regular file");
    if (status)
        *status = found;
    return {};
}

FileResult tooLarge(std::size_t maxBytes)
{
    return FileResult::failure("larger than " + sizeText(maxBytes), FileResult::Kind::TooLarge);
}

} // namespace

FileResult FileResult::failure(std::string reason, Kind kind)
{
    FileResult result;
    result.failed = true;
    result.kind = kind;
    result.reason = reason.empty() ? std::string("unknown error") : std::move(reason);
    return result;
}

FileResult FileResult::fromErrno(int errorNumber)
{
    return failure(std::generic_category().message(errorNumber != 0 ? errorNumber : EIO));
}

FileReadResult readSmallFile(const std::string& path, std::size_t maxBytes)
{
    FileReadResult result;
    const auto fail = [&result](const FileResult& why) {
        static_cast<FileResult&>(result) = why;
        return result;
    };

    if (const FileResult regular = regularFileAt(path); !regular.ok())
        return fail(regular);

    errno = 0;
    OpenFile file(std::fopen(path.c_str(), "rb"));
    if (!file.get())
        return fail(FileResult::fromErrno(errno));
    result.bytes.resize(maxBytes);
    std::size_t got = 0;
    while (got < maxBytes) {
        errno = 0;
        const std::size_t n = std::fread(result.bytes.data() + got, 1, maxBytes - got, file.get());
        got += n;
        if (n == 0) {
            if (std::ferror(file.get()))
                return fail(FileResult::fromErrno(errno));
            break;
        }
    }
    result.bytes.resize(got);
    return result;
}

FileResult checkSmallFile(const std::string& path, std::size_t maxBytes)
{
    if (const FileResult regular = regularFileAt(path); !regular.ok())
        return regular;
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec)
        return FileResult::failure(ec.message());
    if (size > maxBytes)
        return tooLarge(maxBytes);
    return {};
}

FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes)
{
    FileReadResult result;
    if (const FileResult checked = checkSmallFile(path, maxBytes); !checked.ok()) {
        static_cast<FileResult&>(result) = checked;
        return result;
    }
    // One byte more than allowed tells a file that grew since it was checked.
    result = readSmallFile(path, maxBytes + 1);
    if (result.ok() && result.bytes.size() > maxBytes) {
        result.bytes.clear();
        static_cast<FileResult&>(result) = tooLarge(maxBytes);
    }
    return result;
}

FileResult checkReplaceable(const std::string& path)
{
    const fs::path target = fileToReplace(path);
    std::error_code ec;
    if (!fs::exists(target, ec) && !ec)
        return {};
    // A device or a named pipe in its place would be replaced by a plain file.
    fs::file_status status;
    if (const FileResult regular = regularFileAt(target, &status); !regular.ok())
        return regular;
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & anyWrite) == fs::perms::none)
        return FileResult::failure("the file is read-only", FileResult::Kind::ReadOnly);
    // Whether this user may write it (the rename would replace it all the same).
    errno = 0;
    if (std::FILE* probe = std::fopen(target.string().c_str(), "r+b")) {
        std::fclose(probe);
    } else if (errno == EACCES || errno == EPERM || errno == EROFS) {
        return FileResult::failure(FileResult::fromErrno(errno).reason, FileResult::Kind::ReadOnly);
    }
    return {};
}

FileResult replaceFile(const std::string& path, std::string_view bytes)
{
    if (const FileResult allowed = checkReplaceable(path); !allowed.ok())
        return allowed;
    const fs::path target = fileToReplace(path);
    fs::path tempPath;
    int errorNumber = 0;
    OpenFile file(createTemporary(target, tempPath, errorNumber));
    if (!file.get())
        return FileResult::fromErrno(errorNumber);

    std::error_code ec;
    // Keep the permissions of the file being replaced; set before anything is written, so
    // a private file is never readable by others through its temporary.
    const fs::file_status old = fs::status(target, ec);
    if (!ec && fs::is_regular_file(old))
        fs::permissions(tempPath, old.permissions(), fs::perm_options::replace, ec);

    FileResult result;
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        result = FileResult::fromErrno(errno);
    errno = 0;
    if (!file.close() && result.ok())
        result = FileResult::fromErrno(errno);
    const FileSyncHook sync = syncHook.load();
    if (result.ok() && sync)
        result = sync(tempPath.string(), SyncTarget::File);
    if (result.ok()) {
        fs::rename(tempPath, target, ec);
        if (ec)
            result = FileResult::failure(ec.message());
    }
    if (!result.ok()) {
        fs::remove(tempPath, ec);
        return result;
    }

    // The rename itself made durable; the data is in place whatever this says.
    if (sync) {
        const fs::path folder = target.parent_path();
        (void)sync(folder.empty() ? std::string(".") : folder.string(), SyncTarget::Folder);
    }
    removeStaleTemporaries(target.string());
    return result;
}

int removeStaleTemporaries(const std::string& target)
{
    const fs::path targetPath(target);
    const std::string prefix = targetPath.filename().string() + std::string(kTemporaryMark);
    fs::path folder = targetPath.parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return 0;
    int removed = 0;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + kTemporaryLetters || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        bool pattern = true;
        for (std::size_t i = prefix.size(); i < name.size(); ++i)
            pattern = pattern && temporaryLetter(name[i]);
        std::error_code fileError;
        if (!pattern || !fs::is_regular_file(it->symlink_status(fileError)) || fileError)
            continue;
        const fs::file_time_type changed = fs::last_write_time(it->path(), fileError);
        if (fileError || changed >= processStart)
            continue;
        if (fs::remove(it->path(), fileError) && !fileError)
            ++removed;
    }
    return removed;
}

FileResult appendWhole(const std::string& path, std::string_view bytes)
{
    errno = 0;
    OpenFile file(std::fopen(path.c_str(), "ab"));
    if (!file.get())
        return FileResult::fromErrno(errno);
    std::error_code ec;
    const std::uintmax_t before = fs::file_size(path, ec);
    if (ec)
        return FileResult::failure(ec.message());
    FileResult result;
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        result = FileResult::fromErrno(errno);
    errno = 0;
    if (result.ok() && std::fflush(file.get()) != 0)
        result = FileResult::fromErrno(errno);
    errno = 0;
    if (!file.close() && result.ok())
        result = FileResult::fromErrno(errno);
    if (!result.ok())
        fs::resize_file(path, before, ec); // none of it: the file as it was
    return result;
}

FileStamp fileStamp(const std::string& path)
{
    FileStamp stamp;
    std::error_code ec;
    if (!fs::exists(fs::status(path, ec)))
        return stamp;
    stamp.size = fs::file_size(path, ec);
    if (ec)
        stamp.size = 0;
    stamp.modified = fs::last_write_time(path, ec);
    stamp.exists = true;
    return stamp;
}

FileSyncHook setFileSyncHook(FileSyncHook hook)
{
    return syncHook.exchange(hook);
}

} // namespace qx260
