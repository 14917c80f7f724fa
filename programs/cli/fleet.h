#pragma once
// qx260-cli write into several radios: several --port at once, --repeat radio after radio,
// --backup-dir and --report. Each port runs on a thread of its own; on a terminal one
// progress line per port stands below the results, which come one line per radio as it
// ends; a summary closes the run, and the report file gets one line per radio.

#include "core/radio/RadioImage.h"
#include "programs/cli/transfer.h"

namespace qx260::cli
{

// True when the options ask for more than one plain write of one radio.
bool wantsFleetWrite(const TransferOptions& options);

// Writes `image` into the radios on options.ports. kExitOk only when at least one radio was
// written and every radio was written (and verified, when asked) and reported.
int writeFleet(TransferOptions& options, const RadioImage& image);

} // namespace qx260::cli
