// The Find Radio dialog: the free ports asked at once on their own threads while the
// window's events go on (Close ends the asking at the next step of each port), the answers
// listed, and Use This Port storing the port as Port Setting's OK does.

#include "windows/view/CFindRadioDlg.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/link/PortNaming.h"
#include "core/link/RadioProbe.h"
#include "platform/PortSettings.h"
#include "platform/PortSurvey.h"
#include "windows/common/DisplayText.h"

CFindRadioDlg::CFindRadioDlg(QWidget* parent) : QDialog(parent, Qt::Dialog)
{
    using qx260::programText;
    using qx260::Text;
    setObjectName(QStringLiteral("CFindRadioDlg"));
    setWindowTitle(programText(Text::FindRadioCaption));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(programText(Text::FindRadioNote), this);
    note->setObjectName(QStringLiteral("note"));
    note->setWordWrap(true);
    layout->addWidget(note);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("answers"));
    list_->setRootIsDecorated(false);
    list_->setColumnCount(3);
    list_->setHeaderLabels(
        {programText(Text::FindRadioPortColumn), programText(Text::FindRadioAnswerColumn), QString()});
    list_->setAccessibleName(programText(Text::FindRadioCaption));
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    list_->setMinimumSize(460, 160);
    layout->addWidget(list_);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    layout->addWidget(status_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    find_ = new QPushButton(programText(Text::FindRadioStart), this);
    find_->setObjectName(QStringLiteral("find"));
    find_->setDefault(true);
    close_ = new QPushButton(programText(Text::CloseButton), this);
    close_->setObjectName(QStringLiteral("close"));
    buttons->addWidget(find_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);
    connect(find_, &QPushButton::clicked, this, &CFindRadioDlg::OnFind);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::finished, this, [this] { cancel_ = true; });
}

QPushButton* CFindRadioDlg::useButton(int portNumber) const
{
    for (const auto& [number, button] : useButtons_)
        if (number == portNumber)
            return button;
    return nullptr;
}

void CFindRadioDlg::OnFind()
{
    if (running_)
        return;
    running_ = true;
    cancel_ = false;
    find_->setEnabled(false);
    list_->clear();
    useButtons_.clear();
    status_->setText(qx260::programText(qx260::Text::FindRadioAsking));

    const qx260::Language language = qx260::processValues().language();
    std::vector<int> numbers;
    std::vector<std::string> devices;
    for (const qx260::link::PortListing& port : qx260::link::listPorts(qx260::link::systemPortMapping()))
        if (port.status.state == qx260::link::PortState::Free) {
            numbers.push_back(port.number);
            devices.push_back(port.device);
        }
    // The window's events go on while the ports answer; Close ends the asking.
    const std::vector<qx260::link::ProbeAnswer> answers = qx260::link::probePorts(devices, [this] {
        QCoreApplication::processEvents();
        return cancel_;
    });

    int radios = 0;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const int number = numbers[i];
        auto* row = new QTreeWidgetItem(
            list_,
            {QStringLiteral("COM%1").arg(number),
             QString::fromStdString(devices[i] + ": " + qx260::link::probeAnswerText(answers[i], language))});
        if (answers[i].result != qx260::link::ProbeResult::Radio)
            continue;
        ++radios;
        auto* button = new QPushButton(qx260::programText(qx260::Text::FindRadioUse), list_);
        button->setObjectName(QStringLiteral("use-COM%1").arg(number));
        button->setAccessibleName(qx260::programText(qx260::Text::FindRadioUse).remove(QLatin1Char('&')) +
                                  QStringLiteral(", COM%1").arg(number));
        list_->setItemWidget(row, 2, button);
        connect(button, &QPushButton::clicked, this, [this, number] { use(number); });
        useButtons_.emplace_back(number, button);
    }
    status_->setText(radios == 0 ? qx260::programText(qx260::Text::FindRadioNone) : QString());
    find_->setEnabled(true);
    running_ = false;
}

void CFindRadioDlg::use(int portNumber)
{
    qx260::ProcessValues& pv = qx260::processValues();
    pv.portDeviceName = qx260::link::portDeviceNameFor(portNumber);
    if (pv.userStore)
        qx260::link::storePortNumber(*pv.userStore, qx260::userStoreKey(pv.configurationStore), portNumber);
    accept();
}
