// Start-up in both languages and its failures, the menus, About and Language.

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include <sys/stat.h>

#include "ShellFixture.h"
#include "platform/FileLock.h"
#include "windows/frame/CAboutDlg.h"
#include "windows/frame/CChildFrame.h"
#include "windows/frame/CLanguageDlg.h"
#include "windows/frame/CNavigatorBar.h"
#include "windows/view/CProgramView.h"

using namespace qx260;

namespace
{

QStringList menuTitles(const QMenuBar* bar)
{
    QStringList titles;
    for (QAction* a : bar->actions())
        titles << a->text();
    return titles;
}

QStringList itemTexts(const QMenu* menu)
{
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

void setIniValue(QString& ini, const QString& key, const QString& value)
{
    QRegularExpression line(QStringLiteral("(?m)^%1=.*$").arg(QRegularExpression::escape(key)));
    if (ini.contains(line))
        ini.replace(line, key + QLatin1Char('=') + value);
    else
        ini.replace(QStringLiteral("[Setup]\n"), QStringLiteral("[Setup]\n%1=%2\n").arg(key, value));
}

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

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
  private slots:
    void englishStartUp()
    {
        ShellFixture env;
        WarningCollector::warnings().clear();
        {
            WarningCollector collector;
            QVERIFY(env.start());
            QCoreApplication::processEvents();
        }
        QCOMPARE(WarningCollector::warnings(), QStringList());
        CMainFrame* frame = env.frame();
        QVERIFY(frame->isVisible());
        QVERIFY(frame->isMaximized());
        QCOMPARE(frame->normalGeometry().size(), QSize(900, 550));
        QVERIFY(msgtest::takeShown().isEmpty());
        QCOMPARE(CProgramApp::applicationName(), QString("Larkspur Radio"));

        // Document menu with the configured About title; the no-document menu as loaded.
        QVERIFY(frame->documentMenuShown());
        QCOMPARE(menuTitles(frame->menuBar()),
                 QStringList({"&File", "&Edit", "&Program", "&View", "&Setup", "&Help"}));
        QCOMPARE(itemTexts(frame->menus(true)[5]),
                 QStringList({"About QX-260 Programmer...", "&User Manual\tF1"}));
        QCOMPARE(itemTexts(frame->menus(true)[4]),
                 QStringList({"&Com Setup", "Write &Safety...", "&Language"}));
        QCOMPARE(itemTexts(frame->menus(false)[2]), QStringList({"&About QX_260...", "&User Manual\tF1"}));
        QCOMPARE(itemTexts(frame->menus(false)[0]),
                 QStringList({"&New\tCtrl+N", "&Open...\tCtrl+O", "-", "P&rint Setup...", "-", "E&xit"}));

        // Toolbar buttons with their tooltips and status texts.
        QStringList tips;
        for (QAction* a : frame->toolBar()->actions())
            tips << (a->isSeparator() ? QStringLiteral("-") : a->toolTip());
        QCOMPARE(tips.size(), 10);
        QCOMPARE(tips[4], QString("Read"));
        QCOMPARE(frame->toolBar()->actions()[4]->statusTip(), QString("Read Data From Radio"));

        // Status bar: message pane and the three lock indicators.
        QStringList panes;
        for (QLabel* l : frame->statusBar()->findChildren<QLabel*>())
            panes << l->text();
        QVERIFY(panes.contains("Ready") && panes.contains("CAP") && panes.contains("NUM") &&
                panes.contains("SCRL"));

        // The navigation tree and a channel window of a new document.
        QTreeWidget* tree = frame->navigatorBar()->tree();
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QString("Larkspur Radio"));
        QCOMPARE(root->childCount(), 3);
        QCOMPARE(root->child(0)->text(0), QString("Product Information"));
        QCOMPARE(root->child(1)->text(0), QString("Channel Information"));
        QCOMPARE(root->child(2)->text(0), QString("Optional Features"));
        QVERIFY(root->isExpanded());
        QCOMPARE(frame->navigatorBar()->width(), 220);

        QCOMPARE(env.app->documents().size(), size_t(1));
        QVERIFY(env.active()->frame->isVisible());
        QCOMPARE(env.active()->view->windowTitle(), QString("Channel Information[*]"));
        QVERIFY(env.active()->doc->newDocumentFlag);
        QCOMPARE(env.active()->frame->pos(), QPoint(0, 0));
    }

    void chineseStartUp()
    {
        ShellFixture env([](QString& ini) { setIniValue(ini, "Language", "Chinese"); });
        QVERIFY(env.start());
        QVERIFY(isChinese(processValues().language()));
        CMainFrame* frame = env.frame();
        QCOMPARE(menuTitles(frame->menuBar()).first(), QString("文件(&F)"));
        QCOMPARE(itemTexts(frame->menus(true)[5]),
                 QStringList({"关于 QX-260 写频软件...", "用户手册(&U)\tF1"}));
        QTreeWidgetItem* root = frame->navigatorBar()->tree()->topLevelItem(0);
        QCOMPARE(root->text(0), QString("云雀无线电"));
        QCOMPARE(root->child(0)->text(0), QString("类型设置"));
        QCOMPARE(root->child(1)->text(0), QString("信道信息"));
        QCOMPARE(root->child(2)->text(0), QString("可选功能"));
        QCOMPARE(env.active()->view->windowTitle(), QString("信道信息[*]"));
        QCOMPARE(frame->navigatorBar()->captionText(), QString("云雀无线电"));
        // The toolkit's own dialogs (file chooser, printing) speak Chinese too.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("取消"));
        env.app.reset();
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
    }

    void showLangDecidesTheLanguageItem_data()
    {
        QTest::addColumn<QString>("value"); // "<absent>" removes the key
        QTest::addColumn<bool>("offered");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("2 with letters") << "2x" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("letters") << "yes" << false;
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
        QCOMPARE(itemTexts(env.frame()->menus(true)[4]), expected);
        QCOMPARE(env.frame()->menuAction(true, 32799) != nullptr, offered);
    }

    void missingLanguageModuleStopsStartUp_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("leave");
        QTest::addColumn<QString>("message");
        QTest::newRow("English module gone")
            << "English" << QStringList{"English.so"} << "Load language DLL fail";
        QTest::newRow("Chinese module gone")
            << "Chinese" << QStringList{"Chinese.so"} << "加载语言链接库失败";
        QTest::newRow("unknown language") << "Klingon" << QStringList{} << "Load language DLL fail";
        QTest::newRow("path in the name") << "../English" << QStringList{} << "Load language DLL fail";
        QTest::newRow("no Program.ini") << "" << QStringList{"Program.ini"} << "Load language DLL fail";
    }
    void missingLanguageModuleStopsStartUp()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, leave);
        QFETCH(QString, message);
        ShellFixture env([&](QString& ini) { setIniValue(ini, "Language", language); }, leave);
        msgtest::answerNext(QMessageBox::Ok);
        QVERIFY(!env.start());
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].caption, QString("Program"));
        QCOMPARE(shown[0].text, message);
        QVERIFY(!env.frame() || !env.frame()->isVisible());
        if (leave.contains("Program.ini"))
            QVERIFY(QFile::exists(env.path("Program.ini"))); // created empty
    }

    void unreadableProgramIniIsReported_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("named pipe") << "pipe"
                                    << "not a regular file";
        QTest::newRow("folder") << "folder"
                                << "Is a directory";
        QTest::newRow("over 1 MiB") << "large"
                                    << "larger than 1 MiB";
    }
    void unreadableProgramIniIsReported()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        ShellFixture env({}, {"Program.ini"});
        const QString ini = env.path("Program.ini");
        if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
        else if (kind == "folder")
            QVERIFY(QDir().mkdir(ini));
        else
            ShellFixture::writeFile(ini, "[Setup]\r\nLanguage=English\r\n" + QByteArray(1024 * 1024, ';'));
        // Said at once; without a language the program cannot go on.
        QVERIFY(!env.start());
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].text, "The configuration file " + ini + " cannot be read:\n" + reason);
        QCOMPARE(shown[1].text, QString("Load language DLL fail"));
    }

    void documentOnTheCommandLineIsOpened()
    {
        ShellFixture env;
        ShellFixture::writeFile(env.path("radio one.dat"), ShellFixture::newDocumentBytes());
        QVERIFY(env.start({env.path("radio one.dat")}));
        QCOMPARE(env.app->documents().size(), size_t(1));
        QCOMPARE(env.active()->view->windowTitle(), QString("radio one.dat[*]"));
        QVERIFY(!env.active()->doc->newDocumentFlag);
        QCOMPARE(itemTexts(env.frame()->menus(true)[5]),
                 QStringList({"About QX-260 Programmer...", "&User Manual\tF1"}));
    }

    void unreadableDocumentOnTheCommandLineStopsStartUp()
    {
        ShellFixture env;
        QByteArray bytes = ShellFixture::newDocumentBytes();
        bytes[1] = 'X';
        ShellFixture::writeFile(env.path("bad.dat"), bytes);
        msgtest::answerNext(QMessageBox::Ok);
        QVERIFY(!env.start({env.path("bad.dat")}));
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QString("Data Format Error"));
    }

    void aboutShowsTheConfiguredTexts()
    {
        ShellFixture env;
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
        env.frame()->OnCommand(57664);
        QCOMPARE(seen, QStringList({"About QX-260 Programmer...", "QX-260 Programmer Version 1.0",
                                    "Copyright (C) 2026", "Larkspur Radio Co."}));
    }

    void aboutWithoutALanguageSectionIsEmpty()
    {
        ShellFixture env([](QString& ini) { ini.replace("[English]", "[Other]"); });
        QVERIFY(env.start());
        QStringList seen;
        onNextModal<CAboutDlg>([&](CAboutDlg* dlg) {
            seen << dlg->windowTitle() << dlg->control(CAboutDlg::kVersionId)->text();
            dlg->okButton()->click();
        });
        env.frame()->OnCommand(57664);
        QCOMPARE(seen, QStringList({"", ""}));
        QCOMPARE(env.frame()->navigatorBar()->tree()->topLevelItem(0)->text(0), QString());
        QCOMPARE(env.frame()->navigatorBar()->tree()->topLevelItem(0)->childCount(), 3);
    }

    void languageChoiceIsStoredAndRestarts()
    {
        ShellFixture env;
        QVERIFY(env.start());
        onNextModal<CLanguageDlg>([](CLanguageDlg* dlg) {
            QVERIFY(dlg->englishButton()->isChecked());
            dlg->chineseButton()->click();
            dlg->okButton()->click();
        });
        env.frame()->OnCommand(32799);
        QVERIFY(env.iniText().contains("Language=Chinese"));
        QVERIFY(!env.frame()->isVisible());
        QCOMPARE(env.restarts.size(), 1);
        QCOMPARE(env.restarts[0], env.programPath() + '|' + env.dir.path() + '/');
    }

    void languageCancelOrSameChoiceDoesNothing()
    {
        ShellFixture env;
        QVERIFY(env.start());
        const QString before = env.iniText();
        onNextModal<CLanguageDlg>([](CLanguageDlg* dlg) {
            dlg->chineseButton()->click();
            dlg->cancelButton()->click();
        });
        env.frame()->OnCommand(32799);
        onNextModal<CLanguageDlg>([](CLanguageDlg* dlg) {
            QVERIFY(dlg->englishButton()->isChecked()); // Cancel kept nothing
            dlg->okButton()->click();
        });
        env.frame()->OnCommand(32799);
        QCOMPARE(env.iniText(), before);
        QVERIFY(env.restarts.isEmpty());
        QVERIFY(env.frame()->isVisible());
    }

    void languageKeptWhenTheUserStaysAndTakenBackLater()
    {
        ShellFixture env;
        QVERIFY(env.start());
        emit env.active()->view->documentModified();
        // Chinese is stored, but the user cancels the save question: no restart.
        onNextModal<CLanguageDlg>([](CLanguageDlg* dlg) {
            dlg->chineseButton()->click();
            dlg->okButton()->click();
        });
        msgtest::answerNext(QMessageBox::Cancel);
        env.frame()->OnCommand(32799);
        QVERIFY(env.iniText().contains("Language=Chinese"));
        QVERIFY(env.restarts.isEmpty());
        QVERIFY(env.frame()->isVisible());
        // English again: the stored choice goes back to English and nothing restarts.
        onNextModal<CLanguageDlg>([](CLanguageDlg* dlg) {
            dlg->englishButton()->click();
            dlg->okButton()->click();
        });
        env.frame()->OnCommand(32799);
        QVERIFY(env.iniText().contains("Language=English"));
        QVERIFY(env.restarts.isEmpty());
        QVERIFY(env.frame()->isVisible());
        QVERIFY(!env.app->languageDialog()->choiceChanged());
    }

    void failedRestartIsReported()
    {
        ShellFixture env;
        QVERIFY(env.start());
        env.app->restarter = [](const QString&, const QString&) { return false; };
        onNextModal<CLanguageDlg>([](CLanguageDlg* dlg) {
            dlg->chineseButton()->click();
            dlg->okButton()->click();
        });
        msgtest::answerNext(QMessageBox::Ok);
        env.frame()->OnCommand(32799);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains(env.programPath()), qPrintable(shown[0].text));
    }

    void languageNotStoredMeansNoRestart_data()
    {
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("message");
        // A folder in the file's place: the store cannot write it back.
        QTest::newRow("not writable") << false << "The language could not be stored: %1 cannot be written.";
        // Another edit of the file that does not end.
        QTest::newRow("being changed")
            << true << "%1 is being changed by another program.\nTry again when it has finished.";
    }
    void languageNotStoredMeansNoRestart()
    {
        QFETCH(bool, held);
        QFETCH(QString, message);
        ShellFixture env;
        QVERIFY(env.start());
        const QString ini = env.path("Program.ini");
        const QString before = env.iniText();
        FileLock lock;
        if (held) {
            QVERIFY(lock.lock(ini.toStdString()).ok());
        } else {
            QFile::remove(ini);
            QDir(env.dir.path()).mkdir("Program.ini");
        }
        msgtest::answerNext(QMessageBox::Ok);
        onNextModal<CLanguageDlg>([](CLanguageDlg* dlg) {
            dlg->chineseButton()->click();
            dlg->okButton()->click();
        });
        env.frame()->OnCommand(32799);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.startsWith(message.arg(ini)), qPrintable(shown[0].text));
        QVERIFY(env.restarts.isEmpty());
        QVERIFY(env.frame()->isVisible());
        if (held)
            QCOMPARE(env.iniText(), before);
    }
};

QTEST_MAIN(TestStartup)
#include "startup_qtest.moc"
