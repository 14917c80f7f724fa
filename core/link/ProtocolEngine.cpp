// The steps of one Read or Write: opening the port, the handshake, the block transfers
// (a Read lands in a copy the document takes only when complete), and how a cancel or a
// failed exchange ends the session.

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

bool identificationMatches(const Bytes& reply)
{
    return reply.size() >= 5 && reply[0] == 'P' && (reply[1] == '3' || reply[1] == '2') && reply[2] == '2' &&
           reply[3] == '0' && reply[4] == '7';
}

ProtocolEngine::ProtocolEngine(SerialLink& link, TransferHost& host) : link_(link), host_(host) {}

TransferOutcome ProtocolEngine::run(RadioImage& image, const std::string& device)
{
    TransferOutcome outcome;
    handshakeRead_ = false;
    progress_ = 0;

    // The cell being edited belongs to the table, and a Write sends the table.
    host_.commitCellEdit();
    if (host_.transferDirection() == Direction::Write)
        host_.encodeTable(image);

    // Open the port at the line settings and time budgets of the protocol.
    const LinkResult opened = link_.open(device);
    if (!opened.ok()) {
        outcome.ending = TransferEnding::OpenFailed;
        outcome.status = LinkStatus::OpenFailed;
        outcome.reason = opened.reason;
        host_.showMessage(resid::StrCannotOpenPort, opened.reason);
        host_.closeProcessWindow();
        return outcome;
    }
    link_.configure(timing::kLine, timing::kBudgets);

    if (handshake(outcome) == Step::Stop)
        return outcome;

    // The direction may have been changed by a command while the handshake ran.
    outcome.direction = host_.transferDirection();
    if (outcome.direction == Direction::Write) {
        if (writeBlocks(image, outcome) == Step::Stop)
            return outcome;
        outcome.ending = TransferEnding::WriteCompleted;
    } else {
        // Blocks land in a copy; the document sees them only when all have arrived.
        RadioImage staging = image;
        if (readBlocks(staging, outcome) == Step::Stop)
            return outcome;
        image = staging;
        outcome.ending = TransferEnding::ReadCompleted;
        host_.readCompleted(radioVariantFromByte(outcome.variantByte));
    }
    outcome.status = LinkStatus::Ok;
    link_.close();
    host_.closeProcessWindow();
    host_.showDocumentWindow();
    return outcome;
}

bool ProtocolEngine::messagePasses(int passes, int pauseMs)
{
    for (int i = 0; i < passes; ++i) {
        host_.pumpOneMessage();
        if (host_.cancelRequested())
            return false;
        if (pauseMs > 0)
            link_.pause(pauseMs);
    }
    return true;
}

bool ProtocolEngine::send(const Bytes& bytes, TransferOutcome& outcome)
{
    const LinkResult written = link_.write(bytes);
    if (written.status == LinkStatus::IoError) {
        endInterrupted(outcome, LinkStatus::IoError, written.reason);
        return false;
    }
    // A write that ran out of time is left to the reply that follows to judge.
    return true;
}

bool ProtocolEngine::receive(std::size_t count, ReadResult& result, TransferOutcome& outcome)
{
    result = link_.read(count);
    if (result.status == LinkStatus::IoError) {
        endInterrupted(outcome, LinkStatus::IoError, result.reason);
        return false;
    }
    return true;
}

ProtocolEngine::Step ProtocolEngine::handshake(TransferOutcome& outcome)
{
    for (;;) {
        // Let the window breathe (and a Cancel through) before each attempt.
        if (!messagePasses(timing::kHandshakePasses, timing::kHandshakePassPause))
            return endCancelled(outcome);
        ++outcome.attempts;
        LinkStatus failure = LinkStatus::Timeout;

        // Send the handshake one byte at a time; a radio may answer early, after the
        // byte the protocol allows for it.
        link_.purgeAll();
        bool earlyAnswer = false;
        ReadResult reply;
        for (int i = 0; i < 8; ++i) {
            link_.pause(timing::kHandshakeBytePause);
            link_.clearBuffers();
            if (!send({wire::kHandshake[i]}, outcome))
                return Step::Stop;
            if (i == wire::kEarlyAnswerAfter) {
                if (!receive(1, reply, outcome))
                    return Step::Stop;
                earlyAnswer = !reply.bytes.empty();
            }
        }

        bool toPrompt = false;
        // Otherwise wait for the late answer; its value does not matter.
        if (!earlyAnswer) {
            if (!receive(1, reply, outcome))
                return Step::Stop;
            handshakeRead_ = reply.status != LinkStatus::IoError; // a timed-out read still counts
            toPrompt = reply.bytes.empty();
        }

        if (!toPrompt) {
            // Ask for the identification; the type is judged before anything else.
            link_.pause(timing::kIdentRequestPause);
            link_.clearBuffers();
            if (!send({wire::kStx}, outcome))
                return Step::Stop;
            link_.pause(timing::kIdentRequestPause);
            if (!receive(wire::kIdentReplySize, reply, outcome))
                return Step::Stop;
            if (reply.bytes.size() >= wire::kIdentReplySize)
                outcome.variantByte = reply.bytes[7];
            else
                outcome.variantByte.reset(); // never a byte of an earlier reception
            if (!identificationMatches(reply.bytes)) {
                outcome.ending = TransferEnding::TypeMismatch;
                outcome.status = LinkStatus::ProtocolError;
                link_.close();
                host_.showTypeMessage();
                host_.closeProcessWindow();
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
            if (!send({wire::kAck}, outcome))
                return Step::Stop;
            link_.clearBuffers();
            link_.pause(timing::kAckSettlePause);
            if (!receive(1, reply, outcome))
                return Step::Stop;
            if (reply.bytes.size() == 1 && reply.bytes[0] == wire::kAck)
                return Step::Continue;
            failure = reply.bytes.empty() ? LinkStatus::Timeout : LinkStatus::ProtocolError;
        }

        // The prompt.
        if (!host_.askRetry()) {
            outcome.ending = TransferEnding::PromptCancelled;
            outcome.status = failure;
            link_.close();
            host_.closeProcessWindow();
            return Step::Stop;
        }
    }
}

ProtocolEngine::Step ProtocolEngine::writeBlocks(const RadioImage& image, TransferOutcome& outcome)
{
    std::uint16_t address = 0;
    for (int block = 0; block < wire::kBlockCount; ++block) {
        for (int half = 0; half < 2; ++half) {
            link_.clearBuffers();
            const Bytes frame = {wire::kWriteCommand, static_cast<std::uint8_t>(address >> 8),
                                 static_cast<std::uint8_t>(address & 0xFF), wire::kSubBlockLength};
            if (!send(frame, outcome))
                return Step::Stop;
            link_.pause(timing::kWriteDataPause);
            const auto first = image.bytes().begin() + address;
            if (!send(Bytes(first, first + wire::kSubBlockSize), outcome))
                return Step::Stop;
            if (!receiveAck(outcome))
                return Step::Stop;
            address = static_cast<std::uint16_t>(address + wire::kSubBlockSize);
        }
        if (!completeBlock(outcome))
            return Step::Stop;
    }
    return Step::Continue;
}

ProtocolEngine::Step ProtocolEngine::readBlocks(RadioImage& staging, TransferOutcome& outcome)
{
    std::uint16_t address = 0;
    for (int block = 0; block < wire::kBlockCount; ++block) {
        for (int half = 0; half < 2; ++half) {
            if (half == 1)
                link_.pause(timing::kSecondReadRequestPause);
            link_.clearBuffers();
            const Bytes frame = {wire::kReadCommand, static_cast<std::uint8_t>(address >> 8),
                                 static_cast<std::uint8_t>(address & 0xFF), wire::kSubBlockLength};
            if (!send(frame, outcome))
                return Step::Stop;
            ReadResult reply;
            if (!receive(wire::kReadReplySize, reply, outcome))
                return Step::Stop;
            if (reply.bytes.size() < wire::kReadReplySize)
                return endInterrupted(outcome, LinkStatus::Timeout, std::string());
            for (int i = 0; i < wire::kSubBlockSize; ++i)
                staging.setByte(address + static_cast<std::size_t>(i),
                                reply.bytes[wire::kReadReplyDataAt + i]);

            link_.pause(timing::kReadAckPause);
            link_.clearBuffers();
            if (!send({wire::kAck}, outcome))
                return Step::Stop;
            if (!receiveAck(outcome))
                return Step::Stop;
            address = static_cast<std::uint16_t>(address + wire::kSubBlockSize);
        }
        if (!completeBlock(outcome))
            return Step::Stop;
    }
    return Step::Continue;
}

bool ProtocolEngine::receiveAck(TransferOutcome& outcome)
{
    ReadResult ack;
    if (!receive(1, ack, outcome))
        return false;
    if (ack.bytes.size() != 1 || ack.bytes[0] != wire::kAck) {
        endInterrupted(outcome, ack.bytes.empty() ? LinkStatus::Timeout : LinkStatus::ProtocolError,
                       std::string());
        return false;
    }
    return true;
}

bool ProtocolEngine::completeBlock(TransferOutcome& outcome)
{
    ++outcome.blocksDone;
    advanceProgress();
    if (messagePasses(timing::kBlockPasses, 0))
        return true;
    endCancelled(outcome);
    return false;
}

void ProtocolEngine::advanceProgress()
{
    if (progress_ < wire::kProgressLimit) {
        ++progress_;
        host_.progress(progress_);
    }
}

ProtocolEngine::Step ProtocolEngine::endCancelled(TransferOutcome& outcome)
{
    outcome.ending = TransferEnding::Cancelled;
    outcome.status = LinkStatus::Cancelled;
    finish();
    return Step::Stop;
}

ProtocolEngine::Step ProtocolEngine::endInterrupted(TransferOutcome& outcome, LinkStatus status,
                                                    const std::string& reason)
{
    outcome.ending = TransferEnding::Interrupted;
    outcome.status = status;
    outcome.reason = reason;
    link_.close();
    host_.showMessage(resid::StrProgramInterrupt, reason);
    host_.closeProcessWindow();
    return Step::Stop;
}

void ProtocolEngine::finish()
{
    link_.close();
    host_.closeProcessWindow();
}

} // namespace qx260::link
