#pragma once
// The serial port as the programming protocol sees it. The engine never touches a
// file descriptor or a Qt object: every byte goes through this interface, so a
// scripted fake, a real port and a logging wrapper can stand in for each other.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qx260::link
{

using Bytes = std::vector<std::uint8_t>;

// One status for port operations and whole transfers. Timeout, I/O error,
// protocol error and cancellation are kept apart so that callers can decide on
// retry, message or stop.
enum class LinkStatus {
    Ok,
    Timeout,       // the budget ran out; what arrived (maybe nothing) is returned
    IoError,       // the call itself failed: cable pulled, device gone, hang-up
    ProtocolError, // the radio answered something else than expected
    Cancelled,     // the user asked to stop
    OpenFailed,    // the port could not be opened
};

const char* linkStatusName(LinkStatus status);

struct LinkResult {
    LinkStatus status = LinkStatus::Ok;
    std::string reason; // the system's reason, when there is one
    bool ok() const { return status == LinkStatus::Ok; }
};

struct ReadResult {
    Bytes bytes;
    LinkStatus status = LinkStatus::Ok; // Ok: all asked bytes; Timeout: fewer; IoError: the call failed
    std::string reason;
    bool ok() const { return status == LinkStatus::Ok; }
};

// Line settings: 9600 baud, 8 data bits, no parity, one stop bit, raw bytes.
// Flow control and modem lines are left as the driver has them.
struct LineSettings {
    int baudRate = 9600;
    int dataBits = 8;
    int stopBits = 1;
    bool parity = false;
    int receiveQueue = 1024;
    int transmitQueue = 512;
};

// Time budgets in milliseconds. A read of N bytes returns when N bytes have
// arrived, after readConstant + readPerByte * N, or when more than readInterval
// pass between two received bytes. A write of N bytes is bounded by
// writeConstant + writePerByte * N.
struct TimeBudgets {
    int readInterval = 30;
    int readPerByte = 50;
    int readConstant = 90;
    int writePerByte = 50;
    int writeConstant = 50;

    int readTotal(std::size_t n) const { return readConstant + readPerByte * static_cast<int>(n); }
    int writeTotal(std::size_t n) const { return writeConstant + writePerByte * static_cast<int>(n); }
};

class SerialLink
{
  public:
    virtual ~SerialLink() = default;

    // Opens the device for reading and writing, not shared with anyone else.
    virtual LinkResult open(const std::string& device) = 0;
    virtual void configure(const LineSettings& line, const TimeBudgets& budgets) = 0;
    // Aborts pending operations and discards both buffers.
    virtual void purgeAll() = 0;
    // Lets pending output go out, then discards the receive and transmit buffers.
    virtual void clearBuffers() = 0;
    virtual ReadResult read(std::size_t count) = 0;
    // read(), with its whole budget ending windowMs after the bytes written before it have
    // left the line (never later than read()'s own). For a byte that can only come back right
    // away (an echo), so that its absence costs a short wait, not a whole budget. A link that
    // cannot tell when its bytes have left waits as read() does.
    virtual ReadResult readSoon(std::size_t count, int windowMs)
    {
        (void)windowMs;
        return read(count);
    }
    virtual LinkResult write(const Bytes& bytes) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // A pause of the protocol's pacing.
    virtual void pause(int milliseconds) = 0;
};

} // namespace qx260::link
