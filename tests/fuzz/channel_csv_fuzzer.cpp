// Fuzz target: a channel list, as a CSV file in either layout and as rows pasted from the
// clipboard, taken into a document for every radio variant and both languages, the way the
// window and the command line take it: into a copy of the channel table, stored only when
// the whole file was taken. A taken file changes only the channels it names, the stored
// document shows exactly the table that was taken, and that document exports in both
// layouts to files that import back into it changing nothing.

#include <algorithm>

#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelCsv.h"
#include "core/channels/ChannelRows.h"
#include "core/channels/ChannelTable.h"
#include "core/config/UserStore.h"
#include "core/radio/Tones.h"
#include "tests/fuzz/FuzzTarget.h"

namespace qx260::fuzz
{

namespace
{

struct Opened {
    RadioImage image;
    ChannelTable table;
    BandLimits limits;
};

Opened open(const RadioImage& image, int variant, bool chinese)
{
    MemoryUserStore store;
    Opened doc{image, {}, {}};
    doc.limits = decodeImage(doc.image, doc.table,
                             CodecContext{shippedConfiguration(), store, variant, false, chinese,
                                          chinese ? "Chinese" : "English"})
                     .bandLimits;
    return doc;
}

// A file or paste that was taken: stored as the programs store it and checked.
RadioImage store(const Opened& doc, ChannelTable& taken, const ChannelImportResult& result, int variant,
                 bool chinese, const char* what)
{
    const std::string at =
        std::string(what) + ", variant " + std::to_string(variant) + (chinese ? ", Chinese" : ", English");
    std::vector<int> changed = result.changed;
    std::sort(changed.begin(), changed.end());
    FUZZ_CHECK(std::adjacent_find(changed.begin(), changed.end()) == changed.end() &&
                   result.changedChannels == static_cast<int>(changed.size()),
               "changed channels counted twice, " + at);

    RadioImage image = doc.image;
    storeChangedChannels(taken, result, image, variant);
    for (int n = 1; n <= kChannelCount; ++n) {
        if (std::binary_search(changed.begin(), changed.end(), n))
            continue;
        for (int c = 1; c < ChannelTable::kCols; ++c)
            FUZZ_CHECK(taken.textMatrix(n, c) == doc.table.textMatrix(n, c),
                       "channel " + std::to_string(n) + " changed unreported, " + at);
        for (int k = 0; k < kChannelRecordSize; ++k)
            FUZZ_CHECK(image.channelByte(n, k) == doc.image.channelByte(n, k),
                       "channel " + std::to_string(n) + " stored though unchanged, " + at);
        FUZZ_CHECK(image.scan(n) == doc.image.scan(n), "a scan bit stored though unchanged, " + at);
    }
    for (std::size_t o = 0; o < kImageSize; ++o)
        if ((o < RadioImage::channelOffset(1) || o > RadioImage::channelOffset(kChannelCount, 15)) &&
            o != offset::ScanBitmap && o != offset::ScanBitmap + 1)
            FUZZ_CHECK(image.byte(o) == doc.image.byte(o), "byte " + std::to_string(o) + " changed, " + at);

    // (A tone cell left empty in a channel with a frequency is stored as no tone.)
    const Opened reopened = open(image, variant, chinese);
    for (int n = 1; n <= kChannelCount; ++n)
        for (int c = 1; c < ChannelTable::kCols; ++c)
            FUZZ_CHECK(!keptColumn(c, variant) || reopened.table.textMatrix(n, c) == taken.textMatrix(n, c) ||
                           ((c == column::DecodeTone || c == column::EncodeTone) &&
                            toneTextToWord(reopened.table.textMatrix(n, c)) ==
                                toneTextToWord(taken.textMatrix(n, c))),
                       "channel " + std::to_string(n) + " column " + std::to_string(c) + " taken as \"" +
                           taken.textMatrix(n, c) + "\", stored as \"" + reopened.table.textMatrix(n, c) +
                           "\", " + at);
    return image;
}

// A row of the common layout always has a receive frequency: a channel with a transmit
// side only is written as one that transmits and receives there, unless the variant keeps
// the transmit side only.
bool heldByCommonLayout(const ChannelTable& table, int n, int variant)
{
    return variant == 2 || !table.textMatrix(n, column::RxFrequency).empty() ||
           table.textMatrix(n, column::TxFrequency).empty();
}

// The document exports in both layouts, and each export imports back changing nothing.
void exportAndImport(const RadioImage& image, int variant, bool chinese)
{
    const Opened doc = open(image, variant, chinese);
    for (ChannelCsvLayout layout : {ChannelCsvLayout::Program, ChannelCsvLayout::Common}) {
        const std::string text = exportChannelsCsv(storedChannels(doc.table, variant), layout);
        ChannelTable again = detachedCopy(doc.table);
        const ChannelImportResult result = importChannelsCsv(again, text, doc.limits, chinese, variant);
        const std::string at = std::string(layout == ChannelCsvLayout::Common ? "common" : "program") +
                               " layout, variant " + std::to_string(variant) +
                               (chinese ? ", Chinese" : ", English") + ":\n" + text;
        FUZZ_CHECK(result.ok(), "an export was refused: " + result.error.message + ", " + at);
        for (int n : result.changed)
            FUZZ_CHECK(layout == ChannelCsvLayout::Common && !heldByCommonLayout(doc.table, n, variant),
                       "an export changed channel " + std::to_string(n) + ", " + at);
    }
}

void take(const RadioImage& document, std::string_view text, int variant, bool chinese)
{
    const Opened doc = open(document, variant, chinese);

    // A file, renumbered when its channel numbers do not fit (the window asks, and does).
    ChannelTable taken = detachedCopy(doc.table);
    ChannelImportResult result = importChannelsCsv(taken, text, doc.limits, chinese, variant);
    if (!result.ok() && result.error.badLocation) {
        taken = detachedCopy(doc.table);
        result = importChannelsCsv(taken, text, doc.limits, chinese, variant, true);
    }
    if (result.ok())
        exportAndImport(store(doc, taken, result, variant, chinese, "file"), variant, chinese);
    else
        FUZZ_CHECK(!result.error.message.empty(), "a refusal without a message");

    // The same text pasted at channel 1 of the window (variant 0 has no editable table).
    if (variant == 0)
        return;
    ChannelTable pasted = detachedCopy(doc.table);
    const ChannelImportResult paste = pasteChannelRows(pasted, text, 1, doc.limits, chinese, variant);
    if (paste.ok())
        store(doc, pasted, paste, variant, chinese, "paste");
    else
        FUZZ_CHECK(!paste.error.message.empty(), "a refused paste without a message");
}

} // namespace

void checkChannelCsv(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static const RadioImage document = sampleDocument();
    for (int variant = 0; variant <= 2; ++variant)
        for (bool chinese : {false, true})
            take(document, text, variant, chinese);
}

} // namespace qx260::fuzz

QX260_FUZZ_ENTRY(qx260::fuzz::checkChannelCsv)
