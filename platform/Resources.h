#pragma once
// Texts of the loaded language module: the string table, menus, accelerators, toolbar
// and dialog templates, looked up by resource id (ids in res/ResourceIds.h).
//
// One module is loaded per process. Until one is loaded every lookup answers empty.

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>

namespace qx260
{

// Loads the language module at path and makes it the source of every later lookup.
// On failure the module loaded before (if any) stays in use and *error says what failed.
bool loadResourceLibrary(const QString& path, QString* error = nullptr);
void unloadResourceLibrary();
bool resourceLibraryLoaded();
// Name the loaded module gives itself ("English", "Chinese"); empty when none is loaded.
QString resourceLanguageName();

// The module file of a language: languageName + the platform's shared-library suffix,
// in executableDirectory (with its trailing separator) or, installed, in ../lib/qx260/
// beside it; the one beside the executable when neither exists. A language name that is
// empty or holds a path separator names no module: the result is empty.
QString languageModulePath(const QString& executableDirectory, const QString& languageName);

// String table; empty when missing.
QString resourceString(int id);
// The same, with the program's own text when the module lacks it.
QString resourceString(int id, const QString& fallback);
// A string of the table, with the built-in English one when no module gives it.
QString resourceMessage(int id);
// The parts of a command prompt: the status-bar text before the line break and the
// tooltip after it (the whole prompt is the status text when it has no line break).
QString commandStatusText(int command);
QString commandToolTip(int command);

// controlId 0 is the dialog's caption; static controls without an id are -1, -2, ...
// in template order. Empty when missing.
QString dialogText(int dialogId, int controlId);
QString dialogText(int dialogId, int controlId, const QString& fallback);
bool hasDialogText(int dialogId, int controlId);

struct DialogText {
    int controlId = 0;
    QString text;
};
// Every text of a template in template order, caption first.
QList<DialogText> dialogTexts(int dialogId);
// Items a template puts into a list control.
QStringList dialogListItems(int dialogId, int controlId);

// One line of a menu in display order: level 0 = top-level popup, level 1 = its items.
struct MenuEntry {
    int level = 0;
    int command = 0; // 0 for popups and separators
    QString text;    // "&" marks the mnemonic, "\t" starts the shortcut text
    bool separator = false;
};
QList<MenuEntry> menuEntries(int menuId);

struct AcceleratorEntry {
    QKeySequence keys;
    int command = 0;
};
QList<AcceleratorEntry> accelerators(int tableId);

// Commands of the toolbar's buttons in order; 0 stands for a separator.
QList<int> toolbarCommands(int toolbarId);

} // namespace qx260
