// Fuzz target: what a user types into the channel window's cells and the Optional Features
// dialog, taken as the window and the command line take it, into a document under a band
// and radio variant the input chooses. A refused text leaves the channel as it was; a taken
// one changes its own channel only, never a field the variant hides (unless the channel is
// erased), takes only frequencies in the band and on a step, and is stored as taken. An
// option value changes its own bytes only and shows again as it was taken.
//
// Input: a byte choosing variant, language and band (a band text of its own on the first
// line when it says so), then edits: a byte for the kind and place, a byte more for a cell's
// column, and the typed text up to a line break.

#include <algorithm>

#include "core/channels/Channel.h"
#include "core/channels/ChannelEditing.h"
#include "core/channels/ChannelFields.h"
#include "core/settings/OptionRules.h"
#include "tests/fuzz/FuzzTarget.h"

namespace qx260::fuzz
{

namespace
{

struct Document {
    int variant = 1;
    bool chinese = false;
    BandLimits limits;
    RadioImage image;
    Language language() const { return languageOf(chinese); }
};

// One cell typed and confirmed, as the window's editors and "qx260-cli set" do it.
void typeIntoCell(Document& doc, int row, int col, const std::string& typed, CommitTrigger trigger)
{
    const ChannelField field = *fieldOfColumn(col);
    const RadioImage imageBefore = doc.image;
    const Channel before = decodeChannel(doc.image, row);
    Channel channel = before;
    const EditOutcome outcome =
        commitField(channel, field, typed, trigger, doc.limits, doc.variant, doc.language());
    const std::string at =
        "channel " + std::to_string(row) + " column " + std::to_string(col) + " \"" + typed + "\"";
    if (!outcome.ok()) {
        FUZZ_CHECK(channel == before && !outcome.changed, "a refused text changed the channel, " + at);
        return;
    }
    FUZZ_CHECK(outcome.changed == !(channel == before), "the change was misreported, " + at);

    // What the variant hides stays, unless the channel was erased as a whole.
    const bool erased = channel == erasedChannel(before);
    for (ChannelField f : kChannelFields)
        FUZZ_CHECK(!hiddenByVariant(f, doc.variant) || erased ||
                       fieldValue(channel, f) == fieldValue(before, f),
                   "a field the variant hides changed, " + at);
    // A frequency that changed lies in the band and on a channel step.
    for (const Frequency& f : {channel.rx, channel.tx})
        if (!f.empty() && !(f == before.rx) && !(f == before.tx))
            FUZZ_CHECK(readFrequency(frequencyText(f), doc.limits).verdict == FrequencyVerdict::Valid,
                       "a frequency outside the band or off the steps was taken, " + at);

    // Stored, the channel reads back as taken, and no other channel is touched.
    encodeChannel(channel, doc.image, row);
    FUZZ_CHECK(decodeChannel(doc.image, row) == channel, "stored otherwise than taken, " + at);
    for (int n = 1; n <= kChannelCount; ++n)
        FUZZ_CHECK(n == row || decodeChannel(doc.image, n) == decodeChannel(imageBefore, n),
                   "channel " + std::to_string(n) + " stored anew, " + at + ", " +
                       firstDifference(imageBefore, doc.image));
}

// Optional Features: OK with one control changed. Only that control's bytes may change, and
// the dialog opened again shows what was taken.
void setOption(Document& doc, std::uint8_t kind, FuzzInput& in)
{
    OptionalFeatures features = loadOptionalFeatures(doc.image, languageOf(doc.chinese));
    std::vector<std::size_t> own;
    std::string at;
    switch (kind % 4) {
    case 0: { // Transmit Delay typed, then left
        const std::string typed = in.text();
        at = "Transmit Delay \"" + typed + "\"";
        if (!transmitDelayTextAccepted(typed))
            return; // the field takes its last value back
        const std::string normal = normaliseTransmitDelay(typed, languageOf(doc.chinese));
        FUZZ_CHECK(transmitDelayTextAccepted(normal) &&
                       normaliseTransmitDelay(normal, languageOf(doc.chinese)) == normal,
                   at + " became \"" + normal + "\"");
        features.transmitDelay = normal;
        own = {offset::TransmitDelay, offset::TransmitDelay + 1};
        break;
    }
    case 1: { // the up-down arrows
        const int step = static_cast<std::int8_t>(in.byte());
        const std::string stepped = stepTransmitDelay(features.transmitDelay, step, languageOf(doc.chinese));
        at = "Transmit Delay " + features.transmitDelay + " stepped by " + std::to_string(step);
        FUZZ_CHECK(transmitDelayTextAccepted(stepped) &&
                       normaliseTransmitDelay(stepped, languageOf(doc.chinese)) == stepped,
                   at + " became \"" + stepped + "\"");
        features.transmitDelay = stepped;
        own = {offset::TransmitDelay, offset::TransmitDelay + 1};
        break;
    }
    case 2: { // a list position (or none)
        const OptionList list = kOptionLists[(kind >> 2) % kOptionListCount];
        const int count = static_cast<int>(optionListItems(list, languageOf(doc.chinese)).size());
        const int position = in.byte() % (count + 1) - 1;
        at = optionListName(list) + " at " + std::to_string(position);
        features.position(list) = position;
        own = {optionOffset(list)};
        break;
    }
    default: // a check box
        ((kind >> 2) % 2 ? features.beep : features.batterySaver) ^= true;
        own = {(kind >> 2) % 2 ? offset::Beep : offset::BatterySaver};
        at = "a check box";
        break;
    }
    const RadioImage before = doc.image;
    storeOptionalFeatures(features, doc.image);
    for (std::size_t o = 0; o < kImageSize; ++o)
        FUZZ_CHECK(std::find(own.begin(), own.end(), o) != own.end() || doc.image.byte(o) == before.byte(o),
                   "byte " + std::to_string(o) + " changed, " + at);
    const OptionalFeatures shown = loadOptionalFeatures(doc.image, languageOf(doc.chinese));
    FUZZ_CHECK(shown.transmitDelay == features.transmitDelay && shown.beep == features.beep &&
                   shown.batterySaver == features.batterySaver,
               "shown otherwise than taken, " + at);
    for (OptionList list : kOptionLists)
        FUZZ_CHECK(features.position(list) < 0 || shown.position(list) == features.position(list),
                   optionListName(list) + " shown otherwise than taken, " + at);
}

} // namespace

void checkTypedValues(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::uint8_t setup = in.byte();
    Document doc;
    doc.variant = 1 + setup % 2; // variant 0 has no editable table
    doc.chinese = (setup >> 1) & 1;
    const char* const bands[] = {"136 - 174MHz", "144 - 148MHz", "130 - 160MHz"};
    const int band = (setup >> 2) % 4;
    doc.limits = bandLimitsFromText(band < 3 ? std::string(bands[band]) : in.text());
    doc.image = sampleDocument();

    // A few dozen edits say all that more would (and keep each run short).
    for (int edits = 0; edits < 32 && !in.empty(); ++edits) {
        const std::uint8_t kind = in.byte();
        if (kind & 1) {
            setOption(doc, kind >> 1, in);
            continue;
        }
        const int row = 1 + (kind >> 1) % kChannelCount;
        const CommitTrigger trigger = kind & 0x20 ? CommitTrigger::LeaveCell : CommitTrigger::Enter;
        const int col = 1 + in.byte() % 8;
        typeIntoCell(doc, row, col, in.text(), trigger);
    }
}

} // namespace qx260::fuzz

QX260_FUZZ_ENTRY(qx260::fuzz::checkTypedValues)
