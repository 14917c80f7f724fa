// The file choosers over QFileDialog, each taking a queued test answer first when there
// is one, and the test hooks that queue those answers.

#include "windows/common/FileDialogs.h"

#include <QFileDialog>
#include <QQueue>

namespace qx260
{
namespace
{

struct Answer {
    QString fileName;
    QString filter;
};

struct Hooks {
    QQueue<Answer> answers;
    QString lastProposed;
};

Hooks& hooks()
{
    static Hooks h;
    return h;
}

bool takeAnswer(const QString& proposed, QString* answer, const QString& filters = {},
                QString* selectedFilter = nullptr)
{
    hooks().lastProposed = proposed;
    if (hooks().answers.isEmpty())
        return false;
    const Answer a = hooks().answers.dequeue();
    *answer = a.fileName;
    if (selectedFilter)
        *selectedFilter = a.filter.isEmpty() ? filters.section(QStringLiteral(";;"), 0, 0) : a.filter;
    return true;
}

} // namespace

QString askOpenFileName(QWidget* parent, const QString& caption, const QString& proposed,
                        const QString& filter)
{
    QString answer;
    if (takeAnswer(proposed, &answer))
        return answer;
    return QFileDialog::getOpenFileName(parent, caption, proposed, filter);
}

QString askSaveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                        const QString& filter, const QString& defaultSuffix, QString* selectedFilter)
{
    QString answer;
    if (takeAnswer(proposed, &answer, filter, selectedFilter))
        return answer;
    QFileDialog dialog(parent, caption, proposed, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (selectedFilter)
        *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

QString askFolderName(QWidget* parent, const QString& caption, const QString& proposed)
{
    QString answer;
    if (takeAnswer(proposed, &answer))
        return answer;
    return QFileDialog::getExistingDirectory(parent, caption, proposed);
}

namespace filetest
{
void answerNext(const QString& fileName, const QString& filter)
{
    hooks().answers.enqueue({fileName, filter});
}
QString lastProposed()
{
    return hooks().lastProposed;
}
void reset()
{
    hooks().answers.clear();
    hooks().lastProposed.clear();
}
} // namespace filetest

} // namespace qx260
