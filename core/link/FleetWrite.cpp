// The turns of a fleet write: one radio's workflow over its port, and repeat mode's wait
// for each radio to go and the next one to come.

#include "core/link/FleetWrite.h"

#include <chrono>
#include <optional>
#include <thread>

#include "core/config/Texts.h"

namespace qx260::link
{

namespace
{

using Clock = std::chrono::steady_clock;

bool cancelAsked(const FleetSettings& settings)
{
    return settings.cancelRequested && settings.cancelRequested();
}

PortActivity::Stage activityStage(WriteStage stage)
{
    switch (stage) {
    case WriteStage::ReadFirst:
        return PortActivity::Backup;
    case WriteStage::Write:
        return PortActivity::Write;
    case WriteStage::Verify:
        return PortActivity::Verify;
    }
    return PortActivity::Starting;
}

// Whether a radio answers at `device` now: the start of a Read, stopped after its first
// block. A radio of another type answers too.
bool radioAnswers(SerialLink& link, const std::string& device, const FleetSettings& settings)
{
    if (!link.open(device).ok())
        return false;
    int blocks = 0;
    int retriesLeft = settings.retries;
    TransferControl control;
    control.progress = [&](int position) { blocks = position; };
    control.cancelRequested = [&] { return blocks > 0 || cancelAsked(settings); };
    control.communicationError = [&] {
        // When cancelled, the next message pass ends the transfer as cancelled.
        return cancelAsked(settings) || retriesLeft-- > 0 ? RetryDecision::Retry : RetryDecision::Cancel;
    };
    RadioImage scratch;
    const TransferOutcome outcome = readRadio(link, scratch, control);
    link.close();
    switch (outcome.ending) {
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

RadioTurn writeRadioTurn(SerialLink& link, const std::string& device, const RadioImage& image,
                         const FleetSettings& settings, PortActivity& activity, bool waitForRadio)
{
    RadioTurn turn;
    turn.radio = activity.radio;

    // The first transfer of the turn is the one that may wait for a radio; the turn's time
    // counts from the attempt a radio first answered.
    int transfers = 0;
    bool waiting = false;
    int retriesLeft = 0;
    PortActivity::Stage stage = PortActivity::Starting;
    Clock::time_point attemptStarted = Clock::now();
    std::optional<Clock::time_point> firstAnswer;

    WriteWorkflow workflow;
    workflow.keepBackup = settings.keepBackup;
    workflow.verify = settings.verify;
    workflow.stageBegins = [&](WriteStage begun) {
        stage = activityStage(begun);
        waiting = waitForRadio && transfers++ == 0;
        retriesLeft = settings.retries;
        attemptStarted = Clock::now();
        activity.blocks = 0;
        activity.stage = waiting ? PortActivity::WaitingForRadio : stage;
    };
    workflow.stageEnded = [&](WriteStage, const TransferOutcome&) {
        if (!firstAnswer)
            firstAnswer = attemptStarted;
    };
    workflow.control.progress = [&](int position) {
        activity.blocks = position;
        activity.stage = stage; // a radio answered: no longer waiting for one
    };
    workflow.control.cancelRequested = [&] { return cancelAsked(settings); };
    workflow.control.communicationError = [&] {
        if (cancelAsked(settings))
            return RetryDecision::Retry; // the next message pass ends the transfer as cancelled
        if (waiting)
            activity.stage = PortActivity::WaitingForRadio;
        else if (retriesLeft-- <= 0)
            return RetryDecision::Cancel;
        attemptStarted = Clock::now();
        return RetryDecision::Retry;
    };

    const LinkResult opened = link.open(device);
    if (!opened.ok()) {
        static_cast<WriteResult&>(turn) = workflowNotStarted(workflow, opened);
        return turn;
    }
    static_cast<WriteResult&>(turn) = runWriteWorkflow(link, image, workflow);
    link.close();
    if (firstAnswer)
        turn.seconds = std::chrono::duration<double>(Clock::now() - *firstAnswer).count();
    return turn;
}

int writeRadiosInTurn(SerialLink& link, const std::string& device, const RadioImage& image,
                      const FleetSettings& settings, PortActivity& activity, const RepeatReports& reports)
{
    const WriteStep firstStep = settings.keepBackup ? WriteStep::ReadFirst : WriteStep::Write;
    int turns = 0;
    while (!cancelAsked(settings)) {
        const RadioTurn turn = writeRadioTurn(link, device, image, settings, activity, true);
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
std::string endingWords(const TransferOutcome& outcome, Language language)
{
    std::string words;
    switch (outcome.ending) {
    case TransferEnding::OpenFailed:
        words = textOf(Text::EndPortNotOpened, language);
        break;
    case TransferEnding::PromptCancelled:
        words = textOf(Text::EndNoAnswer, language);
        break;
    case TransferEnding::TypeMismatch:
        words = textOf(Text::EndOtherType, language);
        break;
    case TransferEnding::Interrupted:
        words = textOf(Text::EndBrokeOff, language);
        break;
    case TransferEnding::Cancelled:
        words = textOf(Text::Cancelled, language);
        break;
    case TransferEnding::ReadCompleted:
    case TransferEnding::WriteCompleted:
        break;
    }
    if (!outcome.reason.empty())
        words = formatText(Text::WithReason, language, {words, outcome.reason});
    return words;
}

// Why a backup could not be kept.
std::string backupFailure(const BackupKept& backup, Language language)
{
    if (backup.folderMissing)
        return textOf(Text::BackupFolderNotThere, language);
    return formatText(Text::BackupNotWritten, language, {backup.name, backup.reason});
}

} // namespace

std::string turnSummary(const RadioTurn& turn, Language language)
{
    if (turn.ok())
        return textOf(turn.verifyAsked ? Text::TurnOkVerified : Text::TurnOk, language);
    const auto nothingWritten = [language](const std::string& what) {
        return formatText(Text::TurnNothingWritten, language, {what});
    };
    switch (turn.step) {
    case WriteStep::ReadFirst:
        return nothingWritten(
            formatText(Text::NotReadForBackup, language, {endingWords(turn.outcome, language)}));
    case WriteStep::Backup:
        return nothingWritten(
            formatText(Text::BackupNotKept, language, {backupFailure(turn.backup, language)}));
    case WriteStep::Review:
        return nothingWritten(textOf(Text::Cancelled, language));
    case WriteStep::Write: {
        const RadioContents held = turn.contents();
        if (held.unchanged())
            return nothingWritten(endingWords(turn.outcome, language));
        return formatText(
            Text::WrittenPartly, language,
            {endingWords(turn.outcome, language), radioHoldsText(held, language, Wording::Clause)});
    }
    case WriteStep::Verify:
        if (!turn.outcome.ok())
            return formatText(Text::NotReadBackToVerify, language, {endingWords(turn.outcome, language)});
        return textOf(Text::WrittenButDiffers, language);
    }
    return {};
}

} // namespace qx260::link
