// Program > Write to Several Radios, against three simulated radios on COM1 to COM3: the
// ports that open are offered, the table is encoded once and every radio gets the image,
// each with its bar and its verified result; Cancel stops them all, and each result says
// how much of the document its radio holds. The finished dialog, in English and Chinese,
// is the manual's picture of it.

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
        QTest::newRow("cancelled") << 800 << false << "Cancelled after "
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
                    held[row] = text.section(' ', 2, 2).toInt();
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
};

QTEST_MAIN(TestFleetWrite)
#include "fleet_write_qtest.moc"
