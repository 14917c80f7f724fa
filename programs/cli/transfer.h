#pragma once
// What "read" and "write" share: option parsing, the terminal host of a transfer
// (progress bar, Retry answers, Ctrl+C) and running the engine on a real port.

#include <string>
#include <vector>

#include "core/link/ProtocolEngine.h"

namespace qx260::cli
{

struct TransferOptions {
    std::string port;   // COMn, the prefixed name, or a device path
    std::string output; // read: -o FILE.dat
    std::string input;  // write: FILE.dat
    std::string log;    // --log FILE: the wire log
    std::string backup; // write: --backup FILE.dat, the radio's memory before the write
    int retries = 0;    // Retry answers to the Communication Error prompt
    bool quiet = false;
    bool verify = false;    // write: --verify, read back and compare after the write
    bool appendLog = false; // later transfers of one command add to the wire log
};

// Parses the options; returns kExitOk or an exit code after printing the problem.
int parseTransferOptions(const std::vector<std::string>& args, bool isRead, TransferOptions& options);

// Checks before any transfer that a document can be saved at `path` (its folder exists
// and may be written to); returns kExitOk or kExitFailure after saying what to do.
int checkOutputFolder(const std::string& path);

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
int runTransfer(link::Direction direction, const TransferOptions& options, RadioImage& image,
                link::TransferOutcome* outcome = nullptr);

} // namespace qx260::cli
