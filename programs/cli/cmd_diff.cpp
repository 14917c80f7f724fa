// qx260-cli diff: what differs between two documents, as the channel window and the
// option dialogs show them.

#include <cstdio>
#include <string>
#include <vector>

#include "core/compare/DifferenceText.h"
#include "core/compare/ImageCompare.h"
#include "core/config/ProcessValues.h"
#include "core/radio/CProgramDoc.h"
#include "core/radio/ChannelTexts.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/Command.h"
#include "programs/cli/EditContext.h"

namespace qx260::cli
{

namespace
{

// diff(1) exit codes: 0 the same, 1 different, 2 trouble.
constexpr int kExitSame = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitTrouble = 2;

void printText(const ImageDifferences& d, const std::string& fileA, const std::string& fileB,
               const RadioImage& a, const RadioImage& b, const ProcessValues& values)
{
    const std::string out = "--- " + fileA + "\n+++ " + fileB + "\n" + differenceLines(d, a, b, values);
    std::fwrite(out.data(), 1, out.size(), stdout);
}

std::string jsonOffsets(const std::vector<std::size_t>& offsets)
{
    std::string out = "{\"count\": " + std::to_string(offsets.size()) + ", \"offsets\": [";
    for (std::size_t i = 0; i < offsets.size(); ++i)
        out += (i ? ", " : "") + std::to_string(offsets[i]);
    return out + "]}";
}

void printJson(const ImageDifferences& d, const std::string& fileA, const std::string& fileB,
               const RadioImage& a, const RadioImage& b, const ProcessValues& values, int variant)
{
    std::string out = "{\"identical\": " + std::string(d.identical() ? "true" : "false") +
                      ", \"a\": " + jsonString(fileA) + ", \"b\": " + jsonString(fileB) +
                      ", \"variant\": " + std::to_string(variant) + ",\n \"channels\": [";
    for (std::size_t i = 0; i < d.cells.size(); ++i) {
        const CellDifference& c = d.cells[i];
        out += (i ? ",\n  " : "\n  ");
        out += "{\"channel\": " + std::to_string(c.channel) + ", \"column\": " + std::to_string(c.column) +
               ", \"header\": " + jsonString(columnHeader(c.column, values.language())) +
               ", \"a\": " + jsonString(c.before) + ", \"b\": " + jsonString(c.after) + "}";
    }
    out += "],\n \"options\": [";
    for (std::size_t i = 0; i < d.options.size(); ++i) {
        const OptionDifference& o = d.options[i];
        out += (i ? ",\n  " : "\n  ");
        out += "{\"name\": " + jsonString(o.name) + ", \"a\": " + jsonString(o.before) +
               ", \"b\": " + jsonString(o.after) + "}";
    }
    out += "],\n \"product\": [";
    for (std::size_t i = 0; i < d.product.size(); ++i) {
        const ProductDifference& p = d.product[i];
        out += (i ? ",\n  " : "\n  ");
        out += "{\"name\": " + jsonString(productLabel(p.offset)) +
               ", \"offset\": " + std::to_string(p.offset) + ", \"a\": " + std::to_string(p.before) +
               ", \"b\": " + std::to_string(p.after) +
               ", \"aText\": " + jsonString(productText(values, a, p.offset)) +
               ", \"bText\": " + jsonString(productText(values, b, p.offset)) + "}";
    }
    out += "],\n \"otherBytesInside\": " + jsonOffsets(d.otherBytesInside) +
           ",\n \"bytesOutside\": " + jsonOffsets(d.bytesOutside) + "}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int load(const std::string& path, RadioImage& image)
{
    const DocumentResult result = loadDocumentInput(path, image);
    if (result.ok())
        return kExitSame;
    if (result.error == DocumentError::FormatError)
        return fail(kExitTrouble,
                    inputName(path) + ": Data Format Error (not a 1040-byte document starting with Q9F2)");
    return fail(kExitTrouble, "cannot open " + inputName(path) + ": " + result.reason);
}

int runDiff(const ParsedArgs& parsed)
{
    std::string error;
    int variant = 0;
    if (const std::string* v = parsed.option("--variant"); v && !parseVariant(*v, variant))
        return fail(kExitUsage, "--variant takes 0, 1 or 2, not \"" + *v + "\"");
    ProcessValues& values = processValues();
    const std::string* config = parsed.option("--config");
    if (!loadConfiguration(values, config ? *config : std::string(), error))
        return fail(kExitTrouble, error);
    if (const std::string* language = parsed.option("--language");
        language && !setLanguage(values, *language))
        return fail(kExitUsage, "--language takes English or Chinese, not \"" + *language + "\"");

    const std::string& fileA = parsed.positional[0];
    const std::string& fileB = parsed.positional[1];
    RadioImage a;
    RadioImage b;
    if (const int code = load(fileA, a); code != kExitSame)
        return code;
    if (const int code = load(fileB, b); code != kExitSame)
        return code;

    const ImageDifferences d = compareImages(a, b, variant, values.language());
    if (parsed.has("--json"))
        printJson(d, fileA, fileB, a, b, values, variant);
    else if (!d.identical())
        printText(d, fileA, fileB, a, b, values);
    return d.identical() ? kExitSame : kExitDifferent;
}

const CommandRegistrar registrar({
    .name = "diff",
    .summary = "what differs between two documents, as the program shows it",
    .arguments = {{"A.dat"}, {"B.dat"}},
    .options =
        {
            {.name = "--variant",
             .value = "N",
             .choices = {"0", "1", "2"},
             .help = "decode the channels for radio variant 0, 1 or 2 (default 0: both the receive and the "
                     "transmit side of every channel)"},
            languageOption(),
            configOption(),
            {.name = "--json",
             .help = "one JSON object: identical, channels, options, product, otherBytesInside and "
                     "bytesOutside (count and offsets)"},
        },
    .description = "Shows what differs between two documents the way the program shows them:\n"
                   "  - each channel cell that differs, with both texts as the channel window shows them;\n"
                   "  - each optional feature that differs, with both values as the Optional Features\n"
                   "    dialog shows them (\"600s\", \"4\", \"2.5\"); when both look the same, the\n"
                   "    stored values follow in brackets;\n"
                   "  - the product type and band indexes, with their names from Program.ini;\n"
                   "  - how many other bytes of the radio's memory (0x000-0x32F) differ: bytes the\n"
                   "    program does not interpret, and cells the radio variant hides;\n"
                   "  - how many bytes kept only in the file (0x330-0x3FF) differ.\n"
                   "Nothing is printed when the documents are the same.",
    .notes = "Exit codes, as diff(1): 0 the documents are the same, 1 they differ, 2 a document\n"
             "cannot be read or is not a document (\"Data Format Error\"); 64 wrong usage.",
    .run = runDiff,
});

} // namespace

} // namespace qx260::cli
