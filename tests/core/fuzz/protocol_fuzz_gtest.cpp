// The protocol engine against a line that answers garbage, answers too little or too
// much, goes silent or dies: every transfer ends, the port stays the caller's, and the
// document image changes only through a Read that completed.

#include <gtest/gtest.h>

#include "core/link/ProtocolEngine.h"
#include "tests/core/fuzz/FuzzSupport.h"
#include "tests/support/FakeRadioLink.h"

using namespace qx260;
using namespace qx260::link;
using qx260::fuzz::Random;

namespace
{

// Either pure noise, or the radio model with some of its answers damaged.
class NoisyLink : public SerialLink
{
  public:
    NoisyLink(Random& r, bool noiseOnly, int damagePerMille)
        : r_(r), noiseOnly_(noiseOnly), damage_(damagePerMille)
    {
    }

    test::FakeRadioLink radio;
    int calls = 0;
    int frameErrors = 0; // read or write frames addressing beyond the transferred area

    LinkResult open(const std::string& device) override
    {
        ++calls;
        if (r_.chance(2))
            return {LinkStatus::OpenFailed, "Device or resource busy"};
        return radio.open(device);
    }
    void configure(const LineSettings& line, const TimeBudgets& budgets) override
    {
        radio.configure(line, budgets);
    }
    void purgeAll() override
    {
        ++calls;
        radio.purgeAll();
    }
    void clearBuffers() override
    {
        ++calls;
        radio.clearBuffers();
    }
    void close() override { radio.close(); }
    bool isOpen() const override { return radio.isOpen(); }
    void pause(int ms) override
    {
        ++calls;
        radio.pause(ms);
    }

    LinkResult write(const Bytes& bytes) override
    {
        ++calls;
        if (bytes.size() == 4 && (bytes[0] == 'R' || bytes[0] == 'W') && bytes[3] == 8 &&
            (bytes[1] << 8 | bytes[2]) + 8 > static_cast<int>(offset::TransferEnd))
            ++frameErrors;
        if (damaged(2))
            return {LinkStatus::IoError, "Input/output error"};
        if (damaged(1))
            return {LinkStatus::Timeout, ""};
        return radio.write(bytes);
    }

    ReadResult read(std::size_t count) override
    {
        ++calls;
        ReadResult result = noiseOnly_ ? ReadResult{} : radio.read(count);
        if (!noiseOnly_ && !damaged(10))
            return result;
        switch (r_.below(6)) {
        case 0: // silence
            result.bytes.clear();
            break;
        case 1: // cut short
            result.bytes.resize(r_.below(count + 1));
            break;
        case 2: // more than was asked for
            result.bytes.resize(count + 1 + r_.below(8));
            [[fallthrough]];
        case 3: // garbage of the right length
            if (result.bytes.size() < count)
                result.bytes.resize(count);
            for (auto& b : result.bytes)
                b = r_.chance(20) ? wire::kAck : r_.byte();
            break;
        case 4: // one byte changed
            if (!result.bytes.empty())
                result.bytes[r_.below(result.bytes.size())] = r_.byte();
            break;
        default: // the line died
            result.bytes.clear();
            result.status = LinkStatus::IoError;
            result.reason = "Input/output error";
            return result;
        }
        result.status = result.bytes.size() >= count ? LinkStatus::Ok : LinkStatus::Timeout;
        return result;
    }

  private:
    bool damaged(int weight) { return r_.below(1000) < static_cast<std::size_t>(damage_ * weight / 10); }

    Random& r_;
    bool noiseOnly_;
    int damage_;
};

// The caller's side: a cancel now and then, a few Retry answers.
struct RandomCaller {
    explicit RandomCaller(Random& r) : r_(r) {}

    int prompts = 0;
    int passes = 0;

    TransferControl control()
    {
        TransferControl control;
        control.cancelRequested = [this] {
            ++passes;
            return r_.below(2000) == 0;
        };
        control.communicationError = [this] {
            return ++prompts <= 3 && r_.chance(70) ? RetryDecision::Retry : RetryDecision::Cancel;
        };
        return control;
    }

  private:
    Random& r_;
};

RadioImage randomImage(Random& r)
{
    RadioImage image;
    for (auto& b : image.bytes())
        b = r.byte();
    return image;
}

// One transfer; returns the number of completed ones (0 or 1).
int transfer(Random& r, bool noiseOnly, int damage)
{
    NoisyLink link(r, noiseOnly, damage);
    for (std::size_t i = 0; i < link.radio.radio.memory.size(); ++i)
        link.radio.radio.memory[i] = r.byte();
    if (r.chance(10))
        link.radio.radio.identity.variantByte = r.byte();
    const sim::Memory radioBefore = link.radio.radio.memory;

    RandomCaller caller(r);
    const Direction direction = r.chance(50) ? Direction::Read : Direction::Write;
    // What a Write sends, or what a Read keeps beyond the memory it reads.
    RadioImage image = randomImage(r);
    const RadioImage before = image;

    // The caller opens the port; the engine leaves it as it found it.
    const LinkResult opened = link.open("/dev/ttyFUZZ");
    TransferOutcome outcome;
    if (!opened.ok())
        outcome = openFailed(opened, direction);
    else if (direction == Direction::Read)
        outcome = readRadio(link, image, caller.control());
    else
        outcome = writeRadio(link, image, caller.control());

    EXPECT_EQ(link.isOpen(), opened.ok()) << transferEndingName(outcome.ending);
    EXPECT_EQ(link.frameErrors, 0);
    EXPECT_LT(link.calls, 20000) << "a transfer that does not end";
    EXPECT_LE(outcome.blocksDone, wire::kBlockCount);
    EXPECT_EQ(outcome.direction, direction);

    // Nothing may change the image but a Read that completed.
    const bool read = outcome.ending == TransferEnding::ReadCompleted;
    EXPECT_EQ(read, direction == Direction::Read && outcome.ok());
    if (read) {
        EXPECT_EQ(outcome.blocksDone, wire::kBlockCount);
        for (std::size_t i = offset::TransferEnd; i < kImageSize; ++i)
            EXPECT_EQ(image.byte(i), before.byte(i)) << "offset " << i << " never travels";
        if (!noiseOnly && damage == 0) {
            for (std::size_t i = 0; i < offset::TransferEnd; ++i)
                EXPECT_EQ(image.byte(i), radioBefore[i]) << "offset " << i;
        }
    } else {
        EXPECT_TRUE(image == before) << "a " << transferEndingName(outcome.ending)
                                     << " transfer changed the image";
    }
    for (std::size_t i = offset::TransferEnd; i < kImageSize; ++i)
        EXPECT_EQ(link.radio.radio.memory[i], radioBefore[i]) << "radio offset " << i << " was written";
    return outcome.ok() ? 1 : 0;
}

} // namespace

TEST(ProtocolFuzz, PureNoiseAlwaysEnds)
{
    Random r(41);
    for (int i = 0; i < 3000; ++i) {
        transfer(r, true, 10);
        if (HasFailure())
            return;
    }
}

TEST(ProtocolFuzz, DamagedAnswersFromARealRadioModel)
{
    Random r(42);
    int completed = 0;
    for (int i = 0; i < 600; ++i) {
        completed += transfer(r, false, i % 10 == 0 ? 0 : static_cast<int>(r.range(1, 12)));
        if (HasFailure())
            return;
    }
    EXPECT_GT(completed, 60);
    EXPECT_LT(completed, 600);
}
