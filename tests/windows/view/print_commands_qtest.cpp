// The print commands driven through their real dialogs, offscreen.

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "core/config/FileAccess.h"
#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/print/PrintLayout.h"
#include "core/radio/CProgramDoc.h"
#include "platform/PrintAdapter.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CProgramView.h"
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

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

QString pdfInfo(const QString& pdf)
{
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
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

    void printDialogPrintsToPdfWithThePagesOfSetup()
    {
        // What Print Setup chose (paper, orientation) is what the next printout uses.
        QPrinter& printer = applicationPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        bool setupSeen = false;
        whenModal<QPageSetupDialog>([](QPageSetupDialog* d) { d->accept(); }, &setupSeen);
        filePrintSetup(nullptr);
        QVERIFY(setupSeen);

        printer.setPageSize(QPageSize(QPageSize::A5));
        printer.setPageOrientation(QPageLayout::Landscape);
        const QString pdf = dir_.filePath("print.pdf");
        printer.setOutputFileName(pdf);

        bool seen = false;
        int maxPage = 0;
        whenModal<QPrintDialog>(
            [&maxPage](QPrintDialog* d) {
                maxPage = d->maxPage();
                d->accept();
            },
            &seen);
        filePrint(nullptr, nineChannels());
        QVERIFY(seen);
        QCOMPARE(maxPage, 3);
        QVERIFY(msgtest::takeShown().isEmpty());

        const QString info = pdfInfo(pdf);
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+3\\n")), qPrintable(info));
        QVERIFY2(info.contains("(A5)"), qPrintable(info));
        // Landscape: the long side across.
        QVERIFY2(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 4(19|20)")),
                 qPrintable(info));
    }

    void pdfFileIsReplacedWholeOrNotAtAll()
    {
        // The PDF does not reach the disk (the sync fails once it is written): the file that
        // was there stays, and the user is told.
        QPrinter& printer = applicationPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir_.filePath("kept.pdf");
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old printout");
        old.close();
        printer.setOutputFileName(pdf);
        const FileSyncHook previous = setFileSyncHook([](const std::string&, SyncTarget target) {
            return target == SyncTarget::File ? FileResult::failure("Input/output error") : FileResult{};
        });
        bool seen = false;
        whenModal<QPrintDialog>([](QPrintDialog* d) { d->accept(); }, &seen);
        msgtest::answerNext(QMessageBox::Ok);
        filePrint(nullptr, nineChannels());
        setFileSyncHook(previous);
        QVERIFY(seen);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains("kept.pdf\" could not be written"), qPrintable(shown[0].text));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the old printout"));
        QCOMPARE(QDir(dir_.path()).entryList({"kept.pdf*"}), QStringList{"kept.pdf"});
    }

    void cancelledPrintDialogPrintsNothing()
    {
        QPrinter& printer = applicationPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir_.filePath("cancelled.pdf");
        printer.setOutputFileName(pdf);
        bool seen = false;
        whenModal<QPrintDialog>([](QPrintDialog* d) { d->reject(); }, &seen);
        filePrint(nullptr, nineChannels());
        QVERIFY(seen);
        QVERIFY(!QFile::exists(pdf));
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
                if (const QString dir = qEnvironmentVariable("QX260_SHOT_DIR"); !dir.isEmpty())
                    d->grab().save(dir + "/preview.png");
                d->reject();
            },
            &seen);
        filePrintPreview(nullptr, nineChannels());
        QVERIFY(seen);
        QCOMPARE(pages, 3);
    }

    void directPrintWithoutPrinterSaysSo()
    {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("a printer is installed here; a direct printout would reach it");
        // Even with a PDF file chosen earlier, direct print does not write that file.
        QPrinter& printer = applicationPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir_.filePath("direct.pdf");
        printer.setOutputFileName(pdf);

        msgtest::answerNext(QMessageBox::Ok);
        filePrintDirect(nullptr, nineChannels());
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains("No printer is installed"));
        QVERIFY(!QFile::exists(pdf));
    }

    // The channel window prints its document's table with the configured footer.
    void viewPrintsItsDocument()
    {
        const QString ini = dir_.filePath("Program.ini");
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Setup]\nLanguage=English\nType1=QX-260\nField1=130 - 160MHz\n"
                "[English]\nCopyrights Owner=Larkspur Radio Co.\n");
        f.close();
        ProcessValues& pv = processValues();
        QVERIFY(pv.configurationStore.Load(ini.toStdString(), false, true).ok());
        pv.deriveLanguageValues();
        MemoryUserStore store;
        pv.userStore = &store;

        CProgramDoc doc;
        doc.image = RadioImage::newImage();
        for (int n = 4; n <= 12; ++n)
            doc.image.setRxFrequency(n, 14400000 + n * 2500);
        CProgramView view(doc);
        view.OnInitialUpdate();

        bool seen = false;
        int pages = 0;
        whenModal<QPrintPreviewDialog>(
            [&pages](QPrintPreviewDialog* d) {
                pages = d->findChild<QPrintPreviewWidget*>()->pageCount();
                d->reject();
            },
            &seen);
        view.OnFilePrintPreview();
        QVERIFY(seen);
        QCOMPARE(pages, 3);

        QPrinter& printer = applicationPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir_.filePath("view.pdf");
        printer.setOutputFileName(pdf);
        seen = false;
        whenModal<QPrintDialog>([](QPrintDialog* d) { d->accept(); }, &seen);
        view.OnFilePrint();
        QVERIFY(seen);
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains("Channel 4: Receive Frequency: 144.10000"), qPrintable(text));
        QVERIFY2(text.contains("Channel 12: Receive Frequency: 144.30000"), qPrintable(text));
        QVERIFY(text.contains("Larkspur Radio Co. Page 3 of 3"));
        pv.userStore = nullptr;
    }

  private:
    QTemporaryDir dir_;
};

QTEST_MAIN(TestPrintCommands)
#include "print_commands_qtest.moc"
