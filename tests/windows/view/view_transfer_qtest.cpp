// Read, Write and Com Setup from the channel view, against the simulated radio on a
// pseudo-terminal: the Process window's commands reach the core's transfers, and their
// outcomes reach the screen. What the transfers do on the wire is the core's tests' part.

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

#include "platform/PortSurvey.h"
#include "tests/support/SimRadio.h"
#include "tests/windows/view/ViewTestSetup.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CFindRadioDlg.h"
#include "windows/view/CPortSettingDlg.h"
#include "windows/view/CProcessDlg.h"
#include "windows/view/CellEditors.h"
#include "windows/view/TransferController.h"

using namespace qx260;
using qx260::test::SimRadio;

namespace
{
// A new document's window, as File New makes it.
struct Window : test::ChannelWindow {
    Window() : ChannelWindow(RadioImage::newImage(), true) {}
    CProcessDlg* dialog() { return view->processDialog(); }
};

void pressOk(CProcessDlg* dialog)
{
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
}
} // namespace

class TestLink : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    MemoryUserStore store_;

    static void mapCom1(const QString& device) { qputenv("QX260_PORT_COM1", device.toUtf8()); }

  private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        QVERIFY(test::useTestConfiguration(dir_, store_));
        QVERIFY(test::useLanguageModule(dir_));
        processValues().applicationName = "QX-260 Programming Software";
    }

    void init()
    {
        ProcessValues& pv = processValues();
        pv.radioVariant = 1;
        pv.portDeviceName = "COM1";
        pv.setLanguage(Language::English);
        msgtest::reset();
        msgtest::setAutoAnswer(true);
    }

    // Read through the Process window: each ending of the core's Read reaches the screen as
    // its message, and only a completed Read reaches the document. On the way, the window's
    // own rules: Cancel before OK sends nothing, a command while the window waits changes
    // what OK does, OK starts one transfer only, and a Write command while the Read runs
    // changes nothing.
    void plainRead_data()
    {
        QTest::addColumn<QStringList>("simArgs"); // empty: no radio, and COM0 as the port
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<int>("cancelAt");    // Cancel once the bar is there; -1 never
        QTest::addColumn<QString>("message"); // the start of the one box shown, if any
        QTest::addColumn<int>("count");       // the count text at the end
        QTest::newRow("completed") << QStringList{"--variant-byte", "F5"} << false << -1 << "" << 51;
        QTest::newRow("port cannot be opened") << QStringList() << false << -1 << resourceString(61453) << 0;
        QTest::newRow("no answer, Retry") << QStringList{"--no-answer", "1", "--variant-byte", "F5"} << false
                                          << -1 << resourceString(61451) << 51;
        QTest::newRow("another type, Chinese") << QStringList{"--ident", "5031323037000000"} << true << -1
                                               << QString::fromUtf8("对讲机类型不匹配,无法通讯。") << 0;
        QTest::newRow("cancelled between blocks") << QStringList{"--pace", "9600"} << false << 3 << "" << 3;
    }

    void plainRead()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(bool, chinese);
        QFETCH(int, cancelAt);
        QFETCH(QString, message);
        QFETCH(int, count);
        const QString log = dir_.filePath("read.log");
        QFile::remove(log);
        std::unique_ptr<SimRadio> radio;
        if (!simArgs.isEmpty()) {
            radio = std::make_unique<SimRadio>(simArgs + QStringList{"--log", log});
            mapCom1(radio->device());
        } else {
            processValues().portDeviceName = "COM0";
        }
        processValues().setLanguage(languageOf(chinese));
        auto english = qScopeGuard([] { processValues().setLanguage(Language::English); });
        if (message == resourceString(61451))
            msgtest::answerNext(QMessageBox::Retry);
        Window w;
        QSignalSpy modified(w.view, &CProgramView::documentModified);
        w.frame->hide(); // a hidden document window comes back after success
        const RadioImage before = w.doc.image;

        // Cancel before OK sends nothing; the next command opens a fresh window.
        w.view->OnRead();
        CProcessDlg* dialog = w.dialog();
        QVERIFY(dialog && dialog->isVisible());
        QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        QVERIFY(!dialog->windowExists());
        w.view->OnRead();
        w.view->OnWrite(); // no second window: the one there says what OK does now
        QCOMPARE(dialog->windowTitle(), chinese ? QString::fromUtf8("写数据") : QString("Write Data"));
        QCOMPARE(w.view->transfer().command(), TransferController::Command::Write);
        w.view->OnRead();
        QCOMPARE(dialog->windowTitle(), chinese ? QString::fromUtf8("读数据") : QString("Read Data"));
        QCOMPARE(dialog->countText()->text(), QString("0"));
        QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(dialog->okButton()));
        QTest::qWait(100);
        QCOMPARE(test::readFile(log), QByteArray());

        connect(dialog->progressBar(), &QProgressBar::valueChanged, dialog, [&](int value) {
            if (value == 1) // the Write command while the Read runs
                QTimer::singleShot(0, w.view, [&] { w.view->OnWrite(); });
            if (value == cancelAt)
                QTimer::singleShot(0, dialog,
                                   [dialog] { QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton); });
        });
        pressOk(dialog);
        QVERIFY(!dialog->okButton()->isEnabled());
        pressOk(dialog); // a second press starts nothing
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists() && !w.view->transferRunning(), 15000);

        const auto shown = msgtest::takeShown();
        if (message.isEmpty()) {
            QVERIFY(shown.isEmpty());
        } else {
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].text.startsWith(message), qPrintable(shown[0].text));
            if (message == resourceString(61451))
                QCOMPARE(shown[0].buttons, QMessageBox::Retry | QMessageBox::Cancel);
            else if (chinese)
                QCOMPARE(shown[0].caption, QString::fromUtf8("警告"));
            else
                QCOMPARE(shown[0].caption, QString("QX-260 Programming Software"));
            if (simArgs.isEmpty()) // the system's reason follows
                QVERIFY2(shown[0].text.contains("No such file"), qPrintable(shown[0].text));
        }
        if (cancelAt < 0)
            QCOMPARE(dialog->countText()->text(), QString::number(count));
        else
            QVERIFY2(dialog->progressBar()->value() < count + 3, qPrintable(dialog->countText()->text()));
        QCOMPARE(dialog->windowTitle(), chinese ? QString::fromUtf8("读数据") : QString("Read Data"));
        QCOMPARE(w.view->transfer().command(), TransferController::Command::Read);

        const bool completed = count == 51;
        QCOMPARE(modified.count(), completed ? 1 : 0);
        QCOMPARE(processValues().radioVariant, completed ? 2 : 1);
        QCOMPARE(w.doc.newDocumentFlag, !completed);
        QCOMPARE(w.frame->isVisible(), completed);
        if (!completed) {
            QVERIFY(w.doc.image == before);
            return;
        }
        // Variant 2 shows the transmit side; the radio's channel 1 is 145.5 MHz.
        QCOMPARE(w.doc.image.txFrequency(1), std::optional<std::uint32_t>(14550000));
        QVERIFY(QString::fromStdString(w.view->table().textMatrix(1, 2)).startsWith("145.5"));
        for (std::size_t i = 0x330; i < kImageSize; ++i)
            QCOMPARE(w.doc.image.byte(i), before.byte(i));
        QVERIFY(!test::readFile(log).contains(" < 57")); // no write frame reached the radio
    }

    // Write through the Process window: the table (with what is only in its cells) goes to
    // the radio, and each ending of the core's Write reaches the screen with what the radio
    // now holds after its message.
    void plainWrite_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QString>("typed");   // a value still being typed into channel 5
        QTest::addColumn<int>("cancelAt");    // Cancel once the bar is there; -1 never
        QTest::addColumn<QString>("message"); // the start of the one box shown, if any
        QTest::addColumn<QString>("says");    // what the box says after it
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("subBlocks"); // of the document, now in the radio
        const QString interrupt = "Program Interrupt, Please reset the radio and try again\n\n";
        const QString half =
            "The radio now holds the first %1 of 51 blocks of the document and the first half "
            "of block %2, and its earlier memory after them.\nTo put it right, write again";
        QTest::newRow("completed") << QStringList() << "" << -1 << ""
                                   << "" << 51 << 102;
        QTest::newRow("not acknowledged") << QStringList{"--wrong-write-ack", "11"} << "" << -1 << interrupt
                                          << half.arg(5).arg(6) << 5 << 11;
        QTest::newRow("line dropped")
            << QStringList{"--drop-at", "21"} << "" << -1 << interrupt
            << "the radio or the cable stopped answering (the line was lost)\n\n" + half.arg(10).arg(11) << 10
            << 21;
        QTest::newRow("another type")
            << QStringList{"--ident", "50313230370000FF"} << "" << -1
            << "Becuase the type of radio does not match,\ncommunications is interrupt."
            << "\n\nNothing was written to the radio." << 0 << 0;
        QTest::newRow("cancelled between blocks") << QStringList{"--pace", "9600"} << "" << 3
                                                  << "Writing was cancelled. The radio now holds the first "
                                                  << "" << 3 << -1;
        QTest::newRow("refused value: nothing sent")
            << QStringList() << "146,52" << -1
            << resourceString(61504) + "\n\nNothing was written to the radio."
            << "" << 0 << 0;
    }

    void plainWrite()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(QString, typed);
        QFETCH(int, cancelAt);
        QFETCH(QString, message);
        QFETCH(QString, says);
        QFETCH(int, count);
        QFETCH(int, subBlocks);
        const QString saved = dir_.filePath("written.dat");
        const QString log = dir_.filePath("write.log");
        QFile::remove(saved);
        QFile::remove(log);
        SimRadio radio(simArgs + QStringList{"--save", saved, "--log", log});
        mapCom1(radio.device());
        Window w;
        w.doc.image.setRxFrequency(5, 15000000);
        w.view->fillTableFromDocument();
        // A value still being typed goes with the Write.
        w.view->table().moveTo(6, 1);
        QLineEdit* open = w.view->cellEditors()->editBox(1);
        QVERIFY(!open->isHidden());
        open->setText("151.25");
        if (!typed.isEmpty()) {
            w.view->table().moveTo(5, 1);
            QLineEdit* edit = w.view->cellEditors()->editBox(1);
            QVERIFY(!edit->isHidden());
            edit->selectAll();
            QTest::keyClicks(edit, typed);
            msgtest::answerNext(QMessageBox::Ok);
        }
        const RadioImage before = w.doc.image;

        w.view->OnWrite();
        CProcessDlg* dialog = w.dialog();
        QCOMPARE(dialog->windowTitle(), QString("Write Data"));
        connect(dialog->progressBar(), &QProgressBar::valueChanged, dialog, [&](int value) {
            if (value == cancelAt)
                QTimer::singleShot(0, dialog,
                                   [dialog] { QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton); });
        });
        // Enter starts it: OK has the focus.
        QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(dialog->okButton()));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists() && !w.view->transferRunning(), 15000);

        const auto shown = msgtest::takeShown();
        if (message.isEmpty()) {
            QVERIFY(shown.isEmpty());
        } else {
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].text.startsWith(message), qPrintable(shown[0].text));
            QVERIFY2(shown[0].text.contains(says), qPrintable(shown[0].text));
        }
        const int blocks = cancelAt < 0 ? count : dialog->countText()->text().toInt();
        if (cancelAt < 0)
            QCOMPARE(dialog->countText()->text(), QString::number(count));
        else
            QVERIFY2(shown[0].text.startsWith(message + QString::number(blocks) + " of 51 blocks") &&
                         shown[0].text.contains("write again"),
                     qPrintable(shown[0].text));

        if (!typed.isEmpty()) { // refused: nothing sent, the channel and the image as they were
            QCOMPARE(QString::fromStdString(w.view->table().textMatrix(5, 1)), QString("150.00000"));
            QVERIFY(w.doc.image == before);
            QTest::qWait(100);
            QCOMPARE(test::readFile(log), QByteArray());
            return;
        }
        // The radio holds the blocks written of the document, with the value that was open.
        QCOMPARE(w.doc.image.rxFrequency(6), std::optional<std::uint32_t>(15125000));
        const int written = subBlocks < 0 ? blocks * 16 : subBlocks * 8;
        if (written == 0) {
            QTest::qWait(100);
            QVERIFY(!QFile::exists(saved));
            return;
        }
        QTRY_COMPARE(test::readFile(saved).size(), 1040);
        const QByteArray memory = test::readFile(saved);
        const QByteArray sent(reinterpret_cast<const char*>(w.doc.image.bytes().data()), 0x330);
        QCOMPARE(memory.mid(16, written), sent.left(written));
    }

    void portSettingOffersOnlyPortsThatOpen()
    {
        SimRadio radio({});
        for (int n = 1; n <= 16; ++n)
            qputenv(qPrintable(QString("QX260_PORT_COM%1").arg(n)),
                    n == 12 ? radio.device().toUtf8() : dir_.filePath("none").toUtf8());
        Window w;
        processValues().portDeviceName = "COM3"; // cannot be opened: nothing selected
        CPortSettingDlg* dialog = w.view->transfer().portSettingDialog();
        QVERIFY(dialog);

        bool checked = false;
        QTimer::singleShot(0, [&] {
            checked = true;
            for (int n = 1; n <= 16; ++n) {
                QCOMPARE(dialog->portButton(n)->isEnabled(), n == 12);
                // Every label is whole: COM12 must not read as COM1.
                QVERIFY(dialog->portButton(n)->width() >= dialog->portButton(n)->sizeHint().width());
                QVERIFY(dialog->rect().contains(dialog->portButton(n)->geometry()));
            }
            QVERIFY2(dialog->portButton(12)->toolTip().startsWith(radio.device() + ": free"),
                     qPrintable(dialog->portButton(12)->toolTip()));
            QCOMPARE(dialog->selectedPort(), 0);
            dialog->portButton(12)->click();
            test::snapshot(dialog, "port-setting");
            QTest::mouseClick(dialog->findChild<QPushButton*>("ok"), Qt::LeftButton);
        });
        w.view->OnComSetup();
        QVERIFY(checked);
        QCOMPARE(processValues().portDeviceName, std::string("\\\\.\\COM12"));
        QCOMPARE(store_.readNumber(userStoreKey(processValues().configurationStore), "COM"), 12);

        // Shown again: the current port is selected; Cancel changes nothing.
        QTimer::singleShot(0, [&] {
            QCOMPARE(dialog->selectedPort(), 12);
            QTest::mouseClick(dialog->findChild<QPushButton*>("cancel"), Qt::LeftButton);
        });
        w.view->OnComSetup();
        QCOMPARE(processValues().portDeviceName, std::string("\\\\.\\COM12"));

        // A new view takes the stored port.
        processValues().portDeviceName = "COM1";
        Window again;
        QCOMPARE(processValues().portDeviceName, std::string("\\\\.\\COM12"));
        for (int n = 1; n <= 16; ++n)
            qunsetenv(qPrintable(QString("QX260_PORT_COM%1").arg(n)));
        store_.writeNumber(userStoreKey(processValues().configurationStore), "com", 1);
    }

    // Port Setting says why a port that is there cannot be opened, and follows the ports
    // while it is open: a device that appears becomes a port to choose.
    void portSettingSaysWhyAndFollowsThePorts()
    {
        const QString denied = dir_.filePath("denied");
        const QString later = dir_.filePath("later");
        QFile(denied).open(QIODevice::WriteOnly);
        QFile::remove(later);
        for (int n = 1; n <= 16; ++n)
            qputenv(qPrintable(QString("QX260_PORT_COM%1").arg(n)), (n == 2   ? denied
                                                                     : n == 5 ? later
                                                                              : dir_.filePath("none"))
                                                                        .toUtf8());
        const auto unmap = qScopeGuard([] {
            for (int n = 1; n <= 16; ++n)
                qunsetenv(qPrintable(QString("QX260_PORT_COM%1").arg(n)));
        });
        Window w;
        CPortSettingDlg* dialog = w.view->transfer().portSettingDialog();
        // The tests run as root, whom the system lets open anything: the denial is the
        // dialog's to show, the system's answer is the command line's test.
        dialog->status = [denied](const std::string& device) {
            if (device == denied.toStdString())
                return link::PortStatus{link::PortState::NoPermission, "dialout", {}};
            return link::portStatus(device);
        };
        const auto rowOf = [dialog](const QString& port) -> QString {
            for (int i = 0; i < dialog->portList()->topLevelItemCount(); ++i)
                if (dialog->portList()->topLevelItem(i)->text(0) == port)
                    return dialog->portList()->topLevelItem(i)->text(1);
            return {};
        };

        bool checked = false;
        QTimer::singleShot(0, [&] {
            const QString reason = "no permission: sudo usermod -aG dialout $USER, then log in again";
            QVERIFY(!dialog->portButton(2)->isEnabled());
            QCOMPARE(dialog->portButton(2)->toolTip(), denied + ": " + reason);
            QCOMPARE(rowOf("COM2"), denied + ": " + reason);
            QVERIFY(!dialog->portButton(5)->isEnabled());
            QCOMPARE(rowOf("COM5"), QString()); // absent: not listed

            QFile(later).open(QIODevice::WriteOnly); // the cable plugged in
            QTRY_VERIFY_WITH_TIMEOUT(dialog->portButton(5)->isEnabled(), 3000);
            QCOMPARE(rowOf("COM5"), later + ": free");
            checked = true;
            QTest::mouseClick(dialog->findChild<QPushButton*>("cancel"), Qt::LeftButton);
        });
        w.view->OnComSetup();
        QVERIFY(checked);
        QFile::remove(later);
    }

    // Find Radio sends nothing until Find; then the radio's port is listed with its variant,
    // a silent port without a Use button, and one click takes the radio's port.
    void findRadioTakesThePortThatAnswers()
    {
        SimRadio silent({"--silent"});
        SimRadio radio({"--variant-byte", "F5"});
        for (int n = 1; n <= 16; ++n)
            qputenv(qPrintable(QString("QX260_PORT_COM%1").arg(n)), (n == 3    ? silent.device()
                                                                     : n == 11 ? radio.device()
                                                                               : dir_.filePath("none"))
                                                                        .toUtf8());
        const auto unmap = qScopeGuard([] {
            for (int n = 1; n <= 16; ++n)
                qunsetenv(qPrintable(QString("QX260_PORT_COM%1").arg(n)));
        });
        CFindRadioDlg dialog;
        QCOMPARE(dialog.answerList()->topLevelItemCount(), 0);
        dialog.findButton()->click();
        QCOMPARE(dialog.answerList()->topLevelItemCount(), 2);
        QCOMPARE(dialog.answerList()->topLevelItem(0)->text(1), silent.device() + ": no answer");
        QCOMPARE(dialog.answerList()->topLevelItem(1)->text(1),
                 radio.device() + ": QX-260 answers, radio variant 2");
        QVERIFY(!dialog.useButton(3));
        QVERIFY(dialog.useButton(11));
        dialog.useButton(11)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(processValues().portDeviceName, std::string("\\\\.\\COM11"));
        QCOMPARE(store_.readNumber(userStoreKey(processValues().configurationStore), "COM"), 11);
        store_.writeNumber(userStoreKey(processValues().configurationStore), "com", 1);
    }
};

QTEST_MAIN(TestLink)
#include "view_transfer_qtest.moc"
