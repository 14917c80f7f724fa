// qx260-cli config get / set: one value of an INI file such as Program.ini.

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/config/CIniFile.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/CommandLine.h"

namespace qx260::cli
{

namespace
{

// Loads an existing file; the store's own Load would create a missing one.
bool loadExisting(CIniFile& ini, const std::string& file, std::string& error)
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(file, ec);
    if (ec) {
        error = "cannot open " + file + ": " + ec.message();
        return false;
    }
    if (std::filesystem::is_directory(status)) {
        error = "cannot open " + file + ": " + systemReason(EISDIR);
        return false;
    }
    if (const FileResult loaded = ini.Load(file, false, true); !loaded.ok()) {
        error = "cannot read " + file + ": " + loaded.reason;
        return false;
    }
    return true;
}

int runConfig(const ParsedArgs& parsed)
{
    std::string error;
    const std::vector<std::string>& p = parsed.positional;

    if (p[0] == "get") {
        if (p.size() != 4)
            return usageError("config", "unexpected argument \"" + p[4] + "\": get takes no VALUE");
        CIniFile ini;
        if (!loadExisting(ini, p[1], error))
            return fail(kExitFailure, error);
        const std::string* fallback = parsed.option("--default");
        const std::string value = ini.GetString(p[2], p[3], fallback ? *fallback : std::string());
        std::fwrite(value.data(), 1, value.size(), stdout);
        std::fputc('\n', stdout);
        return kExitOk;
    }

    if (p[0] == "set") {
        if (p.size() != 5)
            return usageError("config", "no VALUE given");
        if (parsed.has("--default"))
            return usageError("config", "--default goes with get only");
        if (const std::string why = valueNotKeptReason(p[4]); !why.empty())
            return fail(kExitUsage, why + "; nothing was changed");
        // What the file could not give back as written: a line break splits the line, "="
        // moves the rest of the key into the value, a key starting with a comment mark or
        // made of blanks only is skipped when the file is read.
        if (p[2].find_first_of("\r\n") != std::string::npos ||
            p[3].find_first_of("\r\n=") != std::string::npos)
            return fail(kExitUsage, "a section or key cannot hold a line break, and a key cannot hold \"=\"");
        if (p[3].find_first_not_of(" \t\v\f") == std::string::npos ||
            std::string(";/\\*").find(p[3].front()) != std::string::npos)
            return fail(kExitUsage, "a key cannot be empty or start with ';', '/', '\\' or '*'");
        // From the read to the save, no other edit comes between; a missing file is made
        // (as the store would make it) so that there is one to hold.
        FileLock lock;
        if (const int code = lockForEdit(p[1], lock, MissingFile::Create); code != kExitOk)
            return code;
        // A failed set leaves no new file: the empty one made for the lock goes again.
        CIniFile ini;
        if (const FileResult loaded = ini.Load(p[1], false, true); !loaded.ok()) {
            lock.discardCreatedFile();
            return fail(kExitFailure, "cannot open " + p[1] + ": " + loaded.reason);
        }
        ini.SetString(p[2], p[3], p[4]);
        if (const FileResult saved = ini.Save(); !saved.ok()) {
            lock.discardCreatedFile();
            return fail(kExitFailure, "cannot write " + p[1] + ": " + saved.reason);
        }
        return kExitOk;
    }

    return usageError("config", "unknown config action \"" + p[0] + "\"");
}

const CommandRegistrar registrar({
    .name = "config",
    .summary = "read or write one value of Program.ini or another INI file",
    .arguments = {{"get|set"}, {"FILE"}, {"SECTION"}, {"KEY"}, {"VALUE", Count::Optional}},
    .options = {{.name = "--default",
                 .value = "TEXT",
                 .help = "get: print TEXT when the file holds no such value (default: nothing)"}},
    .description = "Reads or writes one value of an INI file such as Program.ini, the way the\n"
                   "program itself does: section and key names are matched without regard to\n"
                   "letter case, and set creates the section or key when it is missing.\n"
                   "\n"
                   "  get  prints the value (or the --default text, empty unless given)\n"
                   "  set  stores VALUE and writes the file back; a missing FILE is created",
    .run = runConfig,
});

} // namespace

} // namespace qx260::cli
