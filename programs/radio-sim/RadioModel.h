#pragma once
// The radio's side of the programming protocol as a byte-driven state machine:
// fed the bytes that arrive from the computer, it says what to send back. The
// simulated radio puts it on a pseudo-terminal; link tests use it in-process.
// Standard C++ and the core only.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qx260::sim
{

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kMemorySize = 1024;
using Memory = std::array<std::uint8_t, kMemorySize>;

// Misbehaviour on request. Sub-block K is the one at address 8 * K.
struct Faults {
    bool silent = false;             // never answers
    bool echoHandshake = false;      // echoes each byte of 0x02 "PROGRAM" (no separate late answer)
    bool echoIdentRequest = false;   // echoes the identification request before the reply
    std::optional<Bytes> identReply; // any reply instead of the identification
    int shortIdent = -1;             // send only this many bytes of the identification
    int wrongWriteAckAt = -1;        // answer 0x15 instead of 0x06 (and keep the old bytes)
    int corruptWriteAt = -1;         // store this sub-block with its first byte inverted, yet acknowledge it
    int wrongReadAckAt = -1;         // answer the read acknowledgement with 0x15
    int shortReadAt = -1;            // send only 7 of the 12 reply bytes
    int gapAt = -1;                  // a pause in the middle of this read reply
    int gapMs = 40;
    int dropAt = -1;              // hang up the line when this sub-block is asked for
    int badHandshakeAcks = 0;     // confirm this many handshakes with 0x15 instead of 0x06
    int unansweredHandshakes = 0; // let this many handshakes pass without the late answer
};

struct Identity {
    char model = '3'; // "P3207" or "P2207"
    std::uint8_t variantByte = 0xFF;
};

// What to do after a byte.
struct Reply {
    Bytes bytes;
    int gapAfter = -1; // pause gapMs after this many bytes of `bytes`
    int gapMs = 0;
    int delayMs = 0; // turnaround before the first byte
    bool hangUp = false;
};

class RadioModel
{
  public:
    RadioModel();

    Reply receive(std::uint8_t byte);

    Memory memory{};
    Identity identity;
    Faults faults;

    // What happened, for tests and the log.
    int handshakes = 0; // completed handshakes (acknowledged)
    std::vector<std::uint16_t> readAddresses;
    std::vector<std::uint16_t> writeAddresses; // acknowledged writes only
    bool memoryChanged = false;

    // A fresh radio: the factory options of a new document, the first band and a few channels.
    static Memory freshMemory();
    // Bytes 16..1039 of a 1040-byte document ("Q9F2" and twelve zero bytes first).
    static std::optional<Memory> fromDocument(const Bytes& file);
    static Bytes toDocument(const Memory& memory);

  private:
    enum class State {
        Idle,
        AwaitIdentRequest,
        AwaitHandshakeAck,
        Programming,
        Frame,
        WriteData,
        AwaitReadAck
    };

    Reply idleByte(std::uint8_t byte);
    Reply completeFrame();
    Bytes identificationReply() const;

    State state_ = State::Idle;
    int matched_ = 0;
    Bytes frame_;
    Bytes data_;
    std::uint16_t address_ = 0;
};

} // namespace qx260::sim
