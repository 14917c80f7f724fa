// qx260-cli diff, export and import (both channel-list layouts), run as the real program
// on temporary files.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "core/radio/CProgramDoc.h"
#include "core/radio/RadioImage.h"
#include "tests/support/CliProcess.h"

using namespace qx260;

namespace
{

using test::CliRun;

class CliExchange : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    CliRun run(const QStringList& args)
    {
        const CliRun r =
            test::runCli(args, test::cliEnvironment(dir.filePath("user/settings.ini")), dir.path());
        EXPECT_TRUE(r.finished) << "qx260-cli hung";
        return r;
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    QByteArray readFile(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void writeImage(const QString& name, const RadioImage& image) const
    {
        const auto bytes = serializeDat(image);
        writeFile(name,
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size())));
    }
    RadioImage readImage(const QString& name) const
    {
        RadioImage image;
        EXPECT_TRUE(loadDatFile(path(name).toStdString(), image).ok());
        return image;
    }

    // Band "130 - 160MHz" (type 1, band 1 of Program.ini) and two channels.
    static RadioImage sampleImage()
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

    QTemporaryDir dir;
};

TEST_F(CliExchange, DiffExitsLikeDiff)
{
    writeImage("a.dat", sampleImage());
    writeImage("same.dat", sampleImage());
    RadioImage other = sampleImage();
    other.setByte(0x3F0, 0x00); // kept only in the file, but still a difference
    writeImage("other.dat", other);
    writeFile("short.dat", readFile("a.dat").left(1039));
    QByteArray wrongMagic = readFile("a.dat");
    wrongMagic[3] = '3';
    writeFile("magic.dat", wrongMagic);

    const struct {
        QStringList args;
        int exitCode;
        const char* inOut;
        const char* inErr;
    } cases[] = {
        {{"a.dat", "same.dat"}, 0, "", ""},
        {{"a.dat", "other.dat"}, 1, "Bytes kept only in the file (0x330-0x3FF): 1 differ at 0x3F0", ""},
        {{"a.dat", "short.dat"}, 2, "", "short.dat: Data Format Error"},
        {{"magic.dat", "a.dat"}, 2, "", "magic.dat: Data Format Error"},
        {{"a.dat", "missing.dat"}, 2, "", "cannot open missing.dat"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(QStringList{"diff"} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(c.inOut)) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(c.inErr)) << r.err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        }
    }
}

TEST_F(CliExchange, DiffShowsCellsOptionsProductAndOtherBytes)
{
    writeImage("a.dat", sampleImage());
    RadioImage b = sampleImage();
    b.setRxFrequency(1, 14600625);
    b.setByte(offset::TimeOutTime, 20);
    b.setByte(offset::ProductType, 1);
    b.setByte(0x005, 0x00);
    writeImage("b.dat", b);

    CliRun r = run({"diff", "a.dat", "b.dat"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains("Channel 1 Rx Frequency: 145.12500 -> 146.00625")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Time Out Time: 600s -> 300s")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Product type: QX-260 (0) -> QX-260L (1)")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Other bytes (0x000-0x32F): 1 differ at 0x005")) << r.out.toStdString();

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

TEST_F(CliExchange, ExportThenImportLeavesTheDocumentAsItWas)
{
    writeImage("x.dat", sampleImage());
    const QByteArray before = readFile("x.dat");

    CliRun r = run({"export", "x.dat", "-o", "ch.csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray csv = readFile("ch.csv");
    EXPECT_TRUE(
        csv.startsWith("CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,W/N,Scan,Busy Lock,Power\r\n"
                       "1,145.12500,146.00000,D023N,None,Narrow,Yes,QT/DQT,High\r\n"
                       "2,,150.00000,None,None,Wide,Yes,QT/DQT,High\r\n"))
        << csv.toStdString();
    EXPECT_EQ(csv.count("\r\n"), 17);
    EXPECT_EQ(run({"export", "x.dat"}).out.toUtf8(), csv); // stdout by default

    r = run({"import", "x.dat", "ch.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("0 channels changed")) << r.out.toStdString();
    EXPECT_EQ(readFile("x.dat"), before);

    // A spreadsheet's edit: byte order mark, other letter case, a short row, a new channel.
    writeFile("ch.csv", "\xEF\xBB\xBF"
                        "CH,Rx Frequency,Tx Frequency,W/N\r\n3,150.0125,,narrow\r\n1,\r\n");
    r = run({"import", "x.dat", "ch.csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("2 channels changed")) << r.out.toStdString();
    const RadioImage image = readImage("x.dat");
    EXPECT_EQ(image.rxFrequency(3), 15001250u);
    EXPECT_EQ(image.txFrequency(3), 15001250u); // an empty Tx follows Rx
    EXPECT_FALSE(image.wide(3));
    EXPECT_FALSE(image.rxFrequency(1));         // cleared
    EXPECT_EQ(image.txFrequency(2), 15000000u); // not in the file: as it was
}

TEST_F(CliExchange, ImportIsAllOrNothing)
{
    writeImage("x.dat", sampleImage());
    const QByteArray before = readFile("x.dat");
    const struct {
        const char* name;
        QByteArray csv;
        const char* inErr;
    } cases[] = {
        {"out of range after a good row", "CH,Rx Frequency\r\n3,150\r\n4,171\r\n",
         "bad.csv:3: column 2 (Rx Frequency): \"171\": Out of range,please input again."},
        {"off the step", "CH,Rx Frequency\r\n3,145.001\r\n",
         "bad.csv:2: column 2 (Rx Frequency): \"145.001\": Error data Value, please input according the step "
         "value(6.25K/5k)."},
        {"tone not in the list", "CH,Rx Frequency,QT/DQT Dec\r\n3,150,67.1\r\n",
         "bad.csv:2: column 3 (QT/DQT Dec)"},
        {"not UTF-8", "CH,Rx Frequency,W/N\r\n3,150,\xBF\xED\r\n", "bad.csv:2: the file is not UTF-8"},
    };
    for (const auto& c : cases) {
        writeFile("bad.csv", c.csv);
        const CliRun r = run({"import", "x.dat", "bad.csv"});
        EXPECT_EQ(r.exitCode, 1) << c.name;
        EXPECT_TRUE(r.err.contains(c.inErr)) << c.name << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("Nothing imported; x.dat is unchanged.")) << c.name;
        EXPECT_EQ(readFile("x.dat"), before) << c.name;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary file left

    // A document that is no document is reported as such and stays as it was.
    writeFile("bad.dat", "not a document");
    writeFile("ok.csv", "CH,Rx Frequency\r\n3,150\r\n");
    const CliRun r = run({"import", "bad.dat", "ok.csv"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(readFile("bad.dat"), "not a document");
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

TEST_F(CliExchange, CommonLayoutBothWays)
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

    // The channels as the window shows them.
    r = run({"export", "x.dat"});
    EXPECT_TRUE(
        r.out.startsWith("CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,W/N,Scan,Busy Lock,Power\r\n"
                         "1,146.94000,146.34000,None,100.0,Wide,Yes,Off,High\r\n"
                         "2,147.00000,147.60000,103.5,103.5,Narrow,No,Off,High\r\n"
                         "3,146.52000,146.52000,None,None,Wide,Yes,Off,High\r\n"
                         "4,145.00000,146.00000,D754N,D754I,Wide,Yes,Off,High\r\n"
                         "5,146.00000,,D023I,D023N,Narrow,No,Off,High\r\n"
                         "6,145.50000,145.50000,D411N,88.5,Wide,Yes,Off,High\r\n"
                         "7,,,,,,,,\r\n"))
        << r.out.toStdString();

    // Back out in the common layout (a split within the band is written as an offset), and
    // in again into an empty document: the same bytes.
    r = run({"export", "x.dat", "--format", "common", "-o", "back.csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(readFile("back.csv"),
              "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,"
              "TStep,Skip,"
              "Comment,RxDtcsCode,CrossMode\r\n"
              "1,,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,FM,5.00,,,023,Tone->Tone\r\n"
              "2,,147.000000,+,0.600000,TSQL,88.5,103.5,023,NN,NFM,5.00,S,,023,Tone->Tone\r\n"
              "3,,146.520000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,,023,Tone->Tone\r\n"
              "4,,145.000000,+,1.000000,DTCS,88.5,88.5,754,RN,FM,5.00,,,023,Tone->Tone\r\n"
              "5,,146.000000,off,0.000000,DTCS,88.5,88.5,023,NR,NFM,5.00,S,,023,Tone->Tone\r\n"
              "6,,145.500000,,0.000000,Cross,88.5,88.5,411,NN,FM,5.00,,,411,Tone->DTCS\r\n");
    writeImage("y.dat", empty);
    ASSERT_EQ(run({"import", "y.dat", "back.csv"}).exitCode, 0);
    EXPECT_EQ(readFile("y.dat"), readFile("x.dat"));

    // What a decimal-comma spreadsheet writes: ';' between fields, decimal commas, tones
    // without their ".0", codes without their leading zero.
    QByteArray twin = QByteArray(kCommonList).replace(",", ";");
    for (const char* number : {"146;940000", "0;600000", "147;000000", "103;5", "88;5", "146;520000",
                               "0;000000", "145;000000", "146;000000", "145;500000", "5;00", "6;25"})
        twin.replace(number, QByteArray(number).replace(';', ','));
    twin.replace(";023;NN;NFM", ";23;NN;NFM");
    writeFile("twin.csv", twin);
    writeImage("z.dat", empty);
    r = run({"import", "z.dat", "twin.csv"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(readFile("z.dat"), readFile("x.dat"));

    // A radio that shows the receive side only keeps the transmit side all the same and
    // says so: the same document as with both sides shown.
    writeImage("v1.dat", empty);
    r = run({"import", "v1.dat", "list.csv", "--variant", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(
        r.out.contains("The file's values in Tx Frequency, QT/DQT Enc were kept; radio variant 1 does "
                       "not show these columns."))
        << r.out.toStdString();
    EXPECT_EQ(readImage("v1.dat").txFrequency(1), 14634000u);
    EXPECT_EQ(readImage("v1.dat").rxFrequency(1), 14694000u);

    // An export replaces a file as a whole, but never what is no file (a pipe here).
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.csv")).constData(), 0600), 0);
    r = run({"export", "x.dat", "--format", "common", "-o", "pipe.csv"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("cannot write pipe.csv: not a regular file")) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo(path("pipe.csv")).exists() && !QFileInfo(path("pipe.csv")).isFile());

    // Locations beyond the radio's 16 channels are taken in file order when asked to.
    writeFile("far.csv", "Location,Frequency,Mode\r\n0,145.5,FM\r\n120,146,NFM\r\n");
    r = run({"import", "y.dat", "far.csv", "--renumber"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(readImage("y.dat").rxFrequency(1), 14550000u);
    EXPECT_FALSE(readImage("y.dat").wide(2));
}

TEST_F(CliExchange, CommonLayoutRefusalsChangeNothing)
{
    writeImage("x.dat", sampleImage());
    const QByteArray before = readFile("x.dat");
    const QByteArray header = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                              "DtcsPolarity,Mode,TStep,Skip,Comment\r\n";
    // (The layout's other refusals are the core's table rows.)
    const struct {
        const char* name;
        QByteArray row;
        const char* inErr;
    } cases[] = {
        {"unknown mode", "3,,146.52,,0,,88.5,88.5,023,NN,AM,5,,",
         "bad.csv:3: column 11 (Mode): \"AM\": Mode must be FM (Wide) or NFM (Narrow)"},
        {"location 17", "17,,146.52,,0,,88.5,88.5,023,NN,FM,5,,",
         "bad.csv:3: column 1 (Location): \"17\": the location must be a channel 1 to 16 (this radio has 16 "
         "channels); --renumber fills channels 1 to 16 in file order instead"},
        {"offset leaves the band", "3,,146.52,+,20,,88.5,88.5,023,NN,FM,5,,",
         "column 5 (Offset): \"20\": transmit frequency 166.520000 (Frequency + Offset): Out of range,please "
         "input again. (band \"130 - 160MHz\")"},
    };
    for (const auto& c : cases) {
        writeFile("bad.csv", header + "1,,145.5,,0,,88.5,88.5,023,NN,FM,5,,\r\n" + c.row + "\r\n");
        const CliRun r = run({"import", "x.dat", "bad.csv"});
        EXPECT_EQ(r.exitCode, 1) << c.name;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.inErr))) << c.name << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("Nothing imported; x.dat is unchanged.")) << c.name;
        EXPECT_EQ(readFile("x.dat"), before) << c.name;
    }
}

} // namespace
