// qx260-cli new: the file a new document gives when it is saved straight away.

#include <filesystem>
#include <system_error>

#include "core/channels/ChannelCodec.h"
#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/radio/CProgramDoc.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/Command.h"

namespace qx260::cli
{

namespace
{

int runNew(const std::vector<std::string>& args)
{
    ParsedArgs parsed;
    std::string error;
    if (!parseArgs(args, {"--config"}, {"--force"}, parsed, error))
        return fail(kExitUsage, error);
    if (parsed.positional.size() != 1)
        return fail(kExitUsage, "usage: qx260-cli new FILE.dat [--force] [--config PATH]");
    const std::string& file = parsed.positional[0];

    std::error_code ec;
    if (!parsed.has("--force") && std::filesystem::exists(std::filesystem::symlink_status(file, ec)))
        return fail(kExitFailure, file + " already exists; use --force to replace it");

    ProcessValues& values = processValues();
    const std::string* config = parsed.option("--config");
    if (!loadConfiguration(values, config ? *config : std::string(), error))
        return fail(kExitFailure, error);
    if (const int code = checkUserSettings(); code != kExitOk)
        return code;
    std::unique_ptr<UserStore> store = openUserStore();
    values.userStore = store.get();

    // New, with the product choice its window's first fill gives it, then Save.
    CProgramDoc doc;
    doc.OnNewDocument(values);
    settleProductChoice(doc.image, doc.newDocumentFlag, *store, values.configurationStore);

    const DocumentResult saved = doc.OnSaveDocument(file);
    if (!saved.ok())
        return fail(kExitFailure, "cannot write " + file + ": " + saved.reason);
    return kExitOk;
}

const CommandRegistrar registrar({
    "new",
    "new FILE.dat [--force] [--config PATH]",
    "Usage: qx260-cli new FILE.dat [--force] [--config PATH]\n"
    "\n"
    "Writes a new document: the factory defaults with 16 empty channels and the\n"
    "product type and band last chosen by the user, exactly as File New followed\n"
    "by Save writes it in the desktop program.\n"
    "\n"
    "Options:\n"
    "  --force        replace FILE.dat when it exists (otherwise it is left alone)\n"
    "  --config PATH  read the configuration from PATH instead of the Program.ini\n"
    "                 the desktop program uses\n"
    "\n"
    "The per-user product choice is read from the desktop program's settings\n"
    "($QX260_SETTINGS names another settings file).\n",
    runNew,
});

} // namespace

} // namespace qx260::cli
