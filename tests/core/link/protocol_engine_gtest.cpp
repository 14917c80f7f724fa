// The protocol engine against the radio model, in-process: the bytes and pauses on the
// wire, the endings and what each leaves in the image and the radio, the handshake's
// prompt and the cancel test at the message passes. The port is the caller's: the engine
// finds it open and leaves it open.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>

#include "core/link/ProtocolEngine.h"
#include "core/link/WireLog.h"
#include "tests/support/FakeRadioLink.h"

using namespace qx260;
using namespace qx260::link;
using qx260::test::FakeRadioLink;

namespace
{

// The caller's side of a transfer, scripted.
struct Caller {
    std::deque<RetryDecision> retryAnswers; // answers to the prompt; Cancel when empty
    int cancelAtProgress = -1;              // ask to cancel once this many blocks are done
    int cancelAtPass = -1;                  // ask to cancel at this message pass (1-based)
    std::function<void()> onPrompt;         // runs before the prompt is answered

    bool cancel = false;
    int passes = 0;
    int prompts = 0;
    std::vector<int> positions;

    TransferControl control()
    {
        TransferControl c;
        c.progress = [this](int position) {
            positions.push_back(position);
            if (position == cancelAtProgress)
                cancel = true;
        };
        c.cancelRequested = [this] {
            if (++passes == cancelAtPass)
                cancel = true;
            return cancel;
        };
        c.communicationError = [this] {
            ++prompts;
            if (onPrompt)
                onPrompt();
            if (retryAnswers.empty())
                return RetryDecision::Cancel;
            const RetryDecision answer = retryAnswers.front();
            retryAnswers.pop_front();
            return answer;
        };
        return c;
    }
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

// A transfer on a port the caller opened: the engine neither opens nor closes it.
struct Transfer {
    FakeRadioLink link;
    Caller caller;
    RadioImage image = patternImage(1);
    RadioImage before = image;

    Transfer() { link.open("/dev/ttyUSB0"); }

    TransferOutcome read() { return check(readRadio(link, image, caller.control())); }
    TransferOutcome write() { return check(writeRadio(link, image, caller.control())); }

    TransferOutcome check(const TransferOutcome& outcome)
    {
        EXPECT_EQ(link.opens, 1) << "the engine opened the port";
        EXPECT_EQ(link.closes, 0) << "the engine closed the port";
        return outcome;
    }
};

} // namespace

TEST(ReadTransfer, CompletesWithTheRadioMemoryInTheImage)
{
    Transfer t;
    t.link.radio.memory = patternMemory(5);
    const TransferOutcome outcome = t.read();

    ASSERT_EQ(outcome.ending, TransferEnding::ReadCompleted);
    EXPECT_EQ(outcome.blocksDone, 51);
    EXPECT_EQ(outcome.radioVariant(), 1);
    EXPECT_EQ(endingMessage(outcome), EndingMessage::None);
    for (std::size_t i = 0; i < kImageSize; ++i) {
        if (i < 0x330)
            ASSERT_EQ(t.image.byte(i), t.link.radio.memory[i]) << "offset " << i;
        else
            ASSERT_EQ(t.image.byte(i), t.before.byte(i)) << "offset " << i << " never travels";
    }
    std::vector<int> expected(51);
    for (int i = 0; i < 51; ++i)
        expected[i] = i + 1;
    EXPECT_EQ(t.caller.positions, expected);
    ASSERT_EQ(t.link.radio.readAddresses.size(), 102u);
    for (std::size_t k = 0; k < 102; ++k)
        EXPECT_EQ(t.link.radio.readAddresses[k], 8 * k);
}

TEST(ReadTransfer, PutsTheHandshakeOnTheWireOneBytePerWrite)
{
    Transfer t;
    t.read();
    ASSERT_GE(t.link.writes.size(), 12u);
    const std::vector<Bytes> start = {{0x02},         {'P'},  {'R'},          {'O'},  {'G'},
                                      {'R'},          {'A'},  {'M'},          {0x02}, {0x06},
                                      {'R', 0, 0, 8}, {0x06}, {'R', 0, 8, 8}, {0x06}, {'R', 0, 0x10, 8}};
    EXPECT_TRUE(std::equal(start.begin(), start.end(), t.link.writes.begin()));
    // The early answer is looked for right after "A", before "M".
    auto a = t.link.calls.begin();
    for (int i = 0; i < 7; ++i)
        a = std::find(a + 1, t.link.calls.end(), "write 1");
    ASSERT_NE(a, t.link.calls.end());
    EXPECT_EQ(*(a + 1), "read 1");
    EXPECT_EQ(std::vector<std::string>(a - 2, a), (std::vector<std::string>{"pause 2", "clear"}));
    // The line is set up first, on the port as the caller opened it.
    EXPECT_EQ(t.link.calls[0], "open");
    EXPECT_EQ(t.link.calls[1], "configure");
}

TEST(ReadTransfer, VariantComesFromTheLastIdentificationByte)
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
        Transfer t;
        t.link.radio.identity.variantByte = c.variantByte;
        t.link.radio.faults.identReply = c.ident;
        const TransferOutcome outcome = t.read();
        EXPECT_EQ(outcome.ending, TransferEnding::ReadCompleted);
        EXPECT_EQ(outcome.radioVariant(), c.variant) << int(c.variantByte);
    }
}

TEST(ReadTransfer, FailureLeavesTheImageUntouched)
{
    struct Case {
        const char* what;
        std::function<void(FakeRadioLink&)> fault;
        LinkStatus status;
        const char* reason;
    };
    const Case cases[] = {
        {"short reply", [](FakeRadioLink& l) { l.radio.faults.shortReadAt = 41; }, LinkStatus::Timeout, ""},
        {"wrong acknowledgement", [](FakeRadioLink& l) { l.radio.faults.wrongReadAckAt = 41; },
         LinkStatus::ProtocolError, ""},
        {"gap inside the reply", [](FakeRadioLink& l) { l.radio.faults.gapAt = 41; }, LinkStatus::Timeout,
         ""},
        {"line dropped", [](FakeRadioLink& l) { l.radio.faults.dropAt = 41; }, LinkStatus::IoError,
         "Input/output error"},
    };
    for (const Case& c : cases) {
        Transfer t;
        t.link.radio.memory = patternMemory(9);
        c.fault(t.link);
        const TransferOutcome outcome = t.read();
        EXPECT_EQ(outcome.ending, TransferEnding::Interrupted) << c.what;
        EXPECT_EQ(outcome.status, c.status) << c.what;
        EXPECT_EQ(outcome.reason, c.reason) << c.what;
        EXPECT_EQ(outcome.blocksDone, 20) << c.what;
        EXPECT_EQ(endingMessage(outcome), EndingMessage::ProgramInterrupt) << c.what;
        EXPECT_TRUE(t.image == t.before) << c.what;
    }
}

TEST(WriteTransfer, SendsTheImage)
{
    Transfer t;
    t.image = patternImage(77);
    const sim::Memory radioBefore = t.link.radio.memory;
    const TransferOutcome outcome = t.write();

    ASSERT_EQ(outcome.ending, TransferEnding::WriteCompleted);
    EXPECT_EQ(outcome.blocksDone, 51);
    for (std::size_t i = 0; i < kImageSize; ++i)
        ASSERT_EQ(t.link.radio.memory[i], i < 0x330 ? t.image.byte(i) : radioBefore[i]) << "offset " << i;
    EXPECT_EQ(t.link.radio.writeAddresses.size(), 102u);
    EXPECT_EQ(t.caller.positions.size(), 51u);
    // A write sub-block: frame, 1 ms, the eight data bytes.
    const auto frame = std::find(t.link.writes.begin(), t.link.writes.end(), Bytes{'W', 0, 8, 8});
    ASSERT_NE(frame, t.link.writes.end());
    EXPECT_EQ(*(frame + 1), Bytes(t.image.bytes().begin() + 8, t.image.bytes().begin() + 16));
    const auto at = std::find(t.link.calls.begin(), t.link.calls.end(), "write 4");
    EXPECT_EQ(std::vector<std::string>(at, at + 3),
              (std::vector<std::string>{"write 4", "pause 1", "write 8"}));
}

// A Write that stops keeps only the acknowledged sub-blocks in the radio, and says how many
// whole blocks went in.
TEST(WriteTransfer, FailureLeavesTheAcknowledgedSubBlocks)
{
    struct Case {
        const char* what;
        std::function<void(FakeRadioLink&)> fault;
        LinkStatus status;
        std::size_t radioHolds; // bytes of the image at the radio's start
        int blocksDone;
    };
    const Case cases[] = {
        {"wrong acknowledgement", [](FakeRadioLink& l) { l.radio.faults.wrongWriteAckAt = 7; },
         LinkStatus::ProtocolError, 56, 3},
        {"write error", [](FakeRadioLink& l) { l.hangUpAfterWrites = 30; }, LinkStatus::IoError, 80, 5},
    };
    for (const Case& c : cases) {
        Transfer t;
        t.image = patternImage(77);
        const sim::Memory radioBefore = t.link.radio.memory;
        c.fault(t.link);
        const TransferOutcome outcome = t.write();
        EXPECT_EQ(outcome.ending, TransferEnding::Interrupted) << c.what;
        EXPECT_EQ(outcome.status, c.status) << c.what;
        EXPECT_EQ(endingMessage(outcome), EndingMessage::ProgramInterrupt) << c.what;
        EXPECT_EQ(outcome.blocksDone, c.blocksDone) << c.what;
        EXPECT_EQ(outcome.radioPartWritten(), c.blocksDone > 0) << c.what;
        for (std::size_t i = 0; i < 0x330; ++i)
            ASSERT_EQ(t.link.radio.memory[i], i < c.radioHolds ? t.image.byte(i) : radioBefore[i])
                << c.what << " offset " << i;
    }
}

TEST(Handshake, SilentRadioPromptsAndRetriesAsOftenAsAsked)
{
    Transfer t;
    t.link.radio.faults.silent = true;
    t.caller.retryAnswers = {RetryDecision::Retry, RetryDecision::Retry};
    const TransferOutcome outcome = t.read();
    EXPECT_EQ(outcome.ending, TransferEnding::PromptCancelled);
    EXPECT_EQ(outcome.status, LinkStatus::Timeout);
    EXPECT_EQ(endingMessage(outcome), EndingMessage::None) << "the prompt has said it";
    EXPECT_EQ(outcome.attempts, 3);
    EXPECT_EQ(t.caller.prompts, 3);
    EXPECT_TRUE(t.image == t.before);
    EXPECT_EQ(t.caller.passes, 18) << "six message passes before every attempt";
    // No identification request after a missing late answer.
    EXPECT_EQ(t.link.writes.size(), 24u);
}

TEST(Handshake, RetryAfterNoAnswerCanSucceed)
{
    Transfer t;
    t.link.radio.faults.silent = true;
    t.caller.retryAnswers = {RetryDecision::Retry};
    t.caller.onPrompt = [&] { t.link.radio.faults.silent = false; };
    const TransferOutcome outcome = t.read();
    EXPECT_EQ(outcome.ending, TransferEnding::ReadCompleted);
    EXPECT_EQ(outcome.attempts, 2);
}

TEST(Handshake, IdentificationTest)
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
        Transfer t;
        t.link.radio.faults.identReply = c.reply;
        const TransferOutcome outcome = t.read();
        EXPECT_EQ(outcome.ending == TransferEnding::ReadCompleted, c.accepted) << hexBytes(c.reply);
        if (!c.accepted) {
            EXPECT_EQ(outcome.ending, TransferEnding::TypeMismatch);
            EXPECT_EQ(endingMessage(outcome), EndingMessage::TypeMismatch);
            EXPECT_EQ(t.caller.prompts, 0);
            EXPECT_TRUE(t.link.radio.readAddresses.empty()) << "nothing is transferred";
            EXPECT_TRUE(t.image == t.before);
        }
    }
    // An echo of the handshake and of the request fails the type test too.
    Transfer echo;
    echo.link.radio.faults.echoHandshake = true;
    echo.link.radio.faults.echoIdentRequest = true;
    EXPECT_EQ(echo.read().ending, TransferEnding::TypeMismatch);
}

TEST(Handshake, EarlyAnswerNeedsALateAnswerFromAnEarlierAttempt)
{
    // An echo alone never gets through: the early answer skips the late one.
    Transfer echo;
    echo.link.radio.faults.echoHandshake = true;
    echo.caller.retryAnswers = {RetryDecision::Retry};
    TransferOutcome outcome = echo.read();
    EXPECT_EQ(outcome.ending, TransferEnding::PromptCancelled);
    EXPECT_EQ(echo.caller.prompts, 2);
    EXPECT_EQ(echo.link.radio.handshakes, 0);

    // A late answer read in attempt 1 (then a refused acknowledgement) carries the
    // flag over the Retry, so the echoing attempt 2 goes through.
    Transfer late;
    late.link.radio.faults.badHandshakeAcks = 1;
    late.caller.retryAnswers = {RetryDecision::Retry};
    late.caller.onPrompt = [&] { late.link.radio.faults.echoHandshake = true; };
    outcome = late.read();
    EXPECT_EQ(outcome.ending, TransferEnding::ReadCompleted);
    EXPECT_EQ(outcome.attempts, 2);
}

// Only the look for an early answer, right after "A", gives up soon: the late answer, the
// identification and every reply after them keep the read's whole budget.
TEST(Handshake, OnlyTheLookForAnEarlyAnswerIsBrief)
{
    const int soon = timing::kEarlyAnswerWindow;
    struct Case {
        const char* what;
        std::function<void(Transfer&)> setUp;
        bool write;
        std::vector<int> firstReads; // the windows of the first reads; -1: the whole budget
    };
    const Case cases[] = {
        {"a radio that answers late", [](Transfer&) {}, false, {soon, -1, -1, -1, -1, -1}},
        {"the same for a Write", [](Transfer&) {}, true, {soon, -1, -1, -1, -1}},
        {"no answer, then Retry",
         [](Transfer& t) {
             t.link.radio.faults.silent = true;
             t.caller.retryAnswers = {RetryDecision::Retry};
             t.caller.onPrompt = [&t] { t.link.radio.faults.silent = false; };
         },
         false,
         {soon, -1, soon, -1, -1, -1}},
        {"an echo: no late answer is read",
         [](Transfer& t) { t.link.radio.faults.echoHandshake = true; },
         false,
         {soon, -1}},
    };
    for (const Case& c : cases) {
        Transfer t;
        c.setUp(t);
        const TransferOutcome outcome = c.write ? t.write() : t.read();
        const std::vector<int>& reads = t.link.readWindows;
        ASSERT_GE(reads.size(), c.firstReads.size()) << c.what;
        EXPECT_EQ(std::vector<int>(reads.begin(), reads.begin() + c.firstReads.size()), c.firstReads)
            << c.what;
        EXPECT_EQ(std::count(reads.begin(), reads.end(), soon), outcome.attempts) << c.what;
    }
}

TEST(Handshake, CancelIsSeenOnlyAtMessagePasses)
{
    // During the passes before the first attempt: nothing is sent.
    Transfer before;
    before.caller.cancelAtPass = 3;
    TransferOutcome outcome = before.write();
    EXPECT_EQ(outcome.ending, TransferEnding::Cancelled);
    EXPECT_EQ(endingMessage(outcome), EndingMessage::None);
    EXPECT_FALSE(outcome.radioPartWritten());
    EXPECT_TRUE(before.link.writes.empty());

    // Between blocks: the block in progress finishes, the image stays as it was.
    Transfer between;
    between.caller.cancelAtProgress = 10;
    outcome = between.read();
    EXPECT_EQ(outcome.ending, TransferEnding::Cancelled);
    EXPECT_EQ(outcome.status, LinkStatus::Cancelled);
    EXPECT_EQ(outcome.blocksDone, 10);
    EXPECT_EQ(between.link.radio.readAddresses.size(), 20u);
    EXPECT_TRUE(between.image == between.before);

    // A Write cancelled between blocks says how many the radio holds.
    Transfer write;
    write.caller.cancelAtProgress = 4;
    outcome = write.write();
    EXPECT_EQ(outcome.blocksDone, 4);
    EXPECT_TRUE(outcome.radioPartWritten());
    EXPECT_EQ(write.link.radio.writeAddresses.size(), 8u);
}

// A port the caller could not open: its ending, its message and the system's reason.
TEST(Endings, PortThatCouldNotBeOpened)
{
    const TransferOutcome busy =
        openFailed({LinkStatus::OpenFailed, "Device or resource busy"}, Direction::Write);
    EXPECT_EQ(busy.ending, TransferEnding::OpenFailed);
    EXPECT_EQ(endingMessage(busy), EndingMessage::CannotOpenPort);
    EXPECT_EQ(busy.reason, "Device or resource busy");
    EXPECT_FALSE(busy.ok() || busy.radioPartWritten());
}
