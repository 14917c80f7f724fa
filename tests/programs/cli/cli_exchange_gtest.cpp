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
        {"CH,Rx Frequency\r\n3,150\r\n4,171\r\n",
         "bad.csv:3: column 2 (Rx Frequency): 171.000 MHz is outside the band 130\u2013160 MHz (Product "
         "Information)"},
        {"CH,Rx Frequency\r\n3,14x.5\r\n", "bad.csv:2: column 2 (Rx Frequency): \"14x.5\" is not a number of "
                                           "MHz: write it with a point as the decimal separator"},
        {header + "17,,146.52,,0,,88.5,88.5,023,NN,FM,5,,\r\n",
         "bad.csv:3: column 1 (Location): \"17\": the location must be a channel 1 to 16 (this radio has 16 "
         "channels); --renumber fills channels 1 to 16 in file order instead"},
        {header + "3,,146.52,+,20,,88.5,88.5,023,NN,FM,5,,\r\n",
         "column 5 (Offset): \"20\": transmit frequency 166.520000 (Frequency + Offset): 166.520 MHz is "
         "outside the band 130\u2013160 MHz (Product Information)"},
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

namespace qx260
{
namespace
{

// A 2 m / 70 cm list and a marine list above the 2 m band.
const QByteArray kListHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                               "DtcsPolarity,Mode,TStep,Skip,Comment\r\n";
const QByteArray kMixed = kListHeader + "1,Call,146.520000,,0,,88.5,88.5,023,NN,FM,5,,\r\n"
                                        "2,Rpt70,442.400000,+,5.000000,Tone,88.5,88.5,023,NN,FM,5,,\r\n"
                                        "3,Rpt2,147.000000,-,0.600000,TSQL,88.5,100.0,023,NN,FM,5,,\r\n"
                                        "4,DV,145.375000,,0,,88.5,88.5,023,NN,DV,5,,\r\n";
const QByteArray kMarine = kListHeader + "87,AIS1,161.975000,,0,,88.5,88.5,023,NN,FM,5,,\r\n"
                                         "28,Ch28,162.000000,,0,,88.5,88.5,023,NN,FM,5,,\r\n";

} // namespace

// --fitting and --rows take the rows that fit from the first channel on, tell each row left
// out on stderr by its line, and exit 0 when a row was taken, 1 (the document unchanged) when
// none was; wrong usage changes nothing either.
TEST_F(CliExchange, ImportTakesWhatFits)
{
    const char* const kOutside = "MHz is outside the band 130\xE2\x80\x93"
                                 "160 MHz (Product Information)";
    const struct {
        const char* name;
        QByteArray csv;
        QStringList options;
        int exitCode;
        std::vector<std::string> err;                                      // each on stderr
        std::string out = {};                                              // on stdout
        std::vector<std::pair<int, std::optional<std::uint32_t>>> rx = {}; // channel, Rx afterwards
    } cases[] = {
        {"mixed list",
         kMixed,
         {"--fitting"},
         0,
         {std::string("list.csv:3: 442.400 ") + kOutside, "list.csv:5: mode DV"},
         "x.dat: Took 2 channels; 2 rows left out; 2 channels changed",
         {{1, 14652000u}, {2, 14700000u}, {3, std::nullopt}}},
        {"from channel 15",
         kMixed,
         {"--fitting", "--first-channel", "15"},
         0,
         {"list.csv:3: 442.400"},
         "Took 2 channels",
         {{1, 14512500u}, {15, 14652000u}, {16, 14700000u}}},
        {"rows by line",
         kMixed,
         {"--rows", "4,2-3"},
         0,
         {std::string("list.csv:3: 442.400 ") + kOutside, "list.csv:5: mode DV"},
         "Took 2 channels",
         {{1, 14652000u}, {2, 14700000u}}},
        {"marine list above the band",
         kMarine,
         {"--fitting"},
         1,
         {std::string("list.csv:2: 161.975 ") + kOutside,
          "list.csv: the file's rows lie in 136\xE2\x80\x93"
          "174 MHz (2 of them), a band Product Information "
          "also offers",
          "x.dat is unchanged"}},
        {"a line no row starts on",
         kMixed,
         {"--rows", "1"},
         64,
         {"--rows 1: no row starts on line 1 of list.csv"}},
        {"a channel past 16",
         kMixed,
         {"--fitting", "--first-channel", "17"},
         64,
         {"--first-channel takes a channel 1 to 16, not \"17\""}},
        {"a first channel alone",
         kMixed,
         {"--first-channel", "2"},
         64,
         {"--first-channel goes with --fitting or --rows"}},
        {"with --renumber",
         kMixed,
         {"--fitting", "--renumber"},
         64,
         {"--renumber does not go with --fitting"}},
        {"a file that is no list",
         "Colour\r\nred\r\n",
         {"--fitting"},
         1,
         {"\"Colour\" is not a column", "Nothing imported; x.dat is unchanged."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeImage("x.dat", sampleImage());
        writeFile("list.csv", c.csv);
        const auto before = files();
        QStringList args{"import", "x.dat", "list.csv"};
        args += c.options;
        const CliRun r = run(args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        for (const std::string& line : c.err)
            EXPECT_TRUE(r.err.contains(QString::fromStdString(line))) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QString::fromStdString(c.out))) << r.out.toStdString();
        if (c.exitCode != 0) {
            EXPECT_EQ(files(), before);
        }
        for (const auto& [n, rx] : c.rx)
            EXPECT_EQ(readImage("x.dat").rxFrequency(n), rx) << "channel " << n;
    }
}

} // namespace qx260
