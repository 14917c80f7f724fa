#pragma once
// Help for a topic: opens the language's help file beside the executable with the
// desktop's handler. Without a help file nothing happens and nothing is shown.

#include <functional>

#include <QList>
#include <QString>
#include <QUrl>

namespace qx260 {

void requestHelpTopic(int topic);

// The help file the program would open (executable directory + help file name), or empty
// when no help file name is set.
QString helpFilePath();

// Opens helpFile at the topic when the file exists; returns whether it was handed on.
bool openHelpFile(const QString& helpFile, int topic);

namespace helptest {  // for tests only
// Replaces the desktop handler; pass an empty function to restore it.
void setOpener(std::function<bool(const QUrl&)> opener);
// The topics requested since the last call, oldest first, while an opener is set.
QList<int> takeRequestedTopics();
}  // namespace helptest

}  // namespace qx260
