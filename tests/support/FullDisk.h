#pragma once
// A disk that fills up, for a program a test starts: every file the child writes stops
// growing at a given size, and a write past it fails with EFBIG, as on a full disk.

#include <QProcess>

#include <sys/resource.h>

#include <csignal>

namespace qx260::test
{

// To be called before process.start(). A limit of 0 leaves the child as it is.
inline void limitFileSize(QProcess& process, qint64 bytes)
{
    const rlim_t limit = static_cast<rlim_t>(bytes);
    if (limit == 0)
        return;
    process.setChildProcessModifier([limit] {
        std::signal(SIGXFSZ, SIG_IGN); // fail the write instead of ending the program
        const struct rlimit fileSize = {limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
    });
}

} // namespace qx260::test
