#include "windows/view/ViewLink.h"

#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QMetaObject>
#include <QPointer>

#include "windows/view/CProgramView.h"
#include "windows/view/CPortSettingDlg.h"
#include "windows/view/CProcessDlg.h"
#include "core/link/PortNaming.h"
#include "platform/PortSettings.h"
#include "core/link/ProtocolEngine.h"
#include "platform/QtSerialLink.h"
#include "core/radio/CProgramDoc.h"
#include "windows/common/MessageBox.h"
#include "core/config/ProcessValues.h"
#include "platform/Resources.h"
#include "core/config/UserStore.h"

namespace qx260::link {

namespace {

const char* const kTransferRunning = "qx260TransferRunning";

QString applicationTitle()
{
    return QString::fromStdString(processValues().applicationName);
}

QMdiSubWindow* documentFrame(CProgramView& view)
{
    for (QWidget* w = view.parentWidget(); w; w = w->parentWidget())
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w))
            return frame;
    return nullptr;
}

// The view and its Process window can go while the transfer pumps events (File New
// replaces the active document, and its window with it), and Exit can close the main
// window. Then the transfer ends as cancelled at that pass and touches neither again.
class WindowTransferHost : public TransferHost {
public:
    WindowTransferHost(CProgramView& view, CProcessDlg& dialog)
        : view_(&view), dialog_(&dialog), mainWindow_(view.window()),
          mainWindowShown_(mainWindow_ && mainWindow_->isVisible()),
          direction_(view.transferDirection == CProgramView::kTransferWrite ? Direction::Write : Direction::Read)
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
        return view_ && qx260::showMessage(view_, applicationTitle(), resourceString(resid::StrCommunicationError),
                                           QMessageBox::Retry | QMessageBox::Cancel) == QMessageBox::Retry;
    }
    void showMessage(int id, const std::string& reason) override
    {
        QString text = resourceString(id);
        if (!reason.empty())
            text += QStringLiteral("\n\n") + QString::fromStdString(reason);
        qx260::showMessage(view_, applicationTitle(), text, QMessageBox::Ok);
    }
    void showTypeMessage() override
    {
        const ProcessValues& pv = processValues();
        qx260::showMessage(view_, QString::fromUtf8(pv.pick("Caution", "警告")),
                           QString::fromUtf8(pv.pick("Becuase the type of radio does not match,\ncommunications is "
                                                     "interrupt.",
                                                     "对讲机类型不匹配,无法通讯。")),
                           QMessageBox::Ok);
    }
    void commitCellEdit() override
    {
        if (view_)
            view_->commitCellEdit(false);
    }
    void encodeTable(RadioImage&) override
    {
        if (view_)
            view_->encodeTable();
    }
    Direction transferDirection() override
    {
        if (view_)
            direction_ = view_->transferDirection == CProgramView::kTransferWrite ? Direction::Write : Direction::Read;
        return direction_;
    }
    void readCompleted(int radioVariant) override
    {
        if (!view_)
            return;
        ProcessValues& pv = processValues();
        pv.radioVariant = radioVariant;
        pv.newDocumentFlag = false;
        view_->fillTableFromDocument();
        view_->markDocumentModified(qx260::ChangeKind::Read);
    }
    void showDocumentWindow() override
    {
        if (!view_)
            return;
        if (QMdiSubWindow* frame = documentFrame(*view_); frame && frame->isHidden())
            frame->show();
        else if (!documentFrame(*view_) && view_->isHidden())
            view_->show();
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
    Direction direction_;
};

void openProcessWindow(CProgramView& view, int direction)
{
    CProcessDlg* dialog = processDialog(view);
    if (!dialog)
        return;
    // A running transfer keeps its direction: a Read turned into a Write after the
    // handshake would send an image that was never brought up to date from the table.
    if (transferRunning(view))
        return;
    view.transferDirection = direction;
    const ProcessValues& pv = processValues();
    dialog->titleText = direction == CProgramView::kTransferWrite
                            ? QString::fromUtf8(pv.pick("Write Data", "写数据"))
                            : QString::fromUtf8(pv.pick("Read Data", "读数据"));
    if (!dialog->windowExists())
        dialog->createWindow(view.window());
}

}  // namespace

CProcessDlg* processDialog(CProgramView& view)
{
    return view.findChild<CProcessDlg*>(QString(), Qt::FindDirectChildrenOnly);
}

CPortSettingDlg* portSettingDialog(CProgramView& view)
{
    return view.findChild<CPortSettingDlg*>(QString(), Qt::FindDirectChildrenOnly);
}

void attachToView(CProgramView& view)
{
    auto* process = new CProcessDlg(view);
    QObject::connect(process, &CProcessDlg::transferRequested, &view, [&view] {
        // Posted: the OK click returns first, the transfer runs from the event loop.
        QMetaObject::invokeMethod(&view, [&view] { runTransfer(view); }, Qt::QueuedConnection);
    });
    new CPortSettingDlg(&view);

    ProcessValues& pv = processValues();
    if (pv.userStore)
        pv.portDeviceName = loadPortSetting(*pv.userStore, userStoreKey(pv.configurationStore));
}

void readCommand(CProgramView& view)
{
    openProcessWindow(view, CProgramView::kTransferRead);
}

void writeCommand(CProgramView& view)
{
    openProcessWindow(view, CProgramView::kTransferWrite);
}

void comSetupCommand(CProgramView& view)
{
    if (CPortSettingDlg* dialog = portSettingDialog(view))
        dialog->exec();
}

bool transferRunning(const CProgramView& view)
{
    return view.property(kTransferRunning).toBool();
}

void runTransfer(CProgramView& view)
{
    CProcessDlg* dialog = processDialog(view);
    if (!dialog || !dialog->windowExists() || view.property(kTransferRunning).toBool())
        return;
    view.setProperty(kTransferRunning, true);

    const std::string& portName = processValues().portDeviceName;
    // A name that maps to no device is opened as it is and fails with the system's reason.
    const std::string device = resolvePortDevice(portName, systemPortMapping()).value_or(portName);
    QtSerialLink port;
    WindowTransferHost host(view, *dialog);
    const QPointer<CProgramView> alive(&view);
    ProtocolEngine(port, host).run(view.document().image, device);

    if (alive)
        view.setProperty(kTransferRunning, false);
}

}  // namespace qx260::link
