#pragma once
// The programming protocol: the handshake with its identification test, and the Read and
// Write block transfers, run on a SerialLink that the caller has opened. The caller takes
// part through a TransferControl (progress, the cancel test at every message pass, the
// answer to a Communication Error) and learns from the TransferOutcome what happened; the
// engine opens and closes no port, shows nothing and touches no document.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/link/SerialLink.h"
#include "core/radio/RadioImage.h"

namespace qx260::link
{

// The pacing and the budgets of the protocol, all in one place (milliseconds).
namespace timing
{
constexpr int kHandshakePasses = 6;    // message passes before each attempt
constexpr int kHandshakePassPause = 1; // pause after each of those passes
constexpr int kBlockPasses = 5;        // message passes after each block, no pause
constexpr int kHandshakeBytePause = 2; // before each byte of 0x02 "PROGRAM"
// How long the early answer is waited for once "A" has left the line: an echo is complete
// one byte time (about 1 ms) after it, and a USB adapter may hold a lone byte back for its
// latency timer (16 ms by default) before passing it on; 20 ms covers both. Every radio
// that does not echo costs this wait, not the whole 140 ms budget of a read.
constexpr int kEarlyAnswerWindow = 20;
constexpr int kIdentRequestPause = 1;      // before and after the identification request
constexpr int kAckSettlePause = 1;         // after the handshake acknowledgement went out
constexpr int kWriteDataPause = 1;         // between a write frame and its data
constexpr int kReadAckPause = 1;           // before the acknowledgement of a read reply
constexpr int kSecondReadRequestPause = 1; // before the second read request of a block
inline constexpr TimeBudgets kBudgets{};   // 30 ms gap, 90 + 50 N read, 50 + 50 N write
inline constexpr LineSettings kLine{};     // 9600 8N1, queues 1024 / 512
} // namespace timing

namespace wire
{
constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kReadCommand = 'R';
constexpr std::uint8_t kWriteCommand = 'W';
constexpr std::uint8_t kSubBlockLength = 0x08;
constexpr std::uint8_t kHandshake[8] = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
constexpr int kEarlyAnswerAfter = 6; // index of "A": the early answer is read after it
constexpr std::size_t kIdentReplySize = 8;
constexpr std::size_t kReadReplySize = 12; // 4 bytes not examined, then 8 data bytes
constexpr std::size_t kReadReplyDataAt = 4;
constexpr int kBlockCount = 51; // image blocks 0..50 = offsets 0x000..0x32F
constexpr int kBlockSize = 16;
constexpr int kSubBlockSize = 8;
constexpr int kProgressLimit = 64; // progress is reported only below this position
} // namespace wire

enum class Direction { Read = 0, Write = 1 };

// The answer to the Communication Error prompt.
enum class RetryDecision { Retry, Cancel };

// How a caller takes part in one transfer. Every callback may be left empty.
struct TransferControl {
    // After each block: the blocks done so far (1..51).
    std::function<void(int blocksDone)> progress;
    // Asked at every message pass (six before each handshake attempt, five after each
    // block, nowhere else): true ends the transfer as cancelled. A window lets its waiting
    // events through here, so that its Cancel button stays live. Empty: never cancelled.
    std::function<bool()> cancelRequested;
    // No answer, or a wrong one, during the handshake: Retry starts a new attempt, Cancel
    // ends the transfer. Empty: Cancel.
    std::function<RetryDecision()> communicationError;
};

enum class TransferEnding {
    ReadCompleted,
    WriteCompleted,
    OpenFailed,      // the caller could not open the port (see openFailed)
    TypeMismatch,    // the radio is of another type
    PromptCancelled, // Cancel at the Communication Error prompt
    Interrupted,     // a block failed, or the line failed
    Cancelled,       // the cancel test, at a message pass
};

const char* transferEndingName(TransferEnding ending);

struct TransferOutcome {
    TransferEnding ending = TransferEnding::Cancelled;
    LinkStatus status = LinkStatus::Ok; // why it ended, in link terms
    std::string reason;                 // the system's reason, when there is one
    int blocksDone = 0;
    // The sub-blocks the radio acknowledged (two to a block): a Write that broke off after
    // the first half of a block has that half in the radio too.
    int subBlocksDone = 0;
    Direction direction = Direction::Read;
    int attempts = 0;                        // handshake attempts started
    std::optional<std::uint8_t> variantByte; // byte 7 of the identification; empty: the reply had none

    // The Read or the Write went through to its last block.
    bool ok() const
    {
        return ending == TransferEnding::ReadCompleted || ending == TransferEnding::WriteCompleted;
    }
    // A Write that stopped after some of its blocks: the radio holds the first blocksDone
    // blocks of the image and its earlier memory after them.
    bool radioPartWritten() const { return direction == Direction::Write && blocksDone > 0 && !ok(); }
    // The radio variant the identification names (what a completed Read sets).
    int radioVariant() const;
};

// 0xFF gives 1, 0xF5 gives 2, anything else (or no byte) gives 0.
int radioVariantFromByte(std::optional<std::uint8_t> variantByte);

// "P", "3" or "2", "207" in bytes 0 to 4.
bool identificationMatches(const Bytes& reply);

// Reads the radio's memory (offsets 0x000..0x32F) on the open `link`. The blocks land in a
// copy of `image`, which takes the place of `image` only when every block has arrived; the
// bytes that never travel stay as `image` has them.
TransferOutcome readRadio(SerialLink& link, RadioImage& image, const TransferControl& control = {});

// Writes offsets 0x000..0x32F of `image` into the radio on the open `link`.
TransferOutcome writeRadio(SerialLink& link, const RadioImage& image, const TransferControl& control = {});

// The opening handshake of a Read and nothing after it: the identification checked and the
// acknowledgements exchanged, no block asked for and nothing written. True when the radio
// is ready for blocks; `outcome` otherwise says how it ended, and holds the variant byte of
// the identification either way. The radio takes the next handshake as a new start.
bool readHandshake(SerialLink& link, TransferOutcome& outcome, const TransferControl& control = {});

// The outcome of a transfer that could not start because the port did not open.
TransferOutcome openFailed(const LinkResult& opened, Direction direction);

// What the user is told when a transfer ends: nothing (it went through, it was cancelled,
// or the Communication Error prompt has said it already), or one message.
enum class EndingMessage {
    None,
    CannotOpenPort,   // "Could not Open the Port, ..." with the system's reason
    ProgramInterrupt, // "Program Interrupt, ..." with the system's reason, when there is one
    TypeMismatch,     // "Becuase the type of radio does not match, ..." (Caution)
};
EndingMessage endingMessage(const TransferOutcome& outcome);

} // namespace qx260::link
