// The Write to Several Radios dialog: the port choice, then a bar and a result per port
// while the ports' threads write, read from their activity by a timer on the window's
// thread; once they are finished, the same write again to the ports whose radio failed.

#include "windows/view/CFleetWriteDlg.h"
#include "windows/common/DisplayText.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/config/ProcessValues.h"
#include "core/link/FleetWrite.h"
#include "core/link/PortNaming.h"
#include "platform/PortSettings.h"
#include "platform/PortThreads.h"
#include "platform/QtSerialLink.h"

namespace
{

std::string deviceOf(int number)
{
    return qx260::link::resolvePortDevice(qx260::link::portDeviceNameFor(number),
                                          qx260::link::systemPortMapping())
        .value_or(std::string());
}

} // namespace

// A port being written: its row of the window, and what its thread leaves there.
struct CFleetWriteDlg::PortRow {
    int number = 0; // COM1..COM16
    QString name;
    std::string device;
    qx260::link::PortActivity activity;
    qx260::link::RadioTurn turn; // written by the port's thread before `done`
    std::atomic<bool> done{false};
    QLabel* label = nullptr;
    QProgressBar* bar = nullptr;
    QLabel* result = nullptr;
};

CFleetWriteDlg::CFleetWriteDlg(QWidget* parent) : QDialog(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("CFleetWriteDlg"));
    setWindowTitle(qx260::programText(qx260::Text::FleetCaption));
    probe = [](const std::string& device) {
        return !device.empty() && qx260::link::QtSerialLink::probe(device);
    };

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // grows with the rows and their results
    auto* box = new QGroupBox(qx260::programText(qx260::Text::FleetPorts), this);
    auto* grid = new QGridLayout(box);
    for (int n = 1; n <= 16; ++n) {
        ports_[n - 1] = new QCheckBox(QStringLiteral("COM%1").arg(n), box);
        ports_[n - 1]->setObjectName(QStringLiteral("COM%1").arg(n));
        grid->addWidget(ports_[n - 1], (n - 1) / 4, (n - 1) % 4);
        connect(ports_[n - 1], &QCheckBox::toggled, this, &CFleetWriteDlg::updateWriteButton);
    }
    layout->addWidget(box);

    verify_ = new QCheckBox(qx260::programText(qx260::Text::FleetVerify), this);
    verify_->setObjectName(QStringLiteral("verify"));
    layout->addWidget(verify_);

    rowsLayout_ = new QGridLayout;
    rowsLayout_->setColumnStretch(2, 1);
    layout->addLayout(rowsLayout_);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    write_ = new QPushButton(qx260::programText(qx260::Text::WriteButton), this);
    write_->setObjectName(QStringLiteral("write"));
    write_->setDefault(true);
    again_ = new QPushButton(qx260::programText(qx260::Text::FleetWriteAgain), this);
    again_->setObjectName(QStringLiteral("again"));
    again_->hide();
    buttons->addWidget(again_);
    cancel_ = new QPushButton(qx260::programText(qx260::Text::CancelButton), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    buttons->addWidget(write_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    connect(write_, &QPushButton::clicked, this, &CFleetWriteDlg::OnWrite);
    connect(cancel_, &QPushButton::clicked, this, &CFleetWriteDlg::OnCancel);
    connect(again_, &QPushButton::clicked, this, &CFleetWriteDlg::OnWriteAgain);

    timer_ = new QTimer(this);
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &CFleetWriteDlg::refresh);
}

CFleetWriteDlg::~CFleetWriteDlg()
{
    if (cancelFlag_)
        *cancelFlag_ = true;
    threads_.reset(); // every port's thread has returned before its row goes
}

QCheckBox* CFleetWriteDlg::portBox(int number) const
{
    return number >= 1 && number <= 16 ? ports_[number - 1] : nullptr;
}

QProgressBar* CFleetWriteDlg::progressBar(int row) const
{
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(row)]->bar
                                                            : nullptr;
}

QLabel* CFleetWriteDlg::resultText(int row) const
{
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(row)]->result
                                                            : nullptr;
}

void CFleetWriteDlg::prepare(const qx260::RadioImage& image)
{
    image_ = image;
    for (int n = 1; n <= 16; ++n) {
        const std::string device = deviceOf(n);
        ports_[n - 1]->setToolTip(device.empty() ? QStringLiteral("(no device)")
                                                 : QString::fromStdString(device));
        const bool opens = probe(device);
        ports_[n - 1]->setEnabled(opens);
        if (!opens)
            ports_[n - 1]->setChecked(false);
    }
    updateWriteButton();
}

int CFleetWriteDlg::run(const qx260::RadioImage& image)
{
    prepare(image);
    return exec();
}

void CFleetWriteDlg::updateWriteButton()
{
    bool any = false;
    for (QCheckBox* box : ports_)
        any = any || (box->isEnabled() && box->isChecked());
    write_->setEnabled(any && !running_ && rows_.empty());
}

void CFleetWriteDlg::OnWrite()
{
    if (running_ || !rows_.empty())
        return;
    std::vector<int> chosen;
    for (int n = 1; n <= 16; ++n)
        if (ports_[n - 1]->isEnabled() && ports_[n - 1]->isChecked())
            chosen.push_back(n);
    if (chosen.empty())
        return;
    for (QCheckBox* box : ports_)
        box->setEnabled(false);
    verify_->setEnabled(false);
    startPorts(chosen, verify_->isChecked());
}

void CFleetWriteDlg::OnWriteAgain()
{
    if (running_)
        return;
    std::vector<int> failed;
    for (const auto& row : rows_)
        if (row->done && !row->turn.ok())
            failed.push_back(row->number);
    if (failed.empty())
        return;
    // The rows of the last run go; the boxes show the ports written now. The verify
    // choice stays as it was.
    for (const auto& row : rows_) {
        delete row->label;
        delete row->bar;
        delete row->result;
    }
    rows_.clear();
    for (int n = 1; n <= 16; ++n)
        ports_[n - 1]->setChecked(std::find(failed.begin(), failed.end(), n) != failed.end());
    summary_->clear();
    startPorts(failed, verify_->isChecked());
}

void CFleetWriteDlg::startPorts(const std::vector<int>& numbers, bool verify)
{
    for (int n : numbers) {
        auto row = std::make_unique<PortRow>();
        row->number = n;
        row->name = ports_[n - 1]->text();
        row->device = deviceOf(n);
        const int at = static_cast<int>(rows_.size());
        row->label = new QLabel(row->name, this);
        rowsLayout_->addWidget(row->label, at, 0);
        row->bar = new QProgressBar(this);
        row->bar->setObjectName(QStringLiteral("progress%1").arg(n));
        row->bar->setRange(0, qx260::link::wire::kBlockCount * (verify ? 2 : 1));
        row->bar->setValue(0);
        row->bar->setTextVisible(false);
        row->bar->setMinimumWidth(160);
        rowsLayout_->addWidget(row->bar, at, 1);
        row->result = new QLabel(this);
        row->result->setObjectName(QStringLiteral("result%1").arg(n));
        row->result->setMinimumWidth(300);
        row->result->setWordWrap(true);
        rowsLayout_->addWidget(row->result, at, 2);
        rows_.push_back(std::move(row));
    }

    running_ = true;
    updateWriteButton();
    again_->hide();
    cancel_->setText(qx260::programText(qx260::Text::CancelButton));
    cancel_->setEnabled(true);
    cancelFlag_ = std::make_shared<std::atomic<bool>>(false);
    qx260::link::FleetSettings settings;
    settings.verify = verify;
    settings.cancelRequested = [flag = cancelFlag_] { return flag->load(); };
    threads_ = std::make_unique<qx260::link::PortThreads>();
    for (const auto& row : rows_) {
        PortRow* mine = row.get();
        threads_->start([mine, settings, image = image_](qx260::link::SerialLink& link) {
            mine->turn = qx260::link::writeRadioTurn(link, mine->device, image, settings, mine->activity);
            mine->done = true;
        });
    }
    refresh();
    timer_->start();
}

void CFleetWriteDlg::refresh()
{
    using qx260::link::PortActivity;
    const qx260::Language language = qx260::processValues().language();
    int finished = 0;
    int ok = 0;
    for (const auto& row : rows_) {
        if (row->done) {
            ++finished;
            ok += row->turn.ok() ? 1 : 0;
            QString summary = QString::fromStdString(qx260::link::turnSummary(row->turn, language));
            // A sentence of its own here: "OK, verified", "No answer ...".
            if (summary.startsWith(QStringLiteral("ok")))
                summary.replace(0, 2, QStringLiteral("OK"));
            else if (!summary.isEmpty())
                summary[0] = summary[0].toUpper();
            row->result->setText(summary + QStringLiteral(" (%1 s)").arg(row->turn.seconds, 0, 'f', 1));
            if (row->turn.written())
                row->bar->setValue(row->bar->maximum());
            continue;
        }
        const int stage = row->activity.stage;
        const int blocks = row->activity.blocks;
        if (stage == PortActivity::Verify) {
            row->bar->setValue(qx260::link::wire::kBlockCount + blocks);
            row->result->setText(qx260::programText(qx260::Text::FleetVerifying));
        } else if (stage == PortActivity::Write) {
            row->bar->setValue(blocks);
            row->result->setText(qx260::programText(qx260::Text::FleetWriting));
        } else {
            row->result->setText(qx260::programText(qx260::Text::FleetConnecting));
        }
    }
    const int total = static_cast<int>(rows_.size());
    if (finished < total)
        return;
    timer_->stop();
    threads_.reset();
    running_ = false;
    cancel_->setText(qx260::programText(qx260::Text::CloseButton));
    cancel_->setEnabled(true);
    again_->setVisible(ok < total);
    summary_->setText(qx260::programText(qx260::Text::FleetSummary).arg(ok).arg(total));
}

void CFleetWriteDlg::OnCancel()
{
    if (!running_) {
        QDialog::reject();
        return;
    }
    // Each port ends at its next block; the window stays until every one has.
    *cancelFlag_ = true;
    cancel_->setEnabled(false);
}

void CFleetWriteDlg::reject()
{
    OnCancel();
}

void CFleetWriteDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    OnCancel();
}
