// syncToDisk for POSIX systems (fsync of the file, then of its folder) and for Windows
// (_commit of the file; a folder there cannot be flushed and need not be).

#include "platform/FileSync.h"

#include <QtGlobal>

#include <cerrno>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <fcntl.h>
#include <io.h>
#endif

namespace qx260
{

FileResult syncToDisk(const std::string& path, SyncTarget target)
{
#if defined(Q_OS_UNIX)
    int flags = O_RDONLY | O_CLOEXEC;
    if (target == SyncTarget::Folder)
        flags |= O_DIRECTORY;
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0)
        return FileResult::fromErrno(errno);
    int error = 0;
    while (::fsync(fd) != 0) {
        if (errno != EINTR) {
            error = errno;
            break;
        }
    }
    ::close(fd);
    return error == 0 ? FileResult{} : FileResult::fromErrno(error);
#elif defined(Q_OS_WIN)
    if (target == SyncTarget::Folder)
        return {};
    const int fd = ::_open(path.c_str(), _O_RDWR | _O_BINARY);
    if (fd < 0) {
        // A file given the read-only attribute of the one it replaces cannot be opened
        // for flushing; the system still writes it back.
        return errno == EACCES ? FileResult{} : FileResult::fromErrno(errno);
    }
    const int error = ::_commit(fd) == 0 ? 0 : errno;
    ::_close(fd);
    return error == 0 ? FileResult{} : FileResult::fromErrno(error);
#else
    Q_UNUSED(path);
    Q_UNUSED(target);
    return {};
#endif
}

void installFileSync()
{
    setFileSyncHook(&syncToDisk);
}

} // namespace qx260
