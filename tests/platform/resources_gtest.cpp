// The language modules as the program loads them from bin/.

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include "core/config/Texts.h"
#include "platform/Resources.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "tests/support/BuildPaths.h"

using namespace qx260;

namespace
{

const QString kBinDir = qx260::testpaths::binDir() + QStringLiteral("/");

void loadLanguage(const char* language)
{
    QString error;
    ASSERT_TRUE(loadResourceLibrary(languageModulePath(kBinDir, QString::fromLatin1(language)), &error))
        << error.toStdString();
}

class EnglishResources : public ::testing::Test
{
  protected:
    void SetUp() override { loadLanguage("English"); }
    void TearDown() override { unloadResourceLibrary(); }
};

// "&File" -> {"&New\tCtrl+N", ...}: the menu as popup titles followed by their items,
// separators written as "-".
QStringList flatten(const QList<MenuEntry>& entries)
{
    QStringList lines;
    for (const auto& e : entries)
        lines << (e.separator ? QStringLiteral("-")
                              : (e.level == 0 ? QString() : QStringLiteral("  ")) + e.text);
    return lines;
}

} // namespace

TEST(LanguageModulePath, NamesTheModuleBesideTheExecutable)
{
    EXPECT_EQ(languageModulePath("/opt/qx260/", "Chinese"), "/opt/qx260/Chinese.so");
    EXPECT_EQ(languageModulePath("/opt/qx260/", "chinese"), "/opt/qx260/chinese.so");
    // Nothing outside the program's directory is ever loaded.
    EXPECT_EQ(languageModulePath("/opt/qx260/", ""), "");
    EXPECT_EQ(languageModulePath("/opt/qx260/", "../../tmp/evil"), "");
    EXPECT_EQ(languageModulePath("/opt/qx260/", "..\\evil"), "");
}

TEST(ResourceLibrary, NothingLoadedAnswersEmpty)
{
    unloadResourceLibrary();
    EXPECT_FALSE(resourceLibraryLoaded());
    EXPECT_TRUE(resourceString(resid::StrCaution).isEmpty());
    EXPECT_TRUE(dialogText(resid::DlgLanguage, 0).isEmpty());
    EXPECT_TRUE(menuEntries(resid::MenuDocument).isEmpty());
    EXPECT_TRUE(toolbarCommands(resid::Toolbar).isEmpty());
}

TEST(ResourceLibrary, FailedLoadKeepsTheModuleInUse)
{
    loadLanguage("English");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile notALibrary(dir.filePath("Chinese.so"));
    ASSERT_TRUE(notALibrary.open(QIODevice::WriteOnly));
    notALibrary.write("not a shared library");
    notALibrary.close();

    const QStringList bad = {languageModulePath(dir.path() + "/", "Missing"), notALibrary.fileName(),
                             languageModulePath(kBinDir, ""), QString()};
    for (const QString& path : bad) {
        QString error;
        EXPECT_FALSE(loadResourceLibrary(path, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
        EXPECT_TRUE(resourceLibraryLoaded());
        EXPECT_EQ(resourceString(resid::StrCaution), "Caution");
    }
    unloadResourceLibrary();
}

TEST(ResourceLibrary, TheCoresMessagesAreTheModulesStrings)
{
    for (const auto& [language, name] :
         {std::pair{Language::English, "English"}, {Language::Chinese, "Chinese"}}) {
        loadLanguage(name);
        for (const res::StringTexts& row : res::kStringTable)
            EXPECT_EQ(resourceString(row.id), QString::fromUtf8(messageText(row.id, language)))
                << name << " " << row.id;
    }
    // Without a module a window falls back to the built-in English.
    unloadResourceLibrary();
    EXPECT_EQ(resourceMessage(resid::StrCaution), "Caution");
    EXPECT_EQ(resourceString(resid::StrCaution), "");
}

TEST_F(EnglishResources, StringsAreTheProgramsOwnTexts)
{
    EXPECT_EQ(resourceLanguageName(), "English");
    const QList<QPair<int, QString>> expected = {
        {128, "Program"},
        {61448, "Out of range,please input again."},
        {61451, "Communication Error,Please check all the connections and the radio power"},
        {61452, "All data will be Cleared!"},
        {61453, "Could not Open the Port,Please check whether the Port are occupied or the device are ok"},
        {61454, "Program Interrupt, Please reset the radio and try again"},
        {61456, "Error data Value, please input according the step value(6.25K/5k)."},
        {61458, "Caution"},
        {32773, "Read Data From Radio\nRead"},
        {32774, "Write Data To Radio\nWrite"},
        {59137, "CAP"},
        {59138, "NUM"},
        {59139, "SCRL"},
        {129, "\n\n\n*.dat\n.dat\nProgram.Document\nProgram Document"},
    };
    for (const auto& [id, text] : expected)
        EXPECT_EQ(resourceString(id), text) << id;
    EXPECT_TRUE(resourceString(4242).isEmpty());

    EXPECT_EQ(commandStatusText(resid::Read), "Read Data From Radio");
    EXPECT_EQ(commandToolTip(resid::Read), "Read");
    EXPECT_EQ(commandToolTip(resid::StrCaution), ""); // no line break: no tooltip
}

TEST_F(EnglishResources, EveryToolbarAndMenuCommandHasAPrompt)
{
    QSet<int> commands;
    for (int c : toolbarCommands(resid::Toolbar))
        if (c != 0)
            commands.insert(c);
    for (int menu : {resid::MenuNoDocument, resid::MenuDocument})
        for (const auto& e : menuEntries(menu))
            if (e.command != 0)
                commands.insert(e.command);
    for (int c : commands) {
        EXPECT_FALSE(commandStatusText(c).isEmpty()) << c;
        EXPECT_FALSE(commandToolTip(c).isEmpty()) << c;
    }
}

TEST_F(EnglishResources, DocumentMenu)
{
    const QStringList expected = {
        "&File",
        "  &New\tCtrl+N",
        "  &Open...\tCtrl+O",
        "  &Close",
        "  &Save\tCtrl+S",
        "  Save &As...",
        "-",
        "  &Import Channels...",
        "  &Export Channels...",
        "-",
        "  &Print...\tCtrl+P",
        "  Print Pre&view",
        "  P&rint Setup...",
        "-",
        "  E&xit",
        "&Edit",
        "  &Undo\tCtrl+Z",
        "  &Redo\tCtrl+Y",
        "-",
        "  Cu&t\tCtrl+X",
        "  Cop&y\tCtrl+C",
        "  P&aste\tCtrl+V",
        "-",
        "  &Product Information",
        "  &Channel Information",
        "  &Optional Features",
        "&Program",
        "  &Read\tCtrl+R",
        "  &Write\tCtrl+W",
        "  Write to &Several Radios...",
        "  &Compare with Radio",
        "  &Find Radio...",
        "&View",
        "  &Toolbar",
        "  &Status Bar",
        "  &Control Bar",
        "  &All Columns",
        "&Setup",
        "  &Com Setup",
        "  Write &Safety...",
        "  &Language",
        "&Help",
        "  &About QX_260...",
        "  &User Manual\tF1",
    };
    const auto entries = menuEntries(resid::MenuDocument);
    EXPECT_EQ(flatten(entries), expected);

    QList<int> commands;
    for (const auto& e : entries)
        if (e.level == 1 && !e.separator)
            commands << e.command;
    EXPECT_EQ(commands,
              (QList<int>{57600, 57601, 57602, 57603, 57604, 32800, 32801, 57607, 57609, 57606, 57665,
                          57643, 57644, 57635, 57634, 57637, 32786, 32787, 32788, 32773, 32774, 32810,
                          32813, 32814, 59392, 59393, 32780, 32811, 32777, 32812, 32799, 57664, 32802}));
}

TEST_F(EnglishResources, MenuWithoutDocument)
{
    const QStringList expected = {"&File",
                                  "  &New\tCtrl+N",
                                  "  &Open...\tCtrl+O",
                                  "-",
                                  "  P&rint Setup...",
                                  "-",
                                  "  E&xit",
                                  "&View",
                                  "  &Toolbar",
                                  "  &Status Bar",
                                  "&Help",
                                  "  &About QX_260...",
                                  "  &User Manual\tF1"};
    EXPECT_EQ(flatten(menuEntries(resid::MenuNoDocument)), expected);
}

TEST_F(EnglishResources, AcceleratorsAndToolbar)
{
    QList<QPair<QString, int>> keys;
    for (const auto& a : accelerators(resid::AcceleratorTable))
        keys << qMakePair(a.keys.toString(QKeySequence::PortableText), a.command);
    EXPECT_EQ(keys, (QList<QPair<QString, int>>{{"Ctrl+N", 57600},
                                                {"Ctrl+O", 57601},
                                                {"Ctrl+P", 57607},
                                                {"Ctrl+R", 32773},
                                                {"Ctrl+S", 57603},
                                                {"Ctrl+W", 32774},
                                                {"F6", 57680},
                                                {"Shift+F6", 57681},
                                                {"F1", 32802},
                                                {"Ctrl+Q", 57665}}));
    EXPECT_EQ(toolbarCommands(resid::Toolbar),
              (QList<int>{57600, 57601, 57603, 0, 32773, 32774, 0, 57607, 0, 57664}));
}

TEST_F(EnglishResources, DialogTexts)
{
    const QList<std::tuple<int, int, QString>> expected = {
        {131, 0, "Process"},
        {131, 1009, "0"},
        {132, 0, "Optional Features"},
        {132, 1010, "Time Out Time (s)"},
        {132, 1011, "Transmit Delay (s)"},
        {132, resid::OptVoxDelayTimeLabel, "Vox Delay Time (s)"},
        {132, 1017, "Battery Saver"},
        {134, 0, "Language"},
        {134, 1006, "English"},
        {134, 1007, "Chinese"},
        {136, 0, "Product Information"},
        {136, resid::ProdSettingGroup, "Setting"},
        {136, resid::ProdFrequencyLabel, "Frequency"},
        {144, 0, "Port Setting"},
        {144, resid::PortGroup, "Port"},
        {144, 1022, "COM16"},
        {100, 1, "OK"},
    };
    for (const auto& [dialog, control, text] : expected)
        EXPECT_EQ(dialogText(dialog, control), text) << dialog << "/" << control;

    // The About dialog's caption comes from Program.ini: the template has none.
    EXPECT_TRUE(hasDialogText(resid::DlgAbout, 0));
    EXPECT_EQ(dialogText(resid::DlgAbout, 0), "");
    EXPECT_FALSE(hasDialogText(resid::DlgAbout, 4242));

    EXPECT_EQ(dialogTexts(resid::DlgLanguage).size(), 5);
    EXPECT_EQ(dialogTexts(resid::DlgLanguage).first().controlId, 0);
    EXPECT_EQ(dialogListItems(resid::DlgOptionalFeatures, 1007), (QStringList{"On", "Off"}));
    EXPECT_EQ(dialogListItems(resid::DlgOptionalFeatures, 1116).size(), 10);
    EXPECT_EQ(dialogListItems(resid::DlgProductInformation, 1014), QStringList{"130 - 160MHz"});
}

namespace
{

// Everything about a module except the wording: ids, order, commands, separators.
struct ModuleShape {
    QList<int> stringIds;
    QStringList menus;
    QStringList accelerators;
    QList<int> toolbar;
    QStringList dialogs;

    bool operator==(const ModuleShape&) const = default;
};

const QList<int> kDialogs = {100, 101, 130, 131, 132, 134, 136, 144};

ModuleShape shapeOf(const char* language)
{
    loadLanguage(language);
    ModuleShape shape;
    for (int id = 0; id <= 0xFFFF; ++id)
        if (!resourceString(id).isEmpty())
            shape.stringIds << id;
    for (int menu : {resid::MenuNoDocument, resid::MenuDocument})
        for (const auto& e : menuEntries(menu))
            shape.menus
                << QStringLiteral("%1/%2/%3/%4").arg(menu).arg(e.level).arg(e.command).arg(e.separator);
    for (const auto& a : accelerators(resid::AcceleratorTable))
        shape.accelerators << a.keys.toString(QKeySequence::PortableText) + "=" + QString::number(a.command);
    shape.toolbar = toolbarCommands(resid::Toolbar);
    for (int dialog : kDialogs) {
        for (const auto& t : dialogTexts(dialog)) {
            shape.dialogs << QStringLiteral("%1/%2 items %3")
                                 .arg(dialog)
                                 .arg(t.controlId)
                                 .arg(dialogListItems(dialog, t.controlId).size());
        }
        for (int control : {1007, 1013, 1014, 1116})
            shape.dialogs << QStringLiteral("%1/%2 list %3")
                                 .arg(dialog)
                                 .arg(control)
                                 .arg(dialogListItems(dialog, control).size());
    }
    unloadResourceLibrary();
    return shape;
}

bool hasNonAscii(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() > 0x7F)
            return true;
    return false;
}

} // namespace

TEST(LanguageModules, ChineseCarriesEveryResourceOfEnglish)
{
    const ModuleShape english = shapeOf("English");
    const ModuleShape chinese = shapeOf("Chinese");
    EXPECT_FALSE(english.stringIds.isEmpty());
    EXPECT_EQ(english.stringIds, chinese.stringIds);
    EXPECT_EQ(english.menus, chinese.menus);
    EXPECT_EQ(english.accelerators, chinese.accelerators);
    EXPECT_EQ(english.toolbar, chinese.toolbar);
    EXPECT_EQ(english.dialogs, chinese.dialogs);
}

// Every menu line has one mnemonic, and no two lines of the same popup (or two popups)
// share one, in either language.
TEST(LanguageModules, MenuMnemonicsAreUniqueWithinEachPopup)
{
    for (const char* language : {"English", "Chinese"}) {
        loadLanguage(language);
        for (int menu : {resid::MenuNoDocument, resid::MenuDocument}) {
            QSet<QChar> topLevel, inPopup;
            for (const auto& e : menuEntries(menu)) {
                if (e.separator)
                    continue;
                const qsizetype amp = e.text.indexOf('&');
                ASSERT_TRUE(amp >= 0 && amp + 1 < e.text.size()) << language << " " << e.text.toStdString();
                EXPECT_EQ(e.text.indexOf('&', amp + 1), -1) << language << " " << e.text.toStdString();
                const QChar key = e.text.at(amp + 1).toUpper();
                QSet<QChar>& seen = e.level == 0 ? topLevel : inPopup;
                if (e.level == 0)
                    inPopup.clear();
                EXPECT_FALSE(seen.contains(key)) << language << " " << e.text.toStdString();
                seen.insert(key);
            }
        }
        unloadResourceLibrary();
    }
}

// The Chinese module shows Chinese: no message, menu line or caption left in English.
TEST(LanguageModules, ChineseTextsAreTranslated)
{
    loadLanguage("Chinese");
    EXPECT_EQ(resourceLanguageName(), "Chinese");
    for (int id : {61448, 61451, 61452, 61453, 61454, 61456, 61458, 57345})
        EXPECT_TRUE(hasNonAscii(resourceString(id))) << id;
    for (int menu : {resid::MenuNoDocument, resid::MenuDocument})
        for (const auto& e : menuEntries(menu)) {
            if (!e.separator) {
                EXPECT_TRUE(hasNonAscii(e.text)) << e.text.toStdString();
            }
        }
    for (int dialog : {131, 132, 134, 136, 144})
        EXPECT_TRUE(hasNonAscii(dialogText(dialog, 0))) << dialog;
    EXPECT_EQ(commandToolTip(resid::Read), QString::fromUtf8("读数据"));
    EXPECT_EQ(dialogText(resid::DlgLanguage, 1007), QString::fromUtf8("中文"));
    // The tree labels of the navigation bar name the same three dialogs.
    EXPECT_EQ(dialogText(resid::DlgProductInformation, 0), QString::fromUtf8("类型设置"));
    EXPECT_EQ(dialogText(resid::DlgOptionalFeatures, 0), QString::fromUtf8("可选功能"));
    unloadResourceLibrary();
}
