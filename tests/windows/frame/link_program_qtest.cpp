// The radio link as a user meets it: the whole program started in-process, the
// simulated radio on COM1 through QX260_PORT_COM1, Ctrl+R / Ctrl+W and the Program menu's
// commands on the main window, and OK in the Process window; undo around a transfer; a
// document window or the main window that goes while a Read runs.

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
#include "res/ResourceIds.h"
#include "tests/support/SimRadio.h"
#include "tests/windows/frame/ProgramDriving.h"
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
    activate(env.frame());
    QTest::keyClick(env.frame(), key, Qt::ControlModifier);
}

// Ctrl+R or Ctrl+W, OK, and the wait for the Process window to go; with undoHalfWay, Ctrl+Z
// in the channel window when the transfer is half-way.
void transfer(ShellFixture& env, Qt::Key key, const QString& title, bool undoHalfWay = false)
{
    pressKeys(env, key);
    CProcessDlg* dialog = processWindow(env);
    QVERIFY(dialog && dialog->windowExists() && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), title);
    QCOMPARE(dialog->countText()->text(), QString("0"));
    CProgramView* view = env.active()->view;
    QMetaObject::Connection halfWay;
    if (undoHalfWay)
        halfWay =
            QObject::connect(dialog->progressBar(), &QProgressBar::valueChanged, dialog, [view](int value) {
                if (value == 20)
                    QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
            });
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists(), 20000);
    QObject::disconnect(halfWay);
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

    // Ctrl+R and Ctrl+W reach the view's transfers, and the port is let go after each. A
    // completed Read is one step to undo; Ctrl+Z during a transfer changes nothing.
    void readAndWriteThroughTheKeys()
    {
        ShellFixture env;
        SimRadio radio({"--save", env.path("radio.dat")});
        QVERIFY(!radio.device().isEmpty());
        qputenv("QX260_PORT_COM1", radio.device().toUtf8());
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        QCOMPARE(processValues().portDeviceName, std::string("COM1"));
        const QStringList emptyRow = rowTexts(view, 1);
        const auto before = savedBytes(view);
        const QString duringTransfer("Undo and Redo are not available while the radio is read or written");

        // Read, after a Cancel: the table shows the radio's channels.
        pressKeys(env, Qt::Key_R);
        CProcessDlg* dialog = processWindow(env);
        QVERIFY(dialog);
        connect(dialog->progressBar(), &QProgressBar::valueChanged, dialog, [dialog](int value) {
            if (value == 20)
                shot(dialog, "process-window");
        });
        QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        transfer(env, Qt::Key_R, "Read Data", true);
        QCOMPARE(processWindow(env)->countText()->text(), QString("51"));
        QVERIFY(msgtest::takeShown().isEmpty());
        QCOMPARE(env.statusText(), duringTransfer);
        QCOMPARE(view->undoHistory().undoCount(), 1u);
        const QStringList readRow = rowTexts(view, 1);
        QVERIFY(readRow.first().startsWith("145.5"));
        QVERIFY(!holdsOpen(radio.device()));

        // Write a typed channel: the radio holds the image as it was when the Write began.
        activate(env.frame());
        QLineEdit* edit = typeInto(view, 2, 1, "150");
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Return);
        transfer(env, Qt::Key_W, "Write Data", true);
        QVERIFY(msgtest::takeShown().isEmpty());
        QCOMPARE(env.statusText(), duringTransfer);
        const RadioImage written = env.active()->doc->image;
        QCOMPARE(written.rxFrequency(2), std::optional<std::uint32_t>(15000000));
        QCOMPARE(ShellFixture::readFile(env.path("radio.dat")).mid(16, 0x330),
                 imageBytes(written, 0, kTransferEnd));
        QVERIFY(!holdsOpen(radio.device()));

        // Afterwards both steps are undone, and redone.
        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(env.statusText(), QString("Undone: channel 2"));
        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(env.statusText(), QString("Undone: Read"));
        QCOMPARE(rowTexts(view, 1), emptyRow);
        QVERIFY(savedBytes(view) == before);
        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(rowTexts(view, 1), readRow);
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
            CCompareDlg* compare = view->transfer().compareDialog();
            if (!compare->isVisible())
                return;
            rows = compare->list()->topLevelItemCount();
            compare->reject();
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
            CWriteSafetyDlg* safety = view->transfer().writeSafetyDialog();
            safety->verifyBox()->setChecked(true);
            QTest::mouseClick(safety->okButton(), Qt::LeftButton);
        });
        env.frame()->OnCommand(resid::WriteSafety);
        transfer(env, Qt::Key_W, "Write Data");
        QTRY_VERIFY(!view->transferRunning());
        QCOMPARE(shownTexts(), QStringList{"Verified: the radio holds what was written."});
        QVERIFY(!holdsOpen(radio.device()));
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
                    env.frame()->OnCommand(resid::FileNew);
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

    // Enter never stops a transfer: pressed right after the one that starts it (as a hand
    // used to Ctrl+W, Enter does) and again half-way, the Read and the Write both complete;
    // afterwards Enter is OK again. Escape still stops one.
    void enterNeverStopsATransfer_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("title");
        QTest::newRow("Ctrl+W") << int(Qt::Key_W) << "Write Data";
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << "Read Data";
    }

    void enterNeverStopsATransfer()
    {
        QFETCH(int, key);
        QFETCH(QString, title);
        ShellFixture env;
        SimRadio radio({"--save", env.path("radio.dat")});
        qputenv("QX260_PORT_COM1", radio.device().toUtf8());
        QVERIFY(env.start());
        // Enter as the keyboard delivers it: to the widget with the focus.
        const auto pressEnter = [](CProcessDlg* dialog) {
            QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
            QTest::keyClick(target, Qt::Key_Return);
        };

        pressKeys(env, Qt::Key(key));
        QPointer<CProcessDlg> dialog = processWindow(env);
        QVERIFY(dialog && dialog->windowExists());
        QCOMPARE(dialog->windowTitle(), title);
        int halfWayPresses = 0;
        const QMetaObject::Connection halfWay =
            connect(dialog->progressBar(), &QProgressBar::valueChanged, dialog, [&](int value) {
                if (value == 25)
                    QTimer::singleShot(0, dialog, [&] {
                        pressEnter(dialog);
                        ++halfWayPresses;
                    });
            });
        pressEnter(dialog); // starts it
        QVERIFY(!dialog->okButton()->isEnabled());
        pressEnter(dialog); // right after: nothing
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists(), 30000);
        QCOMPARE(halfWayPresses, 1);
        QCOMPARE(dialog->countText()->text(), QString("51"));
        QVERIFY(msgtest::takeShown().isEmpty());
        if (key == Qt::Key_R)
            QVERIFY(rowTexts(env.active()->view, 1).first().startsWith("145.5"));
        else
            QCOMPARE(ShellFixture::readFile(env.path("radio.dat")).mid(16, 0x330),
                     imageBytes(env.active()->doc->image, 0, kTransferEnd));

        // The next window starts with Enter again, and Escape stops that transfer.
        disconnect(halfWay);
        pressKeys(env, Qt::Key(key));
        QVERIFY(dialog->windowExists());
        QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(dialog->okButton()));
        connect(dialog->progressBar(), &QProgressBar::valueChanged, env.frame(), [&](int value) {
            if (value == 5)
                QTimer::singleShot(0, env.frame(),
                                   [&] { QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape); });
        });
        pressEnter(dialog);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists(), 30000);
        QVERIFY2(dialog->progressBar()->value() < 51, qPrintable(dialog->countText()->text()));
        msgtest::takeShown();
        QTRY_VERIFY(!holdsOpen(radio.device()));
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
                QTimer::singleShot(0, env.frame(), [&env] { env.frame()->OnCommand(resid::AppExit); });
        });
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists(), 20000);
        QVERIFY(!env.frame()->isVisible());
        QVERIFY2(dialog->progressBar()->value() < 10, qPrintable(dialog->countText()->text()));
        QVERIFY(!holdsOpen(radio.device()));
        QVERIFY(msgtest::takeShown().isEmpty());
    }
};

QTEST_MAIN(TestLinkProgram)
#include "link_program_qtest.moc"
