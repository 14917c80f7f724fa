// The channel view's radio link: the Read, Write and Com Setup commands, and the
// transfer run on the window thread with the view's Process window. The protocol
// engine sees the view only through WindowTransferHost.

#include "windows/view/CProgramView.h"

#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QMetaObject>
#include <QPointer>

#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/link/PortNaming.h"
#include "core/link/ProtocolEngine.h"
#include "core/radio/CProgramDoc.h"
#include "platform/PortSettings.h"
#include "platform/QtSerialLink.h"
#include "platform/Resources.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CPortSettingDlg.h"
#include "windows/view/CProcessDlg.h"

namespace
{

qx260::link::Direction directionOf(const CProgramView& view)
{
    using qx260::link::Direction;
    return view.transferDirection == CProgramView::kTransferWrite ? Direction::Write : Direction::Read;
}

} // namespace

// The view and its Process window can go while the transfer pumps events (File New
// replaces the active document, and its window with it), and Exit can close the main
// window. Then the transfer ends as cancelled at that pass and touches neither again.
class CProgramView::WindowTransferHost : public qx260::link::TransferHost
{
  public:
    WindowTransferHost(CProgramView& view, CProcessDlg& dialog)
        : view_(&view), dialog_(&dialog), mainWindow_(view.window()),
          mainWindowShown_(mainWindow_ && mainWindow_->isVisible()), direction_(directionOf(view))
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
    void commitCellEdit() override
    {
        if (view_)
            view_->commitCellEdit(false);
    }
    void encodeTable(qx260::RadioImage&) override
    {
        if (view_)
            view_->encodeTable();
    }
    qx260::link::Direction transferDirection() override
    {
        if (view_)
            direction_ = directionOf(*view_);
        return direction_;
    }
    void readCompleted(int radioVariant) override
    {
        if (!view_)
            return;
        qx260::ProcessValues& pv = qx260::processValues();
        pv.radioVariant = radioVariant;
        pv.newDocumentFlag = false;
        view_->fillTableFromDocument();
        view_->markDocumentModified(qx260::ChangeKind::Read);
    }
    void showDocumentWindow() override
    {
        if (!view_)
            return;
        if (QMdiSubWindow* frame = view_->documentFrame()) {
            if (frame->isHidden())
                frame->show();
        } else if (view_->isHidden()) {
            view_->show();
        }
    }
    void closeProcessWindow() override
    {
        if (dialog_)
            dialog_->destroyWindow();
    }

  private:
    QPointer<CProgramView> view_;
    QPointer<CProcessDlg> dialog_;
    QPointer<QWidget> mainWindow_;
    bool mainWindowShown_;
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
    const char* title =
        direction == kTransferWrite ? pv.pick("Write Data", "写数据") : pv.pick("Read Data", "读数据");
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

void CProgramView::OnComSetup()
{
    portSettingDlg_->exec();
}

void CProgramView::runTransfer()
{
    if (!processDlg_->windowExists() || transferRunning_)
        return;
    const qx260::ProcessValues& pv = qx260::processValues();
    // A value still being typed belongs to what a Write sends: when it is refused, nothing
    // is sent and the channel stays as it was.
    if (transferDirection == kTransferWrite &&
        !commitCellEdit(false, QString::fromUtf8(pv.pick("Nothing was written to the radio.",
                                                         "没有向电台写入任何数据。")))) {
        processDlg_->destroyWindow();
        return;
    }
    transferRunning_ = true;

    const std::string& portName = qx260::processValues().portDeviceName;
    // A name that maps to no device is opened as it is and fails with the system's reason.
    const std::string device =
        qx260::link::resolvePortDevice(portName, qx260::link::systemPortMapping()).value_or(portName);
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
        window()->isVisible()) {
        const QString text =
            QString::fromUtf8(
                pv.pick(
                    "Writing was cancelled. The radio now holds the first %1 of %2 blocks of this document "
                    "and its earlier memory after them.\n"
                    "To put it right, write again, or open the saved document (or a backup of the radio) "
                    "and write it.",
                    "写频已取消。电台现在保存的是本文档的前 %1 块数据（共 %2 块），其后仍为原有内容。\n"
                    "请重新写频，或打开已保存的文档（或电台的备份）后写入，以恢复电台。"))
                .arg(outcome.blocksDone)
                .arg(qx260::link::wire::kBlockCount);
        qx260::showMessage(this, qx260::applicationCaption(), text, QMessageBox::Ok,
                           qx260::MsgIcon::Exclamation);
    }
}
