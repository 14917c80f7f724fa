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
    setWindowTitle(qx260::pickText("Write Safety", "写频安全"));

    backup_ = new QCheckBox(qx260::pickText("Back up the radio before writing", "写入前备份电台"), this);
    backup_->setObjectName(QStringLiteral("backup"));
    auto* folderLabel = new QLabel(qx260::pickText("Folder:", "文件夹："), this);
    folder_ = new QLineEdit(this);
    folder_->setObjectName(QStringLiteral("folder"));
    folder_->setMinimumWidth(qx260::dialogUnitsToPixels(font(), QSize(170, 12)).width());
    folderLabel->setBuddy(folder_);
    browse_ = new QPushButton(qx260::pickText("Browse...", "浏览..."), this);
    browse_->setObjectName(QStringLiteral("browse"));
    review_ = new QCheckBox(
        qx260::pickText("Show what will change before writing", "写入前显示将要更改的内容"), this);
    review_->setObjectName(QStringLiteral("review"));
    verify_ = new QCheckBox(qx260::pickText("Verify after writing", "写入后校验"), this);
    verify_->setObjectName(QStringLiteral("verify"));
    auto* note =
        new QLabel(qx260::pickText("With any choice on, a Write first reads the radio over the same port, "
                                   "and a verify reads it once more afterwards. Program > Compare with "
                                   "Radio checks a radio at any time.",
                                   "只要打开任何一项，写数据前都会先经同一端口读取电台，校验还会在写入后"
                                   "再读一次。写频 > 与电台比较 可随时检查电台。"),
                   this);
    note->setWordWrap(true);
    ok_ = new QPushButton(qx260::pickText("OK", "确定"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(qx260::pickText("Cancel", "取消"), this);
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
    const QString chosen = qx260::askFolderName(this, qx260::pickText("Folder for the backups", "备份文件夹"),
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
            qx260::pickText("The folder %1 does not exist. Choose an existing folder for the backups.",
                            "文件夹 %1 不存在。请为备份选择一个已有的文件夹。")
                .arg(QDir::toNativeSeparators(folder)));
        folder_->setFocus();
        return;
    }
    qx260::ProcessValues& pv = qx260::processValues();
    if (!qx260::writeWriteSafety(pv.userStoreOrSession(), pv.configurationStore, safety)) {
        qx260::showMessage(
            this, windowTitle(),
            qx260::pickText("Your choices could not be saved in your settings. Check that your "
                            "settings file may be written, and try again.",
                            "无法把这些选择保存到设置中。请检查设置文件是否可写，然后再试。"));
        return;
    }
    accept();
}
