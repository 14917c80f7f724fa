// qx260-cli print, run as the real program on a real file, the PDF read back with pdftotext.
// What the pages hold is the core's print layout and the platform's drawing, tested there;
// here the command as a whole: its own display set-up, the pages in the language asked
// for, a decimal-comma locale, and the document left as it was. (Its refusals: cli_document_gtest.)

#include <gtest/gtest.h>

#include <QProcess>

#include <string>
#include <vector>

#include "tests/programs/cli/CliFolder.h"
#include "tests/support/BuildPaths.h"

namespace qx260
{
namespace
{

using CliPrint = test::CliFolder;

// pdftotext's pages, each as its non-empty lines with blanks squeezed and compatibility
// forms folded (the CJK face may map a glyph to a Kangxi radical too).
std::vector<QStringList> pdfPages(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(p.waitForFinished(30000));
    std::vector<QStringList> pages;
    for (const QString& page : QString::fromUtf8(p.readAllStandardOutput()).split('\f')) {
        QStringList lines;
        for (const QString& l : page.split('\n'))
            if (const QString s = l.simplified().normalized(QString::NormalizationForm_KC); !s.isEmpty())
                lines << s;
        if (!lines.isEmpty())
            pages.push_back(lines);
    }
    return pages;
}

} // namespace

TEST_F(CliPrint, NineChannelsOnThreePages)
{
    RadioImage image = RadioImage::newImage();
    for (int r = 1; r <= 9; ++r) {
        image.setRxFrequency(r, 14500000 + static_cast<std::uint32_t>(r) * 1250);
        image.setTxFrequency(r, 14600000);
    }
    image.setByte(offset::TimeOutTime, 4);
    image.setByte(offset::VoxDelayTime, 7);
    writeImage("doc.dat", image);
    const QByteArray before = readFile("doc.dat");

    const auto print = [&](const QString& language, const QString& locale) {
        QProcessEnvironment env = test::cliEnvironment(path("user.ini"), locale);
        env.remove("QT_QPA_PLATFORM"); // the command sets it up itself
        env.remove("DISPLAY");
        const test::CliRun run =
            test::runCli({"print", "doc.dat", "-o", "out.pdf", "--language", language, "--config",
                          qx260::testpaths::sourceDir() + "/res/Program.ini"},
                         env, dir.path(), 60000);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains("3 pages")) << run.out.toStdString();
        return pdfPages(path("out.pdf"));
    };
    // A decimal-comma locale must not change a digit of the printout.
    std::vector<QStringList> pages = print("English", "de_DE.UTF-8");
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].value(0), "Option");
    EXPECT_TRUE(pages[0].contains("Time Out Time: 60s")) << pages[0].join(" | ").toStdString();
    EXPECT_TRUE(pages[0].contains("Vox Delay Time: 3.0s"));
    EXPECT_EQ(pages[0].last(), "Larkspur Radio Co. Page 1 of 3");

    EXPECT_EQ(pages[1].value(0), "Channel");
    EXPECT_EQ(pages[1].value(1), "Channel 1:");
    // As at start-up, the table shows the receive side only.
    EXPECT_EQ(pages[1].value(2), "Receive Frequency: 145.01250 Transceive Frequency:");
    EXPECT_EQ(pages[1].value(3), "QT/DQT Decode: None QT/DQT Encode:");
    EXPECT_TRUE(pages[1].value(4).startsWith("W/N: ")) << pages[1].value(4).toStdString();
    EXPECT_FALSE(pages[1].contains("Channel 9:"));

    EXPECT_EQ(pages[2].value(1), "Channel 9:");
    EXPECT_EQ(pages[2].value(2), "Receive Frequency: 145.11250 Transceive Frequency:");
    EXPECT_EQ(pages[2].last(), "Larkspur Radio Co. Page 3 of 3");

    pages = print("Chinese", "C.UTF-8");
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].value(0), "可选功能");
    EXPECT_TRUE(pages[0].contains("超时定时器: 60s")) << pages[0].join(" | ").toStdString();
    EXPECT_EQ(pages[0].last(), "云雀无线电有限公司 Page 1 of 3");
    EXPECT_EQ(pages[1].value(1), "信道1:");
    EXPECT_EQ(pages[1].value(2), "接收频率: 145.01250 发射频率:");

    EXPECT_EQ(readFile("doc.dat"), before);
}

} // namespace qx260
