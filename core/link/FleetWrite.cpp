// The turns of a fleet write: one radio's backup, write and read back over one link, and
// repeat mode's wait for each radio to go and the next one to come.

#include "core/link/FleetWrite.h"

#include <chrono>
#include <thread>

namespace qx260::link
{

namespace
{

using Clock = std::chrono::steady_clock;

bool cancelAsked(const FleetSettings& settings)
{
    return settings.cancelRequested && settings.cancelRequested();
}

// The host of a transfer on a port's own thread: there is nothing to pump and nobody to
// show a message to (the outcome says what happened); progress goes to the port's
// activity, and a Communication Error is answered as the settings say.
class UnattendedHost : public TransferHost
{
  public:
    UnattendedHost(Direction direction, const FleetSettings& settings, PortActivity* activity,
                   PortActivity::Stage stage)
        : direction_(direction), settings_(settings), activity_(activity), stage_(stage),
          retriesLeft_(settings.retries)
    {
    }

    bool retryUntilAnswered = false;  // waiting for a radio: every attempt is retried
    bool stopAfterFirstBlock = false; // a probe: one block shows that a radio answers
    Clock::time_point attemptStarted = Clock::now();
    int blocks = 0;

    void pumpOneMessage() override {}
    bool cancelRequested() override { return (stopAfterFirstBlock && blocks > 0) || cancelAsked(settings_); }
    void progress(int position) override
    {
        blocks = position;
        if (activity_) {
            activity_->blocks = position;
            activity_->stage = stage_; // a radio answered: no longer waiting for one
        }
    }
    bool askRetry() override
    {
        if (cancelAsked(settings_))
            return true; // the next message pass ends the transfer as cancelled
        if (retryUntilAnswered) {
            if (activity_)
                activity_->stage = PortActivity::WaitingForRadio;
        } else if (retriesLeft_-- <= 0) {
            return false;
        }
        attemptStarted = Clock::now();
        return true;
    }
    void showMessage(int, const std::string&) override {}
    void showTypeMessage() override {}
    void commitCellEdit() override {}
    void encodeTable(RadioImage&) override {} // the caller encoded the table once for all radios
    Direction transferDirection() override { return direction_; }
    void readCompleted(int) override {}
    void showDocumentWindow() override {}
    void closeProcessWindow() override {}

  private:
    Direction direction_;
    const FleetSettings& settings_;
    PortActivity* activity_;
    PortActivity::Stage stage_;
    int retriesLeft_;
};

// Whether a radio answers at `device` now: the start of a Read, stopped after its first
// block. A radio of another type answers too.
bool radioAnswers(SerialLink& link, const std::string& device, const FleetSettings& settings)
{
    UnattendedHost host(Direction::Read, settings, nullptr, PortActivity::WaitingForRemoval);
    host.stopAfterFirstBlock = true;
    RadioImage scratch;
    const TransferOutcome outcome = ProtocolEngine(link, host).run(scratch, device);
    switch (outcome.ending) {
    case TransferEnding::OpenFailed:
    case TransferEnding::PromptCancelled:
        return false;
    case TransferEnding::Cancelled:
        return outcome.blocksDone > 0;
    default:
        return true; // read, refused as another type, or broken off after it answered
    }
}

// Sleeps in short steps so that a cancel is seen soon.
void waitFor(std::chrono::milliseconds time, const FleetSettings& settings)
{
    const Clock::time_point end = Clock::now() + time;
    while (!cancelAsked(settings) && Clock::now() < end)
        std::this_thread::sleep_for(
            std::min<Clock::duration>(std::chrono::milliseconds(50), end - Clock::now()));
}

constexpr std::chrono::milliseconds kPresencePause{500}; // between two looks for a radio

} // namespace

RadioTurn writeRadio(SerialLink& link, const std::string& device, const RadioImage& image,
                     const FleetSettings& settings, PortActivity& activity, bool waitForRadio)
{
    RadioTurn turn;
    turn.radio = activity.radio;
    turn.verifyAsked = settings.verify;
    std::optional<Clock::time_point> firstAnswer;
    // The first transfer of the turn is the one that may wait for a radio.
    auto transfer = [&](Direction direction, RadioImage& target, PortActivity::Stage stage) {
        const bool wait = waitForRadio && !firstAnswer;
        activity.blocks = 0;
        activity.stage = wait ? PortActivity::WaitingForRadio : stage;
        UnattendedHost host(direction, settings, &activity, stage);
        host.retryUntilAnswered = wait;
        const TransferOutcome outcome = ProtocolEngine(link, host).run(target, device);
        if (!firstAnswer)
            firstAnswer = host.attemptStarted;
        return outcome;
    };
    auto finish = [&]() -> RadioTurn& {
        turn.seconds = std::chrono::duration<double>(Clock::now() - *firstAnswer).count();
        return turn;
    };

    if (settings.keepBackup) {
        turn.step = TurnStep::Backup;
        RadioImage before = RadioImage::newImage();
        turn.outcome = transfer(Direction::Read, before, PortActivity::Backup);
        if (!turn.outcome.ok())
            return finish();
        turn.backup = settings.keepBackup(before);
        if (!turn.backup.ok())
            return finish();
    }

    turn.step = TurnStep::Write;
    RadioImage sent = image;
    turn.outcome = transfer(Direction::Write, sent, PortActivity::Write);
    if (!turn.outcome.ok() || !settings.verify)
        return finish();

    // The bytes that never travel stay those sent, so only what the radio holds can differ.
    turn.step = TurnStep::Verify;
    RadioImage back = image;
    turn.outcome = transfer(Direction::Read, back, PortActivity::Verify);
    if (turn.outcome.ok()) {
        turn.matches = back.bytes() == image.bytes();
        turn.readBack = back;
    }
    return finish();
}

int writeRadiosInTurn(SerialLink& link, const std::string& device, const RadioImage& image,
                      const FleetSettings& settings, PortActivity& activity, const RepeatReports& reports)
{
    const TurnStep firstStep = settings.keepBackup ? TurnStep::Backup : TurnStep::Write;
    int turns = 0;
    while (!cancelAsked(settings)) {
        const RadioTurn turn = writeRadio(link, device, image, settings, activity, true);
        // Cancelled before any radio answered: nothing happened to a radio.
        if (turn.cancelled() && turn.step == firstStep && turn.outcome.blocksDone == 0)
            break;
        // The port went with the radio (a cable with its own adapter): not there yet.
        if (turn.outcome.ending == TransferEnding::OpenFailed && turns > 0) {
            activity.stage = PortActivity::WaitingForRadio;
            waitFor(kPresencePause, settings);
            continue;
        }
        ++turns;
        if (reports.turnEnded)
            reports.turnEnded(turn);
        if (turn.outcome.ending == TransferEnding::OpenFailed)
            break; // the port does not open at all
        activity.stage = PortActivity::WaitingForRemoval;
        activity.blocks = 0;
        while (!cancelAsked(settings) && radioAnswers(link, device, settings))
            waitFor(kPresencePause, settings);
        if (cancelAsked(settings))
            break;
        if (reports.radioRemoved)
            reports.radioRemoved(activity.radio);
        ++activity.radio;
    }
    activity.stage = PortActivity::Finished;
    return turns;
}

namespace
{

// What ended a transfer, in a few words.
std::string endingWords(const TransferOutcome& outcome, bool chinese)
{
    std::string words;
    switch (outcome.ending) {
    case TransferEnding::OpenFailed:
        words = chinese ? "端口无法打开" : "the port could not be opened";
        break;
    case TransferEnding::PromptCancelled:
        words = chinese ? "电台无应答（请检查连接线以及电台是否已开机）"
                        : "no answer (check the cable and that the radio is switched on)";
        break;
    case TransferEnding::TypeMismatch:
        words = chinese ? "对讲机类型不匹配" : "the radio is of another type";
        break;
    case TransferEnding::Interrupted:
        words = chinese ? "通讯中断" : "the transfer broke off";
        break;
    case TransferEnding::Cancelled:
        words = chinese ? "已取消" : "cancelled";
        break;
    case TransferEnding::ReadCompleted:
    case TransferEnding::WriteCompleted:
        break;
    }
    if (!outcome.reason.empty())
        words += (chinese ? "：" : ": ") + outcome.reason;
    return words;
}

std::string number(int n)
{
    return std::to_string(n);
}

} // namespace

std::string turnSummary(const RadioTurn& turn, bool chinese)
{
    if (turn.ok())
        return turn.verifyAsked ? (chinese ? "成功，已校验" : "ok, verified") : (chinese ? "成功" : "ok");
    const std::string nothingWritten = chinese ? "；未写入任何数据" : "; nothing was written";
    switch (turn.step) {
    case TurnStep::Backup:
        if (!turn.outcome.ok())
            return (chinese ? "无法读取电台以备份：" : "not read for the backup: ") +
                   endingWords(turn.outcome, chinese) + nothingWritten;
        return (chinese ? "备份无法保存：" : "the backup could not be kept: ") + turn.backup.failure +
               nothingWritten;
    case TurnStep::Write: {
        const int k = turn.outcome.blocksDone;
        if (k == 0)
            return endingWords(turn.outcome, chinese) + nothingWritten;
        if (chinese)
            return endingWords(turn.outcome, chinese) + "；电台现在保存的是本文档的前 " + number(k) +
                   " 块数据（共 " + number(wire::kBlockCount) + " 块），其后仍为原有内容";
        return endingWords(turn.outcome, chinese) + " after " + number(k) + " of " +
               number(wire::kBlockCount) + " blocks; the radio holds the first " + number(k) +
               " blocks of the document and its earlier memory after them";
    }
    case TurnStep::Verify:
        if (!turn.outcome.ok())
            return (chinese ? "已写入，但无法读回校验：" : "written, but not read back to verify: ") +
                   endingWords(turn.outcome, chinese);
        return chinese ? "已写入，但电台中的数据与写入的不一致"
                       : "written, but the radio does not hold what was written";
    }
    return {};
}

} // namespace qx260::link
