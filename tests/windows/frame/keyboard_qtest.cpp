// The program by keyboard: F1 help requests, accelerators and the Language dialog
// without a mouse.

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "ShellFixture.h"
#include "windows/common/HelpRequest.h"
#include "windows/frame/CLanguageDlg.h"
#include "windows/view/CMSFlexGrid.h"
#include "windows/view/CProgramView.h"

using namespace qx260;

namespace
{

void setLanguage(QString& ini, const QString& language)
{
    ini.replace(QRegularExpression(QStringLiteral("(?m)^Language=.*$")),
                QStringLiteral("Language=") + language);
}

void activate(QWidget* window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT
  private slots:
    void cleanup() { helptest::setOpener({}); }

    void f1OpensTheHelpFileOfTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("helpFile");
        QTest::addColumn<bool>("present");
        QTest::newRow("English, file present") << "English"
                                               << "enHelp.chm" << true;
        QTest::newRow("Chinese, file present") << "Chinese"
                                               << "chHelp.chm" << true;
        QTest::newRow("English, no file") << "English"
                                          << "enHelp.chm" << false;
    }
    void f1OpensTheHelpFileOfTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, helpFile);
        QFETCH(bool, present);
        ShellFixture env([&](QString& ini) { setLanguage(ini, language); });
        if (present)
            ShellFixture::writeFile(env.path(helpFile), "help");
        // The other language's file lies there too: it must never be the one opened.
        ShellFixture::writeFile(env.path(helpFile == "enHelp.chm" ? "chHelp.chm" : "enHelp.chm"), "other");
        QList<QUrl> opened;
        helptest::setOpener([&](const QUrl& url) {
            opened.append(url);
            return true;
        });
        QVERIFY(env.start());
        activate(env.frame());
        helptest::takeRequestedTopics();

        // F1 on the grid asks for the grid's topic.
        CMSFlexGrid* grid = env.active()->view->grid();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_F1);
        QCOMPARE(helptest::takeRequestedTopics(), QList<int>({CProgramView::kGridId}));
        const QList<QUrl> expected =
            present ? QList<QUrl>({QUrl::fromLocalFile(env.path(helpFile))}) : QList<QUrl>();
        QCOMPARE(opened, expected);

        // F1 on a highlighted menu item asks for the topic of its command.
        QMenu* edit = env.frame()->menus(true)[1];
        edit->popup(env.frame()->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(edit));
        edit->setActiveAction(env.frame()->menuAction(true, 32786));
        QTest::keyClick(edit, Qt::Key_F1);
        QCOMPARE(helptest::takeRequestedTopics(), QList<int>({32786}));
        edit->close();

        // F1 in the Language dialog asks for the topic of the Language command.
        onNextModal<CLanguageDlg>([](CLanguageDlg* dlg) {
            QTest::keyClick(dlg, Qt::Key_F1);
            dlg->cancelButton()->click();
        });
        env.frame()->OnCommand(32799);
        QCOMPARE(helptest::takeRequestedTopics(), QList<int>({32799}));
        // Without the help file (and no manual beside this copy of the program) each
        // request says so instead of doing nothing.
        QCOMPARE(msgtest::takeShown().size(), present ? 0 : 3);
    }

    void acceleratorsRunTheirCommands()
    {
        ShellFixture env;
        QVERIFY(env.start());
        activate(env.frame());
        QWidget* grid = env.active()->view->grid();
        grid->setFocus();

        // Ctrl+S saves (asking for a name: the document is new).
        filetest::answerNext(env.path("keys.dat"));
        QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(ShellFixture::readFile(env.path("keys.dat")).size(), 1040);

        // Ctrl+N asks before clearing; Cancel keeps the document.
        CProgramApp::Document* doc = env.active();
        msgtest::answerNext(QMessageBox::Cancel);
        QTest::keyClick(grid, Qt::Key_N, Qt::ControlModifier);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QString("All data will be Cleared!"));
        QCOMPARE(env.active(), doc);

        // Ctrl+O opens the file chosen.
        ShellFixture::writeFile(env.path("other.dat"), ShellFixture::newDocumentBytes());
        filetest::answerNext(env.path("other.dat"));
        QTest::keyClick(grid, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(env.app->documents().size(), size_t(2));
        QCOMPARE(env.active()->view->windowTitle(), QString("other.dat[*]"));
    }

    void languageIsChosenWithTheKeyboard()
    {
        ShellFixture env;
        QVERIFY(env.start());
        onNextModal<CLanguageDlg>([](CLanguageDlg* dlg) {
            QVERIFY(dlg->englishButton()->hasFocus() || dlg->englishButton()->isChecked());
            dlg->englishButton()->setFocus();
            QTest::keyClick(dlg->englishButton(), Qt::Key_Down);
            QVERIFY(dlg->chineseButton()->isChecked());
            QTest::keyClick(dlg->chineseButton(), Qt::Key_Return); // OK is the default button
        });
        env.frame()->OnCommand(32799);
        QVERIFY(env.iniText().contains("Language=Chinese"));
        QCOMPARE(env.restarts.size(), 1);
    }
};

QTEST_MAIN(TestKeyboard)
#include "keyboard_qtest.moc"
