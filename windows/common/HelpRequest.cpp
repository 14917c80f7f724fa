#include "windows/common/HelpRequest.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include "core/config/ProcessValues.h"

Q_LOGGING_CATEGORY(lcHelp, "qx260.help")

namespace qx260 {
namespace {

std::function<bool(const QUrl&)>& opener() {
    static std::function<bool(const QUrl&)> o;
    return o;
}

QList<int>& requestedTopics() {
    static QList<int> topics;
    return topics;
}

}  // namespace

QString helpFilePath() {
    const ProcessValues& pv = processValues();
    if (pv.helpFileName.empty())
        return {};
    QString dir = QString::fromStdString(pv.executableDirectory);
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    return dir + QString::fromStdString(pv.helpFileName);
}

bool openHelpFile(const QString& helpFile, int topic) {
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

void requestHelpTopic(int topic) {
    if (opener())  // under test: the test reads back what was asked for
        requestedTopics().append(topic);
    openHelpFile(helpFilePath(), topic);
}

namespace helptest {
void setOpener(std::function<bool(const QUrl&)> o) { opener() = std::move(o); }
QList<int> takeRequestedTopics() {
    QList<int> topics;
    topics.swap(requestedTopics());
    return topics;
}
}  // namespace helptest

}  // namespace qx260
