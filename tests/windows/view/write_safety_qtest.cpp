// Write Safety and Compare with Radio in the channel window, against the simulated radio
// on a pseudo-terminal: the choices made in Setup > Write Safety, the sessions the radio
// sees (each byte for byte a plain Read or Write), the backup, the review, the verify, and
// what reaches the radio when the user cancels or the backup fails. The review and the
// verify result are saved as pictures for the manual.

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "core/config/CIniFile.h"
#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/radio/CProgramDoc.h"
#include "platform/Resources.h"
#include "tests/support/SimRadio.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CCompareDlg.h"
#include "windows/view/CProcessDlg.h"
#include "windows/view/CProgramView.h"
#include "windows/view/CWriteSafetyDlg.h"

using namespace qx260;
using qx260::test::SimRadio;

namespace
{
// The per-user key comes from AppName; the rest is the program's defaults.
const char* const kIni = "[Setup]\nAppName=QX-260 Safe Writer\n";

struct Window {
    QMdiArea area;
    CProgramDoc doc;
    CProgramView* view = nullptr;

    explicit Window(const RadioImage& image)
    {
        doc.image = image;
        view = new CProgramView(doc);
        area.addSubWindow(view)->show();
        area.resize(900, 600);
        area.show();
        view->OnInitialUpdate();
    }
};

// What the computer sent, from the simulator's log ("  12.345 < 52" for each byte received).
QByteArray sentBytes(const QString& log)
{
    QByteArray bytes;
    for (const QByteArray& line : test::readFile(log).split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() == 3 && fields[1] == "<")
            bytes.append(static_cast<char>(fields[2].toInt(nullptr, 16)));
    }
    return bytes;
}

// The sessions of a log, cut where each handshake begins.
QList<QByteArray> sessionsOf(const QByteArray& sent)
{
    const QByteArray start("\x02PROGRAM", 8);
    QList<QByteArray> sessions;
    for (qsizetype at = sent.indexOf(start); at >= 0;) {
        const qsizetype next = sent.indexOf(start, at + 1);
        sessions << sent.mid(at, next < 0 ? -1 : next - at);
        at = next;
    }
    return sessions;
}

// A whole Read or Write as the protocol has it: the handshake, the identification request,
// the acknowledgement, then the 102 sub-blocks.
QByteArray plainSession(char command, const RadioImage& image)
{
    QByteArray bytes("\x02PROGRAM\x02\x06", 10);
    for (int address = 0; address < 0x330; address += 8) {
        bytes.append(command)
            .append(static_cast<char>(address >> 8))
            .append(static_cast<char>(address & 0xFF));
        bytes.append('\x08');
        if (command == 'W') {
            for (int i = 0; i < 8; ++i)
                bytes.append(static_cast<char>(image.byte(static_cast<std::size_t>(address + i))));
        } else {
            bytes.append('\x06');
        }
    }
    return bytes;
}

// Where the manual's pictures go: the build's manual (one images/ folder per language)
// when there is one.
QString picturePath(const QString& file, const QString& language)
{
    const QString dir = QX260_PICTURES_BY_LANGUAGE
                            ? QStringLiteral(QX260_PICTURE_DIR "/%1/images").arg(language)
                            : QStringLiteral(QX260_PICTURE_DIR);
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + file;
}
} // namespace

class TestWriteSafety : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    MemoryUserStore store_;
    RadioImage radio_; // what the simulated radio holds at the start of each case

  private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        qputenv("QX260_SETTINGS", dir_.filePath("settings.ini").toUtf8());
        const QString ini = dir_.filePath("Program.ini");
        QVERIFY(test::writeFile(ini, kIni));
        QVERIFY(processValues().configurationStore.Load(ini.toStdString(), false, true).ok());
        processValues().userStore = &store_;
        QVERIFY(loadResourceLibrary(languageModulePath(QX260_BIN_DIR "/", "English")));

        // The radio's memory as the window encodes it, so that a document made from it
        // is the same as the radio.
        RadioImage image = RadioImage::newImage();
        image.setRxFrequency(1, 14550000);
        image.setRxFrequency(2, 14600000);
        Window w(image);
        w.view->encodeTable();
        radio_ = w.doc.image;
        QVERIFY(saveDatFile(dir_.filePath("radio.dat").toStdString(), radio_).ok());
    }

    // Every case starts on COM1 with variant 1, in English unless it says otherwise, and
    // message boxes answered with their default button.
    void init()
    {
        processValues().radioVariant = 1;
        processValues().portDeviceName = "COM1";
        msgtest::reset();
        msgtest::setAutoAnswer(true);
    }

    void cleanup() { processValues().languageFlag = false; }

    void writeAndCompare_data()
    {
        QTest::addColumn<QString>("command"); // "write" or "compare"
        QTest::addColumn<QString>("choices"); // Write Safety: backup, review, verify
        QTest::addColumn<bool>("documentDiffers");
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QString>("answer"); // to the difference view: accept or close
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("sessions"); // what the radio saw: R a Read, W a Write
        QTest::addColumn<int>("differences");  // rows of the difference view; -1 not shown
        QTest::addColumn<QString>("message");  // the start of the message box shown, if any
        QTest::addColumn<QString>("picture");  // the difference view saved for the manual

        const QStringList corrupt{"--corrupt-write", "2"}; // channel 1's first byte stored inverted
        QTest::newRow("all off: today's Write")
            << "write"
            << "" << true << QStringList() << "" << false << "W" << -1 << ""
            << "";
        QTest::newRow("backup alone") << "write"
                                      << "backup" << true << QStringList() << "" << false << "RW" << -1 << ""
                                      << "";
        QTest::newRow("review alone, radio differs, Write")
            << "write"
            << "review" << true << QStringList() << "accept" << false << "RW" << 8 << ""
            << "write-review-en.png";
        QTest::newRow("review alone, radio the same, Write")
            << "write"
            << "review" << false << QStringList() << "accept" << false << "RW" << 0 << ""
            << "";
        QTest::newRow("review, Cancel: nothing written")
            << "write"
            << "review" << true << QStringList() << "close" << false << "R" << 8 << ""
            << "";
        QTest::newRow("verify alone") << "write"
                                      << "verify" << true << QStringList() << "" << false << "RWR" << -1
                                      << "Verified: the radio holds what was written."
                                      << "";
        QTest::newRow("verify finds the flipped byte")
            << "write"
            << "backup verify" << true << corrupt << "close" << false << "RWR" << 1 << ""
            << "write-verify-en.png";
        QTest::newRow("verify, Write Again opens the next Write")
            << "write"
            << "verify" << true << corrupt << "accept" << false << "RWR" << 1 << ""
            << "";
        QTest::newRow("all three") << "write"
                                   << "backup review verify" << true << QStringList() << "accept" << false
                                   << "RWR" << 8 << "Verified: the radio holds what was written."
                                   << "";
        QTest::newRow("backup fails: nothing written")
            << "write"
            << "backup review verify" << true << QStringList() << "" << false << "R" << -1
            << "The radio could not be backed up in "
            << "";
        QTest::newRow("Chinese review")
            << "write"
            << "review" << true << QStringList() << "close" << true << "R" << 8 << ""
            << "write-review-zh.png";
        QTest::newRow("Chinese verify result")
            << "write"
            << "backup verify" << true << corrupt << "close" << true << "RWR" << 1 << ""
            << "write-verify-zh.png";
        QTest::newRow("compare, radio differs")
            << "compare"
            << "backup review verify" << true << QStringList() << "close" << false << "R" << 8 << ""
            << "";
        QTest::newRow("compare, radio the same")
            << "compare"
            << "" << false << QStringList() << "close" << false << "R" << 0 << ""
            << "";
    }

    void writeAndCompare()
    {
        QFETCH(QString, command);
        QFETCH(QString, choices);
        QFETCH(bool, documentDiffers);
        QFETCH(QStringList, simArgs);
        QFETCH(QString, answer);
        QFETCH(bool, chinese);
        QFETCH(QString, sessions);
        QFETCH(int, differences);
        QFETCH(QString, message);
        QFETCH(QString, picture);

        processValues().languageFlag = chinese;
        QTemporaryDir caseDir;
        const QString log = caseDir.filePath("radio.log");
        const QString backups = caseDir.filePath("backups");
        QVERIFY(QDir().mkpath(backups));
        SimRadio radio(
            QStringList{"--load", dir_.filePath("radio.dat"), "--variant-byte", "F5", "--log", log} +
            simArgs);
        qputenv("QX260_PORT_COM1", radio.device().toUtf8());

        // The differing document changes channel 1 and adds channel 5: its eight cells.
        RadioImage document = radio_;
        if (documentDiffers) {
            document.setRxFrequency(1, 14562500);
            document.setRxFrequency(5, 15000000);
        }
        Window w(document);
        QSignalSpy modified(w.view, &CProgramView::documentModified);
        const std::string tableBefore = w.view->table().textMatrix(5, 1);

        // The choices, made in the dialog as a user makes them.
        QTimer::singleShot(0, [&] {
            CWriteSafetyDlg* dialog = w.view->writeSafetyDialog();
            dialog->backupBox()->setChecked(choices.contains("backup"));
            dialog->folderEdit()->setText(backups);
            dialog->reviewBox()->setChecked(choices.contains("review"));
            dialog->verifyBox()->setChecked(choices.contains("verify"));
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        });
        w.view->OnWriteSafety();
        const bool backupFails = message.startsWith("The radio could not be backed up");
        if (backupFails)
            QVERIFY(QDir(backups).removeRecursively()); // the folder went away since (a USB stick taken out)

        // The difference view is answered when it shows (inside the transfer).
        int shownRows = -1;
        CCompareDlg* view = w.view->compareDialog();
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, view, [&] {
            if (!view->isVisible())
                return;
            shownRows = view->list()->topLevelItemCount();
            if (!picture.isEmpty())
                QVERIFY(view->grab().save(picturePath(picture, chinese ? "zh" : "en")));
            QTest::mouseClick(answer == "accept" ? view->acceptButton() : view->closeButton(),
                              Qt::LeftButton);
        });
        watcher.start(20);

        if (command == "compare")
            w.view->OnCompareWithRadio();
        else
            w.view->OnWrite();
        CProcessDlg* process = w.view->processDialog();
        QTest::mouseClick(process->okButton(), Qt::LeftButton);
        // Write Again after a failed verify opens the Process window of the next Write.
        const bool writeAgain = answer == "accept" && choices == "verify";
        QTRY_VERIFY_WITH_TIMEOUT(process->windowExists() == writeAgain && !w.view->transferRunning() &&
                                     (differences < 0 || shownRows >= 0),
                                 30000);
        if (writeAgain) {
            QCOMPARE(process->windowTitle(), QString("Write Data"));
            QVERIFY(process->okButton()->isEnabled());
            QTest::mouseClick(process->cancelButton(), Qt::LeftButton);
        }

        QCOMPARE(shownRows, differences);
        const auto shown = msgtest::takeShown();
        if (message.isEmpty()) {
            QVERIFY2(shown.isEmpty(), qPrintable(shown.isEmpty() ? QString() : shown[0].text));
        } else {
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].text.startsWith(message), qPrintable(shown[0].text));
        }

        // Each session is a plain Read or Write, byte for byte, and only the sessions
        // the choices call for reach the radio.
        QTRY_VERIFY(!test::readFile(log).isEmpty());
        const QList<QByteArray> seen = sessionsOf(sentBytes(log));
        QString kinds;
        for (const QByteArray& s : seen) {
            kinds += QChar(s.size() > 10 ? s[10] : '?');
            QCOMPARE(s, plainSession(s.size() > 10 ? s[10] : 'R', w.doc.image));
        }
        QCOMPARE(kinds, sessions);
        if (sessions.contains('W')) {
            for (std::size_t i = 0; i < 0x330; ++i)
                QCOMPARE(w.doc.image.byte(i), document.byte(i)); // what was sent is the document
        }

        // A backup holds what the radio held, and only a backup made it.
        const QStringList made = QDir(backups).entryList({"radio-*.dat"}, QDir::Files);
        QCOMPARE(QDir(backups).exists(), !backupFails); // no folder is made for a backup
        QCOMPARE(made.size(), choices.contains("backup") && sessions.contains('W') ? 1 : 0);
        if (!made.isEmpty()) {
            QVERIFY(QRegularExpression("^radio-\\d{8}-\\d{6}\\.dat$").match(made[0]).hasMatch());
            RadioImage backup;
            QVERIFY(loadDatFile(QDir(backups).filePath(made[0]).toStdString(), backup).ok());
            for (std::size_t i = 0; i < 0x330; ++i)
                QCOMPARE(backup.byte(i), radio_.byte(i));
        }

        // The reads never change the document, the table or the radio variant.
        QCOMPARE(modified.count(), 0);
        QCOMPARE(processValues().radioVariant, 1);
        QCOMPARE(w.view->table().textMatrix(5, 1), tableBefore);
    }

    // The choices are the user's: all off at first, stored on OK, shown again, untouched by
    // Cancel; a backup folder that does not exist is refused before anything is kept.
    void choicesAreKeptPerUser()
    {
        const CIniFile& config = processValues().configurationStore;
        QVERIFY(writeWriteSafety(store_, config, WriteSafety{}));
        Window w(radio_);
        CWriteSafetyDlg* dialog = w.view->writeSafetyDialog();
        // What the dialog showed, and whether a refused OK left it open.
        QStringList seen;
        const auto state = [dialog] {
            return QStringLiteral("%1%2%3 %4 %5")
                .arg(int(dialog->backupBox()->isChecked()))
                .arg(int(dialog->reviewBox()->isChecked()))
                .arg(int(dialog->verifyBox()->isChecked()))
                .arg(dialog->folderEdit()->isEnabled() ? "enabled" : "disabled",
                     dialog->folderEdit()->text());
        };
        QTimer::singleShot(0, [&] {
            seen << state();
            dialog->backupBox()->setChecked(true);
            dialog->folderEdit()->setText(dir_.filePath("missing"));
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
            seen << (dialog->isVisible() ? "still open" : "closed");
            dialog->folderEdit()->setText(dir_.path());
            dialog->verifyBox()->setChecked(true);
            // Settings that cannot be written: said so, the dialog stays, nothing changes.
            store_.failWrites = true;
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
            store_.failWrites = false;
            seen << (dialog->isVisible() ? "still open" : "closed")
                 << (readWriteSafety(store_, config).any() ? "stored" : "nothing stored");
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        });
        QCOMPARE(dialog->exec(), int(QDialog::Accepted));
        QTimer::singleShot(0, [&] {
            seen << state();
            if (const QString dir = qEnvironmentVariable("QX260_SHOT_DIR"); !dir.isEmpty())
                dialog->grab().save(dir + "/write-safety.png");
            dialog->verifyBox()->setChecked(false);
            QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        });
        QCOMPARE(dialog->exec(), int(QDialog::Rejected));

        QCOMPARE(seen,
                 (QStringList{"000 disabled " + QDir::toNativeSeparators(CWriteSafetyDlg::backupFolder({})),
                              "still open", "still open", "nothing stored",
                              "101 enabled " + QDir::toNativeSeparators(dir_.path())}));
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[0].text.contains("does not exist"));
        QVERIFY(shown[1].text.contains("could not be saved"));
        const WriteSafety kept = readWriteSafety(store_, config);
        QVERIFY(kept.backup && !kept.review && kept.verify);
        QCOMPARE(QString::fromStdString(kept.backupFolder), dir_.path());
        QVERIFY(writeWriteSafety(store_, config, WriteSafety{}));
    }
};

QTEST_MAIN(TestWriteSafety)
#include "write_safety_qtest.moc"
