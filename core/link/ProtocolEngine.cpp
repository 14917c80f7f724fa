// The steps of one Read or Write on an open port: the handshake, the block transfers (a
// Read lands in a copy the caller gets only when complete), and how a cancel or a failed
// exchange ends the session.

#include "core/link/ProtocolEngine.h"

namespace qx260::link
{

const char* linkStatusName(LinkStatus status)
{
    switch (status) {
    case LinkStatus::Ok:
        return "ok";
    case LinkStatus::Timeout:
        return "timeout";
    case LinkStatus::IoError:
        return "I/O error";
    case LinkStatus::ProtocolError:
        return "protocol error";
    case LinkStatus::Cancelled:
        return "cancelled";
    case LinkStatus::OpenFailed:
        return "open failed";
    }
    return "?";
}

const char* transferEndingName(TransferEnding ending)
{
    switch (ending) {
    case TransferEnding::ReadCompleted:
        return "read completed";
    case TransferEnding::WriteCompleted:
        return "write completed";
    case TransferEnding::OpenFailed:
        return "port could not be opened";
    case TransferEnding::TypeMismatch:
        return "radio type does not match";
    case TransferEnding::PromptCancelled:
        return "cancelled after a communication error";
    case TransferEnding::Interrupted:
        return "interrupted";
    case TransferEnding::Cancelled:
        return "cancelled";
    }
    return "?";
}

int radioVariantFromByte(std::optional<std::uint8_t> variantByte)
{
    if (!variantByte)
        return 0;
    if (*variantByte == 0xFF)
        return 1;
    if (*variantByte == 0xF5)
        return 2;
    return 0;
}

int TransferOutcome::radioVariant() const
{
    return radioVariantFromByte(variantByte);
}

bool identificationMatches(const Bytes& reply)
{
    return reply.size() >= 5 && reply[0] == 'P' && (reply[1] == '3' || reply[1] == '2') && reply[2] == '2' &&
           reply[3] == '0' && reply[4] == '7';
}

namespace
{

// One session with the radio: one exchange at a time (a frame out, its answer checked) and
// the transfer they make up.
class Session
{
  public:
    Session(SerialLink& link, const TransferControl& control, Direction direction)
        : link_(link), control_(control)
    {
        outcome_.direction = direction;
    }

    TransferOutcome read(RadioImage& image);
    TransferOutcome write(const RadioImage& image);
    bool handshakeOnly(TransferOutcome& outcome);

  private:
    enum class Step { Continue, Stop };

    bool messagePasses(int passes, int pauseMs);
    Step handshake();
    Step writeBlocks(const RadioImage& image);
    Step readBlocks(RadioImage& staging);

    bool send(const Bytes& bytes);
    bool receive(std::size_t count, ReadResult& result);
    // receive() of a byte that can only come back at once (see SerialLink::readSoon).
    bool receiveSoon(std::size_t count, ReadResult& result, int windowMs);
    // The radio's one-byte acknowledgement; false (transfer ended) when it is missing or wrong.
    bool receiveAck();
    // Counts a finished block, reports progress and runs the passes; false when cancelled.
    bool completeBlock();
    Step endCancelled();
    Step endInterrupted(LinkStatus status, const std::string& reason);

    SerialLink& link_;
    const TransferControl& control_;
    TransferOutcome outcome_;
    bool handshakeRead_ = false;
    int progress_ = 0;
};

TransferOutcome Session::write(const RadioImage& image)
{
    link_.configure(timing::kLine, timing::kBudgets);
    if (handshake() == Step::Continue && writeBlocks(image) == Step::Continue) {
        outcome_.ending = TransferEnding::WriteCompleted;
        outcome_.status = LinkStatus::Ok;
    }
    return outcome_;
}

TransferOutcome Session::read(RadioImage& image)
{
    link_.configure(timing::kLine, timing::kBudgets);
    if (handshake() == Step::Stop)
        return outcome_;
    // Blocks land in a copy; the caller sees them only when all have arrived.
    RadioImage staging = image;
    if (readBlocks(staging) == Step::Stop)
        return outcome_;
    image = staging;
    outcome_.ending = TransferEnding::ReadCompleted;
    outcome_.status = LinkStatus::Ok;
    return outcome_;
}

bool Session::handshakeOnly(TransferOutcome& outcome)
{
    link_.configure(timing::kLine, timing::kBudgets);
    const bool ready = handshake() == Step::Continue;
    if (ready)
        outcome_.status = LinkStatus::Ok;
    outcome = outcome_;
    return ready;
}

bool Session::messagePasses(int passes, int pauseMs)
{
    for (int i = 0; i < passes; ++i) {
        if (control_.cancelRequested && control_.cancelRequested())
            return false;
        if (pauseMs > 0)
            link_.pause(pauseMs);
    }
    return true;
}

bool Session::send(const Bytes& bytes)
{
    const LinkResult written = link_.write(bytes);
    if (written.status == LinkStatus::IoError) {
        endInterrupted(LinkStatus::IoError, written.reason);
        return false;
    }
    // A write that ran out of time is left to the reply that follows to judge.
    return true;
}

bool Session::receive(std::size_t count, ReadResult& result)
{
    return receiveSoon(count, result, -1);
}

bool Session::receiveSoon(std::size_t count, ReadResult& result, int windowMs)
{
    result = windowMs < 0 ? link_.read(count) : link_.readSoon(count, windowMs);
    if (result.status == LinkStatus::IoError) {
        endInterrupted(LinkStatus::IoError, result.reason);
        return false;
    }
    return true;
}

Session::Step Session::handshake()
{
    for (;;) {
        // Let the caller's events (and a Cancel) through before each attempt.
        if (!messagePasses(timing::kHandshakePasses, timing::kHandshakePassPause))
            return endCancelled();
        ++outcome_.attempts;
        LinkStatus failure = LinkStatus::Timeout;

        // Send the handshake one byte at a time; a radio may answer early, after the
        // byte the protocol allows for it.
        link_.purgeAll();
        bool earlyAnswer = false;
        ReadResult reply;
        for (int i = 0; i < 8; ++i) {
            link_.pause(timing::kHandshakeBytePause);
            link_.clearBuffers();
            if (!send({wire::kHandshake[i]}))
                return Step::Stop;
            if (i == wire::kEarlyAnswerAfter) {
                if (!receiveSoon(1, reply, timing::kEarlyAnswerWindow))
                    return Step::Stop;
                earlyAnswer = !reply.bytes.empty();
            }
        }

        bool toPrompt = false;
        // Otherwise wait for the late answer; its value does not matter.
        if (!earlyAnswer) {
            if (!receive(1, reply))
                return Step::Stop;
            handshakeRead_ = reply.status != LinkStatus::IoError; // a timed-out read still counts
            toPrompt = reply.bytes.empty();
        }

        if (!toPrompt) {
            // Ask for the identification; the type is judged before anything else.
            link_.pause(timing::kIdentRequestPause);
            link_.clearBuffers();
            if (!send({wire::kStx}))
                return Step::Stop;
            link_.pause(timing::kIdentRequestPause);
            if (!receive(wire::kIdentReplySize, reply))
                return Step::Stop;
            if (reply.bytes.size() >= wire::kIdentReplySize)
                outcome_.variantByte = reply.bytes[7];
            else
                outcome_.variantByte.reset(); // never a byte of an earlier reception
            if (!identificationMatches(reply.bytes)) {
                outcome_.ending = TransferEnding::TypeMismatch;
                outcome_.status = LinkStatus::ProtocolError;
                return Step::Stop;
            }
            // Go on only once some attempt of this transfer has read the late answer; an
            // early answer alone leads to the prompt.
            if (!handshakeRead_) {
                toPrompt = true;
                failure = LinkStatus::ProtocolError;
            }
        }

        if (!toPrompt) {
            // Acknowledge, and expect the radio to acknowledge back.
            link_.clearBuffers();
            if (!send({wire::kAck}))
                return Step::Stop;
            link_.clearBuffers();
            link_.pause(timing::kAckSettlePause);
            if (!receive(1, reply))
                return Step::Stop;
            if (reply.bytes.size() == 1 && reply.bytes[0] == wire::kAck)
                return Step::Continue;
            failure = reply.bytes.empty() ? LinkStatus::Timeout : LinkStatus::ProtocolError;
        }

        // The Communication Error prompt.
        const RetryDecision decision =
            control_.communicationError ? control_.communicationError() : RetryDecision::Cancel;
        if (decision == RetryDecision::Cancel) {
            outcome_.ending = TransferEnding::PromptCancelled;
            outcome_.status = failure;
            return Step::Stop;
        }
    }
}

Session::Step Session::writeBlocks(const RadioImage& image)
{
    std::uint16_t address = 0;
    for (int block = 0; block < wire::kBlockCount; ++block) {
        for (int half = 0; half < 2; ++half) {
            link_.clearBuffers();
            const Bytes frame = {wire::kWriteCommand, static_cast<std::uint8_t>(address >> 8),
                                 static_cast<std::uint8_t>(address & 0xFF), wire::kSubBlockLength};
            if (!send(frame))
                return Step::Stop;
            link_.pause(timing::kWriteDataPause);
            const auto first = image.bytes().begin() + address;
            if (!send(Bytes(first, first + wire::kSubBlockSize)))
                return Step::Stop;
            if (!receiveAck())
                return Step::Stop;
            ++outcome_.subBlocksDone;
            address = static_cast<std::uint16_t>(address + wire::kSubBlockSize);
        }
        if (!completeBlock())
            return Step::Stop;
    }
    return Step::Continue;
}

Session::Step Session::readBlocks(RadioImage& staging)
{
    std::uint16_t address = 0;
    for (int block = 0; block < wire::kBlockCount; ++block) {
        for (int half = 0; half < 2; ++half) {
            if (half == 1)
                link_.pause(timing::kSecondReadRequestPause);
            link_.clearBuffers();
            const Bytes frame = {wire::kReadCommand, static_cast<std::uint8_t>(address >> 8),
                                 static_cast<std::uint8_t>(address & 0xFF), wire::kSubBlockLength};
            if (!send(frame))
                return Step::Stop;
            ReadResult reply;
            if (!receive(wire::kReadReplySize, reply))
                return Step::Stop;
            if (reply.bytes.size() < wire::kReadReplySize)
                return endInterrupted(LinkStatus::Timeout, std::string());
            for (int i = 0; i < wire::kSubBlockSize; ++i)
                staging.setByte(address + static_cast<std::size_t>(i),
                                reply.bytes[wire::kReadReplyDataAt + i]);

            link_.pause(timing::kReadAckPause);
            link_.clearBuffers();
            if (!send({wire::kAck}))
                return Step::Stop;
            if (!receiveAck())
                return Step::Stop;
            ++outcome_.subBlocksDone;
            address = static_cast<std::uint16_t>(address + wire::kSubBlockSize);
        }
        if (!completeBlock())
            return Step::Stop;
    }
    return Step::Continue;
}

bool Session::receiveAck()
{
    ReadResult ack;
    if (!receive(1, ack))
        return false;
    if (ack.bytes.size() != 1 || ack.bytes[0] != wire::kAck) {
        endInterrupted(ack.bytes.empty() ? LinkStatus::Timeout : LinkStatus::ProtocolError, std::string());
        return false;
    }
    return true;
}

bool Session::completeBlock()
{
    ++outcome_.blocksDone;
    if (progress_ < wire::kProgressLimit) {
        ++progress_;
        if (control_.progress)
            control_.progress(progress_);
    }
    if (messagePasses(timing::kBlockPasses, 0))
        return true;
    endCancelled();
    return false;
}

Session::Step Session::endCancelled()
{
    outcome_.ending = TransferEnding::Cancelled;
    outcome_.status = LinkStatus::Cancelled;
    return Step::Stop;
}

Session::Step Session::endInterrupted(LinkStatus status, const std::string& reason)
{
    outcome_.ending = TransferEnding::Interrupted;
    outcome_.status = status;
    outcome_.reason = reason;
    return Step::Stop;
}

} // namespace

TransferOutcome readRadio(SerialLink& link, RadioImage& image, const TransferControl& control)
{
    return Session(link, control, Direction::Read).read(image);
}

TransferOutcome writeRadio(SerialLink& link, const RadioImage& image, const TransferControl& control)
{
    return Session(link, control, Direction::Write).write(image);
}

bool readHandshake(SerialLink& link, TransferOutcome& outcome, const TransferControl& control)
{
    return Session(link, control, Direction::Read).handshakeOnly(outcome);
}

TransferOutcome openFailed(const LinkResult& opened, Direction direction)
{
    TransferOutcome outcome;
    outcome.ending = TransferEnding::OpenFailed;
    outcome.status = LinkStatus::OpenFailed;
    outcome.reason = opened.reason;
    outcome.direction = direction;
    return outcome;
}

EndingMessage endingMessage(const TransferOutcome& outcome)
{
    switch (outcome.ending) {
    case TransferEnding::OpenFailed:
        return EndingMessage::CannotOpenPort;
    case TransferEnding::Interrupted:
        return EndingMessage::ProgramInterrupt;
    case TransferEnding::TypeMismatch:
        return EndingMessage::TypeMismatch;
    case TransferEnding::ReadCompleted:
    case TransferEnding::WriteCompleted:
    case TransferEnding::PromptCancelled:
    case TransferEnding::Cancelled:
        break;
    }
    return EndingMessage::None;
}

} // namespace qx260::link
