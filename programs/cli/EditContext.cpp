// The shared part of set and options: their common options, the process values with a
// per-run copy of the user store, the document loaded and saved, and JSON strings.

#include "programs/cli/EditContext.h"

#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/Command.h"

namespace qx260::cli
{

int parseEditOptions(const std::vector<std::string>& args, EditOptions& options, bool allowJson)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size())
                return false;
            out = args[++i];
            return true;
        };
        if (a == "--config") {
            if (!value(options.configPath))
                return fail(kExitUsage, "--config needs a file name");
        } else if (a == "--language") {
            if (!value(options.language) || (options.language != "English" && options.language != "Chinese"))
                return fail(kExitUsage, "--language takes English or Chinese");
        } else if (a == "--variant") {
            std::string v;
            if (!value(v) || (v != "0" && v != "1" && v != "2"))
                return fail(kExitUsage, "--variant takes 0, 1 or 2");
            options.variant = v[0] - '0';
        } else if (a == "--json" && allowJson) {
            options.json = true;
        } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            return fail(kExitUsage, "unknown option \"" + a + "\"");
        } else if (options.file.empty()) {
            options.file = a;
        } else {
            options.words.push_back(a);
        }
    }
    if (options.file.empty())
        return fail(kExitUsage, "no document given");
    return kExitOk;
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
        values.languageFlag = options.language == "Chinese";
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
