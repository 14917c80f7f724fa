#pragma once
// Help for a topic. Where the language's help file lies beside the executable (Windows),
// the desktop's handler opens it. Otherwise the user manual's page for the topic, in the
// program's language, opens in the desktop's web browser: the manual lies at
// ../share/qx260/manual from the executable's folder (in the build and installed
// alike), and its topics.txt maps the number to a page and anchor. A page at an anchor
// opens through a small page in the user's cache folder that sends the browser on, as
// desktop handlers drop the anchor of a file URL. When neither is there,
// or the browser cannot be started, a message says so and names the file.
// Every window asks for it the same way: F1 through a HelpKey, at the topic the window
// gives, most often the resource id that the focused control names.

#include <functional>
#include <optional>

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

class QWidget;

namespace qx260
{

void requestHelpTopic(int topic);

// The dynamic property that names a control's resource id: the help topic of F1 while the
// control has the focus, and how tests tell controls apart.
inline constexpr char kControlIdProperty[] = "controlId";
void setControlId(QWidget* control, int id);
// The id that widget names, or else the nearest of its parents up to top (top included);
// none when no widget on the way names one.
std::optional<int> controlIdOf(const QWidget* widget, const QWidget* top);

// The F1 key of a window: an event filter for the widgets where the window takes its keys.
// F1 on one of them, when the window gives a topic for it, requests help at that topic and
// is used up; the shortcut override of F1 is taken too, so that no shortcut gets the key
// first. Without a topic the key goes on as it would.
class HelpKey : public QObject
{
    Q_OBJECT
  public:
    // The topic of F1 pressed on target (the widget the key went to), or none.
    using TopicOf = std::function<std::optional<int>(QWidget* target)>;

    // Watches window, and gets the keys that its controls pass on; a window that takes
    // keys elsewhere too installs the helper there as well.
    HelpKey(QWidget* window, TopicOf topicOf);

  signals:
    // Help was requested at topic.
    void requested(int topic);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TopicOf topicOf_;
};

// The page that sends a browser on to target, anchor and all.
QByteArray helpRedirectPage(const QUrl& target);

// The help file the program would open (executable directory + help file name), or empty
// when no help file name is set.
QString helpFilePath();

// Opens helpFile at the topic when the file exists; returns whether it was handed on.
bool openHelpFile(const QString& helpFile, int topic);

namespace helptest
{ // for tests only
// Replaces the desktop handler (the help file's and the web browser's alike); pass an
// empty function to restore it. Its result stands for whether the handler started.
void setOpener(std::function<bool(const QUrl&)> opener);
// The topics requested since the last call, oldest first, while an opener is set.
QList<int> takeRequestedTopics();
} // namespace helptest

} // namespace qx260
