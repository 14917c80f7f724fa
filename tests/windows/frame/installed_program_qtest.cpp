// The desktop program started from an installed tree, as scripts/check-install.sh runs
// it: read-only, by a user who cannot write to it. It starts in English from the shipped
// Program.ini without making a file of the user's, takes Chinese through the Language
// dialog into the user's own file (which holds that choice alone), and comes up in Chinese
// after the restart; another user still gets English.
//
// QX260_INSTALLED_PREFIX names the installed tree; without it the test has nothing to
// look at and is skipped.

#include <QFileInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "ShellFixture.h"
#include "windows/common/Pictures.h"
#include "windows/frame/CLanguageDlg.h"
#include "windows/frame/CNavigatorBar.h"

using namespace qx260;

class TestInstalledProgram : public QObject
{
    Q_OBJECT
  private:
    QString prefix_;
    QTemporaryDir home_;

    QString userCopy() const { return home_.filePath(QStringLiteral(".config/qx260/Program.ini")); }
    QString shipped() const { return prefix_ + QStringLiteral("/share/qx260/Program.ini"); }

    // One start of the installed program; the restart after a change of language is recorded.
    struct Run {
        std::unique_ptr<CProgramApp> app = std::make_unique<CProgramApp>();
        QStringList restarts;
        ~Run()
        {
            app.reset();
            unloadResourceLibrary();
        }
    };
    bool start(Run& run) const
    {
        run.app->restarter = [&run](const QString& program, const QString&) {
            run.restarts.append(program);
            return true;
        };
        return run.app->InitInstance(prefix_ + QStringLiteral("/bin/qx260"), {});
    }
    static QString firstMenu(const Run& run)
    {
        return run.app->mainFrame()->menuBar()->actions().first()->text();
    }

  private slots:
    void initTestCase()
    {
        prefix_ = qEnvironmentVariable("QX260_INSTALLED_PREFIX");
        if (prefix_.isEmpty())
            QSKIP("QX260_INSTALLED_PREFIX names no installed tree (scripts/check-install.sh sets it)");
        QVERIFY(QFileInfo(shipped()).isFile());
        QVERIFY2(!QFileInfo(shipped()).isWritable(), "the installed tree must be read-only for this test");
        qputenv("XDG_CONFIG_HOME", home_.filePath(QStringLiteral(".config")).toUtf8());
        qunsetenv("QX260_SETTINGS");
        msgtest::reset();
        msgtest::setAutoAnswer(true); // a box nobody expected must not hang the test
    }

    void startsInEnglishAndSwitchesToChineseThroughTheUsersOwnFile()
    {
        const QByteArray shippedBefore = ShellFixture::readFile(shipped());
        {
            Run run;
            QVERIFY(start(run));
            QVERIFY(msgtest::takeShown().isEmpty());
            QCOMPARE(firstMenu(run), QString("&File"));
            QCOMPARE(CProgramApp::applicationName(), QString("Larkspur Radio"));
            QVERIFY(!QFileInfo::exists(userCopy())); // nothing chosen yet, nothing written
            QVERIFY(!titleIcon(prefix_ + QStringLiteral("/bin/")).isNull()); // from share/qx260

            onNextModal<CLanguageDlg>([](CLanguageDlg* dlg) {
                dlg->chineseButton()->click();
                dlg->okButton()->click();
            });
            run.app->mainFrame()->OnCommand(32799);
            QVERIFY(msgtest::takeShown().isEmpty()); // stored without complaint
            QCOMPARE(run.restarts, QStringList({prefix_ + QStringLiteral("/bin/qx260")}));
        }
        QCOMPARE(ShellFixture::readFile(userCopy()), QByteArray("[Setup]\r\nLanguage=Chinese\r\n"));
        QCOMPARE(ShellFixture::readFile(shipped()), shippedBefore);

        {
            Run restarted;
            QVERIFY(start(restarted));
            QCOMPARE(firstMenu(restarted), QString("文件(&F)"));
            QCOMPARE(restarted.app->mainFrame()->navigatorBar()->tree()->topLevelItem(0)->text(0),
                     QString("云雀无线电"));
        }

        // Another user has a copy of their own, and so the shipped language.
        QTemporaryDir otherHome;
        qputenv("XDG_CONFIG_HOME", otherHome.filePath(QStringLiteral(".config")).toUtf8());
        {
            Run other;
            QVERIFY(start(other));
            QCOMPARE(firstMenu(other), QString("&File"));
        }
        qputenv("XDG_CONFIG_HOME", home_.filePath(QStringLiteral(".config")).toUtf8());
    }
};

QTEST_MAIN(TestInstalledProgram)
#include "installed_program_qtest.moc"
