// Read, Write and Com Setup from the channel view, against the simulated radio on a
// pseudo-terminal: the Process window, its Cancel, the messages and the results.

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/radio/CProgramDoc.h"
#include "platform/Resources.h"
#include "tests/support/SimRadio.h"
#include "tests/windows/view/ViewTestSetup.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CPortSettingDlg.h"
#include "windows/view/CProcessDlg.h"
#include "windows/view/CProgramView.h"
#include "windows/view/CellEditors.h"

using namespace qx260;
using qx260::test::SimRadio;

namespace
{
const char* const kIni = "[Setup]\n"
                         "Language=English\n"
                         "AppName=QX-260 Programmer\n"
                         "Type1=QX-260\n"
                         "Field1=130 - 160MHz|136 - 174MHz\n"
                         "[English]\n"
                         "AppName=QX-260 Programming Software\n"
                         "Title=QX-260 Channel Table\n";

// A document window inside an MDI area, as the main window holds it.
struct Window {
    QMdiArea area;
    CProgramDoc doc;
    CProgramView* view = nullptr;
    QMdiSubWindow* frame = nullptr;

    Window()
    {
        doc.image = RadioImage::newImage();
        doc.newDocumentFlag = true;
        view = new CProgramView(doc);
        frame = area.addSubWindow(view);
        area.resize(900, 600);
        area.show();
        frame->show();
        view->OnInitialUpdate();
    }
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
        qputenv("QX260_SETTINGS", dir_.filePath("settings.ini").toUtf8());
        QVERIFY(test::useTestConfiguration(dir_, kIni, store_));
        ProcessValues& pv = processValues();
        pv.applicationName = "QX-260 Programming Software";
        QString error;
        QVERIFY2(loadResourceLibrary(languageModulePath(QX260_BIN_DIR "/", "English"), &error),
                 qPrintable(error));
    }

    void init()
    {
        ProcessValues& pv = processValues();
        pv.radioVariant = 1;
        pv.portDeviceName = "COM1";
        pv.languageFlag = false;
        msgtest::reset();
        msgtest::setAutoAnswer(true);
    }

    void readCompletesAndRebuildsTheTable()
    {
        SimRadio radio({"--variant-byte", "F5"});
        mapCom1(radio.device());
        Window w;
        QSignalSpy modified(w.view, &CProgramView::documentModified);
        w.frame->hide(); // a hidden document window comes back after success
        const RadioImage before = w.doc.image;

        w.view->OnRead();
        CProcessDlg* dialog = w.dialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QString("Read Data"));
        QCOMPARE(dialog->countText()->text(), QString("0"));
        pressOk(dialog);
        QVERIFY(!dialog->okButton()->isEnabled());
        pressOk(dialog); // a second press starts nothing
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists(), 15000);

        QCOMPARE(dialog->countText()->text(), QString("51"));
        QCOMPARE(dialog->progressBar()->value(), 51);
        QVERIFY(msgtest::takeShown().isEmpty());
        QCOMPARE(processValues().radioVariant, 2);
        QVERIFY(!w.doc.newDocumentFlag);
        QCOMPARE(modified.count(), 1);
        QVERIFY(w.frame->isVisible());
        // Variant 2 shows the transmit side; the radio's channel 1 is 145.5 MHz.
        QCOMPARE(w.doc.image.txFrequency(1), std::optional<std::uint32_t>(14550000));
        QVERIFY(QString::fromStdString(w.view->table().textMatrix(1, 2)).startsWith("145.5"));
        for (std::size_t i = 0x330; i < kImageSize; ++i)
            QCOMPARE(w.doc.image.byte(i), before.byte(i));
    }

    void writeThenReadReturnTheSameBytes()
    {
        SimRadio radio({"--save", dir_.filePath("radio.dat")});
        mapCom1(radio.device());
        Window w;
        w.doc.image.setRxFrequency(5, 15000000);
        w.doc.image.setTxFrequency(5, 15000000);
        w.view->fillTableFromDocument();
        w.view->OnWrite();
        QCOMPARE(w.dialog()->windowTitle(), QString("Write Data"));
        pressOk(w.dialog());
        QTRY_VERIFY_WITH_TIMEOUT(!w.dialog()->windowExists(), 15000);
        QVERIFY(msgtest::takeShown().isEmpty());
        const QByteArray saved = test::readFile(dir_.filePath("radio.dat"));
        QCOMPARE(saved.size(), 1040);
        const RadioImage written = w.doc.image;
        for (int i = 0; i < 0x330; ++i)
            QCOMPARE(static_cast<std::uint8_t>(saved[16 + i]), written.byte(static_cast<std::size_t>(i)));

        Window other;
        other.view->OnRead();
        pressOk(other.dialog());
        QTRY_VERIFY_WITH_TIMEOUT(!other.dialog()->windowExists(), 15000);
        for (std::size_t i = 0; i < 0x330; ++i)
            QCOMPARE(other.doc.image.byte(i), written.byte(i));
        QCOMPARE(other.doc.image.rxFrequency(5), std::optional<std::uint32_t>(15000000));
    }

    void failuresShowTheirMessageAndLeaveTheImage_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("count");
        QTest::newRow("write not acknowledged")
            << QStringList{"--wrong-write-ack", "11"} << int(CProgramView::kTransferWrite)
            << "Program Interrupt, Please reset the radio and try again" << 5;
        QTest::newRow("read reply short")
            << QStringList{"--short-read", "20"} << int(CProgramView::kTransferRead)
            << "Program Interrupt, Please reset the radio and try again" << 10;
        QTest::newRow("line dropped") << QStringList{"--drop-at", "2"} << int(CProgramView::kTransferRead)
                                      << "Program Interrupt, Please reset the radio and try again" << 1;
        QTest::newRow("wrong radio")
            << QStringList{"--ident", "5033323038000000"} << int(CProgramView::kTransferRead)
            << "Becuase the type of radio does not match,\ncommunications is interrupt." << 0;
    }

    void failuresShowTheirMessageAndLeaveTheImage()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(int, direction);
        QFETCH(QString, message);
        QFETCH(int, count);
        SimRadio radio(simArgs);
        mapCom1(radio.device());
        Window w;
        QSignalSpy modified(w.view, &CProgramView::documentModified);
        const RadioImage before = w.doc.image;
        if (direction == CProgramView::kTransferWrite)
            w.view->OnWrite();
        else
            w.view->OnRead();
        pressOk(w.dialog());
        QTRY_VERIFY_WITH_TIMEOUT(!w.dialog()->windowExists(), 15000);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.startsWith(message), qPrintable(shown[0].text));
        QCOMPARE(w.dialog()->countText()->text(), QString::number(count));
        if (direction == CProgramView::kTransferRead)
            QVERIFY(w.doc.image == before);
        QCOMPARE(modified.count(), 0);
        QCOMPARE(processValues().radioVariant, 1);
    }

    void portThatCannotBeOpened()
    {
        Window w;
        processValues().portDeviceName = "COM0";
        w.view->OnRead();
        pressOk(w.dialog());
        QTRY_VERIFY_WITH_TIMEOUT(!w.dialog()->windowExists(), 5000);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.startsWith(resourceString(61453)));
        QVERIFY2(shown[0].text.contains("No such file"), qPrintable(shown[0].text));
        QCOMPARE(shown[0].caption, QString("QX-260 Programming Software"));
    }

    void retryAfterNoAnswer()
    {
        SimRadio radio({"--no-answer", "1"});
        mapCom1(radio.device());
        Window w;
        msgtest::answerNext(QMessageBox::Retry);
        w.view->OnRead();
        pressOk(w.dialog());
        QTRY_VERIFY_WITH_TIMEOUT(!w.dialog()->windowExists(), 15000);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, resourceString(61451));
        QCOMPARE(shown[0].buttons, QMessageBox::Retry | QMessageBox::Cancel);
        QCOMPARE(w.dialog()->countText()->text(), QString("51"));
    }

    void cancelBeforeOkSendsNothing()
    {
        const QString log = dir_.filePath("cancel.log");
        SimRadio radio({"--log", log});
        mapCom1(radio.device());
        Window w;
        w.view->OnRead();
        w.view->OnWrite(); // changes the direction and the title, no second window
        QCOMPARE(w.dialog()->windowTitle(), QString("Write Data"));
        QCOMPARE(w.dialog()->titleText, QString("Write Data"));
        QCOMPARE(w.view->transferDirection, int(CProgramView::kTransferWrite));
        QTest::mouseClick(w.dialog()->cancelButton(), Qt::LeftButton);
        QVERIFY(!w.dialog()->windowExists());
        QTest::qWait(100);
        QCOMPARE(test::readFile(log), QByteArray());
    }

    void chineseTitlesAndTypeMessage()
    {
        SimRadio radio({"--ident", "5031323037000000"});
        mapCom1(radio.device());
        processValues().languageFlag = true;
        Window w;
        w.view->OnWrite();
        QCOMPARE(w.dialog()->windowTitle(), QString::fromUtf8("写数据"));
        w.view->OnRead();
        QCOMPARE(w.dialog()->titleText, QString::fromUtf8("读数据"));
        QTest::mouseClick(w.dialog()->cancelButton(), Qt::LeftButton);
        w.view->OnRead();
        QCOMPARE(w.dialog()->windowTitle(), QString::fromUtf8("读数据"));
        pressOk(w.dialog());
        QTRY_VERIFY_WITH_TIMEOUT(!w.dialog()->windowExists(), 15000);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].caption, QString::fromUtf8("警告"));
        QCOMPARE(shown[0].text, QString::fromUtf8("对讲机类型不匹配,无法通讯。"));
        processValues().languageFlag = false;
    }

    // After a completed transfer the next window has OK as its focus again, and it says
    // what OK will do: Enter starts the transfer the title names.
    void enterStartsEveryTransfer()
    {
        SimRadio radio({"--save", dir_.filePath("entered.dat")});
        mapCom1(radio.device());
        Window w;
        w.doc.image.setRxFrequency(5, 15000000);
        w.view->fillTableFromDocument();
        auto pressEnter = [](CProcessDlg* dialog) {
            QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(dialog->okButton()));
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists(), 15000);
            QCOMPARE(dialog->countText()->text(), QString("51"));
        };
        w.view->OnRead();
        pressEnter(w.dialog());
        w.view->OnRead();
        w.view->OnWrite();
        QCOMPARE(w.dialog()->windowTitle(), QString("Write Data"));
        w.doc.image.setRxFrequency(5, 15000000); // the Read brought the radio's channels
        w.view->fillTableFromDocument();
        pressEnter(w.dialog());
        QVERIFY(msgtest::takeShown().isEmpty());
        QTRY_COMPARE(test::readFile(dir_.filePath("entered.dat")).mid(16 + 0x50, 4),
                     QByteArray("\x00\x00\x00\x15", 4));
    }

    // A value still being typed that is refused stops a Write before anything is sent.
    void refusedValueStopsTheWriteBeforeItStarts()
    {
        const QString log = dir_.filePath("refused.log");
        SimRadio radio({"--log", log});
        mapCom1(radio.device());
        Window w;
        w.doc.image.setRxFrequency(5, 15000000);
        w.view->fillTableFromDocument();
        const RadioImage before = w.doc.image;
        w.view->table().moveTo(5, 1);
        QLineEdit* edit = w.view->cellEditors()->editBox(1);
        QVERIFY(!edit->isHidden());
        edit->selectAll();
        QTest::keyClicks(edit, "146,52");
        w.view->OnWrite();
        msgtest::answerNext(QMessageBox::Ok);
        pressOk(w.dialog());
        QTRY_VERIFY_WITH_TIMEOUT(!w.dialog()->windowExists(), 5000);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, resourceString(61504) + "\n\nNothing was written to the radio.");
        QCOMPARE(QString::fromStdString(w.view->table().textMatrix(5, 1)), QString("150.00000"));
        QVERIFY(w.doc.image == before);
        QTest::qWait(100);
        QCOMPARE(test::readFile(log), QByteArray());
    }

    void cancelDuringTheBlocks_data()
    {
        QTest::addColumn<int>("direction");
        QTest::newRow("read") << int(CProgramView::kTransferRead);
        QTest::newRow("write") << int(CProgramView::kTransferWrite);
    }

    // Cancel between the blocks: a Read leaves the document as it was and says nothing; a
    // Write says how much of the radio it replaced and how to put it right.
    void cancelDuringTheBlocks()
    {
        QFETCH(int, direction);
        SimRadio radio({"--pace", "9600"});
        mapCom1(radio.device());
        Window w;
        const RadioImage before = w.doc.image;
        if (direction == CProgramView::kTransferWrite)
            w.view->OnWrite();
        else
            w.view->OnRead();
        // The transfer runs inside the event loop: the click has to come through its
        // message passes, as a user's click does.
        CProcessDlg* dialog = w.dialog();
        connect(dialog->progressBar(), &QProgressBar::valueChanged, dialog, [dialog](int value) {
            if (value == 3)
                QTimer::singleShot(0, dialog,
                                   [dialog] { QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton); });
        });
        pressOk(dialog);
        QTRY_VERIFY_WITH_TIMEOUT(!w.dialog()->windowExists(), 15000);
        QVERIFY2(w.dialog()->progressBar()->value() < 6, qPrintable(w.dialog()->countText()->text()));
        const auto shown = msgtest::takeShown();
        if (direction == CProgramView::kTransferWrite) {
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].text.startsWith("Writing was cancelled. The radio now holds the first " +
                                              w.dialog()->countText()->text() + " of 51 blocks"),
                     qPrintable(shown[0].text));
            QVERIFY(shown[0].text.contains("write again"));
        } else {
            QVERIFY(shown.isEmpty());
            QVERIFY(w.doc.image == before);
        }

        // The next command opens a fresh window, and the port is free again.
        w.view->OnRead();
        QCOMPARE(w.dialog()->countText()->text(), QString("0"));
        QCOMPARE(w.dialog()->progressBar()->value(), 0);
        QVERIFY(w.dialog()->okButton()->isEnabled());
        QTest::mouseClick(w.dialog()->cancelButton(), Qt::LeftButton);
    }

    void portSettingOffersOnlyPortsThatOpen()
    {
        SimRadio radio({});
        for (int n = 1; n <= 16; ++n)
            qputenv(qPrintable(QString("QX260_PORT_COM%1").arg(n)),
                    n == 12 ? radio.device().toUtf8() : dir_.filePath("none").toUtf8());
        Window w;
        processValues().portDeviceName = "COM3"; // cannot be opened: nothing selected
        CPortSettingDlg* dialog = w.view->portSettingDialog();
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
            QCOMPARE(dialog->portButton(12)->toolTip(), radio.device());
            QCOMPARE(dialog->selectedPort(), 0);
            dialog->portButton(12)->click();
            if (const QString dir = qEnvironmentVariable("QX260_SHOT_DIR"); !dir.isEmpty())
                dialog->grab().save(dir + "/port-setting.png");
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
};

QTEST_MAIN(TestLink)
#include "view_transfer_qtest.moc"
