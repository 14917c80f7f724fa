// Finding and opening help: the help file or the manual's page for a topic, the message
// when neither opens, control ids on widgets, and the F1 filter every window installs.

#include "windows/common/HelpRequest.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVariant>
#include <QWidget>

#include "core/config/FileAccess.h"
#include "core/config/HelpTopics.h"
#include "core/config/ProcessValues.h"
#include "windows/common/DisplayText.h"
#include "windows/common/MessageBox.h"

// Quiet unless asked for (QT_LOGGING_RULES="qx260.help.debug=true"): F1 prints nothing.
Q_LOGGING_CATEGORY(lcHelp, "qx260.help", QtInfoMsg)

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

// The manual's folder as seen from the executable's: the same in the build (bin/ beside
// share/) and under an install prefix. It lies with the program's data, not in the
// documentation folder, which minimal installations leave out.
constexpr char kManualFromExecutable[] = "../share/qx260/manual";
constexpr std::size_t kTopicsFileLimit = 1 << 20;

// The executable's folder, with its trailing separator.
QString executableDirectory()
{
    const QString dir = QString::fromStdString(processValues().executableDirectory);
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() + QLatin1Char('/') : dir;
}

// The folder of the user manual (topics.txt and one folder per language); whether it
// exists is not checked.
QString manualDirectory()
{
    return QDir::cleanPath(executableDirectory() + QLatin1String(kManualFromExecutable));
}

bool openWithDesktop(const QUrl& url)
{
    if (opener())
        return opener()(url);
    return QDesktopServices::openUrl(url);
}

// Desktop handlers (xdg-open among them) drop the #anchor of a file URL, so a page at an
// anchor is opened through a small page of the user's own that sends the browser on to
// it. Without a place to keep that page, the page itself opens, at its top.
QUrl keepingAnchor(const QUrl& page)
{
    if (!page.hasFragment())
        return page;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return page;
    QSaveFile file(QDir(folder).filePath(QStringLiteral("help-topic.html")));
    if (!file.open(QIODevice::WriteOnly))
        return page;
    file.write(helpRedirectPage(page));
    if (!file.commit())
        return page;
    return QUrl::fromLocalFile(file.fileName());
}

// The page of the manual a topic opens: its file URL with the anchor, or no URL when the
// manual is not there (lookedFor then names the file that was missing).
struct ManualPage {
    QUrl url;
    QString lookedFor;
};

ManualPage manualPage(int topic)
{
    const QDir manual(manualDirectory());
    const QString language = QLatin1String(isChinese(processValues().language()) ? "zh" : "en");
    // Without a readable map every topic opens the contents.
    const FileReadResult map =
        readSmallFile(manual.filePath(QStringLiteral("topics.txt")).toStdString(), kTopicsFileLimit);
    const HelpTopics topics = HelpTopics::parse(
        map.ok() ? std::string_view(reinterpret_cast<const char*>(map.bytes.data()), map.bytes.size())
                 : std::string_view());
    for (const std::string& place : {topics.placeOf(topic), std::string(HelpTopics::kContentsPage)}) {
        const QString text = QString::fromStdString(place);
        const QString page = language + QLatin1Char('/') + text.section(QLatin1Char('#'), 0, 0);
        if (!QFileInfo(manual.filePath(page)).isFile())
            continue;
        QUrl url = QUrl::fromLocalFile(manual.absoluteFilePath(page));
        if (text.contains(QLatin1Char('#')))
            url.setFragment(text.section(QLatin1Char('#'), 1));
        return {url, {}};
    }
    return {{}, manual.filePath(language + QStringLiteral("/index.html"))};
}

// The help file or the manual's page was there, but the desktop could not open it.
void tellNotOpened(const QString& file)
{
    showMessage(QApplication::activeWindow(), applicationCaption(),
                programText(Text::ManualNotOpened).arg(QDir::toNativeSeparators(file)));
}

} // namespace

QString helpFilePath()
{
    const ProcessValues& pv = processValues();
    if (pv.helpFileName.empty())
        return {};
    return executableDirectory() + QString::fromStdString(pv.helpFileName);
}

bool openHelpFile(const QString& helpFile, int topic)
{
    if (helpFile.isEmpty() || !QFileInfo(helpFile).isFile()) {
        qCDebug(lcHelp) << "help topic" << topic << "requested; no help file" << helpFile;
        return false;
    }
    // The desktop handler opens the file as a whole; the topic cannot be passed on.
    qCDebug(lcHelp) << "help topic" << topic << "requested; opening" << helpFile;
    return openWithDesktop(QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath()));
}

void requestHelpTopic(int topic)
{
    if (opener()) // under test: the test reads back what was asked for
        requestedTopics().append(topic);
    const QString helpFile = helpFilePath();
    if (!helpFile.isEmpty() && QFileInfo(helpFile).isFile()) {
        if (!openHelpFile(helpFile, topic))
            tellNotOpened(helpFile);
        return;
    }
    const ManualPage page = manualPage(topic);
    if (!page.url.isValid()) {
        showMessage(
            QApplication::activeWindow(), applicationCaption(),
            programText(Text::ManualNotFound)
                .arg(QDir::toNativeSeparators(page.lookedFor),
                     QDir::toNativeSeparators(helpFile.isEmpty() ? executableDirectory() : helpFile)));
        return;
    }
    qCDebug(lcHelp) << "help topic" << topic << "requested; opening" << page.url;
    if (!openWithDesktop(keepingAnchor(page.url)))
        tellNotOpened(page.url.toLocalFile());
}

QByteArray helpRedirectPage(const QUrl& target)
{
    const QByteArray url = QString::fromLatin1(target.toEncoded()).toHtmlEscaped().toUtf8();
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n"
           "<meta http-equiv=\"refresh\" content=\"0; url=" +
           url + "\">\n<title>qx260</title></head>\n<body><p><a href=\"" + url + "\">" + url +
           "</a></p></body></html>\n";
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
