#pragma once
// An in-process SerialLink wired to the radio model. Replies to a write are "on
// the wire" until the next pause or read, so a clear right after a write keeps
// them (as the drain-then-clear of a real port does) while a clear after a pause
// discards them. Nothing here sleeps.

#include <deque>
#include <string>
#include <vector>

#include "core/link/SerialLink.h"
#include "programs/radio-sim/RadioModel.h"

namespace qx260::test
{

class FakeRadioLink : public link::SerialLink
{
  public:
    sim::RadioModel radio;

    // Knobs.
    bool refuseOpen = false;
    int hangUpAfterWrites = -1; // the line dies after this many write calls

    // What the engine did.
    std::vector<link::Bytes> writes; // one entry per write call
    std::vector<std::string> calls;  // "open", "purge", "clear", "read N", "write N", "pause N", "close"
    std::vector<int> readWindows;    // per read: the window of a readSoon(), -1 for a read()
    std::string openedDevice;
    bool open_ = false;
    int opens = 0;
    int closes = 0;

    link::LinkResult open(const std::string& device) override;
    void configure(const link::LineSettings&, const link::TimeBudgets&) override
    {
        calls.push_back("configure");
    }
    void purgeAll() override;
    void clearBuffers() override;
    link::ReadResult read(std::size_t count) override;
    // A read like read(): nothing here takes time, so the window only changes what is recorded.
    link::ReadResult readSoon(std::size_t count, int windowMs) override;
    link::LinkResult write(const link::Bytes& bytes) override;
    void close() override;
    bool isOpen() const override { return open_; }
    void pause(int milliseconds) override;

    // Every byte the computer sent, in order.
    link::Bytes sentBytes() const;

  private:
    void arrive();
    link::ReadResult take(std::size_t count);

    std::deque<std::uint8_t> received_;
    std::deque<std::uint8_t> inFlight_;
    std::deque<std::uint8_t> afterGap_;
    bool hungUp_ = false;
};

} // namespace qx260::test
