#pragma once
// A lock on one file for the time of one edit: read, change, replace. Two programs (two
// runs of qx260-cli, or one of them and the desktop program) that edit the same document
// or Program.ini take turns instead of one silently undoing the other's change. Every
// editor of the program's files takes it; other programs are not bound by it.

#include <chrono>
#include <memory>
#include <string>

#include "core/config/FileAccess.h"

namespace qx260
{

// How long an edit waits for another one to finish before it gives up.
constexpr std::chrono::milliseconds kEditLockWait{5000};

// What lock() does when the file is not there: an edit that creates its file (config set)
// creates it empty first, so that two such edits take turns on the same file.
enum class MissingFile { Skip, Create };

class FileLock
{
  public:
    FileLock();
    ~FileLock(); // releases the lock
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock of the file at path (a symbolic link is followed), waiting up to
    // `wait` while someone else holds it; then fails, saying that the file is in use.
    // Whoever waited for a file that was replaced meanwhile gets the lock of the new one.
    // A missing file (with MissingFile::Skip) or anything but a regular file has nothing
    // to lock: ok, and the read that follows reports what is wrong with it.
    FileResult lock(const std::string& path, MissingFile missing = MissingFile::Skip,
                    std::chrono::milliseconds wait = kEditLockWait);
    void unlock();
    bool locked() const;
    // For an edit that failed: when this lock made the file (MissingFile::Create) and the
    // path still names that file, empty, the file is removed again, so a failed command
    // leaves no new file behind. Anything else stays as it is. The lock is released.
    void discardCreatedFile();

  private:
    struct Held;
    std::unique_ptr<Held> held_;
};

} // namespace qx260
