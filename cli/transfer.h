#pragma once
// What "read" and "write" share: option parsing, the terminal host of a transfer
// (progress bar, Retry answers, Ctrl+C) and running the engine on a real port.

#include <string>
#include <vector>

#include "link/ProtocolEngine.h"

namespace qx260::cli {

struct TransferOptions {
    std::string port;          // COMn, the prefixed name, or a device path
    std::string output;        // read: -o FILE.dat
    std::string input;         // write: FILE.dat
    std::string log;           // --log FILE: the wire log
    int retries = 0;           // Retry answers to the Communication Error prompt
    bool quiet = false;
};

// Parses the options; returns kExitOk or an exit code after printing the problem.
int parseTransferOptions(const std::vector<std::string>& args, bool isRead, TransferOptions& options);

// Runs one transfer. `image` is sent (write) or filled (read, only on completion).
// Returns the exit code; failures have been reported on stderr.
int runTransfer(link::Direction direction, const TransferOptions& options, RadioImage& image,
                link::TransferOutcome* outcome = nullptr);

}  // namespace qx260::cli
