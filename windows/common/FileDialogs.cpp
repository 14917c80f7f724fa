#include "windows/common/FileDialogs.h"

#include <QFileDialog>
#include <QQueue>

namespace qx260
{
namespace
{

struct Hooks {
    QQueue<QString> answers;
    QString lastProposed;
};

Hooks& hooks()
{
    static Hooks h;
    return h;
}

bool takeAnswer(const QString& proposed, QString* answer)
{
    hooks().lastProposed = proposed;
    if (hooks().answers.isEmpty())
        return false;
    *answer = hooks().answers.dequeue();
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
                        const QString& filter, const QString& defaultSuffix)
{
    QString answer;
    if (takeAnswer(proposed, &answer))
        return answer;
    QFileDialog dialog(parent, caption, proposed, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

namespace filetest
{
void answerNext(const QString& fileName)
{
    hooks().answers.enqueue(fileName);
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
