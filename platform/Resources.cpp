// Loading a language module and copying its tables, finding the module of a language, and
// looking up strings, dialog texts, menus, accelerators and toolbars by id.

#include "platform/Resources.h"

#include <QFile>
#include <QHash>
#include <QLibrary>
#include <QPair>

#include <memory>

#include "core/config/InstallLayout.h"
#include "core/config/Texts.h"
#include "platform/InstallPaths.h"
#include "res/ResourceTable.h"

namespace qx260
{
namespace
{

struct MenuLine {
    int menuId;
    MenuEntry entry;
};
struct AcceleratorLine {
    int tableId;
    AcceleratorEntry entry;
};
struct ToolbarLine {
    int toolbarId;
    int command;
};
struct DialogLine {
    int dialogId;
    DialogText text;
};
struct ListItemLine {
    int dialogId;
    int controlId;
    QString text;
};

// Everything of one module, copied out of its table so that nothing points into the
// library's memory.
struct LoadedResources {
    std::unique_ptr<QLibrary> library;
    QString languageName;
    QHash<int, QString> strings;
    QList<MenuLine> menus;
    QList<AcceleratorLine> accelerators;
    QList<ToolbarLine> toolbar;
    QList<DialogLine> dialogs;
    QHash<QPair<int, int>, QString> dialogIndex;
    QList<ListItemLine> listItems;
};

std::unique_ptr<LoadedResources>& current()
{
    static std::unique_ptr<LoadedResources> resources;
    return resources;
}

QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

// Array pointer and count must agree; a module with a negative count or a null array
// of nonzero length is not trusted.
template <typename T> bool validArray(const T* items, int count)
{
    return count >= 0 && (count == 0 || items != nullptr);
}

bool copyTable(const res::ResourceTable& table, LoadedResources& out)
{
    if (!validArray(table.strings, table.stringCount) || !validArray(table.menuItems, table.menuItemCount) ||
        !validArray(table.accelerators, table.acceleratorCount) ||
        !validArray(table.toolbarButtons, table.toolbarButtonCount) ||
        !validArray(table.dialogTexts, table.dialogTextCount) ||
        !validArray(table.dialogListItems, table.dialogListItemCount))
        return false;

    out.languageName = text(table.languageName);
    for (int i = 0; i < table.stringCount; ++i) {
        const auto& s = table.strings[i];
        out.strings.insert(s.id, text(s.text));
    }
    for (int i = 0; i < table.menuItemCount; ++i) {
        const auto& m = table.menuItems[i];
        MenuEntry e;
        e.level = m.level;
        e.command = m.separator ? 0 : m.command;
        e.text = m.separator ? QString() : text(m.text);
        e.separator = m.separator;
        out.menus.append({m.menuId, e});
    }
    for (int i = 0; i < table.acceleratorCount; ++i) {
        const auto& a = table.accelerators[i];
        AcceleratorEntry e;
        e.keys = QKeySequence(text(a.keys), QKeySequence::PortableText);
        e.command = a.command;
        out.accelerators.append({a.tableId, e});
    }
    for (int i = 0; i < table.toolbarButtonCount; ++i)
        out.toolbar.append({table.toolbarButtons[i].toolbarId, table.toolbarButtons[i].command});
    for (int i = 0; i < table.dialogTextCount; ++i) {
        const auto& d = table.dialogTexts[i];
        out.dialogs.append({d.dialogId, {d.controlId, text(d.text)}});
        out.dialogIndex.insert({d.dialogId, d.controlId}, text(d.text));
    }
    for (int i = 0; i < table.dialogListItemCount; ++i) {
        const auto& l = table.dialogListItems[i];
        out.listItems.append({l.dialogId, l.controlId, text(l.text)});
    }
    return true;
}

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

} // namespace

bool loadResourceLibrary(const QString& path, QString* error)
{
    if (path.isEmpty()) {
        setError(error, QStringLiteral("No language module named."));
        return false;
    }
    auto loaded = std::make_unique<LoadedResources>();
    loaded->library = std::make_unique<QLibrary>(path);
    if (!loaded->library->load()) {
        setError(error, QStringLiteral("Cannot load the language module %1: %2")
                            .arg(path, loaded->library->errorString()));
        return false;
    }
    auto entry =
        reinterpret_cast<res::ResourceTableFunction>(loaded->library->resolve(res::kResourceTableEntry));
    const res::ResourceTable* table = entry ? entry() : nullptr;
    if (!table) {
        loaded->library->unload();
        setError(error, QStringLiteral("%1 is not a language module of this program.").arg(path));
        return false;
    }
    if (table->version != res::kResourceTableVersion || !copyTable(*table, *loaded)) {
        loaded->library->unload();
        setError(error, QStringLiteral("The language module %1 does not fit this version of the program; "
                                       "reinstall the program.")
                            .arg(path));
        return false;
    }
    unloadResourceLibrary();
    current() = std::move(loaded);
    return true;
}

void unloadResourceLibrary()
{
    auto& resources = current();
    if (!resources)
        return;
    resources->library->unload();
    resources.reset();
}

bool resourceLibraryLoaded()
{
    return current() != nullptr;
}

QString resourceLanguageName()
{
    return current() ? current()->languageName : QString();
}

QString languageModulePath(const QString& executableDirectory, const QString& languageName)
{
    if (languageName.isEmpty() || languageName.contains(QLatin1Char('/')) ||
        languageName.contains(QLatin1Char('\\')))
        return {};
#if defined(Q_OS_WIN)
    const QLatin1String suffix(".dll");
#elif defined(Q_OS_MACOS)
    const QLatin1String suffix(".dylib");
#else
    const QLatin1String suffix(".so");
#endif
    // Beside the executable in a build folder; installed, in ../lib/qx260/.
    const std::string directory = QFile::encodeName(executableDirectory).toStdString();
    const std::string path =
        companionFile(directory, installedModuleDirectory(directory),
                      QFile::encodeName(languageName + suffix).toStdString(), regularFileExists);
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString resourceString(int id)
{
    return current() ? current()->strings.value(id) : QString();
}

QString resourceString(int id, const QString& fallback)
{
    const QString text = resourceString(id);
    return text.isEmpty() ? fallback : text;
}

QString resourceMessage(int id)
{
    return resourceString(id, QString::fromUtf8(messageText(id, Language::English)));
}

QString commandStatusText(int command)
{
    const QString prompt = resourceString(command);
    const qsizetype lineBreak = prompt.indexOf(QLatin1Char('\n'));
    return lineBreak < 0 ? prompt : prompt.left(lineBreak);
}

QString commandToolTip(int command)
{
    const QString prompt = resourceString(command);
    const qsizetype lineBreak = prompt.indexOf(QLatin1Char('\n'));
    return lineBreak < 0 ? QString() : prompt.mid(lineBreak + 1);
}

QString dialogText(int dialogId, int controlId)
{
    return current() ? current()->dialogIndex.value({dialogId, controlId}) : QString();
}

QString dialogText(int dialogId, int controlId, const QString& fallback)
{
    const QString text = dialogText(dialogId, controlId);
    return text.isEmpty() ? fallback : text;
}

bool hasDialogText(int dialogId, int controlId)
{
    return current() && current()->dialogIndex.contains({dialogId, controlId});
}

QList<DialogText> dialogTexts(int dialogId)
{
    QList<DialogText> result;
    if (current())
        for (const auto& line : current()->dialogs)
            if (line.dialogId == dialogId)
                result.append(line.text);
    return result;
}

QStringList dialogListItems(int dialogId, int controlId)
{
    QStringList result;
    if (current())
        for (const auto& line : current()->listItems)
            if (line.dialogId == dialogId && line.controlId == controlId)
                result.append(line.text);
    return result;
}

QList<MenuEntry> menuEntries(int menuId)
{
    QList<MenuEntry> result;
    if (current())
        for (const auto& line : current()->menus)
            if (line.menuId == menuId)
                result.append(line.entry);
    return result;
}

QList<AcceleratorEntry> accelerators(int tableId)
{
    QList<AcceleratorEntry> result;
    if (current())
        for (const auto& line : current()->accelerators)
            if (line.tableId == tableId)
                result.append(line.entry);
    return result;
}

QList<int> toolbarCommands(int toolbarId)
{
    QList<int> result;
    if (current())
        for (const auto& line : current()->toolbar)
            if (line.toolbarId == toolbarId)
                result.append(line.command);
    return result;
}

} // namespace qx260
