// The shared part of set and options: their common options, the process values with a
// per-run copy of the user store, the document loaded and saved, and JSON strings.

#include "programs/cli/EditContext.h"

#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/Command.h"

namespace qx260::cli
{

EditOptions editOptionsFrom(const ParsedArgs& args)
{
    EditOptions options;
    options.file = args.positional.front();
    options.words.assign(args.positional.begin() + 1, args.positional.end());
    if (const std::string* config = args.option("--config"))
        options.configPath = *config;
    if (const std::string* language = args.option("--language"))
        options.language = *language;
    if (const std::string* variant = args.option("--variant"))
        parseVariant(*variant, options.variant);
    options.json = args.has("--json");
    return options;
}

bool setUpProcessValues(const EditOptions& options)
{
    ProcessValues& values = processValues();
    std::string error;
    if (!loadConfiguration(values, options.configPath, error)) {
        fail(kExitFailure, error);
        return false;
    }
    if (!options.language.empty()) {
        values.languageName = options.language;
        values.setLanguage(options.language == "Chinese" ? Language::Chinese : Language::English);
    }
    values.radioVariant = options.variant;
    // Editing a document from the command line leaves the user's stored product choice
    // alone: the store is a copy for this run.
    static MemoryUserStore sessionStore;
    values.userStore = &sessionStore;
    return true;
}

int loadDocument(const std::string& path, RadioImage& image)
{
    const DocumentResult result = loadDatFile(path, image);
    switch (result.error) {
    case DocumentError::None:
        return kExitOk;
    case DocumentError::FormatError:
        return fail(kExitFormatError, "\"" + path + "\": Data Format Error (not a 1040-byte document)");
    default:
        return fail(kExitFailure, "cannot open \"" + path + "\": " + result.reason);
    }
}

int saveDocument(const std::string& path, const RadioImage& image)
{
    const DocumentResult result = saveDatFile(path, image);
    if (result.ok())
        return kExitOk;
    return fail(kExitFailure, "cannot save \"" + path + "\": " + result.reason + "; the file is unchanged");
}

std::string jsonString(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                static const char* hex = "0123456789abcdef";
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

} // namespace qx260::cli
