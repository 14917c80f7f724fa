#pragma once
// What "read" and "write" share: their options, the terminal host of a transfer
// (progress bar, Retry answers, Ctrl+C) and running the engine on a real port.

#include <string>
#include <vector>

#include "core/link/ProtocolEngine.h"
#include "programs/cli/Command.h"

namespace qx260::cli
{

struct TransferOptions {
    std::string port;               // COMn, the prefixed name, or a device path (the first --port)
    std::vector<std::string> ports; // write: every --port, in order
    std::string output;             // read: -o FILE.dat
    std::string input;              // write: FILE.dat
    std::string log;                // --log FILE: the wire log
    std::string backup;             // write: --backup FILE.dat, the radio's memory before the write
    int retries = 0;                // Retry answers to the Communication Error prompt
    bool quiet = false;
    bool verify = false;   // write: --verify, read back and compare after the write
    std::string backupDir; // write: --backup-dir DIR, one backup per radio
    std::string report;    // write: --report FILE.csv, one line appended per radio
    bool repeat = false;   // write: --repeat, radio after radio on each port
    // What the transfers of this command put on the line so far, for the wire log. It is
    // kept here and replaces the log file once, at the end (finishWireLog), so that no
    // half log is left behind and a failed write of it leaves the old one.
    std::string logText;
};

// Takes the options from a command line read by read's or write's declaration; returns
// kExitOk or an exit code after printing the problem. A backup or a wire log that would
// take the place of the document, the output or each other is refused, and so is a
// document for standard output.
int transferOptionsFrom(const ParsedArgs& args, bool isRead, TransferOptions& options);

// Checks before the port is opened what the command needs besides the radio: the per-user
// settings (they name the ports), and for each file it will write (output, backup, wire
// log, report) a folder that exists and may be written to, and in it nothing that may not
// be replaced (a folder, a device, a named pipe, a read-only file); a backup folder must
// exist and take new files. Returns kExitOk or kExitFailure after saying what to do.
int checkBeforeTransfer(const TransferOptions& options);

// Writes the wire log (when --log was given and a port was reached) once all transfers
// are done, whatever came of them. Returns `code`, or kExitFailure after saying why when the log could not be
// written and nothing else had failed.
int finishWireLog(const TransferOptions& options, int code);

// Keeps Ctrl+C and the serial port's application object for a command that runs several
// transfers, so that a Ctrl+C between two of them is not lost. runTransfer makes its own
// when none is active.
class TransferSession
{
  public:
    TransferSession();
    ~TransferSession();
    TransferSession(const TransferSession&) = delete;
    TransferSession& operator=(const TransferSession&) = delete;

    // True once Ctrl+C has been pressed during the session.
    static bool interrupted();

  private:
    struct State;
    State* state_;
};

// Runs one transfer. `image` is sent (write) or filled (read, only on completion).
// Returns the exit code; failures have been reported on stderr.
int runTransfer(link::Direction direction, TransferOptions& options, RadioImage& image,
                link::TransferOutcome* outcome = nullptr);

} // namespace qx260::cli
