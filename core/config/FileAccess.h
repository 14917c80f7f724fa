#pragma once
// Reading and writing whole files the way a document must be treated: a read takes only
// a regular file, and only the bytes that matter; a write never leaves a half-written
// file behind. Every file the programs write goes through replaceFile, so a failure at any
// point keeps what was there before.
//
// Standard C++ only. Making written data durable (flushing it to the disk) needs the
// system's own calls: the platform layer installs them with setFileSyncHook.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qx260
{

// What a file operation came to: ok(), or the reason it failed in the system's words.
struct FileResult {
    // Failures a caller answers in their own way; everything else is Other.
    enum class Kind {
        Other,
        ReadOnly, // the file's permissions forbid writing it: it was left as it is
        TooLarge, // larger than the reader takes
        InUse,    // another program holds the file for an edit of its own
    };

    bool failed = false;
    Kind kind = Kind::Other;
    std::string reason;
    bool ok() const { return !failed; }

    static FileResult failure(std::string reason, Kind kind = Kind::Other);
    // The system's text for an errno value (EIO when errorNumber is 0).
    static FileResult fromErrno(int errorNumber);
};

struct FileReadResult : FileResult {
    std::vector<std::uint8_t> bytes;
};

// Reads at most maxBytes from the start of the file at path. Anything but a regular file
// (a folder, a named pipe, a device) is refused before it is opened, so a pipe nobody
// writes to never blocks the program. A file shorter than maxBytes gives what it has.
FileReadResult readSmallFile(const std::string& path, std::size_t maxBytes);

// The largest text file the programs read whole: Program.ini, the per-user settings and a
// channel list are a few kilobytes; a file over this size is none of them.
constexpr std::size_t kMaxTextFileSize = 1024 * 1024;

// Whether the file at path can be read whole as one of the programs' small inputs: ok for
// a regular file of at most maxBytes; a missing file fails with the system's reason
// (ENOENT), anything but a regular file fails before it is opened, a longer one with
// Kind::TooLarge.
FileResult checkSmallFile(const std::string& path, std::size_t maxBytes);

// The whole file at path, as checkSmallFile allows it.
FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes);

// Whether replaceFile may put a file at path: ok when nothing is there yet (whether the
// folder takes a new file is found out by writing) or when a regular file is, and its
// permissions let this program write it. A folder, a named pipe or a device is refused;
// so is a file that is read-only (Kind::ReadOnly), judged by its permission bits as
// well, because the system lets an administrator write any file.
FileResult checkReplaceable(const std::string& path);

// Puts bytes into the file at path: they go into a new temporary file beside it, which
// takes the place of the old file by one rename only once everything was written (and
// synced, when a hook is installed). A symbolic link is followed, so the link stays and
// the file it points to is replaced; the replaced file's permissions are kept. What
// checkReplaceable refuses is refused before anything is written. On any failure the old
// file is untouched and the temporary is gone. A save that worked removes what earlier
// saves of the same file left when they were killed part-way (see removeStaleTemporaries).
FileResult replaceFile(const std::string& path, std::string_view bytes);

// Removes the temporaries "<target>.tmp-XXXXXX" that a save of target killed part-way left
// beside it: only names of exactly that pattern (six letters or digits), only regular
// files, and only those last changed before this process started, so a save of the same
// file running right now in another process keeps its own. Returns how many went.
int removeStaleTemporaries(const std::string& target);

// Adds bytes at the end of the file at path (made when missing): all of them or none.
// When the write falls short (a full disk), the file is cut back to its old length and
// the system's reason is returned ("No space left on device").
FileResult appendWhole(const std::string& path, std::string_view bytes);

// What identifies one version of a file on the disk: a file replaced or written since
// has another size or modification time.
struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};
    bool operator==(const FileStamp&) const = default;
};
// The stamp of the file at path now (a symbolic link is followed); exists is false when
// there is no such file.
FileStamp fileStamp(const std::string& path);

// Makes data written to `path` reach the disk: the temporary file before it is renamed
// (SyncTarget::File; a failure fails the write), then the folder that holds it, so the
// rename itself lasts (SyncTarget::Folder; a failure there loses nothing written).
enum class SyncTarget { File, Folder };
using FileSyncHook = FileResult (*)(const std::string& path, SyncTarget target);

// Installs the hook for every later replaceFile (nullptr: no syncing, the default).
// Returns the hook it replaces.
FileSyncHook setFileSyncHook(FileSyncHook hook);

} // namespace qx260
