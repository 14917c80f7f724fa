// The Port Setting dialog: its sixteen port buttons laid out from the template, each
// probed when the dialog opens, and OK storing the chosen port.

#include "windows/view/CPortSettingDlg.h"

#include <algorithm>

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/link/PortNaming.h"
#include "platform/PortSettings.h"
#include "platform/QtSerialLink.h"
#include "platform/Resources.h"
#include "windows/common/DialogUnits.h"
#include "windows/common/HelpRequest.h"

namespace
{
// Template 144, dialog units.
const QSize kSize(170, 104);
const QRect kGroupRect(7, 5, 156, 70);
const QPoint kFirstButton(17, 18);
const QSize kButtonSize(32, 10);
const int kColumnStep = 36;
const int kRowStep = 14;
const QRect kOkRect(20, 82, 50, 14);
const QRect kCancelRect(100, 82, 50, 14);

QString templateText(int control, const QString& fallback)
{
    return qx260::dialogText(CPortSettingDlg::kTemplateId, control, fallback);
}

std::string devicePath(const std::string& portDeviceName)
{
    return qx260::link::resolvePortDevice(portDeviceName, qx260::link::systemPortMapping())
        .value_or(std::string());
}
} // namespace

CPortSettingDlg::CPortSettingDlg(QWidget* parent) : QDialog(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("CPortSettingDlg"));
    probe = [](const std::string& device) {
        return !device.empty() && qx260::link::QtSerialLink::probe(device);
    };
    const QFont font = qx260::dialogFont(QStringLiteral("MS Sans Serif"), 8);
    setFont(font);
    setWindowTitle(templateText(0, QStringLiteral("Port Setting")));

    auto* box = new QGroupBox(templateText(-1, QStringLiteral("Port")), this);
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    for (int n = 1; n <= 16; ++n) {
        const int id = kFirstButtonId + n - 1;
        auto* button = new QRadioButton(templateText(id, QStringLiteral("COM%1").arg(n)), this);
        button->setObjectName(QStringLiteral("COM%1").arg(n));
        group_->addButton(button, id);
        buttons_[n - 1] = button;
    }
    // The template's places, widened as far as the labels need in the font at hand
    // (a substitute font can be wider than the one the template was made for, and
    // COM10 to COM16 must not read as COM1).
    const QRect firstButton = qx260::dialogUnitsToPixels(font, QRect(kFirstButton, kButtonSize));
    const QSize step = qx260::dialogUnitsToPixels(font, QSize(kColumnStep, kRowStep));
    const int columnStep = step.width();
    const int rowStep = step.height();
    int buttonWidth = firstButton.width();
    for (const QRadioButton* button : buttons_)
        buttonWidth = std::max(buttonWidth, button->sizeHint().width());
    const int extra = buttonWidth - firstButton.width();
    for (int n = 1; n <= 16; ++n)
        buttons_[n - 1]->setGeometry(firstButton.x() + ((n - 1) % 4) * (columnStep + extra),
                                     firstButton.y() + ((n - 1) / 4) * rowStep, buttonWidth,
                                     firstButton.height());
    box->setGeometry(qx260::dialogUnitsToPixels(font, kGroupRect).adjusted(0, 0, 4 * extra, 0));
    box->lower();
    const QSize size = qx260::dialogUnitsToPixels(font, kSize);
    setFixedSize(size.width() + 4 * extra, size.height());
    auto* ok = new QPushButton(templateText(1, QStringLiteral("OK")), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    ok->setGeometry(qx260::dialogUnitsToPixels(font, kOkRect).translated(extra, 0));
    auto* cancel = new QPushButton(templateText(2, QStringLiteral("Cancel")), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setGeometry(qx260::dialogUnitsToPixels(font, kCancelRect).translated(3 * extra, 0));
    connect(ok, &QPushButton::clicked, this, &CPortSettingDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // F1 asks for the dialog's own topic: its buttons' ids stand for other dialogs' controls.
    new qx260::HelpKey(this, [](QWidget*) { return kTemplateId; });
}

QRadioButton* CPortSettingDlg::portButton(int number) const
{
    return number >= 1 && number <= 16 ? buttons_[number - 1] : nullptr;
}

int CPortSettingDlg::selectedPort() const
{
    const int id = group_->checkedId();
    return id < 0 ? 0 : id - kFirstButtonId + 1;
}

int CPortSettingDlg::exec()
{
    OnInitDialog();
    return QDialog::exec();
}

void CPortSettingDlg::OnInitDialog()
{
    group_->setExclusive(false);
    for (QRadioButton* b : buttons_)
        b->setChecked(false);
    group_->setExclusive(true);

    for (int n = 1; n <= 16; ++n) {
        const std::string device = devicePath(qx260::link::portDeviceNameFor(n));
        buttons_[n - 1]->setToolTip(device.empty() ? QStringLiteral("(no device)")
                                                   : QString::fromStdString(device));
        buttons_[n - 1]->setEnabled(probe(device));
    }
    const std::string& current = qx260::processValues().portDeviceName;
    if (probe(devicePath(current))) {
        if (const auto n = qx260::link::portNumberFromName(current); n && *n >= 1 && *n <= 16)
            buttons_[*n - 1]->setChecked(true);
    }
}

void CPortSettingDlg::OnOK()
{
    const int n = selectedPort();
    if (n == 0) {
        reject(); // nothing chosen: nothing changes
        return;
    }
    qx260::ProcessValues& pv = qx260::processValues();
    pv.portDeviceName = qx260::link::portDeviceNameFor(n);
    if (pv.userStore)
        qx260::link::storePortNumber(*pv.userStore, qx260::userStoreKey(pv.configurationStore), n);
    accept();
}
