// qx260-cli set: edits cells of a document's channel table as if typed and confirmed
// with Enter in the channel window.

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelEditing.h"
#include "core/channels/ChannelFields.h"
#include "core/channels/ChannelTable.h"
#include "core/config/AsciiText.h"
#include "core/config/ProcessValues.h"
#include "core/config/Texts.h"
#include "core/radio/ChannelTexts.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/Command.h"
#include "programs/cli/EditContext.h"

namespace qx260::cli
{

namespace
{

// A channel number written with digits only; -1 for anything else.
long leadingChannel(const std::string& text)
{
    if (text.empty() || text.size() > 3)
        return -1;
    long n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

int findColumn(const std::string& name)
{
    for (int col = 1; col < ChannelTable::kCols; ++col)
        if (equalsIgnoringAsciiCase(name, columnHeader(col, Language::English)) ||
            name == columnHeader(col, Language::Chinese))
            return col;
    return 0;
}

// The window's message of a refused value, in English as everything else the command line
// says.
std::string message(int id)
{
    return messageText(id, Language::English);
}

int runSet(const ParsedArgs& args)
{
    const EditOptions options = editOptionsFrom(args);
    const std::string& channelText = options.words[0];
    const long channel = leadingChannel(channelText);
    if (channel < 1 || channel > kChannelCount)
        return fail(kExitUsage, "the channel must be a number from 1 to 16, not \"" + channelText + "\"");
    if (!setUpProcessValues(options))
        return kExitFailure;
    ProcessValues& values = processValues();
    if (values.radioVariant == 0)
        return fail(kExitFailure, "the channel table of this radio (variant 0) cannot be edited");

    // From the read to the save, no other edit comes between.
    FileLock lock;
    if (const int code = lockForEdit(options.file, lock); code != kExitOk)
        return code;
    RadioImage image;
    if (const int code = loadDocument(options.file, image); code != kExitOk)
        return code;

    const Language language = values.language();
    const ProductDescription product =
        describeProduct(image, values.configurationStore, values.languageName, language);
    const int row = static_cast<int>(channel);
    Channel edited = decodeChannel(image, row);

    for (std::size_t i = 1; i < options.words.size(); ++i) {
        const std::string& assignment = options.words[i];
        const std::size_t eq = assignment.find('=');
        if (eq == std::string::npos)
            return fail(kExitUsage, "\"" + assignment + "\" is not COLUMN=TEXT");
        const std::string name = assignment.substr(0, eq);
        const std::string text = assignment.substr(eq + 1);
        const int col = findColumn(name);
        if (col == 0)
            return fail(kExitUsage, "no column \"" + name + "\"; see qx260-cli set --help");
        const ChannelField field = *fieldOfColumn(col);
        if (hiddenByVariant(field, values.radioVariant)) {
            std::string why(1, '"');
            why += columnHeader(col, Language::English);
            why += "\" is not used by radio variant ";
            why += std::to_string(values.radioVariant);
            return fail(kExitFailure, why + "; nothing saved");
        }

        if (!isFrequencyField(field)) {
            const ParsedField parsed = parseField(field, text, product.bandLimits);
            if (parsed.refusal == FieldRefusal::ToneNotANumber)
                return fail(kExitFailure, "\"" + text +
                                              "\" is not a number of hertz: write tones with a point "
                                              "as the decimal separator, such as 67.0; nothing saved");
            if (!parsed.ok())
                return fail(kExitFailure, "\"" + text + "\" is not a choice of \"" +
                                              columnHeader(col, Language::English) + "\"; nothing saved");
            if (shownEmpty(edited, values.radioVariant))
                return fail(kExitFailure,
                            "channel " + std::to_string(row) + " has no frequency: set \"" +
                                columnHeader(values.radioVariant == 2 ? 2 : 1, Language::English) +
                                "\" first; nothing saved");
        }

        // A Tx frequency for a channel that has no frequency yet is taken the way the window
        // takes it when the user types it and moves to another cell: as a new Tx-only channel.
        const bool newTxChannel =
            field == ChannelField::TxFrequency && edited.rx.empty() && edited.tx.empty();
        const EditOutcome outcome =
            commitField(edited, field, text, newTxChannel ? CommitTrigger::LeaveCell : CommitTrigger::Enter,
                        product.bandLimits, values.radioVariant, language);
        if (!outcome.ok()) {
            const bool emptyBand = product.bandText.empty();
            const std::string column = columnHeader(col, Language::English);
            const std::string reason =
                frequencyRefusalReason(outcome.messageId(), text, product.bandLimits, Language::English);
            const std::string why = reason.empty()
                                        ? column + " \"" + text + "\": " + message(outcome.messageId())
                                        : column + " " + reason + ".";
            std::string said = "channel ";
            said += std::to_string(row);
            said += ", ";
            said += why;
            said += " Nothing saved.";
            if (emptyBand) {
                said += ' ';
                said += emptyBandNote(values);
            }
            return fail(kExitFailure, said);
        }
    }
    encodeChannel(edited, image, row);

    return saveDocument(options.file, image);
}

} // namespace

const CommandRegistrar kSetCommand({
    .name = "set",
    .summary = "edit channel cells as if typed into the channel window",
    .arguments = {{"FILE.dat"}, {"CHANNEL"}, {"COLUMN=TEXT", Count::OneOrMore}},
    .options =
        {
            {.name = "--variant",
             .value = "N",
             .choices = {"0", "1", "2"},
             .help = "radio variant 0, 1 or 2 (default 1): the columns the radio uses, as above"},
            {.name = "--language",
             .value = "L",
             .choices = {"English", "Chinese"},
             .help = "English or Chinese texts in the cells (default: the configuration's language)"},
            configOption(),
        },
    .description = "Sets cells of channel CHANNEL (1 to 16) as if each TEXT were typed into the cell of\n"
                   "COLUMN and confirmed with Enter in the channel window, in the order given, then saves\n"
                   "the document. COLUMN is a column header in English or Chinese (any letter case):\n"
                   "  \"Rx Frequency\", \"Tx Frequency\" (MHz), \"QT/DQT Dec\", \"QT/DQT Enc\" (a tone such\n"
                   "  as None, 67.0, D023N), \"W/N\" (Wide, Narrow), \"Scan\" (Yes, No),\n"
                   "  \"Busy Lock\" (Off, Carrier, QT/DQT), \"Power\" (High, Low).\n"
                   "Numbers are plain, with a point as the decimal separator (146.52; a tone of 100 Hz\n"
                   "may be given as 100). Frequencies are checked against the document's band and the\n"
                   "5 kHz / 6.25 kHz steps; a frequency typed into an empty channel gives it the default\n"
                   "settings, an empty Rx Frequency erases the channel. The radio variant (default 1)\n"
                   "decides which columns the radio uses: 1 the receive side (Rx Frequency, QT/DQT Dec,\n"
                   "W/N, Scan), 2 the transmit side (Tx Frequency, QT/DQT Enc, W/N); a Tx Frequency given\n"
                   "to an empty channel creates a transmit-only channel. What the other side of a channel\n"
                   "holds is kept, unless the channel is erased.",
    .notes = "On any refused value nothing is saved: the message goes to stderr and the exit code\n"
             "is 1.\n"
             "\n"
             "Example: qx260-cli set radio.dat 3 \"Rx Frequency=145.125\" W/N=Narrow",
    .run = runSet,
});

} // namespace qx260::cli
