// Fuzz target: the radio's side of the line. The protocol engine runs a Read or a Write
// against the radio model on a scripted line whose every reply the fuzzer's bytes may leave
// alone, drop, cut short, delay, replace, follow with an endless stream, or end with a dead
// line. Time on the line is virtual: bytes arrive at set times and the line keeps a clock
// that reads and pauses advance, so a run takes no real time. Every transfer ends with one
// of the defined endings and the port as the caller left it; the document changes only
// through a Read that completed; every read and write keeps to the budget the engine gave
// the port, and the whole transfer to the time its attempts and blocks allow.
//
// Input: a byte for direction and a port that cannot be opened (bit 1 is not used); the
// radio's model letter and variant byte; when the user cancels; then one byte for each
// write, saying what becomes of the radio's reply to it.

#include <algorithm>
#include <climits>
#include <deque>
#include <vector>

#include "core/link/ProtocolEngine.h"
#include "programs/radio-sim/RadioModel.h"
#include "tests/fuzz/FuzzTarget.h"

namespace qx260::fuzz
{

namespace
{

using link::Bytes;
using link::LinkStatus;

constexpr long long kForever = LLONG_MAX / 4;
constexpr int kByteMs = 1; // 9600 baud

class ScriptedLine : public link::SerialLink
{
  public:
    explicit ScriptedLine(FuzzInput& script) : script_(script) {}

    sim::RadioModel radio;
    bool refuseOpen = false;
    bool clean = true;  // every reply arrived as the radio sent it
    long long now = 0;  // milliseconds
    std::string broken; // the first budget broken

    link::LinkResult open(const std::string&) override
    {
        if (refuseOpen)
            return {LinkStatus::OpenFailed, "Device or resource busy"};
        open_ = true;
        return {};
    }
    void configure(const link::LineSettings&, const link::TimeBudgets& budgets) override
    {
        budgets_ = budgets;
        configured_ = true;
    }
    void purgeAll() override { clearBuffers(); }
    void clearBuffers() override
    {
        std::erase_if(pending_, [&](const Arrival& a) { return a.at <= now; });
        if (streamPeriod_ > 0 && streamNext_ <= now)
            streamNext_ += ((now - streamNext_) / streamPeriod_ + 1) * streamPeriod_;
    }
    void pause(int milliseconds) override { now += milliseconds; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }

    link::LinkResult write(const Bytes& bytes) override
    {
        if (!open_ || dead_)
            return {LinkStatus::IoError, "Input/output error"};
        const std::uint8_t what = script_.byte();
        const long long budget = configured_ ? budgets_.writeTotal(bytes.size()) : kForever;
        if (what % 8 == 7) { // the write itself fails: the line died, or it never got out
            clean = false;
            dead_ = what & 8;
            spend(budget, budget, "write");
            return dead_ ? link::LinkResult{LinkStatus::IoError, "Input/output error"}
                         : link::LinkResult{LinkStatus::Timeout, ""};
        }
        spend(static_cast<long long>(bytes.size()) * kByteMs, budget, "write");
        // A read or write frame addresses the transferred area only (0x000..0x32F).
        if (broken.empty() && bytes.size() == 4 &&
            (bytes[0] == link::wire::kReadCommand || bytes[0] == link::wire::kWriteCommand)) {
            const std::size_t address = static_cast<std::size_t>(bytes[1] << 8 | bytes[2]);
            if (address + bytes[3] > offset::TransferEnd)
                broken = "a frame addressing " + std::to_string(address) + " beyond the transferred area";
        }

        Bytes reply;
        long long at = now + 1;
        bool hangUp = false;
        std::vector<long long> times;
        for (std::uint8_t b : bytes) {
            const sim::Reply r = radio.receive(b);
            at += r.delayMs;
            for (std::size_t i = 0; i < r.bytes.size(); ++i) {
                if (static_cast<int>(i) == r.gapAfter)
                    at += r.gapMs;
                reply.push_back(r.bytes[i]);
                times.push_back(at);
                at += kByteMs;
            }
            hangUp = hangUp || r.hangUp;
        }
        alter(what, reply, times);
        for (std::size_t i = 0; i < reply.size(); ++i)
            pending_.push_back({times[i], reply[i]});
        std::stable_sort(pending_.begin(), pending_.end(),
                         [](const Arrival& a, const Arrival& b) { return a.at < b.at; });
        if (hangUp)
            dead_ = true;
        return {};
    }

    link::ReadResult read(std::size_t count) override
    {
        link::ReadResult result;
        if (!open_ || dead_) {
            result.status = LinkStatus::IoError;
            result.reason = "Input/output error";
            return result;
        }
        const long long start = now;
        const long long budget = configured_ ? budgets_.readTotal(count) : kForever;
        const long long deadline = start + budget;
        long long last = start;
        long long end = deadline;
        while (result.bytes.size() < count) {
            const long long next = std::max(start, nextArrival());
            const long long gapEnd =
                result.bytes.empty() || !configured_ ? kForever : last + budgets_.readInterval;
            if (next >= kForever || next > std::min(deadline, gapEnd)) {
                end = std::min(deadline, gapEnd);
                break;
            }
            result.bytes.push_back(takeArrival());
            last = next;
            end = next;
        }
        result.status = result.bytes.size() == count ? LinkStatus::Ok : LinkStatus::Timeout;
        spend(end - start, budget, "read of " + std::to_string(count));
        return result;
    }

  private:
    struct Arrival {
        long long at;
        std::uint8_t byte;
    };

    void spend(long long spent, long long budget, const std::string& what)
    {
        if (broken.empty() && (!configured_ || spent > budget))
            broken =
                what + (configured_ ? " took " + std::to_string(spent) + " ms of " + std::to_string(budget)
                                    : " before the port had its time budgets");
        now += std::min(spent, kForever / 2);
    }

    // What the script makes of one reply.
    void alter(std::uint8_t what, Bytes& reply, std::vector<long long>& times)
    {
        switch (what % 8) {
        case 0:
            return;
        case 1: // silence
            reply.clear();
            break;
        case 2: // cut short
            reply.resize(std::min<std::size_t>(reply.size(), script_.byte() % 16));
            break;
        case 3: // late
            for (long long& t : times)
                t += 4 * script_.byte();
            break;
        case 4: { // something else
            const std::size_t n = script_.byte() % 16;
            reply.clear();
            times.clear();
            for (std::size_t i = 0; i < n; ++i) {
                reply.push_back(script_.byte());
                times.push_back(now + 1 + static_cast<long long>(i) * kByteMs);
            }
            break;
        }
        case 5: // then a stream that never stops
            streamByte_ = script_.byte();
            streamPeriod_ = 1 + script_.byte() % 40;
            streamNext_ = (times.empty() ? now : times.back()) + streamPeriod_;
            break;
        case 6: // the line dies
            dead_ = true;
            break;
        }
        times.resize(reply.size());
        clean = false;
    }

    long long nextArrival() const
    {
        const long long queued = pending_.empty() ? kForever : pending_.front().at;
        return std::min(queued, streamPeriod_ > 0 ? streamNext_ : kForever);
    }
    std::uint8_t takeArrival()
    {
        if (!pending_.empty() && (streamPeriod_ == 0 || pending_.front().at <= streamNext_)) {
            const std::uint8_t b = pending_.front().byte;
            pending_.pop_front();
            return b;
        }
        streamNext_ += streamPeriod_;
        return streamByte_;
    }

    FuzzInput& script_;
    std::deque<Arrival> pending_;
    std::uint8_t streamByte_ = 0;
    long long streamPeriod_ = 0; // 0: no stream
    long long streamNext_ = 0;
    link::TimeBudgets budgets_;
    bool configured_ = false;
    bool open_ = false;
    bool dead_ = false;
};

// The caller's side of the transfer, as the script has it.
struct ScriptedCaller {
    explicit ScriptedCaller(FuzzInput& script) : script_(script) {}

    int cancelAtPass = 0; // 0: never
    int passes = 0, prompts = 0;
    std::vector<int> positions;

    link::TransferControl control()
    {
        link::TransferControl control;
        control.progress = [this](int position) { positions.push_back(position); };
        control.cancelRequested = [this] { return cancelAtPass > 0 && ++passes >= cancelAtPass; };
        control.communicationError = [this] {
            return ++prompts <= 4 && (script_.byte() & 1) ? link::RetryDecision::Retry
                                                          : link::RetryDecision::Cancel;
        };
        return control;
    }

  private:
    FuzzInput& script_;
};

// The one place this target meets the engine's interface: the caller opens the port and
// runs one transfer on it.
link::TransferOutcome runTransfer(link::SerialLink& line, link::Direction direction,
                                  const link::TransferControl& control, RadioImage& image)
{
    const link::LinkResult opened = line.open("/dev/ttyFUZZ");
    if (!opened.ok())
        return link::openFailed(opened, direction);
    return direction == link::Direction::Read ? link::readRadio(line, image, control)
                                              : link::writeRadio(line, image, control);
}

} // namespace

void checkProtocol(const std::uint8_t* data, std::size_t size)
{
    FuzzInput script(data, size);
    ScriptedLine line(script);
    ScriptedCaller caller(script);
    const std::uint8_t setup = script.byte();
    const link::Direction direction = setup & 1 ? link::Direction::Write : link::Direction::Read;
    line.refuseOpen = (setup & 0x1C) == 0x1C;
    const std::uint8_t model = script.byte();
    line.radio.identity.model = model % 4 == 3 ? '4' : model % 4 == 2 ? '2' : '3';
    line.radio.identity.variantByte = script.byte(0xFF);
    caller.cancelAtPass = 4 * script.byte();

    // A Write sends the document as the table encodes it; a Read goes into the document.
    RadioImage encoded = sampleDocument();
    encoded.setByte(offset::SquelchLevel, 0x07);
    const RadioImage expected = direction == link::Direction::Write ? encoded : sampleDocument();
    RadioImage image = expected;
    const sim::Memory radioBefore = line.radio.memory;

    const link::TransferOutcome outcome = runTransfer(line, direction, caller.control(), image);
    const std::string ending = link::transferEndingName(outcome.ending);

    FUZZ_CHECK(ending != "?", "an ending that is none of the defined ones");
    FUZZ_CHECK(outcome.ok() == (outcome.ending == link::TransferEnding::ReadCompleted ||
                                outcome.ending == link::TransferEnding::WriteCompleted),
               ending);
    FUZZ_CHECK(line.isOpen() == !line.refuseOpen, "the engine opened or closed the port, " + ending);
    FUZZ_CHECK(outcome.direction == direction, "the direction changed, " + ending);
    FUZZ_CHECK(line.broken.empty(), line.broken + ", " + ending);

    // The time a transfer may take: its handshake attempts and blocks at their budgets.
    const long long allowed = 2000LL * outcome.attempts + 2400LL * (outcome.blocksDone + 1);
    FUZZ_CHECK(line.now <= allowed, std::to_string(line.now) + " ms for " + std::to_string(outcome.attempts) +
                                        " attempts and " + std::to_string(outcome.blocksDone) + " blocks, " +
                                        ending);
    FUZZ_CHECK(outcome.blocksDone <= link::wire::kBlockCount &&
                   (!outcome.ok() || outcome.blocksDone == link::wire::kBlockCount),
               std::to_string(outcome.blocksDone) + " blocks, " + ending);
    for (std::size_t i = 0; i < caller.positions.size(); ++i)
        FUZZ_CHECK(caller.positions[i] == static_cast<int>(i) + 1, "the progress bar went back, " + ending);
    FUZZ_CHECK(static_cast<int>(caller.positions.size()) == outcome.blocksDone, "progress for every block");

    // The document changes only through a Read that completed.
    const bool read = outcome.ending == link::TransferEnding::ReadCompleted;
    FUZZ_CHECK(read == (direction == link::Direction::Read && outcome.ok()), "read completions, " + ending);
    if (!read) {
        FUZZ_CHECK(image == expected, "a transfer that ended " + ending + " changed the document");
    } else {
        for (std::size_t o = 0; o < kImageSize; ++o) {
            const bool travels = o < offset::TransferEnd;
            FUZZ_CHECK(travels || image.byte(o) == expected.byte(o),
                       "byte " + std::to_string(o) + " never travels");
            FUZZ_CHECK(!travels || !line.clean || image.byte(o) == radioBefore[o],
                       "byte " + std::to_string(o) + " read otherwise than the radio holds it");
        }
    }

    // The radio: only the transferred area is ever written, and a clean Write puts all of it.
    for (std::size_t o = 0; o < kImageSize; ++o) {
        const bool travels = o < offset::TransferEnd;
        FUZZ_CHECK(travels || line.radio.memory[o] == radioBefore[o],
                   "radio byte " + std::to_string(o) + " written");
        FUZZ_CHECK(!travels || !line.clean || outcome.ending != link::TransferEnding::WriteCompleted ||
                       line.radio.memory[o] == image.byte(o),
                   "radio byte " + std::to_string(o) + " written otherwise than sent");
    }
}

} // namespace qx260::fuzz

QX260_FUZZ_ENTRY(qx260::fuzz::checkProtocol)
