// The print commands driven through their real dialogs, offscreen, on a printout of nine
// channels: what Print Setup chose reaches the PDF, a cancelled dialog prints nothing, a
// PDF that does not reach the disk leaves the old file, and the preview shows every page.
// The commands from the main window and the channel window's printout are the frame
// tests' part, the pages themselves the core's.

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QtTest>

#include "core/config/FileAccess.h"
#include "core/print/PrintLayout.h"
#include "platform/PrintAdapter.h"
#include "tests/windows/view/ViewTestSetup.h"
#include "windows/common/MessageBox.h"
#include "windows/view/PrintCommands.h"

using namespace qx260;

namespace
{

PrintContent nineChannels()
{
    PrintContent c;
    c.image.fill(0);
    c.footer = "Larkspur Radio Co.";
    for (int r = 1; r <= 9; ++r) {
        c.cells[r][1] = "145.00000";
        c.cells[r][5] = "Wide";
    }
    return c;
}

// Runs action on the first modal dialog of type T that opens (checked every 20 ms).
template <typename T> void whenModal(std::function<void(T*)> action, bool* seen)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, action, seen] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            *seen = true;
            action(dialog);
        }
    });
    timer->start();
}

} // namespace

class TestPrintCommands : public QObject
{
    Q_OBJECT
  private slots:
    void init()
    {
        msgtest::reset();
        QVERIFY(dir_.isValid());
    }

    // Print to a PDF file: printed with the paper and orientation of Print Setup, not
    // printed when the dialog is cancelled, and when the PDF does not reach the disk (the
    // sync fails once it is written) the file that was there stays, and the user is told.
    void printDialogPrintsToPdf_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<bool>("syncFails");
        QTest::newRow("printed") << "print.pdf" << true << false;
        QTest::newRow("cancelled") << "cancelled.pdf" << false << false;
        QTest::newRow("not on the disk") << "kept.pdf" << true << true;
    }

    void printDialogPrintsToPdf()
    {
        QFETCH(QString, file);
        QFETCH(bool, accept);
        QFETCH(bool, syncFails);
        QPrinter& printer = applicationPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        bool setupSeen = false;
        whenModal<QPageSetupDialog>([](QPageSetupDialog* d) { d->accept(); }, &setupSeen);
        filePrintSetup(nullptr);
        QVERIFY(setupSeen);
        printer.setPageSize(QPageSize(QPageSize::A5));
        printer.setPageOrientation(QPageLayout::Landscape);

        const QString pdf = dir_.filePath(file);
        QFile old(pdf);
        if (syncFails) {
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("the old printout");
            old.close();
        }
        printer.setOutputFileName(pdf);
        FileSyncHook previous = nullptr;
        if (syncFails)
            previous = setFileSyncHook([](const std::string&, SyncTarget target) {
                return target == SyncTarget::File ? FileResult::failure("Input/output error") : FileResult{};
            });
        bool seen = false;
        int maxPage = 0;
        whenModal<QPrintDialog>(
            [&maxPage, accept](QPrintDialog* d) {
                maxPage = d->maxPage();
                accept ? d->accept() : d->reject();
            },
            &seen);
        if (syncFails)
            msgtest::answerNext(QMessageBox::Ok);
        filePrint(nullptr, nineChannels());
        if (syncFails)
            setFileSyncHook(previous);
        QVERIFY(seen);
        QCOMPARE(maxPage, 3);
        const auto shown = msgtest::takeShown();

        if (!accept) {
            QVERIFY(!QFile::exists(pdf));
        } else if (syncFails) {
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].text.contains("kept.pdf\" could not be written"), qPrintable(shown[0].text));
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll(), QByteArray("the old printout"));
            QCOMPARE(QDir(dir_.path()).entryList({"kept.pdf*"}), QStringList{"kept.pdf"});
        } else {
            QVERIFY(shown.isEmpty());
            QProcess p;
            p.start("pdfinfo", {pdf});
            p.waitForFinished(30000);
            const QString info = QString::fromUtf8(p.readAllStandardOutput());
            QVERIFY2(info.contains(QRegularExpression("Pages:\\s+3\\n")), qPrintable(info));
            QVERIFY2(info.contains("(A5)"), qPrintable(info));
            // Landscape: the long side across.
            QVERIFY2(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 4(19|20)")),
                     qPrintable(info));
        }
    }

    void previewShowsEveryPage()
    {
        // An earlier printout's page range does not cut the preview short.
        QPrinter& printer = applicationPrinter();
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 2);

        bool seen = false;
        int pages = 0;
        whenModal<QPrintPreviewDialog>(
            [&pages](QPrintPreviewDialog* d) {
                auto* view = d->findChild<QPrintPreviewWidget*>();
                QVERIFY(view);
                pages = view->pageCount();
                test::snapshot(d, "preview");
                d->reject();
            },
            &seen);
        filePrintPreview(nullptr, nineChannels());
        QVERIFY(seen);
        QCOMPARE(pages, 3);
    }

  private:
    QTemporaryDir dir_;
};

QTEST_MAIN(TestPrintCommands)
#include "print_commands_qtest.moc"
