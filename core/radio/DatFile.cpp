// The *.dat file: reading, and saving through a temporary file.

#include "core/radio/CProgramDoc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

namespace qx260 {

namespace {

constexpr std::uint8_t kMagic[4] = {'Q', '9', 'F', '2'};

DocumentResult failure(DocumentError error, int errorNumber)
{
    DocumentResult result;
    result.error = error;
    result.reason = std::strerror(errorNumber);
    return result;
}

// Closes a descriptor on every way out.
struct FileDescriptor {
    int fd = -1;
    explicit FileDescriptor(int d) : fd(d) {}
    ~FileDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    // Closes now and tells whether the close itself went wrong (it can report a
    // failed write-back on some file systems).
    bool close()
    {
        const int d = fd;
        fd = -1;
        return ::close(d) == 0;
    }
};

bool writeAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// The file a save really replaces: a symbolic link is followed, so the link stays.
std::string saveTarget(const std::string& path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            std::string target = resolved;
            std::free(resolved);
            return target;
        }
    }
    return path;
}

// Creates a new file "<path>.tmp-XXXXXX" beside path; the descriptor or -1 with errno set.
int createTemporary(const std::string& path, std::string& tempPath)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 generator(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(6, 'X');
        for (char& c : suffix)
            c = kLetters[pick(generator)];
        tempPath = path + ".tmp-" + suffix;
        // 0666 so that the user's umask decides, as for any new file.
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

std::array<std::uint8_t, kDatFileSize> serializeDat(const RadioImage& image)
{
    std::array<std::uint8_t, kDatFileSize> out{};
    std::copy(std::begin(kMagic), std::end(kMagic), out.begin());
    // Bytes 4..15 stay zero.
    std::copy(image.bytes().begin(), image.bytes().end(), out.begin() + kDatHeaderSize);
    return out;
}

DocumentResult parseDat(const std::vector<std::uint8_t>& bytes, RadioImage& image)
{
    DocumentResult result;
    if (bytes.size() < kDatFileSize || !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin())) {
        result.error = DocumentError::FormatError;
        return result;
    }
    std::copy(bytes.begin() + kDatHeaderSize, bytes.begin() + kDatFileSize, image.bytes().begin());
    return result;
}

DocumentResult loadDatFile(const std::string& path, RadioImage& image)
{
    // Opened without waiting, so that a named pipe nobody writes to is refused at once
    // instead of blocking the program; reads then wait as usual.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.fd < 0)
        return failure(DocumentError::OpenFailed, errno);
    const int flags = ::fcntl(file.fd, F_GETFL);
    if (flags < 0 || ::fcntl(file.fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return failure(DocumentError::OpenFailed, errno);
    struct stat st;
    if (::fstat(file.fd, &st) == 0 && S_ISDIR(st.st_mode))
        return failure(DocumentError::OpenFailed, EISDIR);

    // Only the first 1040 bytes matter; anything after them is never looked at.
    std::vector<std::uint8_t> bytes(kDatFileSize);
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failure(DocumentError::OpenFailed, errno);
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);

    RadioImage fresh;
    DocumentResult result = parseDat(bytes, fresh);
    if (result.ok())
        image = fresh;
    return result;
}

DocumentResult saveDatFile(const std::string& path, const RadioImage& image)
{
    const std::string target = saveTarget(path);
    std::string tempPath;
    FileDescriptor file(createTemporary(target, tempPath));
    if (file.fd < 0)
        return failure(DocumentError::WriteFailed, errno);

    // Keep the permissions of the file being replaced.
    struct stat old;
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        (void)::fchmod(file.fd, old.st_mode & 07777);

    const auto bytes = serializeDat(image);
    int error = 0;
    if (!writeAll(file.fd, bytes.data(), bytes.size()) || ::fsync(file.fd) != 0)
        error = errno;
    if (!file.close() && error == 0)
        error = errno;
    if (error == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(tempPath.c_str());
        return failure(DocumentError::WriteFailed, error);
    }

    // Make the rename itself durable; a failure here loses nothing already written.
    const int dir = ::open(directoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return {};
}

std::string fileTitle(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace qx260
