// The print commands on the program's printer: the page range reset per printout, direct
// print falling back to the default printer, the preview window, and a message when
// printing fails.

#include "windows/view/PrintCommands.h"
#include "windows/common/DisplayText.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QWidget>

#include "core/config/ProcessValues.h"
#include "core/print/PrintLayout.h"
#include "platform/PrintAdapter.h"
#include "windows/common/MessageBox.h"

namespace qx260
{

namespace
{

void reportPrintFailure(QWidget* parent, const QPrinter& printer)
{
    QString text;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        text = programText(Text::PrintFileNotWritten).arg(printer.outputFileName());
    } else {
        text = programText(Text::PrintFailed).arg(printer.printerName());
    }
    showMessage(parent, applicationCaption(), text, QMessageBox::Ok, MsgIcon::Exclamation);
}

// Each printout starts with all pages; a range is chosen per printout in the print dialog.
void resetRange(QPrinter& printer)
{
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
}

int pageCountOf(const PrintContent& content)
{
    // The number of pages does not depend on the device; any metrics will do.
    struct NoMetrics : PrintFontMetrics {
        int lineHeight(const PrintFontSize& size) const override { return size.height; }
    } metrics;
    return PrintLayout(content, PrintGeometry{}, metrics).pageCount();
}

} // namespace

void filePrint(QWidget* parent, const PrintContent& content)
{
    QPrinter& printer = applicationPrinter();
    resetRange(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pageCountOf(content));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!printOnPrinter(printer, content))
        reportPrintFailure(parent, printer);
}

void filePrintDirect(QWidget* parent, const PrintContent& content)
{
    QPrinter& chosen = applicationPrinter();
    // A printer chosen earlier is used as it is; a PDF file chosen in the print dialog is
    // not, so a direct printout never overwrites a file without asking.
    if (chosen.outputFormat() == QPrinter::NativeFormat && chosen.isValid() &&
        !chosen.printerName().isEmpty()) {
        resetRange(chosen);
        if (!paintPrintout(chosen, content))
            reportPrintFailure(parent, chosen);
        return;
    }
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        showMessage(parent, applicationCaption(), programText(Text::NoPrinter), QMessageBox::Ok,
                    MsgIcon::Exclamation);
        return;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setPageLayout(chosen.pageLayout());
    if (!paintPrintout(printer, content))
        reportPrintFailure(parent, printer);
}

void filePrintPreview(QWidget* parent, const PrintContent& content)
{
    QPrinter& printer = applicationPrinter();
    resetRange(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("printPreview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&dialog, &content](QPrinter* target) {
                         if (!paintPrintout(*target, content))
                             reportPrintFailure(&dialog, *target);
                     });
    if (const QScreen* screen = parent ? parent->screen() : nullptr) {
        const QSize available = screen->availableSize();
        dialog.resize(available.width() * 3 / 4, available.height() * 9 / 10);
    }
    dialog.exec();
}

void filePrintSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&applicationPrinter(), parent);
    dialog.exec();
}

} // namespace qx260
