// Fuzz target: a channel list, as a CSV file in either layout and as rows pasted from the
// clipboard, taken into a document's channels for every radio variant and both languages,
// the way the window and the command line take it. A taken file changes only the channels
// it reports, a refused one changes nothing and says why, and the channels it leaves export
// in both layouts to files that import back into them changing nothing.

#include <algorithm>

#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelCsv.h"
#include "core/channels/ChannelRows.h"
#include "core/channels/ImportPlan.h"
#include "tests/fuzz/FuzzTarget.h"

namespace qx260::fuzz
{

namespace
{

std::string where(const char* what, int variant, Language language)
{
    return std::string(what) + ", variant " + std::to_string(variant) +
           (isChinese(language) ? ", Chinese" : ", English");
}

// What an import says it did is what it did: the channels it does not report are as they were.
void checkTaken(const ChannelList& before, const ChannelImportResult& result, const std::string& at)
{
    if (!result.ok()) {
        FUZZ_CHECK(!result.error.message.empty(), "a refusal without a message, " + at);
        FUZZ_CHECK(result.channels == before && result.changed.empty(), "a refusal changed channels, " + at);
        return;
    }
    std::vector<int> changed = result.changed;
    std::sort(changed.begin(), changed.end());
    FUZZ_CHECK(std::adjacent_find(changed.begin(), changed.end()) == changed.end(),
               "changed channels counted twice, " + at);
    for (int n = 1; n <= kChannelCount; ++n) {
        const bool reported = std::binary_search(changed.begin(), changed.end(), n);
        FUZZ_CHECK(reported == !(result.channels.channel(n) == before.channel(n)),
                   "channel " + std::to_string(n) +
                       (reported ? " reported, not changed, " : " changed unreported, ") + at);
    }
}

// A row of the common layout always has a receive frequency: a channel with a transmit
// side only is written as one that transmits and receives there.
bool heldByCommonLayout(const Channel& channel)
{
    return !channel.rx.empty() || channel.tx.empty();
}

// The channels export in both layouts, and each export imports back changing nothing.
void exportAndImport(const ChannelList& channels, BandLimits limits, int variant, Language language)
{
    for (ChannelCsvLayout layout : {ChannelCsvLayout::Program, ChannelCsvLayout::Common}) {
        const std::string text = exportChannels(channels, layout, language);
        ChannelRowsInput input;
        input.text = text;
        const ChannelImportResult result = importChannels(channels, input, limits, variant, language);
        const std::string at = where(layout == ChannelCsvLayout::Common ? "common layout" : "program layout",
                                     variant, language) +
                               ":\n" + text;
        FUZZ_CHECK(result.ok(), "an export was refused: " + result.error.message + ", " + at);
        for (int n : result.changed)
            FUZZ_CHECK(layout == ChannelCsvLayout::Common && !heldByCommonLayout(channels.channel(n)),
                       "an export changed channel " + std::to_string(n) + ", " + at);
    }
}

void take(const ChannelList& document, BandLimits limits, std::string_view text, int variant,
          Language language)
{
    // A file, renumbered when its channel numbers do not fit (the window asks, and does).
    ChannelRowsInput input;
    input.text = text;
    ChannelImportResult result = importChannels(document, input, limits, variant, language);
    if (!result.ok() && result.error.badLocation) {
        input.renumber = true;
        result = importChannels(document, input, limits, variant, language);
    }
    checkTaken(document, result, where("file", variant, language));
    if (result.ok())
        exportAndImport(result.channels, limits, variant, language);

    // The rows that fit, taken from channel 1 as the import dialog and --fitting take them:
    // every row is judged, and what is taken changes only what it reports.
    const ImportTarget target{limits, {}, variant, language};
    const ImportFile file = readImportFile(text, target);
    if (file.ok()) {
        for (const ImportRow& row : file.rows)
            FUZZ_CHECK(row.fits == row.reason.empty(),
                       "a row left out without a reason, " + where("rows", variant, language));
        const ImportTaken taken = takeChosenRows(document, file, fittingSelection(file, 1), 1, target);
        checkTaken(document, taken.result, where("rows that fit", variant, language));
    }

    // The same text pasted at channel 1 of the window (variant 0 has no editable table).
    if (variant == 0)
        return;
    checkTaken(document, pasteChannelRows(document, text, 1, limits, variant, language),
               where("paste", variant, language));
}

} // namespace

void checkChannelCsv(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static const RadioImage document = sampleDocument();
    static const ChannelList channels = decodeChannels(document);
    static const BandLimits limits =
        describeProduct(document, shippedConfiguration(), "English", Language::English).bandLimits;
    for (int variant = 0; variant <= 2; ++variant)
        for (Language language : {Language::English, Language::Chinese})
            take(channels, limits, text, variant, language);
}

} // namespace qx260::fuzz

QX260_FUZZ_ENTRY(qx260::fuzz::checkChannelCsv)
