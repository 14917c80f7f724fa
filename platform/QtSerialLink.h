#pragma once
// SerialLink over QSerialPort, with the exact time budgets of the protocol:
// a read of N bytes ends when they have all come, when its whole budget has
// passed, or when the line stays quiet longer than the gap allowed between bytes.
// A pause is one the radio sees: it starts once the bytes written before it are
// on the line, and it ends as soon after its length as the system can wake up.

#include <QSerialPort>
#include <chrono>
#include <string>

#include "core/link/SerialLink.h"

namespace qx260::link
{

class QtSerialLink : public SerialLink
{
  public:
    QtSerialLink();
    ~QtSerialLink() override;

    LinkResult open(const std::string& device) override;
    void configure(const LineSettings& line, const TimeBudgets& budgets) override;
    void purgeAll() override;
    void clearBuffers() override;
    ReadResult read(std::size_t count) override;
    ReadResult readSoon(std::size_t count, int windowMs) override;
    LinkResult write(const Bytes& bytes) override;
    void close() override;
    bool isOpen() const override;
    void pause(int milliseconds) override;

    // True when `device` can be opened right now (opened and closed at once).
    static bool probe(const std::string& device);

  private:
    using Clock = std::chrono::steady_clock;

    // read() with `totalMs` as its whole budget.
    ReadResult readWithin(std::size_t count, qint64 totalMs);
    // Sleeps until `until` on the monotonic clock, woken once, as exactly as the system can.
    static void sleepUntil(Clock::time_point until);
    bool lineLost() const;
    std::string errorReason() const;

    QSerialPort port_;
    TimeBudgets budgets_;
    std::string device_;
    Clock::duration byteTime_{};   // ten bit times at the line's speed
    Clock::time_point lineFree_{}; // when the bytes written so far have gone out
    bool lastWasWrite_ = false;    // nothing but a write since the last read, pause or purge
    int savedTimerSlack_ = -1;     // the thread's timer slack before open (Linux)
};

// Why a device cannot be opened, in words a user can act on: the system's reason,
// and for a permission problem how to get access.
std::string openFailureReason(const std::string& device, QSerialPort::SerialPortError error);

} // namespace qx260::link
