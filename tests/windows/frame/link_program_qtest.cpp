// The radio link as a user meets it: the whole program started in-process, the
// simulated radio on COM1 through QX260_PORT_COM1, Ctrl+R / Ctrl+W on the main
// window and OK in the Process window.

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

#include "core/channels/ChannelTable.h"
#include "programs/radio-sim/RadioModel.h"
#include "res/ResourceIds.h"
#include "tests/support/SimRadio.h"
#include "tests/windows/frame/ShellFixture.h"
#include "windows/frame/CChildFrame.h"
#include "windows/view/CCompareDlg.h"
#include "windows/view/CProcessDlg.h"
#include "windows/view/CProgramView.h"
#include "windows/view/CWriteSafetyDlg.h"

using namespace qx260;
using qx260::test::SimRadio;

namespace
{
constexpr std::size_t kTransferEnd = 0x330;

CProcessDlg* processWindow(ShellFixture& env)
{
    return env.active()->view->processDialog();
}

void pressKeys(ShellFixture& env, Qt::Key key)
{
    env.frame()->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(env.frame()));
    QTest::keyClick(env.frame(), key, Qt::ControlModifier);
}

// Ctrl+R or Ctrl+W, OK, and the wait for the Process window to go.
void transfer(ShellFixture& env, Qt::Key key, const QString& title)
{
    pressKeys(env, key);
    CProcessDlg* dialog = processWindow(env);
    QVERIFY(dialog && dialog->windowExists() && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), title);
    QCOMPARE(dialog->countText()->text(), QString("0"));
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists(), 20000);
}

// With QX260_SHOT_DIR set (a run under a real display), pictures of the widget and the screen.
void shot(QWidget* widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("QX260_SHOT_DIR");
    if (dir.isEmpty())
        return;
    widget->grab().save(dir + "/" + name + ".png");
    if (QScreen* screen = QGuiApplication::primaryScreen())
        screen->grabWindow(0).save(dir + "/" + name + "-screen.png");
}

// Whether this process still holds `device` open.
bool holdsOpen(const QString& device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
        if (QFileInfo(fds.filePath(fd)).symLinkTarget() == target)
            return true;
    return false;
}

QByteArray imageBytes(const RadioImage& image, std::size_t from, std::size_t to)
{
    return QByteArray(reinterpret_cast<const char*>(image.bytes().data() + from), int(to - from));
}
} // namespace

class TestLinkProgram : public QObject
{
    Q_OBJECT

  private slots:
    void cleanup() { qunsetenv("QX260_PORT_COM1"); }

    void readWriteAndReadBackThroughTheKeys()
    {
        ShellFixture env;
        SimRadio radio({"--save", env.path("radio.dat")});
        QVERIFY(!radio.device().isEmpty());
        qputenv("QX260_PORT_COM1", radio.device().toUtf8());
        QVERIFY(env.start());
        QCOMPARE(processValues().portDeviceName, std::string("COM1"));

        // Read: the table shows the radio's channels, the bytes that never travel stay.
        CProgramView* view = env.active()->view;
        const RadioImage before = env.active()->doc->image;
        pressKeys(env, Qt::Key_R);
        CProcessDlg* dialog = processWindow(env);
        QVERIFY(dialog);
        connect(dialog->progressBar(), &QProgressBar::valueChanged, dialog, [dialog](int value) {
            if (value == 20)
                shot(dialog, "process-window");
        });
        QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton); // Cancel before OK sends nothing
        QVERIFY(!dialog->windowExists());
        QVERIFY(!env.active()->frame->isWindowModified());
        transfer(env, Qt::Key_R, "Read Data");
        QCOMPARE(processWindow(env)->countText()->text(), QString("51"));
        QVERIFY(msgtest::takeShown().isEmpty());
        const sim::Memory fresh = sim::RadioModel::freshMemory();
        const RadioImage& read = env.active()->doc->image;
        QCOMPARE(imageBytes(read, 0, kTransferEnd),
                 QByteArray(reinterpret_cast<const char*>(fresh.data()), 0x330));
        QCOMPARE(imageBytes(read, kTransferEnd, kImageSize), imageBytes(before, kTransferEnd, kImageSize));
        QVERIFY(view->table().textMatrix(1, column::RxFrequency).rfind("145.5", 0) == 0);
        QVERIFY(!holdsOpen(radio.device()));

        // Write a changed channel.
        env.active()->doc->image.setRxFrequency(6, 15012500);
        view->fillTableFromDocument();
        transfer(env, Qt::Key_W, "Write Data");
        QVERIFY(msgtest::takeShown().isEmpty());
        const RadioImage written = env.active()->doc->image;
        QCOMPARE(written.rxFrequency(6), std::optional<std::uint32_t>(15012500));
        QCOMPARE(ShellFixture::readFile(env.path("radio.dat")).mid(16, 0x330),
                 imageBytes(written, 0, kTransferEnd));

        // Read it back into a new document: the same bytes 0x000 to 0x32F.
        msgtest::answerNext(QMessageBox::Ok); // "All data will be Cleared!"
        msgtest::answerNext(QMessageBox::No); // do not save the changed document
        env.frame()->OnCommand(57600);
        QCOMPARE(msgtest::takeShown().size(), 2);
        QVERIFY(!env.active()->doc->image.rxFrequency(6));
        transfer(env, Qt::Key_R, "Read Data");
        QVERIFY(msgtest::takeShown().isEmpty());
        QCOMPARE(imageBytes(env.active()->doc->image, 0, kTransferEnd), imageBytes(written, 0, kTransferEnd));
        QCOMPARE(env.active()->view->table().textMatrix(6, column::RxFrequency), std::string("150.12500"));
    }

    // Program > Compare with Radio, and a Write with Setup > Write Safety's verify on, from
    // the program's menus: each runs its sessions and leaves the port free.
    void compareAndVerifiedWriteFromTheMenus()
    {
        ShellFixture env;
        SimRadio radio({});
        qputenv("QX260_PORT_COM1", radio.device().toUtf8());
        QVERIFY(env.start());
        CProgramView* view = env.active()->view;

        int rows = -1;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, view, [&] {
            if (!view->compareDialog()->isVisible())
                return;
            rows = view->compareDialog()->list()->topLevelItemCount();
            view->compareDialog()->reject();
        });
        watcher.start(20);
        env.frame()->OnCommand(resid::CompareWithRadio);
        CProcessDlg* dialog = processWindow(env);
        QCOMPARE(dialog->windowTitle(), QString("Compare with Radio"));
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists() && !view->transferRunning(), 20000);
        QVERIFY(rows > 0); // the radio's three channels are not in the new document
        QVERIFY(!holdsOpen(radio.device()));

        QTimer::singleShot(0, view, [view] {
            view->writeSafetyDialog()->verifyBox()->setChecked(true);
            QTest::mouseClick(view->writeSafetyDialog()->okButton(), Qt::LeftButton);
        });
        env.frame()->OnCommand(resid::WriteSafety);
        transfer(env, Qt::Key_W, "Write Data");
        QTRY_VERIFY(!view->transferRunning());
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QString("Verified: the radio holds what was written."));
        QVERIFY(!holdsOpen(radio.device()));
    }

    void pulledCableEndsWithProgramInterruptAndClosesThePort_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<int>("dropAt");
        QTest::newRow("read") << Qt::Key_R << 30;
        QTest::newRow("write") << Qt::Key_W << 45;
    }

    void pulledCableEndsWithProgramInterruptAndClosesThePort()
    {
        QFETCH(Qt::Key, key);
        QFETCH(int, dropAt);
        ShellFixture env;
        SimRadio radio({"--drop-at", QString::number(dropAt)});
        qputenv("QX260_PORT_COM1", radio.device().toUtf8());
        QVERIFY(env.start());
        const RadioImage before = env.active()->doc->image;
        pressKeys(env, key);
        CProcessDlg* dialog = processWindow(env);
        QVERIFY(dialog && dialog->windowExists());
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists(), 20000);

        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.startsWith(resourceString(61454)), qPrintable(shown[0].text));
        QVERIFY2(shown[0].text.contains(radio.device()), qPrintable(shown[0].text)); // the system's reason
        QCOMPARE(shown[0].buttons, QMessageBox::Ok);
        QCOMPARE(dialog->countText()->text(), QString::number(dropAt / 2));
        QVERIFY(!holdsOpen(radio.device()));
        if (key == Qt::Key_R)
            QVERIFY(env.active()->doc->image == before);
        QVERIFY(env.frame()->isVisible());
    }

    void fileNewDuringAReadEndsItQuietly()
    {
        // The menus stay live during a transfer. File New replaces the document and its
        // window; the transfer ends at that pass as cancelled and the port is let go.
        ShellFixture env;
        SimRadio radio({"--pace", "9600"});
        qputenv("QX260_PORT_COM1", radio.device().toUtf8());
        QVERIFY(env.start());
        pressKeys(env, Qt::Key_R);
        QPointer<CProcessDlg> dialog = processWindow(env);
        QPointer<CProgramView> oldView = env.active()->view;
        connect(dialog->progressBar(), &QProgressBar::valueChanged, env.frame(), [&env](int value) {
            if (value == 5)
                QTimer::singleShot(0, env.frame(), [&env] {
                    msgtest::answerNext(QMessageBox::Ok); // "All data will be Cleared!"
                    env.frame()->OnCommand(57600);
                });
        });
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!oldView && env.active() && env.active()->view, 20000);
        QTRY_VERIFY(!holdsOpen(radio.device()));
        QCOMPARE(msgtest::takeShown().size(), 1);

        // The new document reads normally.
        transfer(env, Qt::Key_R, "Read Data");
        QCOMPARE(processWindow(env)->countText()->text(), QString("51"));
        QVERIFY(msgtest::takeShown().isEmpty());
    }

    void writeCommandDuringAReadChangesNothing()
    {
        // Ctrl+W while a Read is under way (its handshake still running) neither turns
        // the Read into a Write nor opens another window.
        ShellFixture env;
        SimRadio radio({"--save", env.path("radio.dat")});
        qputenv("QX260_PORT_COM1", radio.device().toUtf8());
        QVERIFY(env.start());
        pressKeys(env, Qt::Key_R);
        CProcessDlg* dialog = processWindow(env);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        QTimer::singleShot(0, env.frame(),
                           [&env] { QTest::keyClick(env.frame(), Qt::Key_W, Qt::ControlModifier); });
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists(), 20000);
        QVERIFY(msgtest::takeShown().isEmpty());
        QCOMPARE(dialog->windowTitle(), QString("Read Data"));
        QCOMPARE(env.active()->view->transferDirection, int(CProgramView::kTransferRead));
        QVERIFY(!QFile::exists(env.path("radio.dat")));               // nothing was written to the radio
        QVERIFY(env.active()->doc->image.rxFrequency(1).has_value()); // the radio's channels came in
    }

    void exitDuringAReadStopsIt()
    {
        // Exit while a Read runs: the main window closes, and the transfer stops at its
        // next pass as if cancelled, letting the port go, instead of reading on unseen.
        ShellFixture env;
        SimRadio radio({"--pace", "9600"});
        qputenv("QX260_PORT_COM1", radio.device().toUtf8());
        QVERIFY(env.start());
        pressKeys(env, Qt::Key_R);
        QPointer<CProcessDlg> dialog = processWindow(env);
        connect(dialog->progressBar(), &QProgressBar::valueChanged, env.frame(), [&env](int value) {
            if (value == 5)
                QTimer::singleShot(0, env.frame(), [&env] { env.frame()->OnCommand(57665); });
        });
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists(), 20000);
        QVERIFY(!env.frame()->isVisible());
        QVERIFY2(dialog->progressBar()->value() < 10, qPrintable(dialog->countText()->text()));
        QVERIFY(!holdsOpen(radio.device()));
        QVERIFY(msgtest::takeShown().isEmpty());
    }

    void cancelWhileTheHandshakeWaits()
    {
        // A silent radio: the attempt waits for the late answer, the prompt offers
        // Retry, and the Cancel pressed meanwhile ends the transfer at the next pass.
        ShellFixture env;
        SimRadio radio({"--silent"});
        qputenv("QX260_PORT_COM1", radio.device().toUtf8());
        QVERIFY(env.start());
        msgtest::answerNext(QMessageBox::Retry);
        pressKeys(env, Qt::Key_R);
        CProcessDlg* dialog = processWindow(env);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        QTimer::singleShot(50, dialog,
                           [dialog] { QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton); });
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists(), 20000);
        const auto shown = msgtest::takeShown();
        QVERIFY2(shown.size() <= 1, qPrintable(QString::number(shown.size())));
        for (const auto& box : shown)
            QCOMPARE(box.text, resourceString(61451));
        QCOMPARE(dialog->countText()->text(), QString("0"));
        QVERIFY(!holdsOpen(radio.device()));
    }
};

QTEST_MAIN(TestLinkProgram)
#include "link_program_qtest.moc"
