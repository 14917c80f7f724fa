#pragma once
// Writing one document into many radios. Every port runs on a thread of its own with its
// own link, so nothing of one radio's turn is shared with another; the threads share only
// the cancel request and the PortActivity a watcher reads. A radio's turn is the write
// workflow (backup when asked, write, read back when asked) on its port, opened for the
// turn; repeat mode runs turn after turn on one cable, waiting for each radio to be taken
// off and for the next one to answer.

#include <atomic>
#include <functional>
#include <string>

#include "core/config/Language.h"
#include "core/link/WriteWorkflow.h"

namespace qx260::link
{

// What a watcher (a terminal, a window) reads of one port while its turns run. Written
// by the port's thread, read by any.
struct PortActivity {
    enum Stage {
        Starting,
        Backup,            // reading the radio's memory before the write
        Write,             //
        Verify,            // reading it back
        WaitingForRemoval, // repeat: the radio written last still answers
        WaitingForRadio,   // repeat: handshakes until the next radio answers
        Finished,
    };
    std::atomic<int> stage{Starting};
    std::atomic<int> blocks{0}; // blocks done in the running transfer, 0..51
    std::atomic<int> radio{1};  // the radio on this port now, counted from 1
};

// How the turns of a port run.
struct FleetSettings {
    bool verify = false;
    int retries = 0; // Retry answers to a Communication Error in each transfer
    // Keeps the memory a radio held before it is written. A radio whose memory could not be
    // kept is not written. Empty: no backup.
    std::function<BackupKept(const RadioImage& memory)> keepBackup;
    // Asked at every message pass of every transfer, from the ports' threads.
    std::function<bool()> cancelRequested;
};

// One radio's turn: what its workflow came to, on which radio, in how long.
struct RadioTurn : WriteResult {
    int radio = 1;      // counted from 1 on its port
    double seconds = 0; // from the radio's first answer to the end
};

// One radio's turn: `device` opened on `link`, the workflow for `image` (encoded once by the
// caller), the port closed. With waitForRadio the first transfer answers a Communication
// Error with Retry until a radio answers or the turn is cancelled; it ends cancelled with no
// block done when no radio ever answered.
RadioTurn writeRadioTurn(SerialLink& link, const std::string& device, const RadioImage& image,
                         const FleetSettings& settings, PortActivity& activity, bool waitForRadio = false);

// What repeat mode tells its watcher, on the port's thread.
struct RepeatReports {
    std::function<void(const RadioTurn&)> turnEnded;
    std::function<void(int radio)> radioRemoved; // the radio of the last turn no longer answers
};

// Repeat mode on one port: waits for a radio, writes it, waits until it no longer answers
// (taken off the cable or switched off), and so on until cancelled. A port that cannot be
// opened for the first radio ends it; later it counts as "no radio yet" (a cable unplugged
// with the radio). Returns the turns that were reported.
int writeRadiosInTurn(SerialLink& link, const std::string& device, const RadioImage& image,
                      const FleetSettings& settings, PortActivity& activity, const RepeatReports& reports);

// A radio's turn in a few words, in language: "ok, verified", "no answer; nothing was
// written", "the transfer broke off; the radio now holds the first 20 of 51 blocks of the
// document and its earlier memory after them", ...
std::string turnSummary(const RadioTurn& turn, Language language);

} // namespace qx260::link
