#pragma once
// The programming protocol: preparation, the handshake with its identification
// test, and the Read and Write block transfers, run against a SerialLink and a
// TransferHost (the window, the command line or a test).

#include <cstdint>
#include <optional>
#include <string>

#include "core/link/SerialLink.h"
#include "core/radio/RadioImage.h"
#include "res/ResourceIds.h"

namespace qx260::link
{

// The pacing and the budgets of the protocol, all in one place (milliseconds).
namespace timing
{
constexpr int kHandshakePasses = 6;        // message passes before each attempt
constexpr int kHandshakePassPause = 1;     // pause after each of those passes
constexpr int kBlockPasses = 5;            // message passes after each block, no pause
constexpr int kHandshakeBytePause = 2;     // before each byte of 0x02 "PROGRAM"
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
constexpr int kProgressLimit = 64; // the bar is stepped only below this position
} // namespace wire

enum class Direction { Read = 0, Write = 1 };

// What the transfer needs from whoever runs it.
class TransferHost
{
  public:
    virtual ~TransferHost() = default;
    // Handles at most one waiting event (message pass).
    virtual void pumpOneMessage() = 0;
    virtual bool cancelRequested() = 0;
    // After each block: the new position of the bar (1..51).
    virtual void progress(int position) = 0;
    // The Communication Error prompt (resid::StrCommunicationError): true for Retry,
    // false for Cancel.
    virtual bool askRetry() = 0;
    // A message of the string table (resid::Str...) with an OK button; reason is the system's
    // reason when there is one (empty otherwise).
    virtual void showMessage(int stringId, const std::string& reason) = 0;
    // "Becuase the type of radio does not match ..." (Caution).
    virtual void showTypeMessage() = 0;
    virtual void commitCellEdit() = 0;
    // Write: bring the image up to date from the channel table.
    virtual void encodeTable(RadioImage& image) = 0;
    // Read and again after the handshake.
    virtual Direction transferDirection() = 0;
    // A Read has completed and the image holds the radio's memory: set the radio
    // variant, clear the new-document flag, rebuild the channel table.
    virtual void readCompleted(int radioVariant) = 0;
    virtual void showDocumentWindow() = 0;
    virtual void closeProcessWindow() = 0;
};

enum class TransferEnding {
    ReadCompleted,
    WriteCompleted,
    OpenFailed,      // resid::StrCannotOpenPort
    TypeMismatch,    // the type message
    PromptCancelled, // Cancel at the Communication Error prompt
    Interrupted,     // resid::StrProgramInterrupt: a block failed, or the line failed
    Cancelled,       // the cancel flag, seen at a message pass
};

const char* transferEndingName(TransferEnding ending);

struct TransferOutcome {
    TransferEnding ending = TransferEnding::Cancelled;
    LinkStatus status = LinkStatus::Ok; // why it ended, in link terms
    std::string reason;                 // the system's reason, when there is one
    int blocksDone = 0;
    Direction direction = Direction::Read;   // the direction the blocks ran in
    int attempts = 0;                        // handshake attempts started
    std::optional<std::uint8_t> variantByte; // empty: the reply had no byte 7
    // The Read or the Write went through to its last block.
    bool ok() const
    {
        return ending == TransferEnding::ReadCompleted || ending == TransferEnding::WriteCompleted;
    }
    // A Write that stopped after some of its blocks: the radio holds the first blocksDone
    // blocks of the image and its earlier memory after them.
    bool radioPartWritten() const { return direction == Direction::Write && blocksDone > 0 && !ok(); }
};

// 0xFF gives 1, 0xF5 gives 2, anything else (or no byte) gives 0.
int radioVariantFromByte(std::optional<std::uint8_t> variantByte);

// "P", "3" or "2", "207" in bytes 0 to 4.
bool identificationMatches(const Bytes& reply);

class ProtocolEngine
{
  public:
    ProtocolEngine(SerialLink& link, TransferHost& host);

    // Runs one whole transfer on `device` (a path the link can open). A Write sends
    // `image` after the host encoded the table into it; a Read fills a copy and
    // puts it into `image` only when every block has arrived.
    TransferOutcome run(RadioImage& image, const std::string& device);

  private:
    enum class Step { Continue, Stop };

    bool messagePasses(int passes, int pauseMs);
    Step handshake(TransferOutcome& outcome);
    Step writeBlocks(const RadioImage& image, TransferOutcome& outcome);
    Step readBlocks(RadioImage& staging, TransferOutcome& outcome);
    void advanceProgress();

    bool send(const Bytes& bytes, TransferOutcome& outcome);
    bool receive(std::size_t count, ReadResult& result, TransferOutcome& outcome);

    // The radio's one-byte acknowledgement; false (transfer ended) when it is missing or wrong.
    bool receiveAck(TransferOutcome& outcome);
    // Counts a finished block, shows progress and lets messages through; false when cancelled.
    bool completeBlock(TransferOutcome& outcome);
    Step endCancelled(TransferOutcome& outcome);
    Step endInterrupted(TransferOutcome& outcome, LinkStatus status, const std::string& reason);
    void finish();

    SerialLink& link_;
    TransferHost& host_;
    bool handshakeRead_ = false;
    int progress_ = 0;
};

} // namespace qx260::link
