// The Process window: OK starts the transfer, the bar and the count follow its blocks,
// Cancel stops it at its next message pass (or closes the window before the start).

#include "windows/view/CProcessDlg.h"

#include <algorithm>

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "platform/Resources.h"
#include "windows/common/DialogUnits.h"
#include "windows/common/DisplayText.h"
#include "windows/common/HelpRequest.h"

namespace
{
// Template 131, dialog units.
const QSize kSize(186, 60);
const QRect kBarRect(7, 7, 172, 14);
const QRect kOkRect(7, 36, 50, 14);
const QRect kCountRect(68, 37, 50, 12);
const QRect kCancelRect(129, 36, 50, 14);

QString templateText(int control, const char* fallback)
{
    return qx260::dialogText(CProcessDlg::kTemplateId, control, QString::fromUtf8(fallback));
}
} // namespace

CProcessDlg::CProcessDlg(QWidget* parent) : QDialog(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("CProcessDlg"));
    setModal(false);
    const QFont font = qx260::dialogFont(QStringLiteral("MS Sans Serif"), 8);
    setFont(font);
    setFixedSize(qx260::dialogUnitsToPixels(font, kSize));

    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("progress"));
    qx260::setControlId(progressBar_, kProgressId);
    progressBar_->setTextVisible(false);
    progressBar_->setAccessibleName(templateText(0, "Process"));
    progressBar_->setGeometry(qx260::dialogUnitsToPixels(font, kBarRect));

    ok_ = new QPushButton(templateText(1, "OK"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setDefault(true);
    ok_->setGeometry(qx260::dialogUnitsToPixels(font, kOkRect));

    countText_ = new QLabel(this);
    countText_->setObjectName(QStringLiteral("count"));
    countText_->setAccessibleName(qx260::programText(qx260::Text::ProcessBlockCount));
    qx260::setControlId(countText_, kCountId);
    countText_->setAlignment(Qt::AlignCenter);
    countText_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    countText_->setGeometry(qx260::dialogUnitsToPixels(font, kCountRect));

    cancel_ = new QPushButton(templateText(2, "Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    cancel_->setGeometry(qx260::dialogUnitsToPixels(font, kCancelRect));

    connect(ok_, &QPushButton::clicked, this, &CProcessDlg::OnOK);
    connect(cancel_, &QPushButton::clicked, this, &CProcessDlg::OnCancel);
}

void CProcessDlg::OnInitDialog()
{
    progressBar_->setRange(0, kBarMaximum);
    progressBar_->setValue(0);
    countText_->setText(templateText(kCountId, "0"));
    // Until OK, Enter starts the transfer (and a button tabbed to takes it).
    ok_->setEnabled(true);
    ok_->setDefault(true);
    cancel_->setAutoDefault(true);
    setWindowTitle(titleText_);
    cancelFlag_ = 0;
}

void CProcessDlg::createWindow(QWidget* over)
{
    OnInitDialog();
    exists_ = true;
    adjustSize();
    show();
    // Centred over the main window.
    QWidget* anchor = over ? over->window() : nullptr;
    const QRect area = anchor && anchor->isVisible() ? anchor->frameGeometry()
                       : screen()                    ? screen()->availableGeometry()
                                                     : QRect();
    if (area.isValid()) {
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
    raise();
    activateWindow();
    // OK has the focus whenever the window opens, so that Enter starts the transfer.
    ok_->setFocus(Qt::OtherFocusReason);
}

void CProcessDlg::destroyWindow()
{
    exists_ = false;
    hide();
}

int CProcessDlg::progressPosition() const
{
    return progressBar_->value();
}

void CProcessDlg::stepProgress()
{
    const int position = progressBar_->value();
    if (position >= 64)
        return;
    progressBar_->setValue(std::min(position + 1, progressBar_->maximum()));
    countText_->setText(QString::number(position + 1));
}

void CProcessDlg::beginStage(const QString& title)
{
    progressBar_->setValue(0);
    countText_->setText(QStringLiteral("0"));
    setWindowTitle(title);
}

void CProcessDlg::OnOK()
{
    if (!ok_->isEnabled())
        return;
    // While the transfer runs no button is the default and Cancel takes no Enter: the
    // disabled OK hands the focus on to Cancel, and an Enter pressed by habit right after
    // the one that started the transfer must not stop it half-way. Escape, a click on
    // Cancel and the close box still stop it.
    ok_->setDefault(false);
    cancel_->setAutoDefault(false);
    cancel_->setDefault(false);
    ok_->setEnabled(false);
    emit transferRequested();
}

void CProcessDlg::setTitleText(const QString& title)
{
    titleText_ = title;
    if (exists_)
        setWindowTitle(title);
}

void CProcessDlg::OnCancel()
{
    cancelFlag_ = 1;
    // Before the start Cancel closes the window; during a transfer the transfer
    // sees the flag at its next message pass and closes it.
    if (ok_->isEnabled())
        destroyWindow();
}

void CProcessDlg::reject()
{
    OnCancel();
}

void CProcessDlg::accept()
{
    OnOK();
}

void CProcessDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    OnCancel();
}
