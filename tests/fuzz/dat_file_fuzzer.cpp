// Fuzz target: a *.dat document. It is loaded into an open document, its channels read as
// values and stored back, shown for every radio variant and both languages, saved to memory
// and loaded back: a refused file leaves the document as it was, the channels give back every
// byte, what the window shows is what the channels hold, and a saved document loads as the
// same image.

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/channels/Channel.h"
#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelFields.h"
#include "core/compare/ImageCompare.h"
#include "core/config/UserStore.h"
#include "core/radio/CProgramDoc.h"
#include "tests/fuzz/FuzzTarget.h"

namespace qx260::fuzz
{

namespace
{

std::string where(int variant, bool chinese, bool newDocument)
{
    return "variant " + std::to_string(variant) + (chinese ? ", Chinese" : ", English") +
           (newDocument ? ", new document" : "");
}

// One opening of the loaded image as the channel window opens it, and a save without edits.
void decodeAndStore(const RadioImage& loaded, int variant, bool chinese, bool newDocument)
{
    MemoryUserStore store;
    const std::string at = where(variant, chinese, newDocument);

    // A new document takes the user's product choice; nothing else changes on opening.
    RadioImage image = loaded;
    settleProductChoice(image, newDocument, store, shippedConfiguration());
    RadioImage opened = loaded;
    if (newDocument) {
        opened.setByte(offset::ProductType, image.byte(offset::ProductType));
        opened.setByte(offset::BandIndex, image.byte(offset::BandIndex));
    }
    FUZZ_CHECK(image == opened, "opening changed the image, " + at);

    // Every text the window shows for a channel field is what the field holds: taken back
    // by the field's parser (where it is a text a user could type) it stores the same value.
    const ChannelList channels = decodeChannels(image);
    const BandLimits anyBand{0, 99999999};
    for (int n = 1; n <= kChannelCount; ++n) {
        const Channel& channel = channels.channel(n);
        const std::array<std::string, 8> texts = shownFieldTexts(channel, variant, languageOf(chinese));
        for (ChannelField f : kChannelFields) {
            const std::string& text = texts[static_cast<std::size_t>(columnOf(f) - 1)];
            const ParsedField parsed = parseField(f, text, anyBand);
            if (text.empty() || !parsed.ok())
                continue; // an empty channel's settings, a tone the list does not offer, no frequency
            Channel typed = channel;
            setField(typed, f, parsed.value);
            FUZZ_CHECK(fieldText(typed, f, languageOf(chinese)) == text,
                       "channel " + std::to_string(n) + " shows \"" + text + "\" otherwise, " + at);
        }
    }
    const ImageDifferences differences = compareImages(image, image, variant, languageOf(chinese));
    FUZZ_CHECK(differences.identical(), "an image differs from itself, " + at);
    const RadioImage& saved = image;

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
