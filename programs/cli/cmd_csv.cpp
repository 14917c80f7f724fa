// qx260-cli export / import: the 16 channels of a document to and from a CSV file that
// a spreadsheet can edit, in the program's layout or the common channel-list layout.

#include <cstdio>
#include <string>
#include <vector>

#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelCsv.h"
#include "core/channels/ImportPlan.h"
#include "core/config/FileAccess.h"
#include "core/config/ProcessValues.h"
#include "core/config/Texts.h"
#include "core/radio/CProgramDoc.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/Command.h"
#include "res/ResourceIds.h"

namespace qx260::cli
{

namespace
{

struct Session {
    int variant = 0;
    RadioImage image;
    ProductDescription product; // the band of the document's product bytes
};

// Options shared by both commands, the configuration and the document. Returns kExitOk or
// the exit code of a failure it has reported.
int openSession(const ParsedArgs& parsed, const std::string& file, Session& s)
{
    if (const std::string* v = parsed.option("--variant"); v && !parseVariant(*v, s.variant))
        return fail(kExitUsage, "--variant takes 0, 1 or 2, not \"" + *v + "\"");
    ProcessValues& values = processValues();
    std::string error;
    const std::string* config = parsed.option("--config");
    if (!loadConfiguration(values, config ? *config : std::string(), error))
        return fail(kExitFailure, error);
    if (const std::string* language = parsed.option("--language");
        language && !setLanguage(values, *language))
        return fail(kExitUsage, "--language takes English or Chinese, not \"" + *language + "\"");

    const DocumentResult loaded = loadDocumentInput(file, s.image);
    if (loaded.error == DocumentError::FormatError)
        return fail(kExitFormatError,
                    inputName(file) + ": Data Format Error (not a 1040-byte document starting with Q9F2)");
    if (!loaded.ok())
        return fail(kExitFailure, "cannot open " + inputName(file) + ": " + loaded.reason);

    // What the product bytes name, without recording them as the user's choice: these
    // commands leave the user's settings alone.
    s.product = describeProduct(s.image, values.configurationStore, values.languageName, values.language());
    return kExitOk;
}

// A channel list on standard input ("-"), with the bound of a channel-list file.
ChannelFileRead readChannelListInput()
{
    const FileReadResult read = readStandardInput(kMaxTextFileSize);
    if (read.kind == FileResult::Kind::TooLarge)
        return {{}, formatText(Text::FileTooLarge, Language::English, {inputName("-")})};
    if (!read.ok())
        return {{}, formatText(Text::FileCannotOpen, Language::English, {inputName("-"), read.reason})};
    return {std::string(read.bytes.begin(), read.bytes.end()), {}};
}

int runExport(const ParsedArgs& parsed)
{
    const std::string* output = parsed.option("-o");
    ChannelCsvLayout layout = ChannelCsvLayout::Program;
    if (const std::string* format = parsed.option("--format")) {
        if (*format == "common")
            layout = ChannelCsvLayout::Common;
        else if (*format != "qx260")
            return fail(kExitUsage, "--format takes qx260 or common, not \"" + *format + "\"");
    }

    if (output && *output != "-" && sameFile(*output, parsed.positional[0]))
        return fail(kExitUsage, "-o names the document itself; name another file for the channels");

    Session s;
    if (const int code = openSession(parsed, parsed.positional[0], s); code != kExitOk)
        return code;
    const std::string csv = exportChannels(decodeChannels(s.image), layout, processValues().language());

    if (!output || *output == "-") {
        std::fwrite(csv.data(), 1, csv.size(), stdout);
        return std::fflush(stdout) == 0 ? kExitOk : fail(kExitFailure, "cannot write the channels to stdout");
    }
    if (const FileResult written = writeChannelListFile(*output, csv); !written.ok())
        return fail(kExitFailure, "cannot write " + *output + ": " + written.reason);
    return kExitOk;
}

// The document the rows are for, with every reason in English.
ImportTarget importTarget(const Session& s)
{
    return {s.product.bandLimits, otherProductBands(s.image, processValues().configurationStore), s.variant,
            Language::English};
}

// The refusal of a whole file or of one of its values: where, why, and that nothing changed.
int refuseImport(const ChannelImportError& e, const std::string& csvPath, const std::string& datPath,
                 const Session& s)
{
    std::string hint;
    if (e.messageId != 0 && e.messageId != resid::StrFrequencyNotANumber && s.product.bandText.empty())
        hint = " (the configuration names no band for this document's product bytes, so no frequency fits)";
    if (e.badLocation)
        hint = "; --renumber fills channels 1 to 16 in file order instead, --fitting takes the rows that fit";
    return fail(kExitFailure, importRefusalText(e, csvPath, importTarget(s)) + hint + "\nNothing imported; " +
                                  datPath + " is unchanged.");
}

// --fitting and --rows: the rows chosen that fit, from the first channel on; every other row
// on a line of its own on stderr.
int importRowsThatFit(const ParsedArgs& parsed, const Session& s, const std::string& bytes)
{
    const std::string& datPath = parsed.positional[0];
    const std::string& csvPath = parsed.positional[1];
    int first = 1;
    if (const std::string* v = parsed.option("--first-channel")) {
        const bool digits =
            !v->empty() && v->size() <= 2 && v->find_first_not_of("0123456789") == std::string::npos;
        first = digits ? std::stoi(*v) : 0;
        if (first < 1 || first > kChannelCount)
            return fail(kExitUsage, "--first-channel takes a channel 1 to 16, not \"" + *v + "\"");
    }
    const ImportTarget target = importTarget(s);
    const ImportFile file = readImportFile(bytes, target);
    if (!file.ok())
        return refuseImport(file.error, csvPath, datPath, s);
    std::vector<bool> chosen = fittingSelection(file, first);
    if (const std::string* rows = parsed.option("--rows")) {
        std::string error;
        if (!selectRowsByLine(file, *rows, chosen, error))
            return fail(kExitUsage, "--rows " + *rows + ": " + error + " of " + csvPath);
    }

    const ImportTaken taken = takeChosenRows(decodeChannels(s.image), file, chosen, first, target);
    if (!taken.ok())
        return refuseImport(taken.result.error, csvPath, datPath, s);
    for (const LeftOutRow& row : taken.leftOut)
        std::fprintf(stderr, "%s:%d: %s\n", csvPath.c_str(), row.line, row.reason.c_str());
    if (!file.bandNote.empty())
        std::fprintf(stderr, "%s: %s\n", csvPath.c_str(), file.bandNote.c_str());
    if (taken.taken == 0)
        return fail(kExitFailure, "no row of " + csvPath + " can be taken; " + datPath + " is unchanged");

    RadioImage image = s.image;
    encodeChannels(taken.result.channels, image);
    const DocumentResult saved = saveDatFile(datPath, image);
    if (!saved.ok())
        return fail(kExitFailure, "cannot save " + datPath + ": " + saved.reason + "; the file is unchanged");
    for (const std::string& note : taken.result.notes)
        std::printf("%s\n", note.c_str());
    const std::size_t changed = taken.result.changed.size();
    std::printf("%s: %s; %zu channel%s changed\n", datPath.c_str(),
                importSummary(taken, Language::English).c_str(), changed, changed == 1 ? "" : "s");
    return kExitOk;
}

int runImport(const ParsedArgs& parsed)
{
    const std::string& datPath = parsed.positional[0];
    const std::string& csvPath = parsed.positional[1];
    if (isStandardInput(datPath))
        return fail(kExitUsage, "import saves into the document: name its file, not \"-\"");
    const bool fitting = parsed.has("--fitting") || parsed.has("--rows");
    if (!fitting && parsed.has("--first-channel"))
        return fail(kExitUsage, "--first-channel goes with --fitting or --rows");
    if (fitting && parsed.has("--renumber"))
        return fail(kExitUsage,
                    "--renumber does not go with --fitting or --rows: they fill the channels in file "
                    "order already");

    // From the read of the document to its save, no other edit comes between.
    FileLock lock;
    if (const int code = lockForEdit(datPath, lock); code != kExitOk)
        return code;
    Session s;
    if (const int code = openSession(parsed, datPath, s); code != kExitOk)
        return code;

    // Messages in English, as everything else the command line says.
    const ChannelFileRead csv =
        isStandardInput(csvPath) ? readChannelListInput() : readChannelListFile(csvPath, Language::English);
    if (!csv.ok())
        return fail(kExitFailure, csv.error + "; " + datPath + " is unchanged");

    // The document stays locked until the rows taken are saved.
    if (fitting)
        return importRowsThatFit(parsed, s, csv.bytes);

    ChannelRowsInput input;
    input.text = csv.bytes;
    input.renumber = parsed.has("--renumber");
    const ChannelImportResult result =
        importChannels(decodeChannels(s.image), input, s.product.bandLimits, s.variant, Language::English);
    if (!result.ok())
        return refuseImport(result.error, csvPath, datPath, s);

    encodeChannels(result.channels, s.image);
    const DocumentResult saved = saveDatFile(datPath, s.image);
    if (!saved.ok())
        return fail(kExitFailure, "cannot save " + datPath + ": " + saved.reason + "; the file is unchanged");
    for (const std::string& note : result.notes)
        std::printf("%s\n", note.c_str());
    const std::size_t changed = result.changed.size();
    std::printf("%s: %zu channel%s changed\n", datPath.c_str(), changed, changed == 1 ? "" : "s");
    return kExitOk;
}

const CommandRegistrar exportRegistrar({
    .name = "export",
    .summary = "the 16 channels as CSV for a spreadsheet, in either layout",
    .arguments = {{"FILE.dat"}},
    .options =
        {
            {.name = "-o",
             .alias = "--output",
             .value = "CHANNELS.csv",
             .help = "write to CHANNELS.csv (replaced as a whole) instead of stdout (\"-o -\": stdout too)"},
            {.name = "--format",
             .value = "F",
             .choices = {"qx260", "common"},
             .help = "qx260 or common (default qx260)"},
            {.name = "--variant",
             .value = "N",
             .choices = {"0", "1", "2"},
             .help = "radio variant 0, 1 or 2; an export writes both sides of every channel whatever the "
                     "variant"},
            {.name = "--language",
             .value = "L",
             .choices = {"English", "Chinese"},
             .help = "English or Chinese cell texts (the header row is English)"},
            configOption(),
        },
    .description = "Writes the 16 channels of a document as CSV (UTF-8, comma-separated, CRLF line\n"
                   "ends, quoted where needed) for a spreadsheet, in one of two layouts:\n"
                   "  qx260   (the default) a header row with the column headers CH, Rx Frequency,\n"
                   "          Tx Frequency, QT/DQT Dec, QT/DQT Enc, W/N, Scan, Busy Lock, Power, then\n"
                   "          one row per channel with every value it holds, as the channel window\n"
                   "          writes them. A channel with neither frequency has empty cells.\n"
                   "  common  the common channel-list layout that radio amateurs share lists in:\n"
                   "          Location, Name, Frequency, Duplex, Offset, Tone, rToneFreq, cToneFreq,\n"
                   "          DtcsCode, DtcsPolarity, Mode, TStep, Skip, Comment, RxDtcsCode,\n"
                   "          CrossMode; one row per channel that has a frequency.",
    .notes = "Exit codes: 0 success, 1 a file cannot be read or written, 2 \"Data Format Error\",\n"
             "64 wrong usage.",
    .run = runExport,
});

const CommandRegistrar importRegistrar({
    .name = "import",
    .summary = "take channels from a CSV file, checked as if typed",
    .arguments = {{"FILE.dat"}, {"CHANNELS.csv"}},
    .options =
        {
            {.name = "--renumber",
             .help = "fill channels 1 to 16 in file order; the rows' channel numbers (CH, Location) are not "
                     "read"},
            {.name = "--fitting",
             .help =
                 "take the rows that fit, in file order, into channels N, N+1, ... (see --first-channel); "
                 "each row left out goes to stderr with its line number and why"},
            {.name = "--first-channel",
             .value = "N",
             .help = "with --fitting or --rows: the first channel the rows go to, 1 to 16 (default 1)"},
            {.name = "--rows",
             .value = "LIST",
             .help = "take only the rows that start on these line numbers of the file (not the Location or "
                     "CH column), such as 2-9,12; the line numbers are those the messages give. Rows that "
                     "do not fit are left out as with --fitting"},
            {.name = "--variant",
             .value = "N",
             .choices = {"0", "1", "2"},
             .help = "radio variant 0, 1 or 2 (default 0: both sides are shown and edited as in the channel "
                     "window; 1 the receive side, 2 the transmit side, the other side kept as the file gives "
                     "it)"},
            {.name = "--language",
             .value = "L",
             .choices = {"English", "Chinese"},
             .help = "accepted for symmetry with export; the file may use either language"},
            configOption(),
        },
    .description = "Takes the channels of a CSV file into a document. The header row tells the\n"
                   "layout: the program's own (as written by export) or the common channel-list\n"
                   "layout (a Location or Frequency column). Each value that differs from the\n"
                   "document is entered as if typed into the channel window and confirmed with Enter:\n"
                   "  - frequencies in MHz are checked against the band of the document's product\n"
                   "    (from Program.ini) and the 5 kHz / 6.25 kHz channel steps;\n"
                   "  - a frequency in an empty channel creates it with the default settings\n"
                   "    (None, None, Wide, No, Off, High); an empty Tx Frequency follows Rx;\n"
                   "  - a channel without a frequency (empty Rx Frequency; with variant 0 both\n"
                   "    frequencies empty; with variant 2 an empty Tx Frequency) is cleared;\n"
                   "  - tones must be in the tone list (None, 67.0 ... 254.1, D023N ... D754I) and the\n"
                   "    other columns one of their choices, in English or Chinese, any letter case;\n"
                   "    an empty cell keeps what the channel has.\n"
                   "The program's layout: the header row names the columns (English or Chinese\n"
                   "headers, any order; CH is optional, without it the rows are channels 1, 2, ...).\n"
                   "Channels without a row are left as they are. Rows may end early; missing cells\n"
                   "count as empty.\n"
                   "The common layout: Location is the channel (1 to 16), Frequency the receive\n"
                   "frequency; Duplex empty, +, -, split (Offset is the transmit frequency) or off\n"
                   "(no transmit frequency); Tone empty, Tone, TSQL, DTCS or Cross (with CrossMode);\n"
                   "Mode FM (Wide) or NFM (Narrow); Skip empty (Scan Yes) or S (Scan No). Busy Lock\n"
                   "and Power keep what the channel has (a new channel: Off, High). Name, TStep,\n"
                   "Comment and other columns are ignored, and a line says which.\n"
                   "Columns the radio variant hides (Tx Frequency and QT/DQT Enc with variant 1;\n"
                   "Rx Frequency, QT/DQT Dec and Scan with variant 2) are taken as they stand and\n"
                   "kept in the document, and a line says which; an empty one there keeps what the\n"
                   "channel has.\n"
                   "A file separated by ';' reads like one separated by ',', and in it a decimal comma\n"
                   "is a point; a tone written as a whole number (100) is the listed 100.0.\n"
                   "\n"
                   "All or nothing: on the first value the window would refuse, the file, line,\n"
                   "column and the window's message go to stderr, the exit code is 1 and the document\n"
                   "is not changed. Otherwise the document is saved (replaced as a whole) and the\n"
                   "number of changed channels is printed.\n"
                   "\n"
                   "With --fitting or --rows, a list from elsewhere (a club's list, a repeater\n"
                   "directory export) is taken as far as it fits: each row is checked on its own,\n"
                   "and the rows that fit (those --rows names, or all with --fitting) fill the\n"
                   "channels in file order from --first-channel on, whatever their Location or CH.\n"
                   "Each row left out (outside the band, off the channel step, a mode or tone this\n"
                   "radio does not have, no channel left) goes to stderr as \"FILE:LINE: reason\".\n"
                   "The rows taken are still all or nothing.",
    .notes = "Exit codes: 0 imported (with --fitting or --rows: at least one row taken), 1 refused,\n"
             "no row taken or a file cannot be read or written, 2 \"Data Format Error\", 64 wrong usage.",
    .run = runImport,
});

} // namespace

} // namespace qx260::cli
