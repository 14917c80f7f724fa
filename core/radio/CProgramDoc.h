#pragma once
// A document: one radio image, kept in a 1040-byte "*.dat" file
// ("Q9F2", twelve zero bytes, then the 1024-byte image).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/config/FileAccess.h"
#include "core/radio/FrequencyCheck.h"
#include "core/radio/RadioImage.h"

namespace qx260
{

struct ProcessValues;

constexpr std::size_t kDatFileSize = 1040;
constexpr std::size_t kDatHeaderSize = 16;

enum class DocumentError {
    None,
    FormatError, // wrong magic or a file shorter than 1040 bytes: "Data Format Error"
    OpenFailed,  // the file could not be opened or read
    WriteFailed, // the file could not be created or written
    ReadOnly,    // the file is read-only and was left as it is
};

struct DocumentResult {
    DocumentError error = DocumentError::None;
    std::string reason; // the system's reason for OpenFailed / WriteFailed
    bool ok() const { return error == DocumentError::None; }
};

// The 1040 bytes of a file for an image.
std::array<std::uint8_t, kDatFileSize> serializeDat(const RadioImage& image);
// The image of a file's bytes; FormatError when short or the magic differs.
DocumentResult parseDat(const std::vector<std::uint8_t>& bytes, RadioImage& image);

// Reads a file into a fresh image; `image` is replaced only on success.
DocumentResult loadDatFile(const std::string& path, RadioImage& image);
// Writes a temporary file beside the target and renames it over the target, so a
// failed save never destroys the previous file.
DocumentResult saveDatFile(const std::string& path, const RadioImage& image);

class CProgramDoc
{
  public:
    RadioImage image;
    std::string title;
    std::string pathName;
    bool modified = false;
    // The file as it was when this document last opened or saved it; empty before.
    FileStamp fileOnDisk;
    // Set by a new document, cleared by an open or a completed Read: a new document takes
    // the user's last product choice, any other one becomes it.
    bool newDocumentFlag = false;
    // The valid frequencies of the band the product bytes name, in 10 Hz units (set each time
    // the document is shown and when its product changes).
    BandLimits bandLimits;

    // Factory defaults, title Text::ChannelInformation, path name from
    // "Setup"/"AppName", sets the new-document flag.
    bool OnNewDocument(const ProcessValues& values);
    // Loads the file (image untouched on failure), clears the new-document flag.
    DocumentResult OnOpenDocument(const std::string& path);
    // Stores the image (the caller encodes the channel table first); clears `modified`.
    DocumentResult OnSaveDocument(const std::string& path);

    // True when the document's file was replaced or written by someone else since this
    // document opened or saved it (a file that is gone counts as no change: nothing there
    // would be lost).
    bool changedOnDisk() const;
};

// The file name part of a path (the title a document gets after open or save).
std::string fileTitle(const std::string& path);

} // namespace qx260
