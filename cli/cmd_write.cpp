// qx260-cli write: writes a document file into the radio.

#include "cli/Command.h"
#include "cli/transfer.h"
#include "radio/CProgramDoc.h"

namespace qx260::cli {
namespace {

int runWrite(const std::vector<std::string>& args)
{
    TransferOptions options;
    if (int code = parseTransferOptions(args, false, options); code != kExitOk)
        return code;
    RadioImage image;
    const DocumentResult loaded = loadDatFile(options.input, image);
    if (loaded.error == DocumentError::FormatError)
        return fail(kExitFormatError, options.input + ": Data Format Error");
    if (!loaded)
        return fail(kExitFailure, "cannot read " + options.input + ": " + loaded.reason);
    return runTransfer(link::Direction::Write, options, image);
}

const CommandRegistrar registrar({
    "write",
    "write --port PORT FILE.dat [--retries N] [--log FILE]",
    "Usage: qx260-cli write --port PORT FILE.dat [--retries N] [--log FILE] [--quiet]\n"
    "\n"
    "Writes the memory image of a document into the radio, as it is in the file.\n"
    "PORT is COM1 .. COM16 (see \"qx260-cli ports\") or a device path.\n"
    "\n"
    "  --retries N   answer a Communication Error with Retry N times, then Cancel\n"
    "  --log FILE    record every byte on the line with time stamps\n"
    "  --quiet       no progress bar and no summary\n"
    "\n"
    "Ctrl+C cancels at the next block; the radio then holds the blocks sent so far.\n",
    runWrite,
});

}  // namespace
}  // namespace qx260::cli
