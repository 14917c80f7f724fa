// Program > Write to Several Radios, against three simulated radios on COM1 to COM3: the
// ports that open are offered, the table is encoded once and every radio gets the image,
// each with its bar and its verified result.

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <vector>

#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/radio/CProgramDoc.h"
#include "platform/Resources.h"
#include "tests/support/SimRadio.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CFleetWriteDlg.h"
#include "windows/view/CProgramView.h"

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
        qputenv("QX260_SETTINGS", dir_.filePath("settings.ini").toUtf8());
        ProcessValues& pv = processValues();
        pv.userStore = &store_;
        pv.applicationName = "QX-260 Programming Software";
        QString error;
        QVERIFY2(loadResourceLibrary(languageModulePath(QX260_BIN_DIR "/", "English"), &error),
                 qPrintable(error));
        msgtest::setAutoAnswer(true);
    }

    void writesThreeRadiosThroughTheDialog()
    {
        std::vector<std::unique_ptr<SimRadio>> radios;
        for (int n = 1; n <= 3; ++n) {
            radios.push_back(std::make_unique<SimRadio>(
                QStringList{"--save", dir_.filePath(QStringLiteral("radio%1.dat").arg(n))}));
            QVERIFY(!radios.back()->device().isEmpty());
            qputenv(qPrintable(QStringLiteral("QX260_PORT_COM%1").arg(n)), radios.back()->device().toUtf8());
        }
        QMdiArea area;
        CProgramDoc doc;
        doc.image = RadioImage::newImage();
        auto* view = new CProgramView(doc);
        area.addSubWindow(view)->show();
        area.show();
        view->OnInitialUpdate();
        doc.image.setRxFrequency(5, 15000000);
        view->fillTableFromDocument();
        view->table().setTextMatrix(6, 1, "151.25000"); // in the table only: the command encodes it

        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<CFleetWriteDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto closeDialog = qScopeGuard([dialog] { dialog->done(0); });
            QCOMPARE(dialog->windowTitle(), QString("Write to Several Radios"));
            QVERIFY(!dialog->writeButton()->isEnabled()); // no port chosen yet
            for (int n = 1; n <= 3; ++n) {
                QVERIFY2(dialog->portBox(n)->isEnabled(), qPrintable(dialog->portBox(n)->text()));
                dialog->portBox(n)->setChecked(true);
            }
            dialog->verifyBox()->setChecked(true);
            QTest::mouseClick(dialog->writeButton(), Qt::LeftButton);
            QVERIFY(dialog->running());
            QVERIFY(!dialog->portBox(1)->isEnabled());
            QTRY_VERIFY_WITH_TIMEOUT(!dialog->running(), 30000);
            for (int row = 0; row < 3; ++row) {
                QVERIFY2(dialog->resultText(row)->text().startsWith("OK, verified ("),
                         qPrintable(dialog->resultText(row)->text()));
                QCOMPARE(dialog->progressBar(row)->value(), 102);
            }
            QCOMPARE(dialog->summaryText()->text(), QString("3 of 3 radios written."));
            QCOMPARE(dialog->cancelButton()->text(), QString("Close"));
            if (const QByteArray shots = qgetenv("QX260_SCREENSHOTS"); !shots.isEmpty())
                dialog->grab().save(QString::fromUtf8(shots) + "/fleet-write.png");
            closeDialog.dismiss();
            QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
        });
        CFleetWriteDlg::writeSeveralRadios(*view);

        QCOMPARE(doc.image.rxFrequency(6), std::optional<std::uint32_t>(15125000));
        for (int n = 1; n <= 3; ++n) {
            const QByteArray saved = test::readFile(dir_.filePath(QStringLiteral("radio%1.dat").arg(n)));
            QCOMPARE(saved.size(), 1040);
            for (int i = 0; i < 0x330; ++i)
                QCOMPARE(static_cast<std::uint8_t>(saved[16 + i]),
                         doc.image.byte(static_cast<std::size_t>(i)));
        }
        QVERIFY(msgtest::takeShown().isEmpty());
    }
};

QTEST_MAIN(TestFleetWrite)
#include "fleet_write_qtest.moc"
