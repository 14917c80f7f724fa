#include "shell/HelpRequest.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include "shell/ProcessValues.h"

Q_LOGGING_CATEGORY(lcHelp, "qx260.help")

namespace qx260 {
namespace {

std::function<bool(const QUrl&)>& opener() {
    static std::function<bool(const QUrl&)> o;
    return o;
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

void requestHelpTopic(int topic) { openHelpFile(helpFilePath(), topic); }

namespace helptest {
void setOpener(std::function<bool(const QUrl&)> o) { opener() = std::move(o); }
}  // namespace helptest

}  // namespace qx260
