// The print layout drawn into real PDF files, read back with pdftotext.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/PrintAdapter.h"

namespace qx260
{
namespace
{

QGuiApplication& app()
{
    static int argc = 1;
    static char name[] = "print_pdf_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* instance = new QGuiApplication(argc, argv);
    return *instance;
}

PrintContent nineChannels(bool chinese)
{
    PrintContent c;
    c.image.fill(0);
    c.image[offset::TimeOutTime] = 4;
    c.image[offset::VoxDelayTime] = 7;
    c.language = languageOf(chinese);
    c.footer = chinese ? "云雀无线电有限公司" : "Larkspur Radio Co.";
    for (int r = 1; r <= 9; ++r) {
        c.cells[r][1] = "14" + std::to_string(r) + ".12500";
        c.cells[r][2] = "150.00000";
        c.cells[r][3] = "67.0";
        c.cells[r][4] = "None";
        c.cells[r][5] = chinese ? "宽" : "Wide";
        c.cells[r][6] = chinese ? "是" : "Yes";
    }
    return c;
}

class PrintPdf : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        app();
        ASSERT_TRUE(dir_.isValid());
    }

    // Writes the printout and returns pdftotext's pages (split at form feeds).
    QStringList print(const PrintContent& content, int from = 0, int to = 0)
    {
        const QString path = dir_.filePath("out.pdf");
        {
            QPdfWriter writer(path);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
            EXPECT_TRUE(paintPrintout(writer, content, from, to));
        }
        QProcess p;
        p.start("pdftotext", {"-layout", path, "-"});
        EXPECT_TRUE(p.waitForFinished(30000));
        QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split('\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

    QTemporaryDir dir_;
};

// The lines of a page with runs of blanks squeezed to one. Compatibility forms are
// folded: the CJK face maps some glyphs to the Kangxi radicals too, and pdftotext may
// report either code point.
QStringList lines(const QString& page)
{
    QStringList out;
    for (const QString& l : page.split('\n')) {
        const QString s = l.simplified().normalized(QString::NormalizationForm_KC);
        if (!s.isEmpty())
            out << s;
    }
    return out;
}

TEST_F(PrintPdf, NineChannelsGiveThreePagesInEnglish)
{
    const QStringList pages = print(nineChannels(false));
    ASSERT_EQ(pages.size(), 3);

    const QStringList first = lines(pages[0]);
    EXPECT_EQ(first.value(0), "Option");
    EXPECT_EQ(first.value(1), "Function");
    EXPECT_TRUE(first.contains("Time Out Time: 60s")) << first.join('|').toStdString();
    EXPECT_TRUE(first.contains("Vox Delay Time: 3.0s"));
    EXPECT_EQ(first.last(), "Larkspur Radio Co. Page 1 of 3");

    const QStringList second = lines(pages[1]);
    EXPECT_EQ(second.value(0), "Channel");
    EXPECT_EQ(second.value(1), "Channel 1:");
    EXPECT_EQ(second.value(2), "Receive Frequency: 141.12500 Transceive Frequency: 150.00000");
    EXPECT_EQ(second.value(3), "QT/DQT Decode: 67.0 QT/DQT Encode: None");
    EXPECT_EQ(second.value(4), "W/N: Wide Scan: Yes");
    EXPECT_TRUE(second.contains("Channel 8:"));
    EXPECT_FALSE(second.contains("Channel 9:"));
    EXPECT_EQ(second.last(), "Larkspur Radio Co. Page 2 of 3");

    const QStringList third = lines(pages[2]);
    EXPECT_EQ(third.value(1), "Channel 9:");
    EXPECT_EQ(third.value(2), "Receive Frequency: 149.12500 Transceive Frequency: 150.00000");
    EXPECT_EQ(third.last(), "Larkspur Radio Co. Page 3 of 3");
}

TEST_F(PrintPdf, ChineseTexts)
{
    const QStringList pages = print(nineChannels(true));
    ASSERT_EQ(pages.size(), 3);
    const QStringList first = lines(pages[0]);
    EXPECT_EQ(first.value(0), "可选功能");
    EXPECT_TRUE(first.contains("超时定时器: 60s")) << first.join('|').toStdString();
    EXPECT_EQ(first.last(), "云雀无线电有限公司 Page 1 of 3");
    const QStringList second = lines(pages[1]);
    EXPECT_EQ(second.value(0), "信道");
    EXPECT_EQ(second.value(1), "信道1:");
    EXPECT_EQ(second.value(4), "宽/窄: 宽 扫描: 是");
}

TEST_F(PrintPdf, PageRange)
{
    const QStringList pages = print(nineChannels(false), 3, 3);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(lines(pages[0]).value(1), "Channel 9:");
    // A range past the end is clamped to the printout.
    EXPECT_EQ(print(nineChannels(false), 2, 9).size(), 2);
}

TEST_F(PrintPdf, PrinterRangeAndCopies)
{
    // A PDF printer makes no copies itself: they are drawn, collated or page by page.
    for (const bool collate : {true, false}) {
        const QString path = dir_.filePath(collate ? "collated.pdf" : "uncollated.pdf");
        {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 3);
            printer.setCopyCount(2);
            printer.setCollateCopies(collate);
            ASSERT_TRUE(paintPrintout(printer, nineChannels(false)));
        }
        QProcess p;
        p.start("pdftotext", {"-layout", path, "-"});
        ASSERT_TRUE(p.waitForFinished(30000));
        QStringList footers;
        for (const QString& page : QString::fromUtf8(p.readAllStandardOutput()).split('\f'))
            if (!page.trimmed().isEmpty())
                footers << lines(page).last().section(' ', -4);
        EXPECT_EQ(footers, collate
                               ? QStringList({"Page 2 of 3", "Page 3 of 3", "Page 2 of 3", "Page 3 of 3"})
                               : QStringList({"Page 2 of 3", "Page 2 of 3", "Page 3 of 3", "Page 3 of 3"}))
            << footers.join('|').toStdString();
    }
}

TEST_F(PrintPdf, UnwritableOutputIsReported)
{
    QPdfWriter writer(dir_.filePath("missing/dir/out.pdf"));
    EXPECT_FALSE(paintPrintout(writer, nineChannels(false)));
}

TEST_F(PrintPdf, DeviceMetricsFollowFontSize)
{
    QPdfWriter writer(dir_.filePath("metrics.pdf"));
    const DevicePrintMetrics metrics(writer);
    const int large = metrics.lineHeight({352, 174});
    const int small = metrics.lineHeight({281, 139});
    // A serif face's line is a little taller than its character height.
    EXPECT_GE(large, 352);
    EXPECT_LE(large, 352 * 3 / 2);
    EXPECT_LT(small, large);

    // Stretching brings the average character width to the requested one.
    const QFont f = printFont({352, 174});
    EXPECT_NEAR(QFontMetrics(f).averageCharWidth(), 174, 6);
}

} // namespace
} // namespace qx260
