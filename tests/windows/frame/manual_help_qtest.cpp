// F1 and Help > User Manual as a user meets them: the whole program started from a bin/
// folder with the built manual beside it (../share/qx260/manual), the URL it asks the
// desktop to open caught, and the page and anchor it leads to looked up in the manual (a
// page at an anchor opens through a page that sends the browser on, since desktop
// handlers drop the anchor of a file URL). A
// help file of the language beside the program comes first. Without either, or when the
// browser does not start, a message says so. Which topic opens which page is the rows of
// HelpTopicsPlace and HelpTopicsFile; here each way of asking, once.

#include <QDirIterator>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTreeWidget>

#include "ProgramDriving.h"
#include "res/ResourceIds.h"
#include "tests/support/BuildPaths.h"
#include "windows/common/HelpRequest.h"
#include "windows/frame/CLanguageDlg.h"
#include "windows/frame/CNavigatorBar.h"
#include "windows/settings/COptionalFeaturesDlg.h"
#include "windows/view/CPortSettingDlg.h"

using namespace qx260;

namespace
{

enum class HelpAsked {
    F1OnGrid,
    F1InRxFrequencyBox,
    F1InOptionalFeatures,
    F1InPortSetting,
    F1InLanguage,
    F1OnMenuItem,
    UserManualItem,
    F1InNavigationBar,
};

const QString kManual = QStringLiteral("share/qx260/manual");

// Where the URL the desktop was asked to open leads: the page a redirecting page sends
// the browser on to, or the URL itself.
QUrl leadsTo(const QUrl& opened)
{
    const QString html = QString::fromUtf8(ShellFixture::readFile(opened.toLocalFile()));
    const QRegularExpressionMatch refresh =
        QRegularExpression(QStringLiteral("http-equiv=\"refresh\" content=\"0; url=([^\"]*)\"")).match(html);
    return refresh.hasMatch() ? QUrl::fromEncoded(refresh.captured(1).toLatin1()) : opened;
}

// The built manual's pages and topic map, without its pictures.
void copyBuiltManual(const QString& into)
{
    const QDir built(qx260::testpaths::manualDir());
    QDirIterator it(built.path(), {QStringLiteral("*.html"), QStringLiteral("topics.txt")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = QDir(into).filePath(built.relativeFilePath(file));
        QDir().mkpath(QFileInfo(target).path());
        QVERIFY(QFile::copy(file, target));
    }
}

void askForHelp(ShellFixture& env, HelpAsked how)
{
    CProgramView* view = env.active()->view;
    switch (how) {
    case HelpAsked::F1OnGrid:
        view->grid()->setFocus();
        QTest::keyClick(view->grid(), Qt::Key_F1);
        break;
    case HelpAsked::F1InRxFrequencyBox: {
        QLineEdit* edit = typeInto(view, 2, column::RxFrequency, QStringLiteral("145"));
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_F1);
        break;
    }
    case HelpAsked::F1InOptionalFeatures:
        onNextModal<COptionalFeaturesDlg>([](COptionalFeaturesDlg* dlg) {
            QWidget* squelch = dlg->control(1116);
            squelch->setFocus();
            QTest::keyClick(squelch, Qt::Key_F1);
            dlg->cancelButton()->click();
        });
        env.frame()->OnCommand(resid::OptionalFeatures);
        break;
    case HelpAsked::F1InPortSetting:
        onNextModal<CPortSettingDlg>([](CPortSettingDlg* dlg) {
            QWidget* focus = dlg->focusWidget() ? dlg->focusWidget() : dlg;
            QTest::keyClick(focus, Qt::Key_F1);
            dlg->reject();
        });
        env.frame()->OnCommand(resid::ComSetup);
        break;
    case HelpAsked::F1InLanguage:
        onNextModal<CLanguageDlg>([](CLanguageDlg* dlg) {
            QTest::keyClick(dlg, Qt::Key_F1);
            dlg->cancelButton()->click();
        });
        env.frame()->OnCommand(resid::Language);
        break;
    case HelpAsked::F1OnMenuItem: {
        QMenu* edit = env.frame()->menus(true)[1];
        edit->popup(env.frame()->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(edit));
        edit->setActiveAction(env.frame()->menuAction(true, resid::ProductInformation));
        QTest::keyClick(edit, Qt::Key_F1);
        edit->close();
        break;
    }
    case HelpAsked::UserManualItem:
        env.frame()->menuAction(true, resid::UserManual)->trigger();
        break;
    case HelpAsked::F1InNavigationBar: {
        QTreeWidget* tree = env.frame()->navigatorBar()->tree();
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_F1);
        break;
    }
    }
}

} // namespace

Q_DECLARE_METATYPE(HelpAsked)

class TestManualHelp : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { helptest::setOpener({}); }

    void helpOpensTheManualPageOfTheTopic_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<HelpAsked>("how");
        QTest::addColumn<bool>("manualThere");
        QTest::addColumn<QString>("helpFile"); // of the language, beside the program
        QTest::addColumn<bool>("browserStarts");
        QTest::addColumn<QString>("expected"); // PAGE#ANCHOR opened, the help file, or the message shown

        QTest::newRow("F1 on the channel grid")
            << false << HelpAsked::F1OnGrid << true << "" << true << "channels.html#channel-grid";
        QTest::newRow("F1 in the Rx Frequency box")
            << false << HelpAsked::F1InRxFrequencyBox << true << "" << true << "channels.html#frequencies";
        QTest::newRow("F1 in Optional Features") << false << HelpAsked::F1InOptionalFeatures << true << ""
                                                 << true << "optional-features.html#squelch-level";
        QTest::newRow("F1 in Port Setting, Chinese")
            << true << HelpAsked::F1InPortSetting << true << "" << true << "connecting.html#port-setting";
        QTest::newRow("F1 in Language")
            << false << HelpAsked::F1InLanguage << true << "" << true << "product-setup.html#language";
        QTest::newRow("F1 on a highlighted menu item") << false << HelpAsked::F1OnMenuItem << true << ""
                                                       << true << "product-setup.html#product-information";
        QTest::newRow("Help > User Manual")
            << false << HelpAsked::UserManualItem << true << "" << true << "index.html#contents";
        QTest::newRow("F1 in the navigation bar is User Manual")
            << false << HelpAsked::F1InNavigationBar << true << "" << true << "index.html#contents";
        QTest::newRow("the help file first")
            << false << HelpAsked::F1OnGrid << true << "enHelp.chm" << true << "";
        QTest::newRow("the Chinese help file")
            << true << HelpAsked::F1OnGrid << false << "chHelp.chm" << true << "";
        QTest::newRow("no manual") << false << HelpAsked::F1OnGrid << false << "" << true
                                   << "No user manual was found. The program looked for:\n%1/en/index.html";
        QTest::newRow("no manual, Chinese") << true << HelpAsked::UserManualItem << false << "" << true
                                            << "未找到用户手册。程序查找了：\n%1/zh/index.html";
        QTest::newRow("no browser") << false << HelpAsked::F1InPortSetting << true << "" << false
                                    << "The user manual could not be opened in the web browser:\n"
                                       "%1/en/connecting.html\n";
    }

    void helpOpensTheManualPageOfTheTopic()
    {
        QFETCH(bool, chinese);
        QFETCH(HelpAsked, how);
        QFETCH(bool, manualThere);
        QFETCH(QString, helpFile);
        QFETCH(bool, browserStarts);
        QFETCH(QString, expected);

        ShellFixture env(chinese ? useChinese : std::function<void(QString&)>(), {}, QStringLiteral("bin"));
        const QString manual = env.path(kManual);
        if (manualThere)
            copyBuiltManual(manual);
        if (!helpFile.isEmpty()) {
            // The other language's file lies there too: it must never be the one opened.
            ShellFixture::writeFile(env.bin.filePath("enHelp.chm"), "English");
            ShellFixture::writeFile(env.bin.filePath("chHelp.chm"), "Chinese");
        }
        QList<QUrl> opened;
        helptest::setOpener([&](const QUrl& url) {
            opened.append(url);
            return browserStarts;
        });
        QVERIFY(startProgram(env));
        askForHelp(env, how);

        const auto shown = msgtest::takeShown();
        if ((!manualThere && helpFile.isEmpty()) || !browserStarts) {
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].text.startsWith(expected.arg(manual)), qPrintable(shown[0].text));
            QCOMPARE(opened.size(), browserStarts ? 0 : 1);
            return;
        }
        QVERIFY2(shown.isEmpty(), qPrintable(shown.value(0).text));
        QCOMPARE(opened.size(), 1);
        if (!helpFile.isEmpty()) {
            QCOMPARE(opened[0], QUrl::fromLocalFile(env.bin.filePath(helpFile)));
            return;
        }
        const QString page = expected.section('#', 0, 0);
        const QString anchor = expected.section('#', 1);
        const QString language = chinese ? QStringLiteral("zh") : QStringLiteral("en");
        QUrl url = QUrl::fromLocalFile(QDir(manual).filePath(language + '/' + page));
        url.setFragment(anchor);
        // The anchor survives a desktop handler that opens only the file of a URL.
        QVERIFY(!opened[0].hasFragment());
        QCOMPARE(leadsTo(opened[0]), url);
        // The page is there, in the program's language, and holds the anchor.
        const QString html = QString::fromUtf8(ShellFixture::readFile(url.toLocalFile()));
        QVERIFY(html.contains(QStringLiteral("<html lang=\"%1\"").arg(chinese ? "zh-CN" : "en")));
        QVERIFY2(html.contains(QStringLiteral("id=\"%1\"").arg(anchor)), qPrintable(anchor));
    }
};

QTEST_MAIN(TestManualHelp)
#include "manual_help_qtest.moc"
