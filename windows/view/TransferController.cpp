// The channel window's transfers: the Process window of each command, the run its OK
// posts (a Read, a Write, a careful Write through the core's workflow, or a Compare with
// Radio on a port opened for the run), and the messages that say how it ended.

#include "windows/view/TransferController.h"

#include <utility>

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include "core/compare/DifferenceText.h"
#include "core/config/ProcessValues.h"
#include "core/link/PortNaming.h"
#include "platform/PortSettings.h"
#include "platform/QtSerialLink.h"
#include "platform/Resources.h"
#include "res/ResourceIds.h"
#include "windows/common/DisplayText.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CCompareDlg.h"
#include "windows/view/CFleetWriteDlg.h"
#include "windows/view/CPortSettingDlg.h"
#include "windows/view/CProcessDlg.h"
#include "windows/view/CWriteSafetyDlg.h"

namespace
{

// What the transfers of a run ask of the window: the Process window's bar and Cancel, the
// Communication Error prompt. The view, and this controller with it, can go while the
// events are let through (File New replaces the document and its window), and Exit can
// close the main window: the transfer then ends as cancelled at that pass, and nothing of
// the window is touched again.
class WindowRun
{
  public:
    WindowRun(QObject& controller, CProcessDlg& dialog, QWidget* viewWidget)
        : controller_(&controller), dialog_(&dialog), viewWidget_(viewWidget),
          mainWindow_(viewWidget->window()), mainWindowShown_(mainWindow_ && mainWindow_->isVisible())
    {
    }

    // The controller is still there (checked once, when the transfers have returned).
    bool alive() const { return !controller_.isNull(); }

    qx260::link::TransferControl control()
    {
        qx260::link::TransferControl control;
        control.progress = [this](int) {
            if (dialog_)
                dialog_->stepProgress();
        };
        control.cancelRequested = [this] {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            return !controller_ || !dialog_ || dialog_->cancelRequested() ||
                   (mainWindowShown_ && (!mainWindow_ || !mainWindow_->isVisible()));
        };
        control.communicationError = [this] {
            const bool retry =
                controller_ &&
                qx260::showMessage(viewWidget_, qx260::applicationCaption(),
                                   qx260::resourceString(qx260::resid::StrCommunicationError),
                                   QMessageBox::Retry | QMessageBox::Cancel) == QMessageBox::Retry;
            return retry ? qx260::link::RetryDecision::Retry : qx260::link::RetryDecision::Cancel;
        };
        return control;
    }

  private:
    QPointer<QObject> controller_;
    QPointer<CProcessDlg> dialog_;
    QPointer<QWidget> viewWidget_;
    QPointer<QWidget> mainWindow_;
    bool mainWindowShown_;
};

// The message an ending calls for, if any; after it, in the same box, `after` (what a Write
// left in the radio).
void showEnding(QWidget* parent, const qx260::link::TransferOutcome& outcome, const QString& after = {})
{
    const auto withAfter = [&](QString text) {
        if (!after.isEmpty())
            text += QStringLiteral("\n\n") + after;
        return text;
    };
    const auto withReason = [&](int id) {
        QString text = qx260::resourceString(id);
        if (!outcome.reason.empty())
            text += QStringLiteral("\n\n") + QString::fromStdString(outcome.reason);
        qx260::showMessage(parent, qx260::applicationCaption(), withAfter(text), QMessageBox::Ok);
    };
    switch (qx260::link::endingMessage(outcome)) {
    case qx260::link::EndingMessage::CannotOpenPort:
        withReason(qx260::resid::StrCannotOpenPort);
        break;
    case qx260::link::EndingMessage::ProgramInterrupt:
        withReason(qx260::resid::StrProgramInterrupt);
        break;
    case qx260::link::EndingMessage::TypeMismatch: {
        qx260::showMessage(parent, qx260::programText(qx260::Text::TypeMismatchCaption),
                           withAfter(qx260::programText(qx260::Text::TypeMismatch)), QMessageBox::Ok);
        break;
    }
    case qx260::link::EndingMessage::None:
        break;
    }
}

// A file name the core gives back, as the user reads it.
QString displayName(const std::string& path)
{
    return QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(path)));
}

// What a Write left in the radio, and when that is part of the document, how to put it
// right (with the backup of what it held before, when there is one).
QString radioHoldsNote(qx260::link::RadioContents held, const std::string& backup)
{
    QString text =
        QString::fromStdString(qx260::link::radioHoldsText(held, qx260::processValues().language()));
    if (held.unchanged() || held.everything())
        return text;
    text += QStringLiteral("\n") + qx260::programText(qx260::Text::WritePutRight);
    if (!backup.empty())
        text += QStringLiteral("\n") + qx260::programText(qx260::Text::BackupNamed).arg(displayName(backup));
    return text;
}

// A Write cancelled between its blocks: what the radio holds now and how to put it right.
void reportUnfinishedWrite(QWidget* parent, qx260::link::RadioContents held, const std::string& backup)
{
    const QString text =
        qx260::programText(qx260::Text::WriteCancelled) + QLatin1Char(' ') + radioHoldsNote(held, backup);
    qx260::showMessage(parent, qx260::applicationCaption(), text, QMessageBox::Ok,
                       qx260::MsgIcon::Exclamation);
}

std::vector<qx260::DifferenceRow> differenceRows(const qx260::RadioImage& before,
                                                 const qx260::RadioImage& after)
{
    const qx260::ProcessValues& pv = qx260::processValues();
    return qx260::differenceRows(qx260::compareTransferred(before, after, 0, pv.language()), before, after,
                                 pv);
}

} // namespace

TransferController::TransferController(TransferView& view, QWidget* viewWidget)
    : QObject(viewWidget), view_(view), viewWidget_(viewWidget)
{
    processDlg_ = new CProcessDlg(viewWidget);
    connect(processDlg_, &CProcessDlg::transferRequested, this, [this] {
        // Posted: the OK click returns first, the transfer runs from the event loop.
        QMetaObject::invokeMethod(
            this, [this] { runTransfer(); }, Qt::QueuedConnection);
    });
    portSettingDlg_ = new CPortSettingDlg(viewWidget);
    writeSafetyDlg_ = new CWriteSafetyDlg(viewWidget);
    compareDlg_ = new CCompareDlg(viewWidget);

    qx260::ProcessValues& pv = qx260::processValues();
    if (pv.userStore)
        pv.portDeviceName =
            qx260::link::loadPortSetting(*pv.userStore, qx260::userStoreKey(pv.configurationStore));
}

void TransferController::openProcessWindow(Command command)
{
    // A running transfer keeps its command: a Read turned into a Write after the handshake
    // would send an image that was never brought up to date from the table.
    if (running_)
        return;
    command_ = command;
    writeAgain_.reset();
    // An open window says what its OK will do now.
    processDlg_->setTitleText(qx260::programText(command == Command::Write ? qx260::Text::WriteDataCaption
                                                 : command == Command::Compare
                                                     ? qx260::Text::CompareCaption
                                                     : qx260::Text::ReadDataCaption));
    if (!processDlg_->windowExists())
        processDlg_->createWindow(viewWidget_->window());
}

void TransferController::OnRead()
{
    openProcessWindow(Command::Read);
}

void TransferController::OnWrite()
{
    openProcessWindow(Command::Write);
}

void TransferController::OnCompareWithRadio()
{
    openProcessWindow(Command::Compare);
}

void TransferController::OnComSetup()
{
    portSettingDlg_->exec();
}

void TransferController::OnWriteSafety()
{
    writeSafetyDlg_->exec();
}

void TransferController::OnWriteSeveralRadios()
{
    // One transfer of the view at a time: its own Read or Write comes first.
    if (running_ || processDlg_->windowExists())
        return;
    // A value still being typed belongs to what is sent; refused, nothing is sent.
    if (!view_.commitOpenEdit(qx260::programText(qx260::Text::NothingWritten)))
        return;
    const qx260::RadioImage image = view_.documentImage();
    CFleetWriteDlg dialog(viewWidget_->window());
    dialog.run(image);
}

void TransferController::endRun()
{
    running_ = false;
    processDlg_->destroyWindow();
}

void TransferController::runTransfer()
{
    if (!processDlg_->windowExists() || running_)
        return;
    const Command command = command_;
    std::optional<qx260::link::BackupKept> writeAgain = std::exchange(writeAgain_, std::nullopt);
    // The cell being edited belongs to the table. A value still being typed belongs to what
    // a Write sends (and to what a comparison compares): refused, nothing is sent and the
    // channel stays as it was. A Read replaces the channels either way.
    if (command == Command::Read) {
        view_.commitOpenEdit(QString());
    } else if (!view_.commitOpenEdit(command == Command::Write
                                         ? qx260::programText(qx260::Text::NothingWritten)
                                         : qx260::programText(qx260::Text::RadioNotRead))) {
        processDlg_->destroyWindow();
        return;
    }
    running_ = true;

    qx260::ProcessValues& pv = qx260::processValues();
    // A name that maps to no device is opened as it is and fails with the system's reason.
    const std::string device =
        qx260::link::resolvePortDevice(pv.portDeviceName, qx260::link::systemPortMapping())
            .value_or(pv.portDeviceName);
    switch (command) {
    case Command::Read:
        readDocument(device);
        break;
    case Command::Compare:
        compareWithRadio(device);
        break;
    case Command::Write:
        if (const qx260::WriteSafety safety =
                qx260::readWriteSafety(pv.userStoreOrSession(), pv.configurationStore);
            safety.any())
            writeChecked(device, safety, std::move(writeAgain));
        else
            writeDocument(device);
        break;
    }
}

void TransferController::readDocument(const std::string& device)
{
    // The bytes that never travel stay as the document has them.
    qx260::RadioImage image = view_.documentImage();
    WindowRun run(*this, *processDlg_, viewWidget_);
    qx260::link::TransferOutcome outcome;
    {
        qx260::link::QtSerialLink port;
        const qx260::link::LinkResult opened = port.open(device);
        outcome = opened.ok() ? qx260::link::readRadio(port, image, run.control())
                              : qx260::link::openFailed(opened, qx260::link::Direction::Read);
    }
    if (!run.alive())
        return;
    endRun();
    if (outcome.ok()) {
        view_.takeReadImage(image, outcome.radioVariant());
        view_.showDocumentWindow();
    }
    showEnding(viewWidget_, outcome);
}

void TransferController::writeDocument(const std::string& device)
{
    const qx260::RadioImage image = view_.documentImage();
    WindowRun run(*this, *processDlg_, viewWidget_);
    qx260::link::TransferOutcome outcome;
    {
        qx260::link::QtSerialLink port;
        const qx260::link::LinkResult opened = port.open(device);
        outcome = opened.ok() ? qx260::link::writeRadio(port, image, run.control())
                              : qx260::link::openFailed(opened, qx260::link::Direction::Write);
    }
    if (!run.alive())
        return;
    endRun();
    if (outcome.ok())
        view_.showDocumentWindow();
    tellWriteEnding(outcome, qx260::link::contentsAfterWrite(outcome), std::string());
}

void TransferController::tellWriteEnding(const qx260::link::TransferOutcome& outcome,
                                         qx260::link::RadioContents held, const std::string& backup)
{
    if (outcome.ok())
        return;
    const QPointer<QWidget> parent(viewWidget_);
    const bool cancelled = outcome.ending == qx260::link::TransferEnding::Cancelled;
    if (!held.unchanged() && cancelled) {
        // Part of the document in the radio: neither the old programming nor the new one.
        // (Not when the main window is closing: Exit cancelled it.)
        if (parent->window()->isVisible())
            reportUnfinishedWrite(parent, held, backup);
    } else if (qx260::link::endingMessage(outcome) == qx260::link::EndingMessage::None) {
        // Cancelled, or the Communication Error prompt said it already: nothing was written.
        view_.showStatusNote(qx260::link::radioHoldsText(held, qx260::processValues().language()));
    } else {
        showEnding(parent, outcome, radioHoldsNote(held, backup));
    }
}

void TransferController::compareWithRadio(const std::string& device)
{
    const qx260::RadioImage document = view_.documentImage();
    qx260::RadioImage radio = qx260::RadioImage::newImage();
    WindowRun run(*this, *processDlg_, viewWidget_);
    qx260::link::TransferOutcome outcome;
    {
        qx260::link::QtSerialLink port;
        const qx260::link::LinkResult opened = port.open(device);
        outcome = opened.ok() ? qx260::link::readRadio(port, radio, run.control())
                              : qx260::link::openFailed(opened, qx260::link::Direction::Read);
    }
    if (!run.alive())
        return;
    endRun();
    if (!outcome.ok()) {
        showEnding(viewWidget_, outcome);
        return;
    }
    compareDlg_->setUp(CCompareDlg::Purpose::Compare, differenceRows(radio, document));
    compareDlg_->exec();
}

void TransferController::writeChecked(const std::string& device, const qx260::WriteSafety& safety,
                                      std::optional<qx260::link::BackupKept> writeAgain)
{
    const qx260::ProcessValues& pv = qx260::processValues();
    // What the Write sends, brought up to date once: the review shows it and the Write sends it.
    const qx260::RadioImage image = view_.documentImage();
    const QString folder = CWriteSafetyDlg::backupFolder(safety);
    const std::string port = pv.portDeviceName;
    WindowRun run(*this, *processDlg_, viewWidget_);

    qx260::link::WriteWorkflow workflow;
    if (safety.backup)
        workflow.keepBackup = [&](const qx260::RadioImage& radio) {
            qx260::link::BackupFolder backups(QFile::encodeName(folder).toStdString());
            return backups.keep(port, radio);
        };
    workflow.firstBackup = std::move(writeAgain);
    if (safety.review)
        workflow.review = [&](const qx260::RadioImage& radio, const qx260::RadioImage& toWrite) {
            compareDlg_->setUp(CCompareDlg::Purpose::Review, differenceRows(radio, toWrite));
            const int answer = compareDlg_->exec();
            return run.alive() && answer == QDialog::Accepted;
        };
    workflow.verify = safety.verify;
    workflow.stageBegins = [&](qx260::link::WriteStage stage) {
        processDlg_->beginStage(
            qx260::programText(qx260::Text::WriteDataCaption) +
            (stage == qx260::link::WriteStage::ReadFirst ? qx260::programText(qx260::Text::StageReadingRadio)
             : stage == qx260::link::WriteStage::Write   ? qx260::programText(qx260::Text::StageWriting)
                                                         : qx260::programText(qx260::Text::StageVerifying)));
    };
    workflow.control = run.control();

    qx260::link::WriteResult result;
    {
        qx260::link::QtSerialLink line;
        const qx260::link::LinkResult opened = line.open(device);
        result = opened.ok() ? qx260::link::runWriteWorkflow(line, image, workflow)
                             : qx260::link::workflowNotStarted(workflow, opened);
    }
    if (!run.alive())
        return;
    endRun();
    if (result.written())
        view_.showDocumentWindow();

    // What is said next uses only values: a message box lets events through.
    const QPointer<QWidget> parent(viewWidget_);
    switch (result.step) {
    case qx260::link::WriteStep::ReadFirst:
        tellWriteEnding(result.outcome, result.contents(), result.backup.name);
        return;
    case qx260::link::WriteStep::Backup:
        qx260::showMessage(parent, qx260::applicationCaption(),
                           qx260::programText(qx260::Text::BackupFailed)
                               .arg(result.backup.folderMissing ? QDir::toNativeSeparators(folder)
                                                                : displayName(result.backup.name),
                                    result.backup.folderMissing
                                        ? qx260::programText(qx260::Text::FolderDoesNotExist)
                                        : QString::fromStdString(result.backup.reason)));
        return;
    case qx260::link::WriteStep::Review:
        view_.showStatusNote(qx260::textOf(qx260::Text::NothingWritten, pv.language()));
        return;
    case qx260::link::WriteStep::Write:
        tellWriteEnding(result.outcome, result.contents(), result.backup.name);
        return;
    case qx260::link::WriteStep::Verify:
        break;
    }

    if (!result.readBack) {
        showEnding(parent, result.outcome);
        qx260::showMessage(parent, qx260::applicationCaption(),
                           qx260::programText(qx260::Text::WrittenNotVerified));
        return;
    }
    if (result.verified()) {
        qx260::showMessage(parent, qx260::applicationCaption(), qx260::programText(qx260::Text::Verified),
                           QMessageBox::Ok, qx260::MsgIcon::Information);
        return;
    }
    QString wayBack = qx260::programText(qx260::Text::VerifyWayBack);
    // What the radio held before is the backup of the first run, however often it is
    // written again.
    if (!result.backup.name.empty())
        wayBack += QStringLiteral("\n") +
                   qx260::programText(qx260::Text::VerifyBackupWayBack).arg(displayName(result.backup.name));
    compareDlg_->setUp(CCompareDlg::Purpose::Verify, differenceRows(image, *result.readBack), wayBack);
    const QPointer<TransferController> alive(this);
    if (compareDlg_->exec() == QDialog::Accepted && alive) {
        OnWrite();
        writeAgain_ = result.backup;
    }
}
