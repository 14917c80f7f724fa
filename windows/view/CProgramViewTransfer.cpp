// The channel view's radio link: the Read, Write, Compare with Radio, Com Setup and
// Write Safety commands, and the transfer run on the window thread with the view's
// Process window. The protocol engine sees the view only through WindowTransferHost.
// A Write with a Write Safety choice on, and Compare with Radio, are several sessions
// with the radio on one open port, each a whole Read or Write as the radio knows it.

#include "windows/view/CProgramView.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMetaObject>
#include <QPointer>

#include "core/compare/DifferenceText.h"
#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/link/HeldSerialLink.h"
#include "core/link/PortNaming.h"
#include "core/link/ProtocolEngine.h"
#include "core/radio/CProgramDoc.h"
#include "platform/PortSettings.h"
#include "platform/QtSerialLink.h"
#include "platform/Resources.h"
#include "windows/common/DisplayText.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CCompareDlg.h"
#include "windows/view/CPortSettingDlg.h"
#include "windows/view/CProcessDlg.h"
#include "windows/view/CWriteSafetyDlg.h"

namespace
{

qx260::link::Direction directionOf(const CProgramView& view)
{
    using qx260::link::Direction;
    return view.transferDirection == CProgramView::kTransferWrite ? Direction::Write : Direction::Read;
}

// What one session with the radio is to the view.
enum class Session {
    Whole,        // a Read or Write on its own: the document, the table and the window as always
    RadioRead,    // reads the radio for a look at it: the document stays as it is
    ReviewedWrite // writes the image encoded (and reviewed) before the first session
};

struct BackupResult {
    QString path;   // the file made
    QString reason; // why none was made
    bool ok() const { return reason.isEmpty(); }
};

// Saves what the radio holds as radio-YYYYMMDD-HHMMSS.dat in `folder`, replaced whole or
// not at all. An older backup of the same second is kept: the new one gets "-2", "-3", ...
BackupResult saveBackup(const QString& folder, const qx260::RadioImage& radio)
{
    if (!QFileInfo(folder).isDir())
        return {QString(), qx260::pickText("the folder does not exist", "文件夹不存在")};
    const QString stem = QDir(folder).filePath(
        QStringLiteral("radio-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString path = stem + QStringLiteral(".dat");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral("-%1.dat").arg(n);
    const qx260::DocumentResult saved = qx260::saveDatFile(QFile::encodeName(path).toStdString(), radio);
    if (!saved.ok())
        return {path, QString::fromStdString(saved.reason)};
    return {path, QString()};
}

// A Write that ended between its blocks: what the radio holds now and how to put it right.
void reportUnfinishedWrite(QWidget* parent, const qx260::link::TransferOutcome& outcome,
                           const QString& backup)
{
    QString text =
        qx260::pickText(
            "Writing was cancelled. The radio now holds the first %1 of %2 blocks of this document "
            "and its earlier memory after them.\n"
            "To put it right, write again, or open the saved document (or a backup of the radio) "
            "and write it.",
            "写频已取消。电台现在保存的是本文档的前 %1 块数据（共 %2 块），其后仍为原有内容。\n"
            "请重新写频，或打开已保存的文档（或电台的备份）后写入，以恢复电台。")
            .arg(outcome.blocksDone)
            .arg(qx260::link::wire::kBlockCount);
    if (!backup.isEmpty())
        text += QStringLiteral("\n") + qx260::pickText("The backup of the radio is %1.", "电台的备份是 %1。")
                                           .arg(QDir::toNativeSeparators(backup));
    qx260::showMessage(parent, qx260::applicationCaption(), text, QMessageBox::Ok,
                       qx260::MsgIcon::Exclamation);
}

} // namespace

// The view and its Process window can go while the transfer pumps events (File New
// replaces the active document, and its window with it), and Exit can close the main
// window. Then the transfer ends as cancelled at that pass and touches neither again.
class CProgramView::WindowTransferHost : public qx260::link::TransferHost
{
  public:
    WindowTransferHost(CProgramView& view, CProcessDlg& dialog, Session session = Session::Whole)
        : view_(&view), dialog_(&dialog), mainWindow_(view.window()),
          mainWindowShown_(mainWindow_ && mainWindow_->isVisible()), session_(session),
          direction_(session == Session::Whole           ? directionOf(view)
                     : session == Session::ReviewedWrite ? qx260::link::Direction::Write
                                                         : qx260::link::Direction::Read)
    {
    }

    void pumpOneMessage() override { QCoreApplication::processEvents(QEventLoop::AllEvents); }
    // Cancel, the view gone, or the main window closed (Exit): the transfer stops here.
    bool cancelRequested() override
    {
        return !view_ || !dialog_ || dialog_->cancelFlag != 0 ||
               (mainWindowShown_ && (!mainWindow_ || !mainWindow_->isVisible()));
    }
    void progress(int) override
    {
        if (dialog_)
            dialog_->stepProgress();
    }
    bool askRetry() override
    {
        return view_ && qx260::showMessage(view_, qx260::applicationCaption(),
                                           qx260::resourceString(qx260::resid::StrCommunicationError),
                                           QMessageBox::Retry | QMessageBox::Cancel) == QMessageBox::Retry;
    }
    void showMessage(int id, const std::string& reason) override
    {
        QString text = qx260::resourceString(id);
        if (!reason.empty())
            text += QStringLiteral("\n\n") + QString::fromStdString(reason);
        qx260::showMessage(view_, qx260::applicationCaption(), text, QMessageBox::Ok);
    }
    void showTypeMessage() override
    {
        const qx260::ProcessValues& pv = qx260::processValues();
        const char* english = "Becuase the type of radio does not match,\ncommunications is interrupt.";
        qx260::showMessage(view_, QString::fromUtf8(pv.pick("Caution", "警告")),
                           QString::fromUtf8(pv.pick(english, "对讲机类型不匹配,无法通讯。")),
                           QMessageBox::Ok);
    }
    // The sessions of a checked transfer took the cell edit and encoded the table before
    // the first of them: the image they write is the one that was reviewed.
    void commitCellEdit() override
    {
        if (view_ && session_ == Session::Whole)
            view_->commitCellEdit(false);
    }
    void encodeTable(qx260::RadioImage&) override
    {
        if (view_ && session_ == Session::Whole)
            view_->encodeTable();
    }
    qx260::link::Direction transferDirection() override
    {
        if (view_ && session_ == Session::Whole)
            direction_ = directionOf(*view_);
        return direction_;
    }
    void readCompleted(int radioVariant) override
    {
        if (!view_ || session_ == Session::RadioRead)
            return;
        qx260::ProcessValues& pv = qx260::processValues();
        pv.radioVariant = radioVariant;
        view_->document().newDocumentFlag = false;
        view_->fillTableFromDocument();
        view_->markDocumentModified(qx260::ChangeKind::Read);
    }
    void showDocumentWindow() override
    {
        if (!view_ || session_ == Session::RadioRead)
            return;
        if (QMdiSubWindow* frame = view_->documentFrame()) {
            if (frame->isHidden())
                frame->show();
        } else if (view_->isHidden()) {
            view_->show();
        }
    }
    // A checked transfer closes the window itself, after its last session.
    void closeProcessWindow() override
    {
        if (dialog_ && session_ == Session::Whole)
            dialog_->destroyWindow();
    }

  private:
    QPointer<CProgramView> view_;
    QPointer<CProcessDlg> dialog_;
    QPointer<QWidget> mainWindow_;
    bool mainWindowShown_;
    Session session_;
    qx260::link::Direction direction_;
};

void CProgramView::createTransferParts()
{
    processDlg_ = new CProcessDlg(this);
    connect(processDlg_, &CProcessDlg::transferRequested, this, [this] {
        // Posted: the OK click returns first, the transfer runs from the event loop.
        QMetaObject::invokeMethod(
            this, [this] { runTransfer(); }, Qt::QueuedConnection);
    });
    portSettingDlg_ = new CPortSettingDlg(this);
    writeSafetyDlg_ = new CWriteSafetyDlg(this);
    compareDlg_ = new CCompareDlg(this);

    qx260::ProcessValues& pv = qx260::processValues();
    if (pv.userStore)
        pv.portDeviceName =
            qx260::link::loadPortSetting(*pv.userStore, qx260::userStoreKey(pv.configurationStore));
}

void CProgramView::openProcessWindow(int direction)
{
    // A running transfer keeps its direction: a Read turned into a Write after the
    // handshake would send an image that was never brought up to date from the table.
    if (transferRunning_)
        return;
    transferDirection = direction;
    const qx260::ProcessValues& pv = qx260::processValues();
    const char* title = direction == kTransferWrite     ? pv.pick("Write Data", "写数据")
                        : direction == kTransferCompare ? pv.pick("Compare with Radio", "与电台比较")
                                                        : pv.pick("Read Data", "读数据");
    processDlg_->titleText = QString::fromUtf8(title);
    // An open window says what its OK will do now.
    if (processDlg_->windowExists())
        processDlg_->setWindowTitle(processDlg_->titleText);
    else
        processDlg_->createWindow(window());
}

void CProgramView::OnRead()
{
    openProcessWindow(kTransferRead);
}

void CProgramView::OnWrite()
{
    openProcessWindow(kTransferWrite);
}

void CProgramView::OnCompareWithRadio()
{
    openProcessWindow(kTransferCompare);
}

void CProgramView::OnComSetup()
{
    portSettingDlg_->exec();
}

void CProgramView::OnWriteSafety()
{
    writeSafetyDlg_->exec();
}

void CProgramView::runTransfer()
{
    if (!processDlg_->windowExists() || transferRunning_)
        return;
    const qx260::ProcessValues& pv = qx260::processValues();
    // A value still being typed belongs to what a Write sends (and to what a comparison
    // compares): when it is refused, nothing is sent and the channel stays as it was.
    if (transferDirection != kTransferRead &&
        !commitCellEdit(false,
                        transferDirection == kTransferWrite
                            ? qx260::pickText("Nothing was written to the radio.", "没有向电台写入任何数据。")
                            : qx260::pickText("The radio was not read.", "没有读取电台。"))) {
        processDlg_->destroyWindow();
        return;
    }
    transferRunning_ = true;

    const std::string& portName = qx260::processValues().portDeviceName;
    // A name that maps to no device is opened as it is and fails with the system's reason.
    const std::string device =
        qx260::link::resolvePortDevice(portName, qx260::link::systemPortMapping()).value_or(portName);
    if (transferDirection == kTransferCompare ||
        (transferDirection == kTransferWrite &&
         qx260::readWriteSafety(userStore(), pv.configurationStore).any())) {
        runCheckedTransfer(device);
        return;
    }

    qx260::link::QtSerialLink port;
    WindowTransferHost host(*this, *processDlg_);
    const QPointer<CProgramView> alive(this);
    const qx260::link::TransferOutcome outcome =
        qx260::link::ProtocolEngine(port, host).run(document().image, device);
    if (!alive)
        return;
    transferRunning_ = false;

    // A cancelled Write leaves a radio that is neither the old programming nor the new one.
    if (outcome.ending == qx260::link::TransferEnding::Cancelled && outcome.radioPartWritten() &&
        window()->isVisible())
        reportUnfinishedWrite(this, outcome, QString());
}

void CProgramView::runCheckedTransfer(const std::string& device)
{
    using qx260::link::TransferOutcome;
    const qx260::ProcessValues& pv = qx260::processValues();
    const bool compareOnly = transferDirection == kTransferCompare;
    const qx260::WriteSafety safety =
        compareOnly ? qx260::WriteSafety{} : qx260::readWriteSafety(userStore(), pv.configurationStore);
    // What a Write sends, brought up to date once: the review shows it and the Write sends it.
    encodeTable();

    qx260::link::QtSerialLink port;
    qx260::link::HeldSerialLink line(port);
    const QPointer<CProgramView> alive(this);
    const QString writeTitle = qx260::pickText("Write Data", "写数据");
    const auto session = [&](Session kind, qx260::RadioImage& image, const QString& title) {
        if (!title.isEmpty())
            processDlg_->beginStage(title);
        WindowTransferHost host(*this, *processDlg_, kind);
        return qx260::link::ProtocolEngine(line, host).run(image, device);
    };
    // Every ending closes the port and the Process window (the view may be gone by then);
    // what is shown after it (a result, Write Again) comes after the transfer.
    const auto finish = [&] {
        line.release();
        if (!alive)
            return;
        processDlg_->destroyWindow();
        transferRunning_ = false;
    };
    const auto rowsOf = [&](const qx260::RadioImage& before, const qx260::RadioImage& after) {
        return qx260::differenceRows(qx260::compareTransferred(before, after, 0, pv.languageFlag), before,
                                     after, pv);
    };

    // The radio as it is; a failure has been reported by the session, and nothing is written.
    qx260::RadioImage radio = qx260::RadioImage::newImage();
    const TransferOutcome read =
        session(Session::RadioRead, radio,
                compareOnly ? QString() : writeTitle + qx260::pickText(": reading the radio", "：读取电台"));
    if (!alive)
        return;
    if (!read.ok()) {
        finish();
        return;
    }
    if (compareOnly) {
        finish();
        compareDlg_->setUp(CCompareDlg::Purpose::Compare, rowsOf(radio, doc_.image));
        compareDlg_->exec();
        return;
    }

    QString backup;
    if (safety.backup) {
        const BackupResult saved = saveBackup(CWriteSafetyDlg::backupFolder(safety), radio);
        if (!saved.ok()) {
            finish();
            qx260::showMessage(
                this, qx260::applicationCaption(),
                qx260::pickText("The radio could not be backed up in %1: %2.\nNothing was written to the "
                                "radio. Choose another folder in Setup > Write Safety.",
                                "无法把电台备份到 %1：%2。\n没有向电台写入任何数据。请在 设置 > 写频安全 "
                                "中选择其他文件夹。")
                    .arg(QDir::toNativeSeparators(saved.path.isEmpty() ? CWriteSafetyDlg::backupFolder(safety)
                                                                       : saved.path),
                         saved.reason));
            return;
        }
        backup = saved.path;
    }

    if (safety.review) {
        compareDlg_->setUp(CCompareDlg::Purpose::Review, rowsOf(radio, doc_.image));
        const bool confirmed = compareDlg_->exec() == QDialog::Accepted;
        if (!alive)
            return;
        if (!confirmed) {
            finish();
            showStatus(pv.pick("Nothing was written to the radio.", "没有向电台写入任何数据。"));
            return;
        }
    }

    const TransferOutcome written =
        session(Session::ReviewedWrite, doc_.image, writeTitle + qx260::pickText(": writing", "：写入"));
    if (!alive)
        return;
    if (!written.ok()) {
        finish();
        if (written.ending == qx260::link::TransferEnding::Cancelled && written.radioPartWritten() &&
            window()->isVisible())
            reportUnfinishedWrite(this, written, backup);
        return;
    }
    if (!safety.verify) {
        finish();
        return;
    }

    // Read back; the radio must hold every byte that was sent.
    qx260::RadioImage back = qx260::RadioImage::newImage();
    const TransferOutcome checked =
        session(Session::RadioRead, back, writeTitle + qx260::pickText(": verifying", "：校验"));
    if (!alive)
        return;
    finish();
    if (!checked.ok()) {
        qx260::showMessage(
            this, qx260::applicationCaption(),
            qx260::pickText("The document was written, but the radio was not read back to verify it. "
                            "Program > Compare with Radio checks it at any time.",
                            "文档已写入，但没有读回电台进行校验。写频 > 与电台比较 可随时检查电台。"));
        return;
    }
    const std::vector<qx260::DifferenceRow> rows = rowsOf(doc_.image, back);
    if (rows.empty()) {
        qx260::showMessage(this, qx260::applicationCaption(),
                           qx260::pickText("Verified: the radio holds what was written.",
                                           "校验通过：电台中的内容与写入的相同。"),
                           QMessageBox::Ok, qx260::MsgIcon::Information);
        return;
    }
    QString wayBack = qx260::pickText("Write again; if the difference stays, check the cable and the radio.",
                                      "请重新写入；如果仍有不同，请检查写频线和电台。");
    if (!backup.isEmpty())
        wayBack += QStringLiteral("\n") +
                   qx260::pickText(
                       "What the radio held before is in the backup %1: open it and write it to put it back.",
                       "电台原来的内容保存在备份 %1 中：打开它并写入即可恢复。")
                       .arg(QDir::toNativeSeparators(backup));
    compareDlg_->setUp(CCompareDlg::Purpose::Verify, rows, wayBack);
    if (compareDlg_->exec() == QDialog::Accepted && alive)
        OnWrite();
}
