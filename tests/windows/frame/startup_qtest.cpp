// Start-up in both languages and what stops it, the menus, About and Language. What the
// language modules hold and how Program.ini is read are the tables of the platform and core
// tests; these check that the running program shows them and acts on them.

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QTreeWidget>

#include "ShellFixture.h"
#include "platform/FileLock.h"
#include "res/ResourceIds.h"
#include "windows/frame/CAboutDlg.h"
#include "windows/frame/CChildFrame.h"
#include "windows/frame/CLanguageDlg.h"
#include "windows/frame/CNavigatorBar.h"
#include "windows/view/CProgramView.h"

using namespace qx260;
namespace id = qx260::resid;

namespace
{

// Collects the warnings Qt reports while it lives.
class WarningCollector
{
  public:
    WarningCollector() { previous_ = qInstallMessageHandler(&WarningCollector::handle); }
    ~WarningCollector() { qInstallMessageHandler(previous_); }
    static QStringList& warnings()
    {
        static QStringList w;
        return w;
    }

  private:
    static void handle(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        // The offscreen platform cannot pass size hints on; that says nothing about us.
        if (type >= QtWarningMsg && !text.contains("does not support propagateSizeHints"))
            warnings().append(text);
    }
    QtMessageHandler previous_;
};

// How the Language dialog is answered.
enum class Choice { ChineseOk, ChineseByKeys, ChineseCancel, EnglishOk };

void chooseLanguage(ShellFixture& env, Choice choice)
{
    onNextModal<CLanguageDlg>([choice](CLanguageDlg* dlg) {
        if (choice == Choice::ChineseByKeys) {
            QVERIFY(dlg->englishButton()->hasFocus() || dlg->englishButton()->isChecked());
            dlg->englishButton()->setFocus();
            QTest::keyClick(dlg->englishButton(), Qt::Key_Down);
            QVERIFY(dlg->chineseButton()->isChecked());
            QTest::keyClick(dlg->chineseButton(), Qt::Key_Return); // OK is the default button
            return;
        }
        (choice == Choice::EnglishOk ? dlg->englishButton() : dlg->chineseButton())->click();
        (choice == Choice::ChineseCancel ? dlg->cancelButton() : dlg->okButton())->click();
    });
    env.frame()->OnCommand(id::Language);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
  private slots:
    void startsInItsLanguage_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("firstMenu");
        QTest::addColumn<QStringList>("helpMenu");
        QTest::addColumn<QString>("exitItem"); // in both menus, with Ctrl+Q beside it
        QTest::addColumn<QStringList>("tree"); // the root, then its three entries
        QTest::addColumn<QString>("channelWindow");
        QTest::addColumn<QString>("cancel"); // the toolkit's own dialogs (file chooser, printing)
        QTest::newRow("English") << false << "&File"
                                 << QStringList{"About QX-260 Programmer...", "&User Manual\tF1"} << "E&xit"
                                 << QStringList{"Larkspur Radio", "Product Information",
                                                "Channel Information", "Optional Features"}
                                 << "Channel Information[*]"
                                 << "Cancel";
        QTest::newRow("Chinese") << true << "文件(&F)"
                                 << QStringList{"关于 QX-260 写频软件...", "用户手册(&U)\tF1"} << "退出(&X)"
                                 << QStringList{"云雀无线电", "类型设置", "信道信息", "可选功能"}
                                 << "信道信息[*]"
                                 << "取消";
    }
    void startsInItsLanguage()
    {
        QFETCH(bool, chinese);
        QFETCH(QString, firstMenu);
        QFETCH(QStringList, helpMenu);
        QFETCH(QString, exitItem);
        QFETCH(QStringList, tree);
        QFETCH(QString, channelWindow);
        QFETCH(QString, cancel);
        ShellFixture env(
            [chinese](QString& ini) { setIniValue(ini, "Language", chinese ? "Chinese" : "English"); });
        WarningCollector::warnings().clear();
        {
            WarningCollector collector;
            QVERIFY(env.start());
            QCoreApplication::processEvents();
        }
        QCOMPARE(WarningCollector::warnings(), QStringList());
        QCOMPARE(isChinese(processValues().language()), chinese);
        CMainFrame* frame = env.frame();
        QVERIFY(frame->isVisible() && frame->isMaximized());
        QCOMPARE(frame->normalGeometry().size(), QSize(900, 550));
        QVERIFY(msgtest::takeShown().isEmpty());

        // The document menu with the configured About title.
        QVERIFY(frame->documentMenuShown());
        QCOMPARE(frame->menuBar()->actions().first()->text(), firstMenu);
        QCOMPARE(menuTexts(frame->menus(true)[5]), helpMenu);
        for (bool documentMenu : {false, true}) {
            QCOMPARE(frame->menuAction(documentMenu, id::AppExit)->text(), exitItem);
            QCOMPARE(frame->menuAction(documentMenu, id::AppExit)->shortcut(),
                     QKeySequence(Qt::CTRL | Qt::Key_Q));
        }

        // The navigation tree and a channel window of a new document.
        QTreeWidgetItem* root = frame->navigatorBar()->tree()->topLevelItem(0);
        QStringList shown{root->text(0)};
        for (int i = 0; i < root->childCount(); ++i)
            shown << root->child(i)->text(0);
        QCOMPARE(shown, tree);
        QVERIFY(root->isExpanded());
        QCOMPARE(frame->navigatorBar()->captionText(), tree[0]);
        QCOMPARE(frame->navigatorBar()->width(), 220);
        QCOMPARE(env.app->documents().size(), size_t(1));
        QVERIFY(env.active()->frame->isVisible());
        QCOMPARE(env.active()->frame->pos(), QPoint(0, 0));
        QCOMPARE(env.active()->view->windowTitle(), channelWindow);
        QVERIFY(env.active()->doc->newDocumentFlag);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);

        if (!chinese) {
            QCOMPARE(CProgramApp::applicationName(), QString("Larkspur Radio"));
            // Toolbar buttons with their tooltips and status texts.
            const QList<QAction*> buttons = frame->toolBar()->actions();
            QCOMPARE(buttons.size(), 10);
            QCOMPARE(buttons[4]->toolTip(), QString("Read"));
            QCOMPARE(buttons[4]->statusTip(), QString("Read Data From Radio"));
            // Status bar: message pane and the three lock indicators.
            QStringList panes;
            for (QLabel* l : frame->statusBar()->findChildren<QLabel*>())
                panes << l->text();
            QVERIFY(panes.contains("Ready") && panes.contains("CAP") && panes.contains("NUM") &&
                    panes.contains("SCRL"));
        }
        env.app.reset();
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
    }

    // How ShowLang reads as a number is Decimal.LeadingIntegerReadsLikeAtoiAndSaturates.
    void showLangDecidesTheLanguageItem_data()
    {
        QTest::addColumn<QString>("value"); // "<absent>" removes the key
        QTest::addColumn<bool>("offered");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("absent") << "<absent>" << false;
    }
    void showLangDecidesTheLanguageItem()
    {
        QFETCH(QString, value);
        QFETCH(bool, offered);
        ShellFixture env([&](QString& ini) {
            if (value == "<absent>")
                ini.remove(QRegularExpression("(?m)^ShowLang=.*\\n"));
            else
                setIniValue(ini, "ShowLang", value);
        });
        QVERIFY(env.start());
        const QStringList expected = offered ? QStringList({"&Com Setup", "Write &Safety...", "&Language"})
                                             : QStringList({"&Com Setup", "Write &Safety..."});
        QCOMPARE(menuTexts(env.frame()->menus(true)[4]), expected);
        QCOMPARE(env.frame()->menuAction(true, id::Language) != nullptr, offered);
    }

    // Why a module does not load or a configuration cannot be read are the rows of
    // LanguageModulePath, ResourceLibrary.FailedLoadKeepsTheModuleInUse and
    // CliFiles.InputsItCannotReadAreNamedAtOnce; here each way the start ends, once. After
    // "Load language DLL fail" a second box ("REMEDY") names Program.ini and what to put in it.
    void startUpStopsWhenItCannotGoOn_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("leave");
        QTest::addColumn<QString>(
            "inThePlace"); // of Program.ini ("folder", "binary") or a document ("bad.dat")
        QTest::addColumn<QStringList>("messages"); // %1: the path of Program.ini
        QTest::newRow("English module gone") << "English" << QStringList{"English.so"} << ""
                                             << QStringList{"Load language DLL fail", "REMEDY"};
        QTest::newRow("Chinese module gone")
            << "Chinese" << QStringList{"Chinese.so"} << "" << QStringList{"加载语言链接库失败", "REMEDY"};
        QTest::newRow("no Program.ini")
            << "" << QStringList{"Program.ini"} << "" << QStringList{"Load language DLL fail", "REMEDY"};
        QTest::newRow("a folder named Program.ini")
            << "" << QStringList{"Program.ini"} << "folder"
            << QStringList{"The configuration file %1 cannot be read:\nIs a directory",
                           "Load language DLL fail", "REMEDY"};
        QTest::newRow("a binary Program.ini")
            << "" << QStringList{} << "binary" << QStringList{"Load language DLL fail", "REMEDY"};
        QTest::newRow("no document on the command line")
            << "English" << QStringList{} << "bad.dat" << QStringList{"Data Format Error"};
    }
    void startUpStopsWhenItCannotGoOn()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, leave);
        QFETCH(QString, inThePlace);
        QFETCH(QStringList, messages);
        ShellFixture env([&](QString& ini) { setIniValue(ini, "Language", language); }, leave);
        const QString ini = env.path("Program.ini");
        QStringList arguments;
        if (inThePlace == "folder") {
            QVERIFY(QDir().mkdir(ini));
        } else if (inThePlace == "binary") {
            QByteArray bytes(4096, '\0');
            for (int i = 0; i < bytes.size(); ++i)
                bytes[i] = char((i * 151 + 7) % 256);
            ShellFixture::writeFile(ini, bytes);
        } else if (inThePlace == "bad.dat") {
            QByteArray bytes = ShellFixture::newDocumentBytes();
            bytes[1] = 'X';
            ShellFixture::writeFile(env.path("bad.dat"), bytes);
            arguments << env.path("bad.dat");
        }
        QVERIFY(!env.start(arguments));
        QStringList shown, captions;
        for (const msgtest::Shown& box : msgtest::takeShown()) {
            shown << box.text;
            captions << box.caption;
        }
        messages.replaceInStrings("%1", ini);
        QCOMPARE(shown.size(), messages.size());
        for (int i = 0; i < shown.size(); ++i) {
            if (messages[i] == "REMEDY")
                QVERIFY2(shown[i].contains(ini) && shown[i].contains("Language=English") &&
                             shown[i].contains("[Setup]"),
                         qPrintable(shown[i]));
            else
                QCOMPARE(shown[i], messages[i]);
        }
        QCOMPARE(captions, QStringList(shown.size(), "Program"));
        QVERIFY(!env.frame() || !env.frame()->isVisible());
        if (leave.contains("Program.ini") && inThePlace.isEmpty())
            QVERIFY(QFileInfo(ini).isFile()); // created empty
    }

    void documentOnTheCommandLineIsOpened()
    {
        ShellFixture env;
        ShellFixture::writeFile(env.path("radio one.dat"), ShellFixture::newDocumentBytes());
        QVERIFY(env.start({env.path("radio one.dat")}));
        QCOMPARE(env.app->documents().size(), size_t(1));
        QCOMPARE(env.active()->view->windowTitle(), QString("radio one.dat[*]"));
        QVERIFY(!env.active()->doc->newDocumentFlag);
        QCOMPARE(menuTexts(env.frame()->menus(true)[5]),
                 QStringList({"About QX-260 Programmer...", "&User Manual\tF1"}));
    }

    void aboutShowsTheConfiguredTexts_data()
    {
        QTest::addColumn<bool>("languageSection");
        QTest::addColumn<QStringList>("texts"); // caption, version, copyright, owner
        QTest::newRow("as shipped") << true
                                    << QStringList{"About QX-260 Programmer...",
                                                   "QX-260 Programmer Version 1.0", "Copyright (C) 2026",
                                                   "Larkspur Radio Co."};
        QTest::newRow("no section of the language") << false << QStringList{"", "", "", ""};
    }
    void aboutShowsTheConfiguredTexts()
    {
        QFETCH(bool, languageSection);
        QFETCH(QStringList, texts);
        ShellFixture env([&](QString& ini) {
            if (!languageSection)
                ini.replace("[English]", "[Other]");
        });
        QVERIFY(env.start());
        QStringList seen;
        onNextModal<CAboutDlg>([&](CAboutDlg* dlg) {
            seen << dlg->windowTitle() << dlg->control(CAboutDlg::kVersionId)->text()
                 << dlg->control(CAboutDlg::kCopyrightsId)->text()
                 << dlg->control(CAboutDlg::kOwnerId)->text();
            QLabel* icon = dlg->control(CAboutDlg::kIconId);
            QVERIFY(!icon->pixmap().isNull());
            QVERIFY(!icon->geometry().intersects(dlg->okButton()->geometry()));
            QVERIFY(dlg->rect().contains(icon->geometry()));
            dlg->okButton()->click();
        });
        env.frame()->OnCommand(id::AppAbout);
        QCOMPARE(seen, texts);
        // The tree's root is the configured name too; its entries stay.
        QCOMPARE(env.frame()->navigatorBar()->tree()->topLevelItem(0)->text(0),
                 languageSection ? QString("Larkspur Radio") : QString());
        QCOMPARE(env.frame()->navigatorBar()->tree()->topLevelItem(0)->childCount(), 3);
    }

    // Another language is stored, and the program starts again in it once this one has
    // closed; when it cannot, it says so.
    void languageChoiceRestartsTheProgram_data()
    {
        QTest::addColumn<bool>("byKeys");
        QTest::addColumn<QString>("inThePlace"); // of Program.ini: "folder", or "held" by another edit
        QTest::addColumn<bool>("restartStarts");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("restarted");
        QTest::addColumn<QString>("message"); // its start; %1 the program or Program.ini
        QTest::newRow("OK") << false << "" << true << true << true << "";
        QTest::newRow("with the keyboard") << true << "" << true << true << true << "";
        QTest::newRow("the new start fails")
            << false << "" << false << true << false << "The program could not be started again:\n%1";
        QTest::newRow("Program.ini cannot be written")
            << false << "folder" << true << false << false
            << "The language could not be stored: %1 cannot be written.";
        QTest::newRow("Program.ini being changed")
            << false << "held" << true << false << false
            << "%1 is being changed by another program.\nTry again when it has finished.";
    }
    void languageChoiceRestartsTheProgram()
    {
        QFETCH(bool, byKeys);
        QFETCH(QString, inThePlace);
        QFETCH(bool, restartStarts);
        QFETCH(bool, stored);
        QFETCH(bool, restarted);
        QFETCH(QString, message);
        ShellFixture env;
        QVERIFY(env.start());
        if (!restartStarts)
            env.app->restarter = [](const QString&, const QString&) { return false; };
        const QString ini = env.path("Program.ini");
        const QString before = env.iniText();
        FileLock lock;
        if (inThePlace == "held") {
            QVERIFY(lock.lock(ini.toStdString()).ok());
        } else if (inThePlace == "folder") {
            QFile::remove(ini);
            QVERIFY(QDir().mkdir(ini));
        }
        chooseLanguage(env, byKeys ? Choice::ChineseByKeys : Choice::ChineseOk);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(shown[0].text.startsWith(message.arg(restartStarts ? ini : env.programPath())),
                     qPrintable(shown[0].text));
        if (inThePlace.isEmpty())
            QVERIFY(env.iniText().contains("Language=Chinese"));
        else if (inThePlace == "held")
            QCOMPARE(env.iniText(), before);
        // Closed for the new start whenever the choice was stored.
        QCOMPARE(env.frame()->isVisible(), !stored);
        QCOMPARE(env.restarts,
                 restarted ? QStringList{env.programPath() + '|' + env.dir.path() + '/'} : QStringList());
    }

    // Cancel, the language in use, and a user who stays at the save question: nothing starts
    // again, and the stored choice follows the last OK.
    void languageKeptWithoutARestart()
    {
        ShellFixture env;
        QVERIFY(env.start());
        const QString before = env.iniText();
        chooseLanguage(env, Choice::ChineseCancel);
        onNextModal<CLanguageDlg>([](CLanguageDlg* dlg) {
            QVERIFY(dlg->englishButton()->isChecked()); // Cancel kept nothing
            dlg->okButton()->click();
        });
        env.frame()->OnCommand(id::Language);
        QCOMPARE(env.iniText(), before);

        // Chinese is stored, but the user cancels the save question.
        emit env.active()->view->documentModified();
        msgtest::answerNext(QMessageBox::Cancel);
        chooseLanguage(env, Choice::ChineseOk);
        QVERIFY(env.iniText().contains("Language=Chinese"));
        // English again: stored back.
        chooseLanguage(env, Choice::EnglishOk);
        QVERIFY(env.iniText().contains("Language=English"));
        QVERIFY(!env.app->languageDialog()->choiceChanged());
        QVERIFY(env.restarts.isEmpty());
        QVERIFY(env.frame()->isVisible());
    }
};

QTEST_MAIN(TestStartup)
#include "startup_qtest.moc"
