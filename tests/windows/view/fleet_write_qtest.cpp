// Program > Write to Several Radios, against three simulated radios on COM1 to COM3: the
// ports that open are offered, the table is encoded once and every radio gets the image,
// each with its bar and its verified result; Cancel stops them all, and each result says
// how much of the document its radio holds; a radio that failed is written again from the
// finished dialog. The finished dialog, in English and Chinese, is the manual's picture of it.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

#include <memory>
#include <vector>

#include "tests/support/BuildPaths.h"
#include "tests/support/SimRadio.h"
#include "tests/windows/view/ViewTestSetup.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CFleetWriteDlg.h"

using namespace qx260;
using qx260::test::SimRadio;

class TestFleetWrite : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    MemoryUserStore store_;

  private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        QVERIFY(test::useLanguageModule(dir_));
        ProcessValues& pv = processValues();
        pv.userStore = &store_;
        pv.applicationName = "QX-260 Programming Software";
        msgtest::setAutoAnswer(true);
    }

    void writesThreeRadiosThroughTheDialog_data()
    {
        QTest::addColumn<int>("cancelAfterMs"); // -1: not cancelled
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("picture"); // the finished dialog, for the manual
        QTest::newRow("all written") << -1 << false << "OK, verified ("
                                     << "3 of 3 radios written."
                                     << "fleet-write-en.png";
        QTest::newRow("all written, Chinese") << -1 << true << "成功，已校验 ("
                                              << "3 台电台中 3 台写入成功。"
                                              << "fleet-write-zh.png";
        QTest::newRow("cancelled") << 800 << false << "Cancelled; the radio now holds the first "
                                   << "0 of 3 radios written."
                                   << "";
    }

    void writesThreeRadiosThroughTheDialog()
    {
        QFETCH(int, cancelAfterMs);
        QFETCH(bool, chinese);
        QFETCH(QString, result);
        QFETCH(QString, summary);
        QFETCH(QString, picture);
        processValues().setLanguage(languageOf(chinese));
        auto english = qScopeGuard([] { processValues().setLanguage(Language::English); });
        // Radios whose memory differs from the document in every block.
        QVERIFY(test::writeFile(dir_.filePath("before.dat"), test::patternDocument(3)));
        std::vector<std::unique_ptr<SimRadio>> radios;
        for (int n = 1; n <= 3; ++n) {
            const QString saved = dir_.filePath(QStringLiteral("radio%1.dat").arg(n));
            QFile::remove(saved);
            radios.push_back(std::make_unique<SimRadio>(
                QStringList{"--load", dir_.filePath("before.dat"), "--save", saved, "--pace", "9600"}));
            QVERIFY(!radios.back()->device().isEmpty());
            qputenv(qPrintable(QStringLiteral("QX260_PORT_COM%1").arg(n)), radios.back()->device().toUtf8());
        }
        test::ChannelWindow w;
        CProgramView* view = w.view;
        CProgramDoc& doc = w.doc;
        doc.image.setRxFrequency(5, 15000000);
        doc.image.setRxFrequency(6, 15125000);
        view->fillTableFromDocument();

        int held[3] = {51, 51, 51}; // the blocks each radio holds, as its result says
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CFleetWriteDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto closeDialog = qScopeGuard([dialog] { dialog->done(0); });
            QCOMPARE(dialog->windowTitle(),
                     chinese ? QString("写入多台电台") : QString("Write to Several Radios"));
            QVERIFY(!dialog->writeButton()->isEnabled()); // no port chosen yet
            for (int n = 1; n <= 3; ++n) {
                QVERIFY2(dialog->portBox(n)->isEnabled(), qPrintable(dialog->portBox(n)->text()));
                dialog->portBox(n)->setChecked(true);
            }
            dialog->verifyBox()->setChecked(true);
            QTest::mouseClick(dialog->writeButton(), Qt::LeftButton);
            QVERIFY(dialog->running());
            QVERIFY(!dialog->portBox(1)->isEnabled());
            if (cancelAfterMs >= 0) {
                QTest::qWait(cancelAfterMs);
                QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
            }
            QTRY_VERIFY_WITH_TIMEOUT(!dialog->running(), 30000);
            for (int row = 0; row < 3; ++row) {
                const QString text = dialog->resultText(row)->text();
                QVERIFY2(text.startsWith(result), qPrintable(text));
                if (cancelAfterMs >= 0)
                    held[row] = text.section(' ', 7, 7).toInt(); // "... the first N of 51 blocks"
                else
                    QCOMPARE(dialog->progressBar(row)->value(), 102);
            }
            QCOMPARE(dialog->summaryText()->text(), summary);
            QCOMPARE(dialog->cancelButton()->text(), chinese ? QString("关闭") : QString("Close"));
            QVERIFY(dialog->cancelButton()->isEnabled());
            if (!picture.isEmpty()) {
                const QString images =
                    (qx260::testpaths::manualDir() + QStringLiteral("/%1/images")).arg(chinese ? "zh" : "en");
                QVERIFY(QDir().mkpath(images));
                QVERIFY(dialog->grab().save(images + QLatin1Char('/') + picture));
            }
            closeDialog.dismiss();
            QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        });
        view->OnWriteSeveralRadios();

        QCOMPARE(doc.image.rxFrequency(6), std::optional<std::uint32_t>(15125000));
        for (int n = 1; n <= 3; ++n) {
            const QByteArray saved = test::readFile(dir_.filePath(QStringLiteral("radio%1.dat").arg(n)));
            QCOMPARE(saved.size(), 1040);
            QVERIFY(held[n - 1] > 0 && held[n - 1] <= 51);
            for (int i = 0; i < held[n - 1] * 16; ++i)
                QCOMPARE(static_cast<std::uint8_t>(saved[16 + i]),
                         doc.image.byte(static_cast<std::size_t>(i)));
            if (held[n - 1] < 51)
                QVERIFY(saved.mid(16 + held[n - 1] * 16, 16) !=
                        QByteArray(reinterpret_cast<const char*>(doc.image.bytes().data() + held[n - 1] * 16),
                                   16));
        }
        QVERIFY(msgtest::takeShown().isEmpty());
    }

    // One radio of two does not answer at first: the finished dialog offers the write again
    // to that port only, with the same verify choice, and the radio written already is left
    // alone.
    void writeAgainToTheFailed()
    {
        const QString saved1 = dir_.filePath("first.dat");
        const QString saved2 = dir_.filePath("late.dat");
        QFile::remove(saved1);
        QFile::remove(saved2);
        SimRadio first({"--save", saved1});
        SimRadio late({"--save", saved2, "--no-answer", "1"});
        qputenv("QX260_PORT_COM1", first.device().toUtf8());
        qputenv("QX260_PORT_COM2", late.device().toUtf8());
        qputenv("QX260_PORT_COM3", dir_.filePath("none").toUtf8());
        test::ChannelWindow w;
        w.doc.image.setRxFrequency(5, 15000000);
        w.view->fillTableFromDocument();

        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CFleetWriteDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto closeDialog = qScopeGuard([dialog] { dialog->done(0); });
            QVERIFY(dialog->againButton()->isHidden());
            dialog->portBox(1)->setChecked(true);
            dialog->portBox(2)->setChecked(true);
            dialog->verifyBox()->setChecked(true);
            QTest::mouseClick(dialog->writeButton(), Qt::LeftButton);
            QVERIFY(dialog->againButton()->isHidden());
            QTRY_VERIFY_WITH_TIMEOUT(!dialog->running(), 30000);
            QVERIFY2(dialog->resultText(0)->text().startsWith("OK"),
                     qPrintable(dialog->resultText(0)->text()));
            QVERIFY(!dialog->resultText(1)->text().startsWith("OK"));
            QVERIFY(!dialog->againButton()->isHidden());
            QCOMPARE(dialog->againButton()->text(), QString("Write Again to Failed"));
            QVERIFY(dialog->againButton()->isEnabled());
            QTRY_COMPARE(test::readFile(saved1).size(), 1040);
            QVERIFY(QFile::remove(saved1));
            QVERIFY(!QFile::exists(saved2));

            QTest::mouseClick(dialog->againButton(), Qt::LeftButton);
            QVERIFY(dialog->running());
            QVERIFY(dialog->againButton()->isHidden());
            QVERIFY(dialog->resultText(1) == nullptr); // only the failed port has a row
            QVERIFY(!dialog->portBox(1)->isChecked() && dialog->portBox(2)->isChecked());
            QTRY_VERIFY_WITH_TIMEOUT(!dialog->running(), 30000);
            QVERIFY2(dialog->resultText(0)->text().startsWith("OK, verified"),
                     qPrintable(dialog->resultText(0)->text()));
            QCOMPARE(dialog->progressBar(0)->objectName(), QString("progress2"));
            QCOMPARE(dialog->summaryText()->text(), QString("1 of 1 radios written."));
            QVERIFY(dialog->againButton()->isHidden());
            checked = true;
            closeDialog.dismiss();
            QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        });
        w.view->OnWriteSeveralRadios();
        QVERIFY(checked);
        // The late radio holds the document; the first one was not written twice.
        const QByteArray held = test::readFile(saved2);
        QCOMPARE(held.size(), 1040);
        QCOMPARE(held.mid(16, 0x330),
                 QByteArray(reinterpret_cast<const char*>(w.doc.image.bytes().data()), 0x330));
        QVERIFY(!QFile::exists(saved1));
        for (int n = 1; n <= 3; ++n)
            qunsetenv(qPrintable(QStringLiteral("QX260_PORT_COM%1").arg(n)));
        QVERIFY(msgtest::takeShown().isEmpty());
    }
};

QTEST_MAIN(TestFleetWrite)
#include "fleet_write_qtest.moc"
