#pragma once
// The program's file choosers. Like message boxes they go through one place, so window
// tests can answer them in advance.

#include <QString>

class QWidget;

namespace qx260
{

// The chosen file, or empty when the user cancelled. proposed is a directory or a file.
QString askOpenFileName(QWidget* parent, const QString& caption, const QString& proposed,
                        const QString& filter);
// defaultSuffix is added to a name typed without one (before the overwrite question).
// selectedFilter, when given, gets the filter the user chose.
QString askSaveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                        const QString& filter, const QString& defaultSuffix,
                        QString* selectedFilter = nullptr);
// An existing folder, or empty when the user cancelled; proposed is where the chooser opens.
QString askFolderName(QWidget* parent, const QString& caption, const QString& proposed);

namespace filetest
{ // for tests only
// Queues the answer of the next chooser (an empty text answers Cancel), with the filter
// chosen in it (empty: the first one offered).
void answerNext(const QString& fileName, const QString& filter = {});
// What the last chooser proposed.
QString lastProposed();
void reset();
} // namespace filetest

} // namespace qx260
