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

int runRead(const ParsedArgs& args)
{
    TransferOptions options;
    if (int code = transferOptionsFrom(args, true, options); code != kExitOk)
        return code;
    if (int code = checkBeforeTransfer(options); code != kExitOk)
        return code;
    return finishWireLog(options, readRadio(options));
}

const CommandRegistrar registrar({
    .name = "read",
    .summary = "read the radio into a document",
    .options =
        {
            {.name = "--port",
             .alias = "-p",
             .value = "PORT",
             .once = true,
             .required = true,
             .help = "the radio's port: COM1 .. COM16 (see \"qx260-cli ports\") or a device path"},
            {.name = "-o",
             .alias = "--output",
             .value = "FILE.dat",
             .required = true,
             .help = "the document to write (only when the whole memory has arrived)"},
            {.name = "--retries",
             .value = "N",
             .help = "answer a Communication Error with Retry N times, then Cancel"},
            {.name = "--log",
             .value = "FILE",
             .help = "record every byte on the line with time stamps (written when the command ends; not "
                     "the output file)"},
            {.name = "--quiet", .alias = "-q", .help = "no progress bar and no summary"},
        },
    .description = "Reads the radio's memory into a document. PORT is COM1 .. COM16 (see \"qx260-cli\n"
                   "ports\") or a device path such as /dev/ttyUSB0. The file is written only when\n"
                   "the whole memory has arrived.",
    .notes = "Ctrl+C cancels at the next block; the port is closed and no file is changed.",
    .run = runRead,
});

} // namespace
} // namespace qx260::cli
