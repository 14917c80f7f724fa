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

int runNew(const ParsedArgs& parsed)
{
    std::string error;
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
    .name = "new",
    .summary = "write a new document, as New then Save writes it",
    .arguments = {{"FILE.dat"}},
    .options =
        {
            {.name = "--force", .help = "replace FILE.dat when it exists (otherwise it is left alone)"},
            configOption(),
        },
    .description = "Writes a new document: the factory defaults with 16 empty channels and the\n"
                   "product type and band last chosen by the user, exactly as File New followed\n"
                   "by Save writes it in the desktop program.",
    .notes = "The per-user product choice is read from the desktop program's settings\n"
             "($QX260_SETTINGS names another settings file).",
    .run = runNew,
});

} // namespace

} // namespace qx260::cli
