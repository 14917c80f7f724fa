// Write Safety in the channel window, against the simulated radio on a pseudo-terminal:
// the choices made in Setup > Write Safety reach the core's write workflow, and the
// backup, the review, the verify result and Write Again reach the screen; the choices are
// kept per user. The review and the verify result are saved as pictures for the manual.
// Every step of the workflow, its endings and its sessions on the wire are the core's
// tests' part.

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

#include "core/config/CIniFile.h"
#include "tests/support/BuildPaths.h"
#include "tests/support/SimRadio.h"
#include "tests/windows/view/ViewTestSetup.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CCompareDlg.h"
#include "windows/view/CProcessDlg.h"
#include "windows/view/CWriteSafetyDlg.h"

using namespace qx260;
using qx260::test::SimRadio;
using Window = qx260::test::ChannelWindow;

namespace
{
// The per-user key comes from AppName; the rest is the program's defaults.
const char* const kIni = "[Setup]\nAppName=QX-260 Safe Writer\n";

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

// Where the manual's pictures go: the build's manual (one images/ folder per language)
// when there is one.
QString picturePath(const QString& file, const QString& language)
{
    const QString dir = (qx260::testpaths::manualDir() + QStringLiteral("/%1/images")).arg(language);
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
        QVERIFY(test::useTestConfiguration(dir_, store_, kIni));
        QVERIFY(test::useLanguageModule(dir_));

        // The radio's memory, and a document made from it.
        RadioImage image = RadioImage::newImage();
        image.setRxFrequency(1, 14550000);
        image.setRxFrequency(2, 14600000);
        Window w(image);
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

    void cleanup() { processValues().setLanguage(Language::English); }

    // A Write with Write Safety's choices, made in its dialog as a user makes them: the
    // backup, the review and the verify reach the core's workflow, and its result reaches
    // the screen. A Write Again after a failed verify writes again, and what the radio held
    // before stays the first backup: no second one is taken of the radio it half wrote.
    void checkedWrite_data()
    {
        QTest::addColumn<QString>("choices"); // Write Safety: backup, review, verify
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QStringList>("answers");  // to each difference view: accept or close
        QTest::addColumn<QStringList>("pictures"); // each difference view saved for the manual
        QTest::addColumn<QString>("sessions");     // what the radio saw: R a Read, W a Write
        QTest::addColumn<QString>("message");      // the start of the message box shown, if any
        QTest::addColumn<QString>("says");         // what that box says after it
        QTest::addColumn<QStringList>("fault");    // of the radio, besides the byte it does not keep
        QTest::newRow("backup, review, verify, Write Again")
            << "backup review verify" << false << QStringList{"accept", "accept", "accept", "close"}
            << QStringList{"write-review-en.png", "write-verify-en.png"} << "RWRRWR"
            << ""
            << "" << QStringList();
        QTest::newRow("Chinese") << "backup review verify" << true << QStringList{"accept", "close"}
                                 << QStringList{"write-review-zh.png", "write-verify-zh.png"} << "RWR"
                                 << ""
                                 << "" << QStringList();
        QTest::newRow("review declined: nothing written")
            << "review" << false << QStringList{"close"} << QStringList() << "R"
            << ""
            << "" << QStringList();
        QTest::newRow("backup fails: nothing written")
            << "backup review verify" << false << QStringList() << QStringList() << "R"
            << "The radio could not be backed up in "
            << "" << QStringList();
        QTest::newRow("backup, a half block not acknowledged: the radio holds part of it")
            << "backup verify" << false << QStringList() << QStringList() << "RW"
            << "Program Interrupt, Please reset the radio and try again"
            << "the first 10 of 51 blocks of the document and the first half of block 11, and its earlier "
               "memory "
               "after them.\nTo put it right, write again, or open the saved document (or a backup of the "
               "radio) "
               "and write it.\nThe backup of the radio is "
            << QStringList{"--wrong-write-ack", "21"};
        QTest::newRow("backup, the line drops while it is read: nothing written")
            << "backup verify" << false << QStringList() << QStringList() << "R"
            << "Program Interrupt, Please reset the radio and try again"
            << "the radio or the cable stopped answering (the line was lost)\n\nNothing was written to the "
               "radio."
            << QStringList{"--drop-at", "21"};
    }

    void checkedWrite()
    {
        QFETCH(QString, choices);
        QFETCH(bool, chinese);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, pictures);
        QFETCH(QString, sessions);
        QFETCH(QString, message);
        QFETCH(QString, says);
        QFETCH(QStringList, fault);
        const bool backupFails = message.startsWith("The radio could not be backed up");

        processValues().setLanguage(languageOf(chinese));
        QTemporaryDir caseDir;
        const QString log = caseDir.filePath("radio.log");
        const QString backups = caseDir.filePath("backups");
        QVERIFY(QDir().mkpath(backups));
        // Channel 1's first byte is stored inverted: every verify finds it.
        SimRadio radio(QStringList{"--load", dir_.filePath("radio.dat"), "--variant-byte", "F5", "--log", log,
                                   "--corrupt-write", "2"} +
                       fault);
        qputenv("QX260_PORT_COM1", radio.device().toUtf8());

        // The document changes channel 1 and adds channel 5: its eight cells.
        RadioImage document = radio_;
        document.setRxFrequency(1, 14562500);
        document.setRxFrequency(5, 15000000);
        Window w(document);
        QSignalSpy modified(w.view, &CProgramView::documentModified);
        const std::string tableBefore = w.view->table().textMatrix(5, 1);

        QTimer::singleShot(0, [&] {
            CWriteSafetyDlg* dialog = w.view->transfer().writeSafetyDialog();
            dialog->backupBox()->setChecked(choices.contains("backup"));
            dialog->folderEdit()->setText(backups);
            dialog->reviewBox()->setChecked(choices.contains("review"));
            dialog->verifyBox()->setChecked(choices.contains("verify"));
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        });
        w.view->OnWriteSafety();
        if (backupFails)
            QVERIFY(QDir(backups).removeRecursively()); // the folder went away since (a USB stick taken out)

        // The difference view is answered when it shows (inside the transfer).
        QStringList shownAs; // purpose, rows and note of each
        CCompareDlg* view = w.view->transfer().compareDialog();
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, view, [&] {
            if (!view->isVisible())
                return;
            const auto n = shownAs.size();
            shownAs << QStringLiteral("%1 %2 %3")
                           .arg(view->purpose() == CCompareDlg::Purpose::Review ? "review" : "verify")
                           .arg(view->list()->topLevelItemCount())
                           .arg(view->note()->text());
            if (n < pictures.size())
                QVERIFY(view->grab().save(picturePath(pictures[n], chinese ? "zh" : "en")));
            QTest::mouseClick(n < answers.size() && answers[n] == "accept" ? view->acceptButton()
                                                                           : view->closeButton(),
                              Qt::LeftButton);
        });
        watcher.start(20);

        // OK in the Write's Process window, and in the one Write Again opens.
        w.view->OnWrite();
        CProcessDlg* process = w.view->processDialog();
        for (int run = 0; run < 2 && process->windowExists(); ++run) {
            QTest::mouseClick(process->okButton(), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!w.view->transferRunning() &&
                                         (!process->windowExists() || process->okButton()->isEnabled()),
                                     30000);
            if (process->windowExists()) // Write Again: the next Write waits for its OK
                QCOMPARE(process->windowTitle(),
                         chinese ? QString::fromUtf8("写数据") : QString("Write Data"));
        }
        QVERIFY(!process->windowExists());
        QCOMPARE(shownAs.size(), answers.size());

        const auto shown = msgtest::takeShown();
        if (message.isEmpty()) {
            QVERIFY2(shown.isEmpty(), qPrintable(shown.isEmpty() ? QString() : shown[0].text));
        } else {
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].text.startsWith(message), qPrintable(shown[0].text));
            QVERIFY2(shown[0].text.contains(says), qPrintable(shown[0].text));
        }

        // Only the sessions the choices call for reach the radio; what was sent is the document.
        QTRY_VERIFY(!test::readFile(log).isEmpty());
        QString kinds;
        for (const QByteArray& s : sessionsOf(sentBytes(log)))
            kinds += QChar(s.size() > 10 ? s[10] : '?');
        QCOMPARE(kinds, sessions);
        for (std::size_t i = 0; i < 0x330; ++i)
            QCOMPARE(w.doc.image.byte(i), document.byte(i));

        // One backup at most, named after the port and the time, holding what the radio
        // held; every verify names it as what the radio held before.
        const QStringList made = QDir(backups).entryList(QDir::Files);
        QCOMPARE(QDir(backups).exists(), !backupFails); // no folder is made for a backup
        QCOMPARE(made.size(), choices.contains("backup") && sessions.contains('W') ? 1 : 0);
        if (!made.isEmpty()) {
            QVERIFY2(QRegularExpression("^radio-COM1-\\d{8}-\\d{6}\\.dat$").match(made[0]).hasMatch(),
                     qPrintable(made[0]));
            RadioImage backup;
            QVERIFY(loadDatFile(QDir(backups).filePath(made[0]).toStdString(), backup).ok());
            for (std::size_t i = 0; i < 0x330; ++i)
                QCOMPARE(backup.byte(i), radio_.byte(i));
        }
        // The review of a Write Again shows what the first Write left: the byte not kept.
        for (const QString& dialog : shownAs) {
            if (dialog.startsWith("review"))
                QVERIFY2(dialog.startsWith(dialog == shownAs[0] ? "review 8 " : "review 1 "),
                         qPrintable(dialog));
            else
                QVERIFY2(dialog.startsWith("verify 1 ") &&
                             dialog.contains(QDir::toNativeSeparators(QDir(backups).filePath(made.value(0)))),
                         qPrintable(dialog));
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
        CWriteSafetyDlg* dialog = w.view->transfer().writeSafetyDialog();
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
            test::snapshot(dialog, "write-safety");
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
