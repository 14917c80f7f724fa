// qx260-cli read: reads the radio into a document file.

#include "core/radio/CProgramDoc.h"
#include "programs/cli/Command.h"
#include "programs/cli/transfer.h"

namespace qx260::cli
{
namespace
{

// Reads the radio and saves what came.
int readRadio(TransferOptions& options)
{
    TransferSession session;
    TerminalTransfer terminal(options);
    CommandPort port(options);
    terminal.begin(link::Direction::Read);
    // The bytes that never travel keep the values of a new document.
    RadioImage image = RadioImage::newImage();
    const link::LinkResult opened = port.open();
    const link::TransferOutcome outcome = opened.ok()
                                              ? link::readRadio(port.link(), image, terminal.control())
                                              : link::openFailed(opened, link::Direction::Read);
    port.close();
    if (int code = terminal.ended(outcome, port.device()); code != kExitOk)
        return code;
    const DocumentResult saved = saveDatFile(options.output, image);
    if (!saved.ok())
        return fail(kExitFailure, "cannot write " + options.output + ": " + saved.reason);
    return kExitOk;
}

int runRead(const std::vector<std::string>& args)
{
    TransferOptions options;
    if (int code = parseTransferOptions(args, true, options); code != kExitOk)
        return code;
    if (int code = checkBeforeTransfer(options); code != kExitOk)
        return code;
    return finishWireLog(options, readRadio(options));
}

const CommandRegistrar registrar({
    "read",
    "read --port PORT -o FILE.dat [--retries N] [--log FILE]",
    "Usage: qx260-cli read --port PORT -o FILE.dat [--retries N] [--log FILE] [--quiet]\n"
    "\n"
    "Reads the radio's memory into a document. PORT is COM1 .. COM16 (see \"qx260-cli\n"
    "ports\") or a device path such as /dev/ttyUSB0. The file is written only when\n"
    "the whole memory has arrived.\n"
    "\n"
    "  --retries N   answer a Communication Error with Retry N times, then Cancel\n"
    "  --log FILE    record every byte on the line with time stamps (written when\n"
    "                the command ends; not the output file)\n"
    "  --quiet       no progress bar and no summary\n"
    "\n"
    "Ctrl+C cancels at the next block; the port is closed and no file is changed.\n",
    runRead,
});

} // namespace
} // namespace qx260::cli
