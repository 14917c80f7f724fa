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
    return count == 1 ? qx260::pickText("1 setting", "1 项设置")
                      : qx260::pickText("%1 settings", "%1 项设置").arg(count);
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
    QStringList columns{qx260::pickText("Setting", "项目")};
    switch (purpose) {
    case Purpose::Review:
        title = qx260::pickText("Write Data: What Will Change", "写数据：将要更改的内容");
        headingText =
            count == 0 ? qx260::pickText("The radio already holds what this document holds: writing changes "
                                         "nothing. Write it all the same?",
                                         "电台中已经是本文档的内容，写入不会更改任何内容。仍要写入吗？")
                       : qx260::pickText("Writing this document changes %1 of the radio:",
                                         "写入本文档将更改电台的 %1：")
                             .arg(settings(count));
        columns << qx260::pickText("In the radio now", "电台中现在")
                << qx260::pickText("After writing", "写入后");
        accept_->setText(qx260::pickText("Write", "写入"));
        close_->setText(qx260::pickText("Cancel", "取消"));
        break;
    case Purpose::Compare:
        title = qx260::pickText("Compare with Radio", "与电台比较");
        headingText =
            count == 0
                ? qx260::pickText("The radio holds what this document holds.", "电台中的内容与本文档相同。")
                : qx260::pickText("The radio differs from this document in %1:", "电台与本文档有 %1不同：")
                      .arg(settings(count));
        columns << qx260::pickText("In the radio", "电台中") << qx260::pickText("In the document", "文档中");
        close_->setText(qx260::pickText("Close", "关闭"));
        break;
    case Purpose::Verify:
        title = qx260::pickText("Write Data: Verify", "写数据：校验");
        headingText = qx260::pickText("The radio does not hold what was written. It differs in %1:",
                                      "电台中的内容与写入的不同，有 %1不同：")
                          .arg(settings(count));
        columns << qx260::pickText("Written", "已写入") << qx260::pickText("Read back", "读回");
        accept_->setText(qx260::pickText("Write Again", "重新写入"));
        close_->setText(qx260::pickText("Close", "关闭"));
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
