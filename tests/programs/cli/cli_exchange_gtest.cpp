// qx260-cli diff, export and import, run as the real program on temporary files: what they
// print and exit with, the files they write, and an import refused as a whole. Comparing
// and the channel lists' rules are the core's, one row per case there.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "tests/programs/cli/CliFolder.h"

namespace qx260
{
namespace
{

using test::CliRun;
using CliExchange = test::CliFolder;

// Band "130 - 160MHz" (type 1, band 1 of Program.ini) and two channels.
RadioImage sampleImage()
{
    RadioImage image = RadioImage::newImage();
    image.setByte(offset::ProductType, 0);
    image.setByte(offset::BandIndex, 0);
    image.setRxFrequency(1, 14512500);
    image.setTxFrequency(1, 14600000);
    image.setDecodeTone(1, ToneWord{0x13, 0x28}); // D023N
    image.setWide(1, false);
    image.setTxFrequency(2, 15000000); // transmit side only
    return image;
}

// The common channel-list layout: a repeater below and above, simplex, split, a channel
// that only listens, each tone mode, a skipped channel, and the extra columns the layout's
// files often carry.
const char* const kCommonList =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,Skip,"
    "Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE,RxDtcsCode,CrossMode\r\n"
    "1,Rep minus,146.940000,-,0.600000,Tone,100,88.5,023,NN,FM,5.00,,club,,,,,023,Tone->Tone\r\n"
    "2,Rep plus,147.000000,+,0.600000,TSQL,88.5,103.5,023,NN,NFM,5.00,S,,,,,,023,Tone->Tone\r\n"
    "3,Simplex,146.520000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,,,,,,023,Tone->Tone\r\n"
    "4,Split,145.000000,split,146.000000,DTCS,88.5,88.5,754,RN,FM,5.00,,,,,,,023,Tone->Tone\r\n"
    "5,Listen,146.000000,off,0.000000,DTCS,88.5,88.5,023,NR,NFM,6.25,S,,,,,,023,Tone->Tone\r\n"
    "6,Cross,145.500000,,0.000000,Cross,88.5,88.5,023,NN,FM,5.00,,,,,,,411,Tone->DTCS\r\n";

} // namespace

// diff lists what differs as the program shows it (a hidden side as other bytes), in text or
// JSON, and exits as diff(1) does: 0 the same, 1 different.
TEST_F(CliExchange, DiffSaysWhatDiffersAndExitsLikeDiff)
{
    writeImage("a.dat", sampleImage());
    writeImage("same.dat", sampleImage());
    RadioImage b = sampleImage();
    b.setRxFrequency(1, 14600625);
    b.setScan(2, false);
    b.setByte(offset::TimeOutTime, 20);
    b.setByte(offset::ProductType, 1);
    b.setByte(0x005, 0x00);
    b.setByte(0x3F0, 0x00); // kept only in the file, but still a difference
    writeImage("b.dat", b);

    CliRun r = run({"diff", "a.dat", "same.dat"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();

    r = run({"diff", "a.dat", "b.dat"});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), "--- a.dat\n+++ b.dat\n"
                                   "Channel 1 Rx Frequency: 145.12500 -> 146.00625\n"
                                   "Channel 2 Scan: Yes -> No\n"
                                   "Time Out Time: 600s -> 300s\n"
                                   "Product type: QX-260 (0) -> QX-260L (1)\n"
                                   "Other bytes (0x000-0x32F): 1 differ at 0x005\n"
                                   "Bytes kept only in the file (0x330-0x3FF): 1 differ at 0x3F0\n");

    // Variant 1 hides the Tx side: a Tx difference is then one of the other bytes.
    b = sampleImage();
    b.setTxFrequency(2, 15100000);
    writeImage("b.dat", b);
    r = run({"diff", "a.dat", "b.dat", "--json", "--variant", "1"});
    EXPECT_EQ(r.exitCode, 1);
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_FALSE(o["identical"].toBool());
    EXPECT_TRUE(o["channels"].toArray().isEmpty());
    EXPECT_EQ(o["otherBytesInside"].toObject()["count"].toInt(), 1);
    EXPECT_EQ(o["variant"].toInt(), 1);
}

// A list in the common layout imported, exported in both layouts (to stdout by default) and
// imported again: the same channels; what the import did is said on stdout.
TEST_F(CliExchange, ImportAndExportInBothLayouts)
{
    RadioImage empty = RadioImage::newImage();
    empty.setByte(offset::ProductType, 0);
    empty.setByte(offset::BandIndex, 0);
    writeImage("x.dat", empty);
    writeFile("list.csv", kCommonList);
    CliRun r = run({"import", "x.dat", "list.csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              "Ignored columns (this radio keeps no such values): Name, TStep, Comment, URCALL, RPT1CALL, "
              "RPT2CALL, DVCODE\nx.dat: 6 channels changed\n");

    QString table = "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,W/N,Scan,Busy Lock,Power\r\n"
                    "1,146.94000,146.34000,None,100.0,Wide,Yes,Off,High\r\n"
                    "2,147.00000,147.60000,103.5,103.5,Narrow,No,Off,High\r\n"
                    "3,146.52000,146.52000,None,None,Wide,Yes,Off,High\r\n"
                    "4,145.00000,146.00000,D754N,D754I,Wide,Yes,Off,High\r\n"
                    "5,146.00000,,D023I,D023N,Narrow,No,Off,High\r\n"
                    "6,145.50000,145.50000,D411N,88.5,Wide,Yes,Off,High\r\n";
    for (int n = 7; n <= 16; ++n)
        table += QString::number(n) + ",,,,,,,,\r\n";
    EXPECT_EQ(run({"export", "x.dat"}).out, table);
    ASSERT_EQ(run({"export", "x.dat", "-o", "ch.csv"}).exitCode, 0);
    EXPECT_EQ(QString::fromUtf8(readFile("ch.csv")), table);
    const QByteArray imported = readFile("x.dat");
    r = run({"import", "x.dat", "ch.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "x.dat: 0 channels changed\n");
    EXPECT_EQ(readFile("x.dat"), imported);

    // In the common layout a split within the band is written as an offset.
    r = run({"export", "x.dat", "--format", "common", "-o", "back.csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(readFile("back.csv"),
              "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,"
              "TStep,Skip,Comment,RxDtcsCode,CrossMode\r\n"
              "1,,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,FM,5.00,,,023,Tone->Tone\r\n"
              "2,,147.000000,+,0.600000,TSQL,88.5,103.5,023,NN,NFM,5.00,S,,023,Tone->Tone\r\n"
              "3,,146.520000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,,023,Tone->Tone\r\n"
              "4,,145.000000,+,1.000000,DTCS,88.5,88.5,754,RN,FM,5.00,,,023,Tone->Tone\r\n"
              "5,,146.000000,off,0.000000,DTCS,88.5,88.5,023,NR,NFM,5.00,S,,023,Tone->Tone\r\n"
              "6,,145.500000,,0.000000,Cross,88.5,88.5,411,NN,FM,5.00,,,411,Tone->DTCS\r\n");
    writeImage("y.dat", empty);
    ASSERT_EQ(run({"import", "y.dat", "back.csv"}).exitCode, 0);
    EXPECT_EQ(readFile("y.dat"), imported);

    // A radio that shows the receive side only keeps the transmit side all the same, and says so.
    writeImage("v1.dat", empty);
    r = run({"import", "v1.dat", "list.csv", "--variant", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(
        r.out.contains("The file's values in Tx Frequency, QT/DQT Enc were kept; radio variant 1 does "
                       "not show these columns."))
        << r.out.toStdString();
    EXPECT_EQ(readImage("v1.dat").txFrequency(1), 14634000u);
    EXPECT_EQ(readImage("v1.dat").rxFrequency(1), 14694000u);

    // Locations beyond the radio's 16 channels are taken in file order when asked to.
    writeFile("far.csv", "Location,Frequency,Mode\r\n0,145.5,FM\r\n120,146,NFM\r\n");
    r = run({"import", "y.dat", "far.csv", "--renumber"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(readImage("y.dat").rxFrequency(1), 14550000u);
    EXPECT_FALSE(readImage("y.dat").wide(2));
}

// The first refused value stops the import: its place and the window's message, what would
// help, and no file changed.
TEST_F(CliExchange, ImportIsAllOrNothing)
{
    writeImage("x.dat", sampleImage());
    const QByteArray header =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
        "DtcsPolarity,Mode,TStep,Skip,Comment\r\n1,,145.5,,0,,88.5,88.5,023,NN,FM,5,,\r\n";
    const struct {
        QByteArray csv;
        const char* says;
    } cases[] = {
        {"CH,Rx Frequency\r\n3,150\r\n4,171\r\n", "bad.csv:3: column 2 (Rx Frequency): \"171\": Out of "
                                                  "range,please input again. (band \"130 - 160MHz\")"},
        {header + "17,,146.52,,0,,88.5,88.5,023,NN,FM,5,,\r\n",
         "bad.csv:3: column 1 (Location): \"17\": the location must be a channel 1 to 16 (this radio has 16 "
         "channels); --renumber fills channels 1 to 16 in file order instead"},
        {header + "3,,146.52,+,20,,88.5,88.5,023,NN,FM,5,,\r\n",
         "column 5 (Offset): \"20\": transmit frequency 166.520000 (Frequency + Offset): Out of range,please "
         "input again. (band \"130 - 160MHz\")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        writeFile("bad.csv", c.csv);
        const auto before = files();
        const CliRun r = run({"import", "x.dat", "bad.csv"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("Nothing imported; x.dat is unchanged.")) << r.err.toStdString();
        EXPECT_EQ(files(), before);
    }
}

} // namespace qx260
