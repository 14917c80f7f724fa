// The print commands as a user gives them: the whole program started in-process, Print
// with Ctrl+P and from the toolbar, direct print, Print Preview and Print Setup from the
// main window's menus, in English and in Chinese. What the pages hold is the core's
// PrintLayout rows; here the commands reach the printer in the program's language.

#include <QComboBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QToolBar>
#include <QToolButton>

#include "platform/PrintAdapter.h"
#include "res/ResourceIds.h"
#include "tests/windows/frame/ShellFixture.h"
#include "windows/view/CProgramView.h"

using namespace qx260;
namespace id = qx260::resid;

namespace
{
constexpr int kPatience = 3000; // tries 10 ms apart: the print dialogs can take seconds to come up

// Nine used channels in the active document, shown in its table.
void nineChannels(ShellFixture& env)
{
    RadioImage& image = env.active()->doc->image;
    for (int n = 1; n <= 9; ++n)
        image.setRxFrequency(n, 14500000 + n * 1250);
    image.setByte(offset::TimeOutTime, 4);
    env.active()->view->fillTableFromDocument();
}

QStringList pdfPages(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    p.waitForFinished(30000);
    QStringList pages;
    for (const QString& page : QString::fromUtf8(p.readAllStandardOutput()).split('\f'))
        if (const QString s = page.simplified().normalized(QString::NormalizationForm_KC); !s.isEmpty())
            pages.append(s);
    return pages;
}

// Clicks the toolbar button of a command.
bool clickToolbarButton(CMainFrame* frame, int command)
{
    for (QAction* action : frame->toolBar()->actions())
        if (action->data().toInt() == command)
            if (auto* button = qobject_cast<QToolButton*>(frame->toolBar()->widgetForAction(action))) {
                QTest::mouseClick(button, Qt::LeftButton);
                return true;
            }
    return false;
}
} // namespace

class TestPrintProgram : public QObject
{
    Q_OBJECT

  private slots:
    void printCommandsFromTheMainWindow_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("firstLines"); // the first words of pages 1, 2 and 3
        QTest::newRow("English") << "English"
                                 << QStringList{"Option Function Time Out Time: 60s",
                                                "Channel Channel 1: Receive Frequency: 145.01250",
                                                "Channel Channel 9: Receive Frequency: 145.11250"};
        QTest::newRow("Chinese") << "Chinese"
                                 << QStringList{"可选功能 功能 超时定时器: 60s",
                                                "信道 信道1: 接收频率: 145.01250",
                                                "信道 信道9: 接收频率: 145.11250"};
    }

    void printCommandsFromTheMainWindow()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, firstLines);
        ShellFixture env([&](QString& ini) { setIniValue(ini, "Language", language); });
        QVERIFY(env.start());
        nineChannels(env);
        activate(env.frame());
        const QString footer = language == "English" ? "Larkspur Radio Co." : "云雀无线电有限公司";

        // Print Setup from the menu: its choice is what Print then uses.
        QAction* setup = env.frame()->menuAction(true, id::FilePrintSetup);
        QVERIFY(setup && setup->isEnabled());
        bool setupSeen = false;
        onNextModal<QPageSetupDialog>(
            [&](QPageSetupDialog* d) {
                setupSeen = true;
                for (QComboBox* combo : d->findChildren<QComboBox*>())
                    if (const int a5 = combo->findText("A5"); a5 >= 0)
                        combo->setCurrentIndex(a5);
                d->accept();
            },
            kPatience);
        setup->trigger();
        QVERIFY(setupSeen);
        activate(env.frame());

        // Ctrl+P: the print dialog, printing to a PDF file.
        const QString pdf = env.path("printout.pdf");
        QPrinter& printer = applicationPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        int maxPage = 0;
        onNextModal<QPrintDialog>(
            [&](QPrintDialog* d) {
                maxPage = d->maxPage();
                d->accept();
            },
            kPatience);
        QTest::keyClick(env.frame(), Qt::Key_P, Qt::ControlModifier);
        QTRY_VERIFY(QFile::exists(pdf));
        QCOMPARE(maxPage, 3);
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), 3);
        for (int p = 0; p < 3; ++p) {
            QVERIFY2(pages[p].startsWith(firstLines[p]), qPrintable(pages[p]));
            QVERIFY2(pages[p].endsWith(footer + QStringLiteral(" Page %1 of 3").arg(p + 1)),
                     qPrintable(pages[p]));
        }
        QProcess info;
        info.start("pdfinfo", {pdf});
        info.waitForFinished(30000);
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains("(A5)"));

        // The toolbar's Print button opens the same dialog; cancelled, it prints nothing.
        QFile::remove(pdf);
        bool printSeen = false;
        onNextModal<QPrintDialog>(
            [&](QPrintDialog* d) {
                printSeen = true;
                d->reject();
            },
            kPatience);
        QVERIFY(clickToolbarButton(env.frame(), id::FilePrint));
        QTRY_VERIFY(printSeen);
        QVERIFY(!QFile::exists(pdf));

        // Print Preview from the menu: the same three pages.
        int previewPages = 0;
        onNextModal<QPrintPreviewDialog>(
            [&](QPrintPreviewDialog* d) {
                previewPages = d->findChild<QPrintPreviewWidget*>()->pageCount();
                snapshot(d, "preview-" + language, "QX260_SHOT_DIR");
                d->reject();
            },
            kPatience);
        env.frame()->menuAction(true, id::FilePrintPreview)->trigger();
        QCOMPARE(previewPages, 3);

        // Direct print (no menu item of its own) goes to a printer, never to the PDF file
        // chosen before.
        QVERIFY(!env.frame()->menuAction(true, id::FilePrintDirect));
        if (QPrinterInfo::availablePrinterNames().isEmpty()) {
            msgtest::takeShown();
            env.frame()->OnCommand(id::FilePrintDirect);
            const auto shown = msgtest::takeShown();
            QCOMPARE(shown.size(), 1);
            QVERIFY(
                shown[0].text.contains(language == "English" ? "No printer is installed" : "没有安装打印机"));
            QVERIFY(!QFile::exists(pdf));
        }
    }

    void printSetupWithoutADocument()
    {
        ShellFixture env;
        QVERIFY(env.start());
        env.app->OnFileClose();
        QAction* setup = env.frame()->menuAction(false, id::FilePrintSetup);
        QVERIFY(setup && setup->isEnabled());
        bool seen = false;
        onNextModal<QPageSetupDialog>(
            [&](QPageSetupDialog* d) {
                seen = true;
                d->reject();
            },
            kPatience);
        setup->trigger();
        QVERIFY(seen);
    }
};

QTEST_MAIN(TestPrintProgram)
#include "print_program_qtest.moc"
