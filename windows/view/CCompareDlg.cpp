// The difference view: a heading that says what is compared and how much differs, the
// rows under three columns, a note, and the buttons of its purpose.

#include "windows/view/CCompareDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/config/ProcessValues.h"
#include "windows/common/DialogUnits.h"
#include "windows/common/DisplayText.h"

namespace
{

// "1 setting", "3 settings" (Chinese has one form).
QString settings(int count)
{
    return count == 1 ? qx260::programText(qx260::Text::OneSetting)
                      : qx260::programText(qx260::Text::SeveralSettings).arg(count);
}

QString text(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
} // namespace

CCompareDlg::CCompareDlg(QWidget* parent) : QDialog(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("CCompareDlg"));
    setFont(qx260::dialogFont(QStringLiteral("MS Sans Serif"), 8));
    setModal(true);

    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("heading"));
    heading_->setWordWrap(true);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("differences"));
    list_->setRootIsDecorated(false);
    list_->setAlternatingRowColors(true);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setColumnCount(3);
    list_->header()->setStretchLastSection(true);
    list_->setMinimumSize(qx260::dialogUnitsToPixels(font(), QSize(300, 120)));
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("note"));
    note_->setWordWrap(true);
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    accept_ = new QPushButton(this);
    accept_->setObjectName(QStringLiteral("accept"));
    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("close"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(accept_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(list_, 1);
    layout->addWidget(note_);
    layout->addLayout(buttons);

    accept_->setAutoDefault(false);
    close_->setDefault(true);

    connect(accept_, &QPushButton::clicked, this, &QDialog::accept);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}

void CCompareDlg::setUp(Purpose purpose, const std::vector<qx260::DifferenceRow>& rows,
                        const QString& noteText)
{
    purpose_ = purpose;
    const int count = static_cast<int>(rows.size());
    QString title;
    QString headingText;
    QStringList columns{qx260::programText(qx260::Text::SettingColumn)};
    switch (purpose) {
    case Purpose::Review:
        title = qx260::programText(qx260::Text::ReviewCaption);
        headingText = count == 0 ? qx260::programText(qx260::Text::ReviewNothingChanges)
                                 : qx260::programText(qx260::Text::ReviewChanges).arg(settings(count));
        columns << qx260::programText(qx260::Text::ReviewBeforeColumn)
                << qx260::programText(qx260::Text::ReviewAfterColumn);
        accept_->setText(qx260::programText(qx260::Text::WriteButton));
        close_->setText(qx260::programText(qx260::Text::CancelButton));
        break;
    case Purpose::Compare:
        title = qx260::programText(qx260::Text::CompareCaption);
        headingText = count == 0 ? qx260::programText(qx260::Text::CompareSame)
                                 : qx260::programText(qx260::Text::CompareDiffers).arg(settings(count));
        columns << qx260::programText(qx260::Text::CompareRadioColumn)
                << qx260::programText(qx260::Text::CompareDocumentColumn);
        close_->setText(qx260::programText(qx260::Text::CloseButton));
        break;
    case Purpose::Verify:
        title = qx260::programText(qx260::Text::VerifyCaption);
        headingText = qx260::programText(qx260::Text::VerifyDiffers).arg(settings(count));
        columns << qx260::programText(qx260::Text::VerifyWrittenColumn)
                << qx260::programText(qx260::Text::VerifyReadBackColumn);
        accept_->setText(qx260::programText(qx260::Text::WriteAgainButton));
        close_->setText(qx260::programText(qx260::Text::CloseButton));
        break;
    }
    setWindowTitle(title);
    heading_->setText(headingText);
    list_->clear();
    list_->setHeaderLabels(columns);
    for (const qx260::DifferenceRow& row : rows)
        list_->addTopLevelItem(
            new QTreeWidgetItem(QStringList{text(row.what), text(row.before), text(row.after)}));
    list_->setVisible(count > 0);
    // The first two columns as wide as their texts, with room between them.
    const int gap = list_->fontMetrics().averageCharWidth() * 3;
    for (int c = 0; c < 2; ++c) {
        list_->resizeColumnToContents(c);
        list_->setColumnWidth(c, list_->columnWidth(c) + gap);
    }
    note_->setText(noteText);
    note_->setVisible(!noteText.isEmpty());
    accept_->setVisible(purpose != Purpose::Compare);
    // Nothing is written by an Enter pressed in passing: Write is a click of its own.
    close_->setFocus();
    adjustSize();
}
