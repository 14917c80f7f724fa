// The Write Safety dialog: its controls, the choices read from and kept in the per-user
// store, and the folder check before they are kept.

#include "windows/view/CWriteSafetyDlg.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "core/config/ProcessValues.h"
#include "windows/common/DialogUnits.h"
#include "windows/common/DisplayText.h"
#include "windows/common/FileDialogs.h"
#include "windows/common/MessageBox.h"

CWriteSafetyDlg::CWriteSafetyDlg(QWidget* parent) : QDialog(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("CWriteSafetyDlg"));
    setFont(qx260::dialogFont(QStringLiteral("MS Sans Serif"), 8));
    setWindowTitle(qx260::programText(qx260::Text::WriteSafetyCaption));

    backup_ = new QCheckBox(qx260::programText(qx260::Text::WriteSafetyBackup), this);
    backup_->setObjectName(QStringLiteral("backup"));
    auto* folderLabel = new QLabel(qx260::programText(qx260::Text::WriteSafetyFolder), this);
    folder_ = new QLineEdit(this);
    folder_->setObjectName(QStringLiteral("folder"));
    folder_->setMinimumWidth(qx260::dialogUnitsToPixels(font(), QSize(170, 12)).width());
    folderLabel->setBuddy(folder_);
    browse_ = new QPushButton(qx260::programText(qx260::Text::BrowseButton), this);
    browse_->setObjectName(QStringLiteral("browse"));
    review_ = new QCheckBox(qx260::programText(qx260::Text::WriteSafetyReview), this);
    review_->setObjectName(QStringLiteral("review"));
    verify_ = new QCheckBox(qx260::programText(qx260::Text::WriteSafetyVerify), this);
    verify_->setObjectName(QStringLiteral("verify"));
    auto* note = new QLabel(qx260::programText(qx260::Text::WriteSafetyNote), this);
    note->setWordWrap(true);
    ok_ = new QPushButton(qx260::programText(qx260::Text::OkButton), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(qx260::programText(qx260::Text::CancelButton), this);
    cancel_->setObjectName(QStringLiteral("cancel"));

    auto* folderRow = new QHBoxLayout;
    folderRow->setContentsMargins(qx260::dialogUnitsToPixels(font(), QSize(12, 0)).width(), 0, 0, 0);
    folderRow->addWidget(folderLabel);
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(backup_);
    layout->addLayout(folderRow);
    layout->addWidget(review_);
    layout->addWidget(verify_);
    layout->addWidget(note);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    // The folder counts only for a backup.
    connect(backup_, &QCheckBox::toggled, this, [this, folderLabel](bool on) {
        folderLabel->setEnabled(on);
        folder_->setEnabled(on);
        browse_->setEnabled(on);
    });
    connect(browse_, &QPushButton::clicked, this, &CWriteSafetyDlg::OnBrowse);
    connect(ok_, &QPushButton::clicked, this, &CWriteSafetyDlg::OnOK);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QString CWriteSafetyDlg::backupFolder(const qx260::WriteSafety& safety)
{
    if (!safety.backupFolder.empty())
        return QString::fromStdString(safety.backupFolder);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

int CWriteSafetyDlg::exec()
{
    qx260::ProcessValues& pv = qx260::processValues();
    const qx260::WriteSafety safety = qx260::readWriteSafety(pv.userStoreOrSession(), pv.configurationStore);
    backup_->setChecked(!safety.backup); // so that toggled() sets the folder row either way
    backup_->setChecked(safety.backup);
    folder_->setText(QDir::toNativeSeparators(backupFolder(safety)));
    review_->setChecked(safety.review);
    verify_->setChecked(safety.verify);
    ok_->setFocus();
    return QDialog::exec();
}

void CWriteSafetyDlg::OnBrowse()
{
    const QString chosen = qx260::askFolderName(this, qx260::programText(qx260::Text::BackupFolderCaption),
                                                QDir::fromNativeSeparators(folder_->text().trimmed()));
    if (!chosen.isEmpty())
        folder_->setText(QDir::toNativeSeparators(chosen));
}

void CWriteSafetyDlg::OnOK()
{
    qx260::WriteSafety safety;
    safety.backup = backup_->isChecked();
    safety.backupFolder = QDir::fromNativeSeparators(folder_->text().trimmed()).toStdString();
    safety.review = review_->isChecked();
    safety.verify = verify_->isChecked();
    const QString folder = backupFolder(safety);
    if (safety.backup && !QFileInfo(folder).isDir()) {
        qx260::showMessage(
            this, windowTitle(),
            qx260::programText(qx260::Text::BackupFolderMissing).arg(QDir::toNativeSeparators(folder)));
        folder_->setFocus();
        return;
    }
    qx260::ProcessValues& pv = qx260::processValues();
    if (!qx260::writeWriteSafety(pv.userStoreOrSession(), pv.configurationStore, safety)) {
        qx260::showMessage(this, windowTitle(), qx260::programText(qx260::Text::WriteSafetyNotSaved));
        return;
    }
    accept();
}
