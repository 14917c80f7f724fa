// The import dialog's rows, check boxes and first channel; see CImportRowsDlg.h.

#include "windows/view/CImportRowsDlg.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/channels/Channel.h"
#include "windows/common/DialogUnits.h"
#include "windows/common/DisplayText.h"

namespace
{

QString text(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QTableWidgetItem* readOnlyItem(const QString& text, bool enabled)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(enabled ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
    return item;
}

} // namespace

CImportRowsDlg::CImportRowsDlg(const qx260::ImportFile& file, const QString& fileName, int firstChannel,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog), file_(file)
{
    using qx260::programText;
    using qx260::Text;
    setObjectName(QStringLiteral("CImportRowsDlg"));
    setFont(qx260::dialogFont(QStringLiteral("MS Sans Serif"), 8));
    setModal(true);
    setWindowTitle(programText(Text::ImportCaption));

    intro_ = new QLabel(this);
    intro_->setObjectName(QStringLiteral("intro"));
    intro_->setWordWrap(true);
    QString intro = programText(Text::ImportDialogIntro).replace(QStringLiteral("%1"), fileName);
    if (!file.bandNote.empty())
        intro += QLatin1Char('\n') + text(file.bandNote);
    intro_->setText(intro);

    rows_ = new QTableWidget(static_cast<int>(file.rows.size()), ReasonColumn + 1, this);
    rows_->setObjectName(QStringLiteral("rows"));
    rows_->setHorizontalHeaderLabels(
        {programText(Text::ImportColumnLine), programText(Text::ImportColumnName),
         programText(Text::ImportColumnFrequency), programText(Text::ImportColumnTones),
         programText(Text::ImportColumnChannel), programText(Text::ImportColumnReason)});
    rows_->verticalHeader()->hide();
    rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rows_->setSelectionMode(QAbstractItemView::SingleSelection);
    rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows_->setTabKeyNavigation(false);
    rows_->horizontalHeader()->setStretchLastSection(true);
    rows_->setMinimumSize(qx260::dialogUnitsToPixels(font(), QSize(360, 150)));
    rows_->setAccessibleName(programText(Text::ImportCaption));

    const std::vector<bool> fitting = qx260::fittingSelection(file, firstChannel);
    for (int r = 0; r < rows_->rowCount(); ++r) {
        const qx260::ImportRow& row = file.rows[static_cast<std::size_t>(r)];
        // A row that cannot be taken is greyed: no check box to tick, its reason beside it.
        auto* line = new QTableWidgetItem(QString::number(row.line));
        line->setFlags(row.fits ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable
                                : Qt::NoItemFlags);
        line->setCheckState(fitting[static_cast<std::size_t>(r)] ? Qt::Checked : Qt::Unchecked);
        rows_->setItem(r, LineColumn, line);
        rows_->setItem(r, NameColumn, readOnlyItem(text(row.name), row.fits));
        rows_->setItem(r, FrequencyColumn, readOnlyItem(text(row.frequency), row.fits));
        rows_->setItem(r, TonesColumn, readOnlyItem(text(row.tones), row.fits));
        rows_->setItem(r, ChannelColumn, readOnlyItem(QString(), row.fits));
        rows_->setItem(r, ReasonColumn, readOnlyItem(text(row.reason), row.fits));
    }
    rows_->resizeColumnsToContents();

    auto* firstLabel = new QLabel(programText(Text::ImportFirstChannel), this);
    first_ = new QSpinBox(this);
    first_->setObjectName(QStringLiteral("firstChannel"));
    first_->setRange(1, qx260::kChannelCount);
    first_->setValue(std::clamp(firstChannel, 1, qx260::kChannelCount));
    qx260::labelFor(firstLabel, first_);

    ok_ = new QPushButton(programText(Text::OkButton), this);
    ok_->setObjectName(QStringLiteral("ok"));
    cancel_ = new QPushButton(programText(Text::CancelButton), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    ok_->setDefault(true);
    cancel_->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(firstLabel);
    bottom->addWidget(first_);
    bottom->addStretch(1);
    bottom->addWidget(ok_);
    bottom->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro_);
    layout->addWidget(rows_, 1);
    layout->addLayout(bottom);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(rows_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == LineColumn)
            showChannels();
    });
    connect(first_, &QSpinBox::valueChanged, this, [this] { showChannels(); });
    showChannels();

    // The keyboard starts on the first row that can be taken: Space toggles it, the arrows
    // move, Enter is OK.
    for (int r = 0; r < rows_->rowCount(); ++r)
        if (file.rows[static_cast<std::size_t>(r)].fits) {
            rows_->setCurrentCell(r, LineColumn);
            break;
        }
    rows_->setFocus();
}

std::vector<bool> CImportRowsDlg::chosen() const
{
    std::vector<bool> out(static_cast<std::size_t>(rows_->rowCount()), false);
    for (int r = 0; r < rows_->rowCount(); ++r)
        out[static_cast<std::size_t>(r)] = rows_->item(r, LineColumn)->checkState() == Qt::Checked;
    return out;
}

int CImportRowsDlg::firstChannel() const
{
    return first_->value();
}

// The channel column (and the reason of a checked row past channel 16) as the checks and
// the first channel now say.
void CImportRowsDlg::showChannels()
{
    const QSignalBlocker blocker(rows_);
    const std::vector<bool> checked = chosen();
    const std::vector<int> channels = qx260::plannedChannels(checked, firstChannel());
    for (int r = 0; r < rows_->rowCount(); ++r) {
        const auto i = static_cast<std::size_t>(r);
        const qx260::ImportRow& row = file_.rows[i];
        rows_->item(r, ChannelColumn)->setText(channels[i] ? QString::number(channels[i]) : QString());
        if (row.fits)
            rows_->item(r, ReasonColumn)
                ->setText(checked[i] && !channels[i] ? qx260::programText(qx260::Text::ImportNoChannelLeft)
                                                     : QString());
    }
}
