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
#include <string>
#include <string_view>
#include <vector>

namespace qx260
{

// What a file operation came to: ok(), or the reason it failed in the system's words.
struct FileResult {
    bool failed = false;
    std::string reason;
    bool ok() const { return !failed; }

    static FileResult failure(std::string reason);
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

// Puts bytes into the file at path: they go into a new temporary file beside it, which
// takes the place of the old file by one rename only once everything was written (and
// synced, when a hook is installed). A symbolic link is followed, so the link stays and
// the file it points to is replaced; the replaced file's permissions are kept. On any
// failure the old file is untouched and the temporary is gone.
FileResult replaceFile(const std::string& path, std::string_view bytes);

// Makes data written to `path` reach the disk: the temporary file before it is renamed
// (SyncTarget::File; a failure fails the write), then the folder that holds it, so the
// rename itself lasts (SyncTarget::Folder; a failure there loses nothing written).
enum class SyncTarget { File, Folder };
using FileSyncHook = FileResult (*)(const std::string& path, SyncTarget target);

// Installs the hook for every later replaceFile (nullptr: no syncing, the default).
// Returns the hook it replaces.
FileSyncHook setFileSyncHook(FileSyncHook hook);

} // namespace qx260
