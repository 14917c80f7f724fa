// The About dialog: its controls laid out in dialog units, and their texts taken from
// Program.ini when it opens.

#include "windows/frame/CAboutDlg.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "core/config/ProcessValues.h"
#include "platform/Resources.h"
#include "windows/common/DialogUnits.h"
#include "windows/common/HelpRequest.h"
#include "windows/common/Pictures.h"

namespace
{

QString configured(const char* key)
{
    return QString::fromStdString(qx260::processValues().languageString(key));
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    const QFont font = qx260::dialogFont(QStringLiteral("Times New Roman"), 9);
    setFont(font);
    auto place = [&](QWidget* w, int x, int y, int cx, int cy) {
        w->setGeometry(qx260::dialogUnitsToPixels(font, QRect(x, y, cx, cy)));
    };

    icon_ = new QLabel(this);
    qx260::setControlId(icon_, kIconId);
    place(icon_, 186, 14, 18, 17);
    icon_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    version_ = new QLabel(this);
    qx260::setControlId(version_, kVersionId);
    version_->setTextFormat(Qt::PlainText); // shown as stored: no "&" mnemonics
    place(version_, 14, 14, 150, 8);

    copyrights_ = new QLabel(this);
    qx260::setControlId(copyrights_, kCopyrightsId);
    copyrights_->setTextFormat(Qt::PlainText);
    place(copyrights_, 14, 29, 150, 8);

    owner_ = new QLabel(this);
    qx260::setControlId(owner_, kOwnerId);
    owner_->setTextFormat(Qt::PlainText);
    place(owner_, 14, 44, 150, 8);

    ok_ = new QPushButton(qx260::dialogText(100, 1, QStringLiteral("OK")), this);
    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    place(ok_, 176, 34, 39, 14);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(qx260::dialogUnitsToPixels(font, QSize(231, 67)));
    OnInitDialog();
}

void CAboutDlg::OnInitDialog()
{
    setWindowTitle(configured("About Title"));
    version_->setText(configured("Version"));
    copyrights_->setText(configured("Copyrights"));
    owner_->setText(configured("Copyrights Owner"));

    // The icon file at its own size, else icon 128.
    QIcon icon = qx260::titleIcon(QString::fromStdString(qx260::processValues().executableDirectory));
    if (icon.isNull())
        icon = qx260::builtinIcon(128);
    // A large icon (32 x 32) fills the icon box of the template; bigger pictures in the
    // file would run into the OK button below it.
    const QPixmap picture = icon.pixmap(QSize(32, 32));
    icon_->setPixmap(picture);
    icon_->resize(icon_->size().expandedTo(picture.size()));
}

QLabel* CAboutDlg::control(int id) const
{
    switch (id) {
    case kIconId:
        return icon_;
    case kVersionId:
        return version_;
    case kCopyrightsId:
        return copyrights_;
    case kOwnerId:
        return owner_;
    default:
        return nullptr;
    }
}
