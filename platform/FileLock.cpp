// FileLock over flock() on POSIX systems: the lock lives with the open file, goes when the
// program ends however it ends, and leaves nothing on the disk. Elsewhere a lock file
// beside the file (QLockFile) stands in for it.

#include "platform/FileLock.h"

#include <QtGlobal>

#include <cerrno>
#include <thread>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#endif

namespace qx260
{

namespace
{

FileResult inUse(std::chrono::milliseconds waited)
{
    return FileResult::failure("another program is changing it (waited " +
                                   std::to_string(waited.count() / 1000) +
                                   " seconds); try again when it has finished",
                               FileResult::Kind::InUse);
}

} // namespace

struct FileLock::Held {
    bool created = false; // the lock made the file
    std::string path;
#if defined(Q_OS_UNIX)
    int fd = -1;
    ~Held()
    {
        if (fd >= 0)
            ::close(fd);
    }
#else
    std::unique_ptr<QLockFile> file;
#endif
};

FileLock::FileLock() = default;

FileLock::~FileLock() = default;

bool FileLock::locked() const
{
    return held_ != nullptr;
}

void FileLock::unlock()
{
    held_.reset();
}

void FileLock::discardCreatedFile()
{
    if (!held_ || !held_->created) {
        unlock();
        return;
    }
#if defined(Q_OS_UNIX)
    struct stat locked {
    };
    struct stat current {
    };
    if (::fstat(held_->fd, &locked) == 0 && ::stat(held_->path.c_str(), &current) == 0 &&
        locked.st_dev == current.st_dev && locked.st_ino == current.st_ino && current.st_size == 0)
        ::unlink(held_->path.c_str());
    unlock();
#else
    const QString name = QFile::decodeName(QByteArray::fromStdString(held_->path));
    unlock();
    if (QFileInfo(name).isFile() && QFileInfo(name).size() == 0)
        QFile::remove(name);
#endif
}

FileResult FileLock::lock(const std::string& path, MissingFile missing, std::chrono::milliseconds wait)
{
    unlock();
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + wait;
#if defined(Q_OS_UNIX)
    for (;;) {
        // Not blocking: opening a named pipe would wait for a writer.
        const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
        auto held = std::make_unique<Held>();
        held->path = path;
        held->fd = ::open(path.c_str(), flags);
        if (held->fd < 0 && errno == ENOENT && missing == MissingFile::Create) {
            // Made here, or found made by another edit a moment ago: only a file this lock
            // made may be removed again by discardCreatedFile.
            held->fd = ::open(path.c_str(), flags | O_CREAT | O_EXCL, 0666);
            if (held->fd >= 0)
                held->created = true;
            else if (errno == EEXIST)
                continue;
        }
        if (held->fd < 0)
            return errno == ENOENT ? FileResult{} : FileResult::fromErrno(errno);
        struct stat opened {
        };
        if (::fstat(held->fd, &opened) != 0)
            return FileResult::fromErrno(errno);
        if (!S_ISREG(opened.st_mode))
            return {};
        while (::flock(held->fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR)
                continue;
            if (errno != EWOULDBLOCK)
                return FileResult::fromErrno(errno);
            if (Clock::now() >= deadline)
                return inUse(wait);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        // The one who held it may have put a new file in its place: the lock must be the
        // one of the file the path names now.
        struct stat current {
        };
        if (::stat(path.c_str(), &current) == 0 && current.st_dev == opened.st_dev &&
            current.st_ino == opened.st_ino) {
            held_ = std::move(held);
            return {};
        }
        if (Clock::now() >= deadline)
            return inUse(wait);
    }
#else
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    QFileInfo info(name);
    bool madeHere = false;
    if (!info.exists()) {
        if (missing == MissingFile::Skip)
            return {};
        QFile created(name);
        if (!created.open(QIODevice::Append))
            return FileResult::failure(created.errorString().toStdString());
        info.refresh();
        madeHere = true;
    }
    if (!info.isFile())
        return {};
    auto held = std::make_unique<Held>();
    held->created = madeHere;
    held->path = path;
    held->file = std::make_unique<QLockFile>(info.canonicalFilePath() + QStringLiteral(".lock"));
    if (!held->file->tryLock(static_cast<int>(wait.count())))
        return held->file->error() == QLockFile::LockFailedError
                   ? inUse(wait)
                   : FileResult::failure("cannot make its lock file");
    (void)deadline;
    held_ = std::move(held);
    return {};
#endif
}

} // namespace qx260
