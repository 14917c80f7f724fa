#include "windows/common/HelpRequest.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QVariant>
#include <QWidget>

#include "core/config/ProcessValues.h"

Q_LOGGING_CATEGORY(lcHelp, "qx260.help")

namespace qx260
{
namespace
{

std::function<bool(const QUrl&)>& opener()
{
    static std::function<bool(const QUrl&)> o;
    return o;
}

QList<int>& requestedTopics()
{
    static QList<int> topics;
    return topics;
}

} // namespace

QString helpFilePath()
{
    const ProcessValues& pv = processValues();
    if (pv.helpFileName.empty())
        return {};
    QString dir = QString::fromStdString(pv.executableDirectory);
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    return dir + QString::fromStdString(pv.helpFileName);
}

bool openHelpFile(const QString& helpFile, int topic)
{
    if (helpFile.isEmpty() || !QFileInfo(helpFile).isFile()) {
        qCDebug(lcHelp) << "help topic" << topic << "requested; no help file" << helpFile;
        return false;
    }
    // The desktop handler opens the file as a whole; the topic cannot be passed on.
    qCDebug(lcHelp) << "help topic" << topic << "requested; opening" << helpFile;
    const QUrl url = QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath());
    if (opener())
        return opener()(url);
    return QDesktopServices::openUrl(url);
}

void requestHelpTopic(int topic)
{
    if (opener()) // under test: the test reads back what was asked for
        requestedTopics().append(topic);
    openHelpFile(helpFilePath(), topic);
}

void setControlId(QWidget* control, int id)
{
    control->setProperty(kControlIdProperty, id);
}

std::optional<int> controlIdOf(const QWidget* widget, const QWidget* top)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant id = w->property(kControlIdProperty);
        if (id.isValid())
            return id.toInt();
        if (w == top)
            break;
    }
    return std::nullopt;
}

HelpKey::HelpKey(QWidget* window, TopicOf topicOf) : QObject(window), topicOf_(std::move(topicOf))
{
    window->installEventFilter(this);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
        return false;
    const std::optional<int> topic = topicOf_(target);
    if (!topic)
        return false;
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        emit requested(*topic);
        requestHelpTopic(*topic);
    }
    return true;
}

namespace helptest
{
void setOpener(std::function<bool(const QUrl&)> o)
{
    opener() = std::move(o);
}
QList<int> takeRequestedTopics()
{
    QList<int> topics;
    topics.swap(requestedTopics());
    return topics;
}
} // namespace helptest

} // namespace qx260
