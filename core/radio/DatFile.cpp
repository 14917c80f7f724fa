// The *.dat file: its bytes, reading it, and saving it so that a failure keeps the old file.

#include "core/radio/CProgramDoc.h"

#include <algorithm>

#include "core/config/FileAccess.h"

namespace qx260
{

namespace
{

constexpr std::uint8_t kMagic[4] = {'Q', '9', 'F', '2'};

DocumentResult failure(DocumentError error, const FileResult& file)
{
    DocumentResult result;
    result.error = error;
    result.reason = file.reason;
    return result;
}

} // namespace

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
    // Only the first 1040 bytes matter; anything after them is never looked at.
    const FileReadResult file = readSmallFile(path, kDatFileSize);
    if (!file.ok())
        return failure(DocumentError::OpenFailed, file);
    RadioImage fresh;
    DocumentResult result = parseDat(file.bytes, fresh);
    if (result.ok())
        image = fresh;
    return result;
}

DocumentResult saveDatFile(const std::string& path, const RadioImage& image)
{
    const auto bytes = serializeDat(image);
    const FileResult written =
        replaceFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!written.ok())
        return failure(written.kind == FileResult::Kind::ReadOnly ? DocumentError::ReadOnly
                                                                  : DocumentError::WriteFailed,
                       written);
    return {};
}

std::string fileTitle(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace qx260
