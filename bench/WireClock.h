#pragma once
// The protocol engine on a perfect 9600 8N1 line: it runs against a link with a virtual
// clock and the radio model answering at once. Bytes take their time on the line in each
// direction, the engine's own pauses and read budgets pass on the same clock, and a pause
// starts once the bytes before it are on the line (the gap the radio must see, such as the
// one between a write frame and its data). The bench counts the bytes on the line here for
// its floor, and shows the time as what the engine takes with no delay anywhere but its
// own. Nothing here sleeps.

#include <cstdint>
#include <deque>

#include "core/link/SerialLink.h"
#include "programs/radio-sim/RadioModel.h"

namespace qx260::bench
{

class WireClockLink : public link::SerialLink
{
  public:
    explicit WireClockLink(int baud) : byteMicros_(10.0 * 1e6 / baud) {}

    sim::RadioModel radio;

    double nowMs() const { return now_ / 1000.0; }
    // Bytes on the line, both directions.
    long bytesOnLine() const { return bytesOnLine_; }
    double byteMs() const { return byteMicros_ / 1000.0; }

    link::LinkResult open(const std::string&) override
    {
        open_ = true;
        return {};
    }
    void configure(const link::LineSettings&, const link::TimeBudgets& budgets) override
    {
        budgets_ = budgets;
    }
    void purgeAll() override { discardArrived(); }
    void clearBuffers() override
    {
        // Pending output drains first, then what has arrived is dropped.
        now_ = std::max(now_, txFree_);
        discardArrived();
    }
    link::ReadResult read(std::size_t count) override { return readUntil(count, now_ + budgetMicros(count)); }
    link::ReadResult readSoon(std::size_t count, int windowMs) override
    {
        return readUntil(count,
                         std::min(now_ + budgetMicros(count), std::max(now_, txFree_) + windowMs * 1000.0));
    }
    link::LinkResult write(const link::Bytes& bytes) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void pause(int milliseconds) override { now_ = std::max(now_, txFree_) + milliseconds * 1000.0; }

  private:
    double budgetMicros(std::size_t count) const { return budgets_.readTotal(count) * 1000.0; }
    link::ReadResult readUntil(std::size_t count, double deadline);

    struct Arrival {
        double at;
        std::uint8_t byte;
    };
    void discardArrived()
    {
        while (!incoming_.empty() && incoming_.front().at <= now_)
            incoming_.pop_front();
    }

    double byteMicros_;
    link::TimeBudgets budgets_;
    double now_ = 0;    // the computer's clock, microseconds
    double txFree_ = 0; // when the line towards the radio is idle again
    double rxFree_ = 0; // when the line towards the computer is idle again
    std::deque<Arrival> incoming_;
    long bytesOnLine_ = 0;
    bool open_ = false;
    bool hungUp_ = false;
};

inline link::LinkResult WireClockLink::write(const link::Bytes& bytes)
{
    if (hungUp_)
        return {link::LinkStatus::IoError, "hang-up"};
    // The call returns once the bytes are queued; they go out one after another.
    for (std::uint8_t b : bytes) {
        const double received = std::max(now_, txFree_) + byteMicros_;
        txFree_ = received;
        ++bytesOnLine_;
        const sim::Reply reply = radio.receive(b);
        if (reply.hangUp) {
            hungUp_ = true;
            break;
        }
        // The radio answers at once (no turnaround): the least it could take.
        for (std::uint8_t r : reply.bytes) {
            rxFree_ = std::max(received, rxFree_) + byteMicros_;
            incoming_.push_back({rxFree_, r});
            ++bytesOnLine_;
        }
    }
    return {};
}

inline link::ReadResult WireClockLink::readUntil(std::size_t count, double deadline)
{
    link::ReadResult result;
    if (hungUp_) {
        result.status = link::LinkStatus::IoError;
        return result;
    }
    const double gap = budgets_.readInterval * 1000.0;
    double last = -1;
    double end = deadline;
    while (result.bytes.size() < count) {
        if (incoming_.empty() || incoming_.front().at > deadline ||
            (last >= 0 && incoming_.front().at - last > gap)) {
            end = last >= 0 ? std::min(deadline, last + gap) : deadline;
            break;
        }
        last = std::max(now_, incoming_.front().at);
        result.bytes.push_back(incoming_.front().byte);
        incoming_.pop_front();
        end = last;
    }
    now_ = std::max(now_, end);
    result.status = result.bytes.size() == count ? link::LinkStatus::Ok : link::LinkStatus::Timeout;
    return result;
}

} // namespace qx260::bench
