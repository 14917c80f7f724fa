// The fake link's calls: each one recorded, writes fed byte by byte to the radio model, and
// its replies handed out at the next read or pause (or later, for a reply with a gap).

#include "tests/support/FakeRadioLink.h"

namespace qx260::test
{

link::LinkResult FakeRadioLink::open(const std::string& device)
{
    calls.push_back("open");
    openedDevice = device;
    if (refuseOpen)
        return {link::LinkStatus::OpenFailed, "Device or resource busy"};
    open_ = true;
    ++opens;
    return {};
}

void FakeRadioLink::purgeAll()
{
    calls.push_back("purge");
    received_.clear();
    inFlight_.clear();
    afterGap_.clear();
}

void FakeRadioLink::clearBuffers()
{
    calls.push_back("clear");
    received_.clear();
}

void FakeRadioLink::arrive()
{
    received_.insert(received_.end(), inFlight_.begin(), inFlight_.end());
    inFlight_.clear();
}

void FakeRadioLink::pause(int milliseconds)
{
    calls.push_back("pause " + std::to_string(milliseconds));
    arrive();
    received_.insert(received_.end(), afterGap_.begin(), afterGap_.end());
    afterGap_.clear();
}

link::ReadResult FakeRadioLink::read(std::size_t count)
{
    readWindows.push_back(-1);
    return take(count);
}

link::ReadResult FakeRadioLink::readSoon(std::size_t count, int windowMs)
{
    readWindows.push_back(windowMs);
    return take(count);
}

link::ReadResult FakeRadioLink::take(std::size_t count)
{
    calls.push_back("read " + std::to_string(count));
    link::ReadResult result;
    if (!open_ || hungUp_) {
        result.status = link::LinkStatus::IoError;
        result.reason = "Input/output error";
        return result;
    }
    arrive();
    while (result.bytes.size() < count && !received_.empty()) {
        result.bytes.push_back(received_.front());
        received_.pop_front();
    }
    result.status = result.bytes.size() == count ? link::LinkStatus::Ok : link::LinkStatus::Timeout;
    // The rest of a reply with a long gap comes after the read has given up.
    received_.insert(received_.begin(), afterGap_.begin(), afterGap_.end());
    afterGap_.clear();
    return result;
}

link::LinkResult FakeRadioLink::write(const link::Bytes& bytes)
{
    calls.push_back("write " + std::to_string(bytes.size()));
    if (!open_ || hungUp_)
        return {link::LinkStatus::IoError, "Input/output error"};
    writes.push_back(bytes);
    if (hangUpAfterWrites >= 0 && static_cast<int>(writes.size()) > hangUpAfterWrites) {
        hungUp_ = true;
        return {link::LinkStatus::IoError, "Input/output error"};
    }
    for (std::uint8_t b : bytes) {
        sim::Reply reply = radio.receive(b);
        if (reply.hangUp) {
            hungUp_ = true;
            break;
        }
        for (std::size_t i = 0; i < reply.bytes.size(); ++i) {
            const bool late =
                reply.gapAfter >= 0 && static_cast<int>(i) >= reply.gapAfter && reply.gapMs > 30;
            (late ? afterGap_ : inFlight_).push_back(reply.bytes[i]);
        }
    }
    return {};
}

void FakeRadioLink::close()
{
    calls.push_back("close");
    if (open_)
        ++closes;
    open_ = false;
}

link::Bytes FakeRadioLink::sentBytes() const
{
    link::Bytes all;
    for (const auto& w : writes)
        all.insert(all.end(), w.begin(), w.end());
    return all;
}

} // namespace qx260::test
