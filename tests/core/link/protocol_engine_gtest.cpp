// The protocol engine against the radio model, in-process.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>

#include "core/link/HeldSerialLink.h"
#include "core/link/ProtocolEngine.h"
#include "core/link/WireLog.h"
#include "tests/support/FakeRadioLink.h"

using namespace qx260;
using namespace qx260::link;
using qx260::test::FakeRadioLink;

namespace
{

struct ScriptedHost : TransferHost {
    Direction direction = Direction::Read;
    std::deque<bool> retryAnswers;  // answers to the prompt; Cancel when empty
    int cancelAtProgress = -1;      // set the cancel flag once this position is reached
    int cancelAtPump = -1;          // set the cancel flag at this message pass (1-based)
    std::function<void()> onPrompt; // runs before the prompt is answered

    bool cancel = false;
    int pumps = 0;
    int prompts = 0;
    std::vector<int> positions;
    std::vector<int> messages; // string ids, and -1 for the type message
    std::vector<std::string> reasons;
    int commits = 0;
    int encodes = 0;
    int readCompletions = 0;
    int variant = -1;
    int documentShown = 0;
    int windowClosed = 0;
    RadioImage encodeWith; // what the channel table holds

    void pumpOneMessage() override
    {
        ++pumps;
        if (pumps == cancelAtPump)
            cancel = true;
    }
    bool cancelRequested() override { return cancel; }
    void progress(int position) override
    {
        positions.push_back(position);
        if (position == cancelAtProgress)
            cancel = true;
    }
    bool askRetry() override
    {
        ++prompts;
        if (onPrompt)
            onPrompt();
        if (retryAnswers.empty())
            return false;
        bool retry = retryAnswers.front();
        retryAnswers.pop_front();
        return retry;
    }
    void showMessage(int id, const std::string& reason) override
    {
        messages.push_back(id);
        reasons.push_back(reason);
    }
    void showTypeMessage() override { messages.push_back(-1); }
    void commitCellEdit() override { ++commits; }
    void encodeTable(RadioImage& image) override
    {
        ++encodes;
        image = encodeWith;
    }
    Direction transferDirection() override { return direction; }
    void readCompleted(int v) override
    {
        ++readCompletions;
        variant = v;
    }
    void showDocumentWindow() override { ++documentShown; }
    void closeProcessWindow() override { ++windowClosed; }
};

RadioImage patternImage(std::uint8_t seed)
{
    RadioImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(i * 7 + seed));
    return image;
}

sim::Memory patternMemory(std::uint8_t seed)
{
    sim::Memory m;
    for (std::size_t i = 0; i < m.size(); ++i)
        m[i] = static_cast<std::uint8_t>(i * 13 + seed);
    return m;
}

struct Fixture : ::testing::Test {
    FakeRadioLink link;
    ScriptedHost host;
    RadioImage image = patternImage(1);
    RadioImage before = image;

    TransferOutcome run()
    {
        ProtocolEngine engine(link, host);
        TransferOutcome outcome = engine.run(image, "/dev/ttyUSB0");
        EXPECT_FALSE(link.isOpen()) << "every ending closes the port";
        EXPECT_EQ(host.windowClosed, 1) << "every ending closes the Process window once";
        return outcome;
    }
};

using ReadTransfer = Fixture;
using WriteTransfer = Fixture;
using Handshake = Fixture;

} // namespace

TEST_F(ReadTransfer, CompletesWithTheRadioMemoryInTheImage)
{
    link.radio.memory = patternMemory(5);
    const TransferOutcome outcome = run();

    ASSERT_EQ(outcome.ending, TransferEnding::ReadCompleted);
    EXPECT_EQ(outcome.blocksDone, 51);
    EXPECT_EQ(host.readCompletions, 1);
    EXPECT_EQ(host.variant, 1);
    EXPECT_EQ(host.documentShown, 1);
    EXPECT_TRUE(host.messages.empty());
    for (std::size_t i = 0; i < kImageSize; ++i) {
        if (i < 0x330)
            ASSERT_EQ(image.byte(i), link.radio.memory[i]) << "offset " << i;
        else
            ASSERT_EQ(image.byte(i), before.byte(i)) << "offset " << i << " never travels";
    }
    std::vector<int> expected(51);
    for (int i = 0; i < 51; ++i)
        expected[i] = i + 1;
    EXPECT_EQ(host.positions, expected);
    ASSERT_EQ(link.radio.readAddresses.size(), 102u);
    for (std::size_t k = 0; k < 102; ++k)
        EXPECT_EQ(link.radio.readAddresses[k], 8 * k);
    EXPECT_EQ(host.commits, 1);
    EXPECT_EQ(host.encodes, 0);
}

TEST_F(ReadTransfer, PutsTheHandshakeOnTheWireOneBytePerWrite)
{
    run();
    ASSERT_GE(link.writes.size(), 12u);
    const std::vector<Bytes> start = {{0x02},         {'P'},  {'R'},          {'O'},  {'G'},
                                      {'R'},          {'A'},  {'M'},          {0x02}, {0x06},
                                      {'R', 0, 0, 8}, {0x06}, {'R', 0, 8, 8}, {0x06}, {'R', 0, 0x10, 8}};
    EXPECT_TRUE(std::equal(start.begin(), start.end(), link.writes.begin()));
    // The early answer is looked for right after "A", before "M".
    auto a = link.calls.begin();
    for (int i = 0; i < 7; ++i)
        a = std::find(a + 1, link.calls.end(), "write 1");
    ASSERT_NE(a, link.calls.end());
    EXPECT_EQ(*(a + 1), "read 1");
    EXPECT_EQ(std::vector<std::string>(a - 2, a), (std::vector<std::string>{"pause 2", "clear"}));
    EXPECT_EQ(link.calls.front(), "open");
}

TEST_F(ReadTransfer, VariantComesFromTheLastIdentificationByte)
{
    struct Case {
        std::optional<Bytes> ident;
        std::uint8_t variantByte;
        int variant;
    };
    const Case cases[] = {
        {std::nullopt, 0xFF, 1},
        {std::nullopt, 0xF5, 2},
        {std::nullopt, 0x00, 0},
        {std::nullopt, 0xFE, 0},
        {Bytes{'P', '2', '2', '0', '7', 1, 2, 0xF5}, 0, 2},
        {Bytes{'P', '3', '2', '0', '7', 1, 2}, 0, 0}, // no byte 7: unknown, never a stale one
    };
    for (const Case& c : cases) {
        FakeRadioLink link;
        ScriptedHost host;
        link.radio.identity.variantByte = c.variantByte;
        link.radio.faults.identReply = c.ident;
        RadioImage image;
        const TransferOutcome outcome = ProtocolEngine(link, host).run(image, "x");
        EXPECT_EQ(outcome.ending, TransferEnding::ReadCompleted);
        EXPECT_EQ(host.variant, c.variant) << int(c.variantByte);
    }
}

TEST_F(ReadTransfer, FailureLeavesTheImageUntouched)
{
    struct Case {
        const char* what;
        std::function<void(FakeRadioLink&)> fault;
        LinkStatus status;
    };
    const Case cases[] = {
        {"short reply", [](FakeRadioLink& l) { l.radio.faults.shortReadAt = 41; }, LinkStatus::Timeout},
        {"wrong acknowledgement", [](FakeRadioLink& l) { l.radio.faults.wrongReadAckAt = 41; },
         LinkStatus::ProtocolError},
        {"gap inside the reply", [](FakeRadioLink& l) { l.radio.faults.gapAt = 41; }, LinkStatus::Timeout},
        {"line dropped", [](FakeRadioLink& l) { l.radio.faults.dropAt = 41; }, LinkStatus::IoError},
    };
    for (const Case& c : cases) {
        FakeRadioLink link;
        ScriptedHost host;
        link.radio.memory = patternMemory(9);
        c.fault(link);
        RadioImage image = patternImage(3);
        const RadioImage before = image;
        const TransferOutcome outcome = ProtocolEngine(link, host).run(image, "x");
        EXPECT_EQ(outcome.ending, TransferEnding::Interrupted) << c.what;
        EXPECT_EQ(outcome.status, c.status) << c.what;
        EXPECT_EQ(outcome.blocksDone, 20) << c.what;
        EXPECT_EQ(host.messages, std::vector<int>{resid::StrProgramInterrupt}) << c.what;
        EXPECT_TRUE(image == before) << c.what;
        EXPECT_EQ(host.readCompletions, 0) << c.what;
        EXPECT_EQ(host.documentShown, 0) << c.what;
        EXPECT_FALSE(link.isOpen()) << c.what;
        EXPECT_EQ(host.windowClosed, 1) << c.what;
    }
}

TEST_F(ReadTransfer, HangUpReportsTheSystemReason)
{
    link.radio.faults.dropAt = 0;
    const TransferOutcome outcome = run();
    EXPECT_EQ(outcome.status, LinkStatus::IoError);
    ASSERT_EQ(host.reasons.size(), 1u);
    EXPECT_EQ(host.reasons[0], "Input/output error");
}

TEST_F(WriteTransfer, SendsTheEncodedTable)
{
    host.direction = Direction::Write;
    host.encodeWith = patternImage(77);
    const sim::Memory radioBefore = link.radio.memory;
    const TransferOutcome outcome = run();

    ASSERT_EQ(outcome.ending, TransferEnding::WriteCompleted);
    EXPECT_EQ(host.encodes, 1);
    EXPECT_EQ(host.readCompletions, 0) << "a Write leaves the radio variant alone";
    EXPECT_EQ(host.documentShown, 1);
    EXPECT_TRUE(image == host.encodeWith);
    for (std::size_t i = 0; i < kImageSize; ++i)
        ASSERT_EQ(link.radio.memory[i], i < 0x330 ? image.byte(i) : radioBefore[i]) << "offset " << i;
    EXPECT_EQ(link.radio.writeAddresses.size(), 102u);
    EXPECT_EQ(host.positions.size(), 51u);
    // The encoding happens before the port is opened.
    EXPECT_EQ(link.calls.front(), "open");
    // A write sub-block: frame, 1 ms, the eight data bytes.
    const auto frame = std::find(link.writes.begin(), link.writes.end(), Bytes{'W', 0, 8, 8});
    ASSERT_NE(frame, link.writes.end());
    EXPECT_EQ(*(frame + 1), Bytes(image.bytes().begin() + 8, image.bytes().begin() + 16));
}

TEST_F(WriteTransfer, WrongAcknowledgementStopsAfterTheAcknowledgedSubBlocks)
{
    host.direction = Direction::Write;
    host.encodeWith = patternImage(77);
    const sim::Memory radioBefore = link.radio.memory;
    link.radio.faults.wrongWriteAckAt = 7; // the second half of block 3
    const TransferOutcome outcome = run();

    EXPECT_EQ(outcome.ending, TransferEnding::Interrupted);
    EXPECT_EQ(outcome.status, LinkStatus::ProtocolError);
    EXPECT_EQ(host.messages, std::vector<int>{resid::StrProgramInterrupt});
    EXPECT_EQ(host.positions.size(), 3u);
    EXPECT_EQ(host.documentShown, 0);
    for (std::size_t i = 0; i < 0x330; ++i)
        ASSERT_EQ(link.radio.memory[i], i < 56 ? image.byte(i) : radioBefore[i]) << "offset " << i;
}

TEST_F(WriteTransfer, WriteErrorEndsTheTransfer)
{
    host.direction = Direction::Write;
    link.hangUpAfterWrites = 30;
    const TransferOutcome outcome = run();
    EXPECT_EQ(outcome.ending, TransferEnding::Interrupted);
    EXPECT_EQ(outcome.status, LinkStatus::IoError);
    EXPECT_EQ(host.messages, std::vector<int>{resid::StrProgramInterrupt});
}

TEST_F(Handshake, PortThatCannotBeOpenedIsReported)
{
    link.refuseOpen = true;
    host.direction = Direction::Write;
    const TransferOutcome outcome = run();
    EXPECT_EQ(outcome.ending, TransferEnding::OpenFailed);
    EXPECT_EQ(host.messages, std::vector<int>{resid::StrCannotOpenPort});
    EXPECT_EQ(host.reasons[0], "Device or resource busy");
    EXPECT_EQ(host.encodes, 1) << "a Write encodes before the port is opened";
    EXPECT_TRUE(link.writes.empty());
}

TEST_F(Handshake, SilentRadioPromptsAndRetriesAsOftenAsAsked)
{
    link.radio.faults.silent = true;
    host.retryAnswers = {true, true};
    const TransferOutcome outcome = run();
    EXPECT_EQ(outcome.ending, TransferEnding::PromptCancelled);
    EXPECT_EQ(outcome.status, LinkStatus::Timeout);
    EXPECT_EQ(outcome.attempts, 3);
    EXPECT_EQ(host.prompts, 3);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(image == before);
    EXPECT_EQ(host.pumps, 18) << "six message passes before every attempt";
    // No identification request after a missing late answer.
    EXPECT_EQ(link.writes.size(), 24u);
}

TEST_F(Handshake, RetryAfterNoAnswerCanSucceed)
{
    link.radio.faults.silent = true;
    host.retryAnswers = {true};
    host.onPrompt = [&] { link.radio.faults.silent = false; };
    const TransferOutcome outcome = run();
    EXPECT_EQ(outcome.ending, TransferEnding::ReadCompleted);
    EXPECT_EQ(outcome.attempts, 2);
}

TEST_F(Handshake, IdentificationTest)
{
    struct Case {
        Bytes reply;
        bool accepted;
    };
    const Case cases[] = {
        {{'P', '3', '2', '0', '7', 0, 0, 0xFF}, true},
        {{'P', '2', '2', '0', '7', 0, 0, 0xFF}, true},
        {{'P', '3', '2', '0', '7'}, true}, // bytes 5.. are not needed for the test
        {{'P', '1', '2', '0', '7', 0, 0, 0xFF}, false},
        {{'P', '3', '2', '0', '8', 0, 0, 0xFF}, false},
        {{'P', '3', '2', '0'}, false},
        {{}, false},
    };
    for (const Case& c : cases) {
        FakeRadioLink link;
        ScriptedHost host;
        link.radio.faults.identReply = c.reply;
        RadioImage image = patternImage(2);
        const RadioImage before = image;
        const TransferOutcome outcome = ProtocolEngine(link, host).run(image, "x");
        EXPECT_EQ(outcome.ending == TransferEnding::ReadCompleted, c.accepted) << hexBytes(c.reply);
        if (!c.accepted) {
            EXPECT_EQ(outcome.ending, TransferEnding::TypeMismatch);
            EXPECT_EQ(host.messages, std::vector<int>{-1});
            EXPECT_EQ(host.prompts, 0);
            EXPECT_TRUE(link.radio.readAddresses.empty()) << "nothing is transferred";
            EXPECT_TRUE(image == before);
            EXPECT_FALSE(link.isOpen());
        }
    }
}

TEST_F(Handshake, EchoedRequestFailsTheTypeTest)
{
    link.radio.faults.echoHandshake = true;
    link.radio.faults.echoIdentRequest = true;
    const TransferOutcome outcome = run();
    EXPECT_EQ(outcome.ending, TransferEnding::TypeMismatch);
}

TEST_F(Handshake, EarlyAnswerNeedsALateAnswerFromAnEarlierAttempt)
{
    // An echo alone never gets through: the early answer skips the late one.
    link.radio.faults.echoHandshake = true;
    host.retryAnswers = {true};
    TransferOutcome outcome = run();
    EXPECT_EQ(outcome.ending, TransferEnding::PromptCancelled);
    EXPECT_EQ(host.prompts, 2);
    EXPECT_EQ(link.radio.handshakes, 0);

    // A late answer read in attempt 1 (then a refused acknowledgement) carries the
    // flag over the Retry, so the echoing attempt 2 goes through.
    FakeRadioLink link2;
    ScriptedHost host2;
    link2.radio.faults.badHandshakeAcks = 1;
    host2.retryAnswers = {true};
    host2.onPrompt = [&] { link2.radio.faults.echoHandshake = true; };
    RadioImage image2;
    outcome = ProtocolEngine(link2, host2).run(image2, "x");
    EXPECT_EQ(outcome.ending, TransferEnding::ReadCompleted);
    EXPECT_EQ(outcome.attempts, 2);
}

TEST_F(Handshake, CancelIsSeenOnlyAtMessagePasses)
{
    // During the passes before the first attempt: nothing is sent.
    host.cancelAtPump = 3;
    TransferOutcome outcome = run();
    EXPECT_EQ(outcome.ending, TransferEnding::Cancelled);
    EXPECT_TRUE(link.writes.empty());
    EXPECT_TRUE(host.messages.empty());

    // Between blocks: the block in progress finishes, the image stays as it was.
    FakeRadioLink link2;
    ScriptedHost host2;
    host2.cancelAtProgress = 10;
    RadioImage image2 = patternImage(4);
    const RadioImage before2 = image2;
    outcome = ProtocolEngine(link2, host2).run(image2, "x");
    EXPECT_EQ(outcome.ending, TransferEnding::Cancelled);
    EXPECT_EQ(outcome.blocksDone, 10);
    EXPECT_EQ(link2.radio.readAddresses.size(), 20u);
    EXPECT_TRUE(image2 == before2);
    EXPECT_TRUE(host2.messages.empty());
    EXPECT_EQ(host2.windowClosed, 1);
    EXPECT_FALSE(link2.isOpen());
}

TEST_F(Handshake, DirectionIsTakenAgainAfterTheHandshake)
{
    // A Write command given while the handshake ran turns the Read into a Write,
    // but the table was not encoded for it: the image goes out as it is.
    link.radio.faults.badHandshakeAcks = 1;
    host.retryAnswers = {true};
    host.onPrompt = [&] { host.direction = Direction::Write; };
    const TransferOutcome outcome = run();
    EXPECT_EQ(outcome.ending, TransferEnding::WriteCompleted);
    EXPECT_EQ(host.encodes, 0);
    EXPECT_EQ(link.radio.memory[0x100], before.byte(0x100));
}

// A Read, a Write and a Read again, one after the other on a port that stays open: the
// radio takes each new handshake, and the port opens once and closes when released.
TEST(HeldPort, SessionsFollowOneAnotherOnOneOpenPort)
{
    FakeRadioLink port;
    port.radio.memory = patternMemory(3);
    HeldSerialLink line(port);
    ScriptedHost host;
    host.encodeWith = patternImage(9);

    RadioImage before = patternImage(0);
    EXPECT_EQ(ProtocolEngine(line, host).run(before, "/dev/ttyUSB0").ending, TransferEnding::ReadCompleted);
    host.direction = Direction::Write;
    RadioImage sent;
    EXPECT_EQ(ProtocolEngine(line, host).run(sent, "/dev/ttyUSB0").ending, TransferEnding::WriteCompleted);
    host.direction = Direction::Read;
    RadioImage back = patternImage(0);
    EXPECT_EQ(ProtocolEngine(line, host).run(back, "/dev/ttyUSB0").ending, TransferEnding::ReadCompleted);

    EXPECT_EQ(port.opens, 1);
    EXPECT_EQ(port.closes, 0);
    EXPECT_EQ(port.radio.handshakes, 3);
    for (std::size_t i = 0; i < 0x330; ++i) {
        ASSERT_EQ(before.byte(i), patternMemory(3)[i]) << i;
        ASSERT_EQ(back.byte(i), host.encodeWith.byte(i)) << i;
    }
    line.release();
    EXPECT_FALSE(port.isOpen());
}
