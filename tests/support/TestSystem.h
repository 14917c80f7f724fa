#pragma once
// The few system services the core's tests need beyond standard C++, alike on POSIX
// systems and on Windows (where the core's tests run under Wine): a fresh private
// temporary folder, the process id for unique file names, and whether file permissions
// bind this run. Tests of POSIX file semantics (permission bits, named pipes, /dev) skip
// on Windows with SKIP_WITHOUT_POSIX_FILES, saying why.

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace qx260::testsystem
{

inline int processId()
{
#ifdef _WIN32
    return ::_getpid();
#else
    return static_cast<int>(::getpid());
#endif
}

// True when file permissions do not stop this run: root reads and writes everything, and
// so does Windows run by Wine as root. Windows is asked by trying: a read-only file that
// opens for writing.
inline bool permissionsIgnored()
{
#ifdef _WIN32
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path probe = fs::temp_directory_path(ec) / ("qx260-probe-" + std::to_string(processId()));
    std::FILE* created = std::fopen(probe.string().c_str(), "wb");
    if (!created)
        return false;
    std::fclose(created);
    fs::permissions(probe, fs::perms::owner_read, fs::perm_options::replace, ec);
    std::FILE* written = std::fopen(probe.string().c_str(), "r+b");
    if (written)
        std::fclose(written);
    fs::permissions(probe, fs::perms::owner_all, fs::perm_options::replace, ec);
    fs::remove(probe, ec);
    return written != nullptr;
#else
    return ::geteuid() == 0;
#endif
}

// A locale whose decimal point is a comma, for the tests that data never depends on the
// user's locale (scripts/install-deps.sh makes it on Debian).
#ifdef _WIN32
constexpr const char* kDecimalCommaLocale = "German_Germany.1252";
#else
constexpr const char* kDecimalCommaLocale = "de_DE.UTF-8";
#endif

// A new empty folder under the temporary folder, named prefix + a random part; empty
// when none could be made.
inline std::string makeTempDirectory(const std::string& prefix)
{
    std::random_device seed;
    std::mt19937_64 random(seed() ^ static_cast<unsigned>(processId()));
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    for (int attempt = 0; attempt < 100 && !ec; ++attempt) {
        const std::filesystem::path candidate = base / (prefix + std::to_string(random() % 1000000000u));
        if (std::filesystem::create_directory(candidate, ec)) {
            std::filesystem::permissions(candidate, std::filesystem::perms::owner_all, ec);
            return candidate.string();
        }
    }
    return {};
}

} // namespace qx260::testsystem

#ifdef _WIN32
#define SKIP_WITHOUT_POSIX_FILES()                                                                           \
    GTEST_SKIP() << "POSIX file semantics (permission bits, links, pipes, /dev) do not exist on Windows"
#else
#define SKIP_WITHOUT_POSIX_FILES() static_cast<void>(0)
#endif
