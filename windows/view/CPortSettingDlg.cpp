// The Port Setting dialog: its sixteen port buttons laid out from the template, each
// looked at when the dialog opens and every second while it is open, the list of the
// ports that are there with their reasons and adapters, and OK storing the chosen port.

#include "windows/view/CPortSettingDlg.h"

#include <algorithm>

#include <QButtonGroup>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include "core/config/ProcessValues.h"
#include "core/config/Texts.h"
#include "core/config/UserStore.h"
#include "core/link/PortNaming.h"
#include "platform/PortSettings.h"
#include "platform/PortSurvey.h"
#include "platform/Resources.h"
#include "windows/common/DialogUnits.h"
#include "windows/common/DisplayText.h"
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
// The list of the ports that are there, between the group box and the buttons; the
// buttons move down by its height.
const QRect kListRect(7, 80, 156, 64);
const int kListShift = 68;
const int kRefreshMs = 1000;

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
    status = [](const std::string& device) { return qx260::link::portStatus(device); };
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
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("ports"));
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setFocusPolicy(Qt::NoFocus); // the buttons above are the choice; this only tells
    list_->setHeaderHidden(true);
    list_->setColumnCount(2);
    list_->setAccessibleName(templateText(-1, QStringLiteral("Port")));
    list_->setGeometry(qx260::dialogUnitsToPixels(font, kListRect).adjusted(0, 0, 4 * extra, 0));
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    const int shift = qx260::dialogUnitsToPixels(font, QSize(0, kListShift)).height();
    const QSize size = qx260::dialogUnitsToPixels(font, kSize);
    setFixedSize(size.width() + 4 * extra, size.height() + shift);
    auto* ok = new QPushButton(templateText(1, QStringLiteral("OK")), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    ok->setGeometry(qx260::dialogUnitsToPixels(font, kOkRect).translated(extra, shift));
    auto* cancel = new QPushButton(templateText(2, QStringLiteral("Cancel")), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setGeometry(qx260::dialogUnitsToPixels(font, kCancelRect).translated(3 * extra, shift));
    connect(ok, &QPushButton::clicked, this, &CPortSettingDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    timer_ = new QTimer(this);
    timer_->setInterval(kRefreshMs);
    connect(timer_, &QTimer::timeout, this, &CPortSettingDlg::refresh);
    connect(this, &QDialog::finished, timer_, &QTimer::stop);
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
    timer_->start();
    const int result = QDialog::exec();
    timer_->stop();
    return result;
}

void CPortSettingDlg::OnInitDialog()
{
    group_->setExclusive(false);
    for (QRadioButton* b : buttons_)
        b->setChecked(false);
    group_->setExclusive(true);

    seen_.clear();
    refresh();
    const std::string& current = qx260::processValues().portDeviceName;
    if (status(devicePath(current)).state == qx260::link::PortState::Free) {
        if (const auto n = qx260::link::portNumberFromName(current); n && *n >= 1 && *n <= 16)
            buttons_[*n - 1]->setChecked(true);
    }
}

qx260::link::PortStatus CPortSettingDlg::lookAt(const std::string& device)
{
    // Opening a port raises its modem lines, which some cables and devices act on: each
    // device is opened once while the dialog is open, and again only after it went away.
    if (device.empty() || !QFileInfo::exists(QString::fromStdString(device))) {
        seen_.erase(device);
        return status(device);
    }
    const auto known = seen_.find(device);
    if (known != seen_.end())
        return known->second;
    return seen_[device] = status(device);
}

void CPortSettingDlg::refresh()
{
    const qx260::Language language = qx260::processValues().language();
    const qx260::link::PortMapping mapping = qx260::link::systemPortMapping();
    const std::vector<qx260::link::PortListing> ports =
        qx260::link::listPorts(mapping, [this](const std::string& device) { return lookAt(device); });
    list_->clear();
    for (const qx260::link::PortListing& port : ports) {
        QRadioButton* button = buttons_[port.number - 1];
        const bool opens = port.status.state == qx260::link::PortState::Free;
        // A port that went away takes the choice with it: OK must not store a port that
        // does not open.
        if (!opens && button->isChecked()) {
            group_->setExclusive(false);
            button->setChecked(false);
            group_->setExclusive(true);
        }
        button->setEnabled(opens);
        QString details =
            port.device.empty()
                ? QString::fromUtf8(qx260::link::portStatusText(port.status, language).c_str())
                : QString::fromStdString(port.device) + QStringLiteral(": ") +
                      QString::fromStdString(qx260::link::portStatusText(port.status, language));
        const std::string usb = qx260::link::usbText(port.usb);
        if (!usb.empty())
            details += QStringLiteral("; ") + QString::fromStdString(usb);
        button->setToolTip(details);
        button->setAccessibleDescription(details);
        if (port.status.state == qx260::link::PortState::NoDevice ||
            port.status.state == qx260::link::PortState::Absent)
            continue;
        auto* row = new QTreeWidgetItem(list_, {button->text(), details});
        row->setToolTip(1, details);
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
