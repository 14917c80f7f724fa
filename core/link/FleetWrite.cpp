// The turns of a fleet write: one radio's workflow over its port, and repeat mode's wait
// for each radio to go and the next one to come.

#include "core/link/FleetWrite.h"

#include <chrono>
#include <optional>
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

// Why a backup could not be kept.
std::string backupFailure(const BackupKept& backup, bool chinese)
{
    if (backup.folderMissing)
        return chinese ? "备份文件夹不存在" : "the backup folder does not exist";
    return (chinese ? "无法写入 " : "cannot write ") + backup.name + (chinese ? "：" : ": ") + backup.reason;
}

} // namespace

std::string turnSummary(const RadioTurn& turn, bool chinese)
{
    if (turn.ok())
        return turn.verifyAsked ? (chinese ? "成功，已校验" : "ok, verified") : (chinese ? "成功" : "ok");
    const std::string nothingWritten = chinese ? "；未写入任何数据" : "; nothing was written";
    switch (turn.step) {
    case WriteStep::ReadFirst:
        return (chinese ? "无法读取电台以备份：" : "not read for the backup: ") +
               endingWords(turn.outcome, chinese) + nothingWritten;
    case WriteStep::Backup:
        return (chinese ? "备份无法保存：" : "the backup could not be kept: ") +
               backupFailure(turn.backup, chinese) + nothingWritten;
    case WriteStep::Review:
        return (chinese ? "已取消" : "cancelled") + nothingWritten;
    case WriteStep::Write: {
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
    case WriteStep::Verify:
        if (!turn.outcome.ok())
            return (chinese ? "已写入，但无法读回校验：" : "written, but not read back to verify: ") +
                   endingWords(turn.outcome, chinese);
        return chinese ? "已写入，但电台中的数据与写入的不一致"
                       : "written, but the radio does not hold what was written";
    }
    return {};
}

} // namespace qx260::link
