// qx260-cli write: writes a document file into the radio, optionally saving what the
// radio held first (--backup) and reading it back afterwards to check it (--verify);
// with several ports or --repeat into many radios (fleet.h).

#include <cstdio>

#include "core/compare/DifferenceText.h"
#include "core/compare/ImageCompare.h"
#include "core/config/ProcessValues.h"
#include "core/link/WriteWorkflow.h"
#include "core/radio/CProgramDoc.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/Command.h"
#include "programs/cli/fleet.h"
#include "programs/cli/transfer.h"

namespace qx260::cli
{
namespace
{

// What the read back found: "Verified", or what differs, as "diff" prints it.
int reportVerify(const TransferOptions& options, const RadioImage& sent, const RadioImage& back)
{
    ProcessValues& values = processValues();
    std::string error;
    if (!loadConfiguration(values, std::string(), error))
        std::fprintf(stderr, "qx260-cli: %s (product names are shown as numbers)\n", error.c_str());
    const ImageDifferences d = compareTransferred(sent, back, 0, values.language());
    if (d.identical()) {
        std::fputs("Verified: the radio holds what was written.\n", stdout);
        return kExitOk;
    }
    const std::string out =
        "--- " + options.input + "\n+++ the radio (read back)\n" + differenceLines(d, sent, back, values);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return fail(kExitFailure,
                "the radio does not hold what was written; write it again, and if the difference "
                "stays, check the cable and the radio");
}

// The write workflow on one open port: the backup (--backup), the write and the read back
// (--verify), each when asked for, in that order.
int writeRadio(TransferOptions& options, const RadioImage& image)
{
    // One Ctrl+C handler for all the transfers: a Ctrl+C between them stops the rest.
    TransferSession session;
    TerminalTransfer terminal(options);
    CommandPort port(options);

    link::WriteWorkflow workflow;
    if (!options.backup.empty())
        workflow.keepBackup = [&options](const RadioImage& radio) {
            link::BackupKept kept;
            kept.name = options.backup;
            const DocumentResult saved = saveDatFile(options.backup, radio);
            if (!saved.ok())
                kept.reason = saved.reason;
            else if (!options.quiet)
                std::fprintf(stderr, "Saved the radio's memory in %s.\n", options.backup.c_str());
            return kept;
        };
    workflow.verify = options.verify;
    workflow.stageBegins = [&terminal](link::WriteStage stage) {
        terminal.begin(stage == link::WriteStage::Write ? link::Direction::Write : link::Direction::Read);
    };
    // Each transfer says how it ended; a Write also says what the radio now holds (Ctrl+C once
    // the backup was kept ends the Write at its first message pass: nothing was written).
    workflow.stageEnded = [&](link::WriteStage, const link::TransferOutcome& outcome) {
        terminal.ended(outcome, port.device());
    };
    workflow.control = terminal.control();

    link::WriteResult result;
    if (const link::LinkResult opened = port.open(); opened.ok()) {
        result = link::runWriteWorkflow(port.link(), image, workflow);
    } else {
        result = link::workflowNotStarted(workflow, opened);
        terminal.ended(result.outcome, port.device());
    }
    port.close();

    switch (result.step) {
    case link::WriteStep::ReadFirst:
        return fail(kExitFailure, "no backup was made, so nothing was written to the radio");
    case link::WriteStep::Backup:
        return fail(kExitFailure, "cannot write " + options.backup + ": " + result.backup.reason +
                                      "; nothing was written to the radio");
    case link::WriteStep::Review: // the command line asks no one
    case link::WriteStep::Write:
        return result.written() ? kExitOk : kExitFailure;
    case link::WriteStep::Verify:
        break;
    }
    if (!result.readBack)
        return fail(kExitFailure, "the write completed, but the radio could not be read back to verify it; "
                                  "check it with \"qx260-cli read\" and \"qx260-cli diff\"");
    return reportVerify(options, image, *result.readBack);
}

int runWrite(const ParsedArgs& args)
{
    TransferOptions options;
    if (int code = transferOptionsFrom(args, false, options); code != kExitOk)
        return code;
    RadioImage image;
    const DocumentResult loaded = loadDatFile(options.input, image);
    if (loaded.error == DocumentError::FormatError)
        return fail(kExitFormatError, options.input + ": Data Format Error");
    if (!loaded.ok())
        return fail(kExitFailure, "cannot read " + options.input + ": " + loaded.reason);
    if (int code = checkBeforeTransfer(options); code != kExitOk)
        return code;
    if (wantsFleetWrite(options))
        return finishWireLog(options, writeFleet(options, image));
    return finishWireLog(options, writeRadio(options, image));
}

const CommandRegistrar registrar({
    .name = "write",
    .summary = "write a document into the radio, or into many radios",
    .arguments = {{"FILE.dat"}},
    .options =
        {
            {.name = "--port",
             .alias = "-p",
             .value = "PORT",
             .repeats = true,
             .required = true,
             .help = "the radio's port; several --port write the radios on all of them at once, and a radio "
                     "that fails does not stop the others"},
            {.name = "--backup",
             .value = "FILE.dat",
             .help = "first read the radio and save its memory as a document, as \"read -o\" does; when "
                     "that fails nothing is written"},
            {.name = "--verify",
             .help = "after the write, read the radio back and compare the channel and option memory "
                     "(0x000-0x32F) with what was sent; prints what differs, as \"diff\" does, and exits 1 "
                     "if anything does"},
            {.name = "--repeat",
             .help = "radio after radio on each port: after a radio it waits until that one no longer "
                     "answers (taken off the cable or switched off), then for the next one, until Ctrl+C"},
            {.name = "--backup-dir",
             .value = "DIR",
             .help = "before writing a radio, save its memory in DIR as radio-PORT-TIME.dat; a radio whose "
                     "backup fails is not written"},
            {.name = "--report",
             .value = "FILE.csv",
             .help = "add one line per radio: time, port, result, seconds, verify, backup (a new file starts "
                     "with a header line)"},
            {.name = "--retries",
             .value = "N",
             .help = "answer a Communication Error with Retry N times, then Cancel"},
            {.name = "--log",
             .value = "FILE",
             .help = "record every byte on the line with time stamps (written when the command ends; not "
                     "the document or the backup)"},
            {.name = "--quiet",
             .alias = "-q",
             .help = "no progress bar and no summary (many radios: no progress lines; the result lines and "
                     "the summary stay)"},
        },
    .description = "Writes the memory image of a document into the radio, as it is in the file.\n"
                   "PORT is COM1 .. COM16 (see \"qx260-cli ports\") or a device path.",
    .notes = "Many radios: with several --port, --repeat, --backup-dir or --report, each\n"
             "radio gets one result line on standard output as it ends (port, result,\n"
             "seconds, with --verify what differs), and a summary ends the run; on a terminal\n"
             "one progress line per port stands below them. The exit code is 0 only when\n"
             "every radio was written (and verified, with --verify). --backup names one file\n"
             "for one radio; --backup-dir keeps one per radio.\n"
             "\n"
             "Each of --backup and --verify is one more transfer over the same port.\n"
             "Ctrl+C cancels at the next block; the radio then holds the blocks sent so far.\n"
             "Ctrl+C during the backup writes nothing. With several radios each says what it\n"
             "now holds; in repeat mode Ctrl+C while waiting for a radio ends the run.",
    .run = runWrite,
});

} // namespace
} // namespace qx260::cli
