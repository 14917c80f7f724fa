// qx260-cli print, run as the real binary on real files; the PDF read back with pdftotext.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <string>
#include <vector>

#include "core/radio/CProgramDoc.h"
#include "core/radio/RadioImage.h"
#include "tests/support/CliProcess.h"

namespace qx260
{
namespace
{

using test::CliRun;

CliRun runCli(const QStringList& args, const QString& locale = "C.UTF-8")
{
    QProcessEnvironment env = test::cliEnvironment({}, locale);
    env.remove("QT_QPA_PLATFORM"); // the command sets it up itself
    env.remove("DISPLAY");
    const CliRun r = test::runCli(QStringList{"print"} + args, env, {}, 60000);
    EXPECT_TRUE(r.finished) << "qx260-cli hung";
    return r;
}

// pdftotext's pages, each as its non-empty lines with blanks squeezed and compatibility
// forms folded (the CJK face may map a glyph to a Kangxi radical too).
using Lines = std::vector<std::string>;

std::vector<Lines> pdfPages(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(p.waitForFinished(30000));
    std::vector<Lines> pages;
    for (const QString& page : QString::fromUtf8(p.readAllStandardOutput()).split('\f')) {
        Lines lines;
        for (const QString& l : page.split('\n'))
            if (const QString s = l.simplified().normalized(QString::NormalizationForm_KC); !s.isEmpty())
                lines.push_back(s.toStdString());
        if (!lines.empty())
            pages.push_back(lines);
    }
    return pages;
}

bool contains(const Lines& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string joined(const Lines& lines)
{
    std::string s;
    for (const std::string& l : lines)
        s += l + " | ";
    return s;
}

std::string line(const Lines& lines, std::size_t i)
{
    return i < lines.size() ? lines[i] : std::string("<none>");
}

class CliPrint : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path(const QString& name) const { return dir_.filePath(name); }

    // A document whose channels in `rows` receive on 145.xx MHz.
    QString writeDocument(std::initializer_list<int> rows, const QString& name = "doc.dat")
    {
        RadioImage image = RadioImage::newImage();
        for (int r : rows) {
            image.setRxFrequency(r, 14500000 + r * 1250);
            image.setTxFrequency(r, 14600000);
        }
        image.setByte(offset::TimeOutTime, 4);
        image.setByte(offset::VoxDelayTime, 7);
        const QString file = path(name);
        EXPECT_TRUE(saveDatFile(file.toStdString(), image).ok());
        return file;
    }

    QString config() const { return QString(QX260_SOURCE_DIR) + "/res/Program.ini"; }

    QTemporaryDir dir_;
};

TEST_F(CliPrint, NineChannelsEnglish)
{
    const QString doc = writeDocument({1, 2, 3, 4, 5, 6, 7, 8, 9});
    const QByteArray before = [&] {
        QFile f(doc);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    // A decimal-comma locale must not change a digit of the printout.
    const CliRun run =
        runCli({doc, "-o", path("out.pdf"), "--language", "English", "--config", config()}, "de_DE.UTF-8");
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("3 pages"));

    const std::vector<Lines> pages = pdfPages(path("out.pdf"));
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(line(pages[0], 0), "Option");
    EXPECT_TRUE(contains(pages[0], "Time Out Time: 60s")) << joined(pages[0]);
    EXPECT_TRUE(contains(pages[0], "Vox Delay Time: 3.0s"));
    EXPECT_EQ(pages[0].back(), "Larkspur Radio Co. Page 1 of 3");

    EXPECT_EQ(line(pages[1], 0), "Channel");
    EXPECT_EQ(line(pages[1], 1), "Channel 1:");
    // As at start-up, the table shows the receive side only.
    EXPECT_EQ(line(pages[1], 2), "Receive Frequency: 145.01250 Transceive Frequency:");
    EXPECT_EQ(line(pages[1], 3), "QT/DQT Decode: None QT/DQT Encode:");
    EXPECT_EQ(line(pages[1], 4).rfind("W/N: ", 0), 0u) << line(pages[1], 4);
    EXPECT_FALSE(contains(pages[1], "Channel 9:"));

    EXPECT_EQ(line(pages[2], 1), "Channel 9:");
    EXPECT_EQ(line(pages[2], 2), "Receive Frequency: 145.11250 Transceive Frequency:");
    EXPECT_EQ(pages[2].back(), "Larkspur Radio Co. Page 3 of 3");

    // Printing reads the document and changes nothing in it.
    QFile f(doc);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(CliPrint, NineChannelsChinese)
{
    const QString doc = writeDocument({2, 4, 6, 8, 10, 12, 14, 15, 16});
    const CliRun run = runCli({doc, "-o", path("zh.pdf"), "--language", "Chinese", "--config", config()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::vector<Lines> pages = pdfPages(path("zh.pdf"));
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(line(pages[0], 0), "可选功能");
    EXPECT_TRUE(contains(pages[0], "超时定时器: 60s")) << joined(pages[0]);
    EXPECT_EQ(pages[0].back(), "云雀无线电有限公司 Page 1 of 3");
    EXPECT_EQ(line(pages[1], 0), "信道");
    EXPECT_EQ(line(pages[1], 1), "信道2:");
    EXPECT_EQ(line(pages[1], 2), "接收频率: 145.02500 发射频率:");
    EXPECT_EQ(line(pages[2], 1), "信道16:");
}

TEST_F(CliPrint, VariantDecidesWhatTheTableShows)
{
    const QString doc = writeDocument({3});
    CliRun run = runCli({doc, "-o", path("v0.pdf"), "--variant", "0", "--config", config()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    std::vector<Lines> pages = pdfPages(path("v0.pdf"));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(line(pages[1], 2), "Receive Frequency: 145.03750 Transceive Frequency: 146.00000");

    // The transmit side only: no Rx Frequency, so no channel page.
    run = runCli({doc, "-o", path("v2.pdf"), "--variant", "2", "--config", config()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    pages = pdfPages(path("v2.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].back(), "Larkspur Radio Co. Page 1 of 1");
}

TEST_F(CliPrint, EmptyDocumentAndMissingFooter)
{
    // No configuration at the given place is an error; an empty one prints an empty footer.
    const QString doc = writeDocument({});
    CliRun run = runCli({doc, "-o", path("one.pdf"), "--config", path("nowhere.ini")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("nowhere.ini"));
    EXPECT_FALSE(QFileInfo::exists(path("nowhere.ini")));

    QFile empty(path("empty.ini"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    run = runCli({doc, "-o", path("one.pdf"), "--config", path("empty.ini")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::vector<Lines> pages = pdfPages(path("one.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].back(), "Page 1 of 1");
}

TEST_F(CliPrint, FailuresKeepTheOutputFile)
{
    QFile existing(path("keep.pdf"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("previous");
    existing.close();

    // Not a document.
    QFile bad(path("bad.dat"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(1040, 'x'));
    bad.close();
    CliRun run = runCli({path("bad.dat"), "-o", path("keep.pdf"), "--config", config()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Data Format Error"));

    // Missing document.
    run = runCli({path("missing.dat"), "-o", path("keep.pdf"), "--config", config()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("missing.dat"));

    QFile kept(path("keep.pdf"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "previous");

    // An output folder that does not exist.
    run = runCli({writeDocument({1}), "-o", path("no/such/dir/out.pdf"), "--config", config()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("cannot write"));
}

} // namespace
} // namespace qx260
