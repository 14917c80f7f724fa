// Fuzz target: a *.dat document. It is loaded into an open document, decoded for every
// radio variant and both languages, encoded, saved to memory and loaded back: a refused
// file leaves the document as it was, a save without edits keeps every byte the table does
// not stand for and a second save changes nothing, what the table shows is what gets
// stored, and a saved document loads as the same image.

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/channels/Channel.h"
#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelTable.h"
#include "core/compare/ImageCompare.h"
#include "core/config/UserStore.h"
#include "core/radio/CProgramDoc.h"
#include "tests/fuzz/FuzzTarget.h"

namespace qx260::fuzz
{

namespace
{

// The bits of byte o that stand for a cell of the channel table: a save writes them from the
// table (an empty frequency word as four 0xFF, an empty channel's settings as their defaults).
std::uint8_t tableBits(std::size_t o)
{
    const std::size_t first = RadioImage::channelOffset(1);
    if (o == offset::ScanBitmap || o == offset::ScanBitmap + 1)
        return 0xFF;
    if (o < first || o >= first + kChannelCount * kChannelRecordSize)
        return 0;
    switch ((o - first) % kChannelRecordSize) {
    case field::BusyLock:
        return 0x18;
    case field::BandwidthPower:
        return 0x30;
    case 14:
    case 15:
        return 0;
    default:
        return 0xFF;
    }
}

std::string where(int variant, bool chinese, bool newDocument)
{
    return "variant " + std::to_string(variant) + (chinese ? ", Chinese" : ", English") +
           (newDocument ? ", new document" : "");
}

// One opening of the loaded image as the channel window opens it, and a save without edits.
void decodeAndStore(const RadioImage& loaded, int variant, bool chinese, bool newDocument)
{
    MemoryUserStore store;
    const CodecContext context{shippedConfiguration(),         store, variant, newDocument, chinese,
                               chinese ? "Chinese" : "English"};
    const std::string at = where(variant, chinese, newDocument);

    RadioImage image = loaded;
    ChannelTable table;
    decodeImage(image, table, context);
    // A new document takes the user's product choice; nothing else changes on opening.
    RadioImage opened = loaded;
    if (newDocument) {
        opened.setByte(offset::ProductType, image.byte(offset::ProductType));
        opened.setByte(offset::BandIndex, image.byte(offset::BandIndex));
    }
    FUZZ_CHECK(image == opened, "decoding changed the image, " + at);

    // Saving what was opened changes none of the bytes the table does not stand for, and
    // once saved, a document stays as it is through any number of openings and saves.
    RadioImage saved = image;
    encodeTable(table, saved, variant);
    for (std::size_t o = 0; o < kImageSize; ++o)
        FUZZ_CHECK(((saved.byte(o) ^ image.byte(o)) & ~tableBits(o)) == 0,
                   "a save without edits changed the document, " + at + ", " + firstDifference(image, saved));
    RadioImage twice = saved;
    encodeTable(table, twice, variant);
    FUZZ_CHECK(twice == saved,
               "a second save changed the document, " + at + ", " + firstDifference(saved, twice));
    const ImageDifferences differences = compareImages(image, saved, variant, chinese);
    FUZZ_CHECK(differences.identical() == (saved == image), "the comparison missed a change, " + at);

    // What the table shows is what the stored image shows again.
    const CodecContext reopen{shippedConfiguration(),         store, variant, false, chinese,
                              chinese ? "Chinese" : "English"};
    RadioImage reopened = saved;
    ChannelTable again;
    decodeImage(reopened, again, reopen);
    const std::string difference = firstCellDifference(table, again);
    FUZZ_CHECK(difference.empty(), "the saved document shows otherwise, " + at + ": " + difference);

    // Saved to memory, loaded back: the same image behind the fixed header.
    const auto file = serializeDat(saved);
    FUZZ_CHECK(std::memcmp(file.data(), "Q9F2\0\0\0\0\0\0\0\0\0\0\0\0", kDatHeaderSize) == 0,
               "the header of a saved document, " + at);
    RadioImage back = RadioImage::newImage();
    const DocumentResult result = parseDat(std::vector<std::uint8_t>(file.begin(), file.end()), back);
    FUZZ_CHECK(result.ok() && back == saved, "a saved document loads otherwise, " + at);
}

} // namespace

void checkDatFile(const std::uint8_t* data, std::size_t size)
{
    // The document that is open when the file is loaded.
    RadioImage image = RadioImage::newImage();
    const RadioImage before = image;
    const DocumentResult loaded = parseDat(std::vector<std::uint8_t>(data, data + size), image);
    const bool acceptable = size >= kDatFileSize && std::memcmp(data, "Q9F2", 4) == 0;
    FUZZ_CHECK(loaded.ok() == acceptable, "a file of " + std::to_string(size) + " bytes");
    if (!loaded.ok()) {
        FUZZ_CHECK(loaded.error == DocumentError::FormatError, "refused as something else than its format");
        FUZZ_CHECK(image == before, "a refused file changed the open document");
        return;
    }
    FUZZ_CHECK(std::equal(image.bytes().begin(), image.bytes().end(), data + kDatHeaderSize),
               "the image is not the file's bytes 16 to 1039");

    // The typed channels hold every bit of their records and scan bits: stored into any
    // image, they give the file's bytes back, and read again they are the same channels.
    const ChannelList channels = decodeChannels(image);
    RadioImage typed = RadioImage::newImage();
    encodeChannels(channels, typed);
    FUZZ_CHECK(decodeChannels(typed) == channels, "the channels read back otherwise");
    RadioImage roundTrip = image;
    encodeChannels(channels, roundTrip);
    FUZZ_CHECK(roundTrip == image,
               "the channels stored back changed the image, " + firstDifference(image, roundTrip));

    // (A new document differs only in where its product bytes come from.)
    for (int variant = 0; variant <= 2; ++variant)
        for (bool chinese : {false, true})
            decodeAndStore(image, variant, chinese, false);
    decodeAndStore(image, 1, false, true);
}

} // namespace qx260::fuzz

QX260_FUZZ_ENTRY(qx260::fuzz::checkDatFile)
