// qx260-cli show: what the channel window shows for a document, as text or JSON.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelTable.h"
#include "core/config/ProcessValues.h"
#include "core/radio/CProgramDoc.h"
#include "core/radio/RadioImage.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/Command.h"
#include "programs/cli/EditContext.h"

namespace qx260::cli
{

namespace
{

struct View {
    ChannelTable table;
    ProductDescription decoded;
    int variant = 1;
    int productType = 0; // product bytes of the image: type and band index
    int band = 0;
};

void print(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void printJson(const View& v)
{
    const ChannelTable& t = v.table;
    std::string out = "{\"caption\": " + jsonString(v.decoded.caption) + ", \"bandLimits\": [" +
                      std::to_string(v.decoded.bandLimits.lower) + ", " +
                      std::to_string(v.decoded.bandLimits.upper) +
                      "], \"variant\": " + std::to_string(v.variant) +
                      ", \"gridEnabled\": " + (t.enabled() ? "true" : "false") +
                      ",\n \"productType\": {\"index\": " + std::to_string(v.productType) +
                      ", \"name\": " + jsonString(v.decoded.typeName) +
                      "}, \"band\": {\"index\": " + std::to_string(v.band) +
                      ", \"text\": " + jsonString(v.decoded.bandText) + "}" + ",\n \"columns\": [";
    for (int c = 0; c < t.cols(); ++c) {
        out += c ? ",\n  " : "\n  ";
        out += "{\"header\": " + jsonString(t.textMatrix(0, c)) +
               ", \"width\": " + std::to_string(t.colWidth(c)) +
               ", \"alignment\": " + std::to_string(t.colAlignment(c)) + "}";
    }
    out += "],\n \"cells\": [";
    for (int r = 0; r < t.rows(); ++r) {
        out += r ? ",\n  [" : "\n  [";
        for (int c = 0; c < t.cols(); ++c) {
            if (c)
                out += ", ";
            out += jsonString(t.textMatrix(r, c));
        }
        out += "]";
    }
    out += "]}\n";
    print(out);
}

// Columns on a terminal: Chinese characters take two, continuation bytes none.
std::size_t displayWidth(const std::string& text)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        char32_t cp = lead;
        if (lead >= 0xF0) {
            length = 4;
            cp = lead & 0x07;
        } else if (lead >= 0xE0) {
            length = 3;
            cp = lead & 0x0F;
        } else if (lead >= 0xC0) {
            length = 2;
            cp = lead & 0x1F;
        }
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        width += (cp >= 0x2E80 && cp <= 0xA4CF) || (cp >= 0xAC00 && cp <= 0xD7A3) ||
                         (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFF00 && cp <= 0xFF60)
                     ? 2
                     : 1;
        i += length;
    }
    return width;
}

void printText(const View& v, const std::string& file)
{
    const ChannelTable& t = v.table;
    std::string out = "File:        " + file + "\n";
    out += "Caption:     " + v.decoded.caption + "\n";
    out += "Product:     " + v.decoded.typeName + " (type index " + std::to_string(v.productType) + ")\n";
    out += "Band:        " + v.decoded.bandText + " (band index " + std::to_string(v.band) + ")\n";
    out += "Band limits: " + std::to_string(v.decoded.bandLimits.lower) + " - " +
           std::to_string(v.decoded.bandLimits.upper) + " (10 Hz units)\n";
    out += "Variant:     " + std::to_string(v.variant) +
           (t.enabled() ? " (grid enabled)" : " (grid disabled)") + "\n\n";

    std::vector<std::string> headers;
    std::vector<std::size_t> widths;
    bool anyHidden = false;
    for (int c = 0; c < t.cols(); ++c) {
        std::string header = t.textMatrix(0, c);
        if (t.colWidth(c) == 0) {
            header += "*";
            anyHidden = true;
        }
        std::size_t w = displayWidth(header);
        for (int r = 1; r < t.rows(); ++r)
            w = std::max(w, displayWidth(t.textMatrix(r, c)));
        headers.push_back(header);
        widths.push_back(w);
    }
    auto line = [&](auto cellText) {
        std::string row;
        for (int c = 0; c < t.cols(); ++c) {
            const std::string text = cellText(c);
            row += text;
            if (c + 1 < t.cols())
                row += std::string(widths[static_cast<std::size_t>(c)] - displayWidth(text) + 2, ' ');
        }
        while (!row.empty() && row.back() == ' ')
            row.pop_back();
        out += row + "\n";
    };
    line([&](int c) { return headers[static_cast<std::size_t>(c)]; });
    for (int r = 1; r < t.rows(); ++r)
        line([&](int c) { return t.textMatrix(r, c); });
    if (anyHidden)
        out += "\n* hidden column (width 0)\n";
    print(out);
}

int runShow(const ParsedArgs& parsed)
{
    std::string error;
    const std::string& file = parsed.positional[0];

    ProcessValues& values = processValues();
    View view;
    view.variant = values.radioVariant;
    if (const std::string* variant = parsed.option("--variant");
        variant && !parseVariant(*variant, view.variant))
        return fail(kExitUsage, "--variant takes 0, 1 or 2, not \"" + *variant + "\"");

    const std::string* config = parsed.option("--config");
    if (!loadConfiguration(values, config ? *config : std::string(), error))
        return fail(kExitFailure, error);
    if (const int code = checkUserSettings(); code != kExitOk)
        return code;
    if (const std::string* language = parsed.option("--language");
        language && !setLanguage(values, *language))
        return fail(kExitUsage, "--language takes English or Chinese, not \"" + *language + "\"");

    CProgramDoc doc;
    const DocumentResult opened =
        isStandardInput(file) ? loadDocumentInput(file, doc.image) : doc.OnOpenDocument(file);
    if (opened.error == DocumentError::FormatError)
        return fail(kExitFormatError, inputName(file) + ": Data Format Error");
    if (!opened.ok())
        return fail(kExitFailure, "cannot open " + inputName(file) + ": " + opened.reason);

    // What the window shows, without what opening it in the window would also do (keep its
    // product bytes as the user's choice): show changes nothing.
    setUpTable(view.table, values.language());
    fillChannelTable(view.table, decodeChannels(doc.image), view.variant, values.language());
    view.decoded =
        describeProduct(doc.image, values.configurationStore, values.languageName, values.language());
    view.productType = doc.image.byte(offset::ProductType);
    view.band = doc.image.byte(offset::BandIndex);

    if (parsed.has("--json"))
        printJson(view);
    else
        printText(view, file);
    return kExitOk;
}

const CommandRegistrar registrar({
    .name = "show",
    .summary = "what the channel window shows: caption, product, band and channels",
    .arguments = {{"FILE.dat"}},
    .options =
        {
            {.name = "--variant",
             .value = "N",
             .choices = {"0", "1", "2"},
             .help = "radio variant 0, 1 or 2 (default 1, as at start-up)"},
            {.name = "--language",
             .value = "L",
             .choices = {"English", "Chinese"},
             .help = "English or Chinese (default: the configuration's language)"},
            configOption(),
            {.name = "--json",
             .help = "one JSON object: caption, bandLimits, variant, gridEnabled, productType {index, name}, "
                     "band {index, text}, columns (header, width in twips, alignment) and cells (17 x 9)"},
        },
    .description = "Prints what the channel window shows for a document: the main window caption,\n"
                   "the product type and band (names from Program.ini, indexes as the document stores\n"
                   "them), the band limits (10 Hz units) and the channel table with its header row and\n"
                   "channel numbers. Columns the window hides (width 0) are marked with \"*\".\n"
                   "Nothing is changed on disk or in the user's settings.",
    .notes = "Exit codes: 0 success, 1 the file cannot be read, 2 \"Data Format Error\",\n"
             "64 wrong usage.",
    .run = runShow,
});

} // namespace

} // namespace qx260::cli
