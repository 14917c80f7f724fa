#pragma once
// What "read" and "write" share: their options, the terminal's part in a transfer
// (progress bar, Retry answers, Ctrl+C, what is said when it ends) and the command's port.

#include <string>
#include <vector>

#include "core/link/ProtocolEngine.h"
#include "core/link/WireLog.h"
#include "platform/QtSerialLink.h"
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

// Keeps Ctrl+C and the serial port's application object for the transfers of a command,
// so that a Ctrl+C between two of them is not lost.
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

// The terminal's part in the transfers of one command: the progress bar on standard error,
// the Retry answers (--retries, for each transfer anew), Ctrl+C as the cancel request, and
// what is said when a transfer ends.
class TerminalTransfer
{
  public:
    explicit TerminalTransfer(const TransferOptions& options);

    // A transfer begins: its bar names the direction, and its Retry answers start again.
    void begin(link::Direction direction);
    // What the transfers ask of the terminal.
    link::TransferControl control();
    // Says how a transfer on `device` ended: the message of a failure, what a cancel left
    // behind, and (unless --quiet) what a completed one did. Returns the exit code.
    int ended(const link::TransferOutcome& outcome, const std::string& device);

  private:
    void progress(int position);
    link::RetryDecision communicationError();
    void endBar();

    const TransferOptions& options_;
    link::Direction direction_ = link::Direction::Read;
    int retriesLeft_ = 0;
    bool showBar_;
    bool barShown_ = false;
};

// The port of a command: the device --port names, with the wire log (--log) around it. It
// stays open for all the transfers of the command and closes when it goes.
class CommandPort
{
  public:
    explicit CommandPort(TransferOptions& options);
    ~CommandPort();
    CommandPort(const CommandPort&) = delete;
    CommandPort& operator=(const CommandPort&) = delete;

    // Opens it. A port name that stands for no device fails like a port that does not open.
    link::LinkResult open();
    void close();
    link::SerialLink& link();
    const std::string& device() const { return device_; }

  private:
    TransferOptions& options_;
    std::string device_;
    link::QtSerialLink port_;
    link::LoggingSerialLink logged_;
};

} // namespace qx260::cli
