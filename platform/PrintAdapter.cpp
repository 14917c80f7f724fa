// Painting the layout's pages with QPainter: the printing fonts, the page order for copies
// and collation, a PDF file that replaces its target only once complete, and the program's
// one shared printer.

#include "platform/PrintAdapter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <vector>

#include "core/config/FileAccess.h"

namespace qx260
{

namespace
{

QFont unstretchedFont(int height)
{
    QFont font;
    // Liberation Serif stands in for Times New Roman where that face is not installed;
    // Chinese texts fall back to the system's CJK face.
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setStyleHint(QFont::Serif, QFont::PreferOutline);
    font.setPixelSize(std::max(1, height));
    font.setWeight(QFont::Normal);
    font.setKerning(false);
    return font;
}

std::unique_ptr<QPrinter>& printerSlot()
{
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

void dropApplicationPrinter()
{
    printerSlot().reset();
}

void paintPage(QPainter& painter, const PrintLayout& layout, int page)
{
    const QFont large = printFont(layout.fontSize(PrintFont::Large));
    const QFont small = printFont(layout.fontSize(PrintFont::Small));
    for (const PrintOp& op : layout.page(page)) {
        painter.setFont(op.font == PrintFont::Large ? large : small);
        if (op.kind == PrintOp::Kind::Rule) {
            painter.drawLine(op.x, op.y, op.x2, op.y);
        } else if (!op.text.empty()) {
            // Placed by the top left corner of the text's character cell.
            painter.drawText(op.x, op.y + painter.fontMetrics().ascent(), QString::fromStdString(op.text));
        }
    }
}

} // namespace

QFont printFont(const PrintFontSize& size)
{
    QFont font = unstretchedFont(size.height);
    const int natural = QFontMetrics(font).averageCharWidth();
    if (natural > 0 && size.width > 0)
        font.setStretch(std::clamp((size.width * 100 + natural / 2) / natural, 1, 4000));
    return font;
}

int DevicePrintMetrics::lineHeight(const PrintFontSize& size) const
{
    return QFontMetrics(printFont(size), &device_).lineSpacing();
}

PrintGeometry deviceGeometry(const QPaintDevice& device)
{
    return PrintGeometry::fromDevice(device.width(), device.height(), device.logicalDpiX(),
                                     device.logicalDpiY());
}

PrintLayout layoutForDevice(PrintContent content, QPaintDevice& device)
{
    const DevicePrintMetrics metrics(device);
    return PrintLayout(std::move(content), deviceGeometry(device), metrics);
}

namespace
{

// Pages fromPage..toPage (clamped; 0 = first / last), each page `copies` times in a row, or
// the whole run `copies` times when collated.
std::vector<int> pageSequence(int pageCount, int fromPage, int toPage, int copies, bool collate)
{
    const int first = fromPage <= 0 ? 1 : std::min(fromPage, pageCount);
    const int last = toPage <= 0 ? pageCount : std::clamp(toPage, first, pageCount);
    std::vector<int> pages;
    for (int outer = 0; outer < (collate ? copies : 1); ++outer)
        for (int p = first; p <= last; ++p)
            for (int inner = 0; inner < (collate ? 1 : copies); ++inner)
                pages.push_back(p);
    return pages;
}

bool paintPages(QPagedPaintDevice& device, const PrintContent& content, int fromPage, int toPage, int copies,
                bool collate)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const PrintLayout layout = layoutForDevice(content, device);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 0)); // one device pixel, as thin as the device draws
    painter.scale(device.logicalDpiX() / double(kTwipsPerInch), device.logicalDpiY() / double(kTwipsPerInch));
    bool firstPage = true;
    for (int p : pageSequence(layout.pageCount(), fromPage, toPage, std::max(1, copies), collate)) {
        if (!firstPage && !device.newPage()) {
            painter.end();
            return false;
        }
        firstPage = false;
        paintPage(painter, layout, p);
    }
    return painter.end();
}

} // namespace

bool paintPrintout(QPagedPaintDevice& device, const PrintContent& content, int fromPage, int toPage)
{
    return paintPages(device, content, fromPage, toPage, 1, false);
}

bool paintPrintout(QPrinter& printer, const PrintContent& content)
{
    int from = 0;
    int to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    }
    // Printers that make copies themselves get one; for the others (a PDF file) the copies
    // are drawn here.
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    return paintPages(printer, content, from, to, copies, printer.collateCopies());
}

bool printOnPrinter(QPrinter& printer, const PrintContent& content)
{
    const QString pdfFile =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    if (pdfFile.isEmpty())
        return paintPrintout(printer, content);
    // The printer writes its PDF into a temporary file, which replaces the chosen one only
    // once it is complete; a failure keeps what was there.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return false;
    const QString drawnFile = scratch.filePath(QStringLiteral("printout.pdf"));
    printer.setOutputFileName(drawnFile);
    const bool painted = paintPrintout(printer, content);
    printer.setOutputFileName(pdfFile);
    QFile drawn(drawnFile);
    if (!painted || !drawn.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = drawn.readAll();
    return drawn.error() == QFileDevice::NoError &&
           replaceFile(QFile::encodeName(pdfFile).toStdString(),
                       std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
               .ok();
}

QPrinter& applicationPrinter()
{
    std::unique_ptr<QPrinter>& printer = printerSlot();
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        qAddPostRoutine(dropApplicationPrinter);
    }
    return *printer;
}

} // namespace qx260
