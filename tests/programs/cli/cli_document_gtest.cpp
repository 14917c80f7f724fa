// qx260-cli new / show / config, run as the real program on temporary files.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "core/radio/CProgramDoc.h"
#include "core/radio/RadioImage.h"
#include "platform/QSettingsUserStore.h"
#include "tests/support/CliProcess.h"

using namespace qx260;

namespace
{

using test::CliRun;

class Cli : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        settings = dir.filePath("user/settings.ini");
    }

    CliRun run(const QStringList& args)
    {
        const CliRun r = test::runCli(args, test::cliEnvironment(settings), dir.path());
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

    QJsonObject showJson(const QStringList& extra)
    {
        const CliRun r = run(QStringList{"show", path("x.dat"), "--json"} + extra);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
        return doc.object();
    }

    // A channel with every field set, so that each column has something to show.
    static RadioImage sampleImage()
    {
        RadioImage image = RadioImage::newImage();
        image.setRxFrequency(1, 14512500);
        image.setTxFrequency(1, 14600000);
        image.setDecodeTone(1, ToneWord{0x13, 0x28}); // D023N
        image.setEncodeTone(1, ToneWord{0x9E, 0x02}); // 67.0
        image.setWide(1, false);
        image.setScan(1, true);
        image.setBusyLock(1, BusyLock::Carrier);
        image.setHighPower(1, false);
        image.setTxFrequency(2, 15000000); // transmit side only
        image.setByte(offset::ProductType, 1);
        image.setByte(offset::BandIndex, 1);
        return image;
    }

    QTemporaryDir dir;
    QString settings;
};

QStringList rowOf(const QJsonObject& o, int r)
{
    QStringList row;
    for (const QJsonValue& v : o["cells"].toArray()[r].toArray())
        row << v.toString();
    return row;
}

} // namespace

TEST_F(Cli, NewThenShowGivesSixteenEmptyChannels)
{
    CliRun r = run({"new", path("x.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    const QJsonObject o = showJson({});
    EXPECT_EQ(o["caption"].toString(), "QX-260 Programming Software  [ Type:QX-260  Fre:130 - 160MHz ]");
    EXPECT_EQ(o["bandLimits"].toArray(), (QJsonArray{13000000, 16000000}));
    EXPECT_EQ(o["variant"].toInt(), 1);
    EXPECT_TRUE(o["gridEnabled"].toBool());
    const QJsonArray columns = o["columns"].toArray();
    ASSERT_EQ(columns.size(), 9);
    const int widths[9] = {500, 1200, 0, 1200, 0, 1000, 1000, 0, 0};
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(columns[c].toObject()["width"].toInt(), widths[c]) << c;
        EXPECT_EQ(columns[c].toObject()["alignment"].toInt(), widths[c] ? 4 : 0) << c;
    }
    const QJsonArray cells = o["cells"].toArray();
    ASSERT_EQ(cells.size(), 17);
    EXPECT_EQ(rowOf(o, 0).first(), "CH");
    EXPECT_EQ(rowOf(o, 0)[1], "Rx Frequency");
    for (int row = 1; row <= 16; ++row) {
        const QStringList cellsOfRow = rowOf(o, row);
        ASSERT_EQ(cellsOfRow.size(), 9);
        EXPECT_EQ(cellsOfRow[0], QString::asprintf("%2d", row));
        for (int c = 1; c < 9; ++c)
            EXPECT_TRUE(cellsOfRow[c].isEmpty()) << row << "," << c;
    }
    // Neither command stored a product choice.
    EXPECT_FALSE(QFile::exists(settings));
}

TEST_F(Cli, NewWritesWhatNewAndSaveWriteWithTheStoredProductChoice)
{
    QSettingsUserStore store(settings);
    ASSERT_TRUE(store.writeNumber("Software\\QX-260 Programmer", "Type", 1));
    ASSERT_TRUE(store.writeNumber("Software\\QX-260 Programmer", "Field", 1));

    ASSERT_EQ(run({"new", path("x.dat")}).exitCode, 0);
    const QByteArray bytes = readFile("x.dat");
    ASSERT_EQ(bytes.size(), 1040);

    // The factory image as it is (nothing the user did not touch is rewritten), with the
    // product bytes of the user's choice.
    RadioImage expected = RadioImage::newImage();
    expected.setByte(offset::ProductType, 1);
    expected.setByte(offset::BandIndex, 1);
    const auto file = serializeDat(expected);
    EXPECT_EQ(bytes, QByteArray(reinterpret_cast<const char*>(file.data()), 1040));

    const QJsonObject o = showJson({});
    EXPECT_EQ(o["caption"].toString(), "QX-260 Programming Software  [ Type:QX-260L  Fre:150 - 174MHz ]");
    EXPECT_EQ(o["bandLimits"].toArray(), (QJsonArray{15000000, 17400000}));
}

TEST_F(Cli, NewNeverReplacesAFileUnlessForced)
{
    writeFile("x.dat", "keep me");
    CliRun r = run({"new", path("x.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("already exists")) << r.err.toStdString();
    EXPECT_EQ(readFile("x.dat"), "keep me");

    EXPECT_EQ(run({"new", path("x.dat"), "--force"}).exitCode, 0);
    EXPECT_EQ(readFile("x.dat").size(), 1040);

    r = run({"new", path("no/such/dir/x.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("no/such/dir/x.dat")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("No such file or directory")) << r.err.toStdString();
}

TEST_F(Cli, ShowDecodesEveryColumnPerVariantAndLanguage)
{
    writeImage("x.dat", sampleImage());
    const QByteArray before = readFile("x.dat");

    QJsonObject o = showJson({"--variant", "0"});
    EXPECT_FALSE(o["gridEnabled"].toBool());
    EXPECT_EQ(rowOf(o, 1), (QStringList{" 1", "145.12500", "146.00000", "D023N", "67.0", "Narrow", "Yes",
                                        "Carrier", "Low"}));
    EXPECT_EQ(rowOf(o, 2)[2], "150.00000");
    EXPECT_EQ(rowOf(o, 2)[3], "None"); // not an empty row under variant 0
    EXPECT_EQ(o["caption"].toString(), "QX-260 Programming Software  [ Type:QX-260L  Fre:150 - 174MHz ]");

    o = showJson({}); // variant 1: the transmit side is hidden and emptied
    EXPECT_EQ(rowOf(o, 1),
              (QStringList{" 1", "145.12500", "", "D023N", "", "Narrow", "Yes", "Carrier", "Low"}));
    EXPECT_EQ(rowOf(o, 2), (QStringList{" 2", "", "", "", "", "", "", "", ""}));

    o = showJson({"--variant", "2", "--language", "Chinese"});
    EXPECT_EQ(rowOf(o, 0)[0], "信道");
    EXPECT_EQ(rowOf(o, 1), (QStringList{" 1", "", "146.00000", "", "67.0", "窄", "是", "载波", "低"}));
    EXPECT_EQ(o["caption"].toString(), "QX-260 写频软件  [ 类型:QX-260L  频率:150 - 174MHz ]");
    EXPECT_EQ(o["columns"].toArray()[1].toObject()["width"].toInt(), 0);

    // Showing changes neither the file nor the user's settings.
    EXPECT_EQ(readFile("x.dat"), before);
    EXPECT_FALSE(QFile::exists(settings));
}

TEST_F(Cli, ShowAsTextMarksHiddenColumns)
{
    writeImage("x.dat", sampleImage());
    const CliRun r = run({"show", path("x.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Caption:     QX-260 Programming Software  [ Type:QX-260L"))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Band limits: 15000000 - 17400000"));
    EXPECT_TRUE(r.out.contains("Tx Frequency*"));
    EXPECT_FALSE(r.out.contains("Rx Frequency*"));
    EXPECT_TRUE(r.out.contains(" 1  145.12500")) << r.out.toStdString();
}

TEST_F(Cli, ShowRefusesBadFiles)
{
    const auto good = serializeDat(RadioImage::newImage());
    QByteArray wrongMagic(reinterpret_cast<const char*>(good.data()), 1040);
    wrongMagic[1] = 'X';
    writeFile("magic.dat", wrongMagic);
    writeFile("short.dat", wrongMagic.left(1039).replace(1, 1, "9"));

    for (const char* name : {"magic.dat", "short.dat"}) {
        const CliRun r = run({"show", path(name), "--json"});
        EXPECT_EQ(r.exitCode, 2) << name;
        EXPECT_TRUE(r.err.contains("Data Format Error")) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }

    CliRun r = run({"show", path("missing.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("missing.dat") && r.err.contains("No such file or directory"))
        << r.err.toStdString();

    writeImage("x.dat", RadioImage::newImage());
    r = run({"show", path("x.dat"), "--config", path("nope.ini")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("nope.ini"));
    EXPECT_FALSE(QFile::exists(path("nope.ini")));
}

TEST_F(Cli, ShowTakesTheNamedConfiguration)
{
    writeFile("my.ini", "[setup]\r\nlanguage=Chinese\r\nAppName=X\r\nType1=T\r\nField1=140 - 150MHz\r\n"
                        "[Chinese]\r\nAppName=程序\r\n");
    writeImage("x.dat", RadioImage::newImage());
    const QJsonObject o = showJson({"--config", path("my.ini")});
    // Byte 0x32F of a new image is 2: past the end of a one-item list, so the last item.
    EXPECT_EQ(o["caption"].toString(), "程序  [ 类型:T  频率:140 - 150MHz ]");
    EXPECT_EQ(o["bandLimits"].toArray(), (QJsonArray{14000000, 15000000}));
}

TEST_F(Cli, ConfigGetAndSet)
{
    writeFile("p.ini", "[Setup]\r\nLanguage=English\r\n");
    CliRun r = run({"config", "get", path("p.ini"), "setup", "LANGUAGE"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "English\n");
    r = run({"config", "get", path("p.ini"), "Setup", "Missing", "--default", "fallback"});
    EXPECT_EQ(r.out, "fallback\n");

    EXPECT_EQ(run({"config", "set", path("p.ini"), "SETUP", "language", "Chinese"}).exitCode, 0);
    EXPECT_EQ(run({"config", "set", path("p.ini"), "New", "Key", "值 with spaces"}).exitCode, 0);
    EXPECT_EQ(run({"config", "get", path("p.ini"), "Setup", "Language"}).out, "Chinese\n");
    EXPECT_EQ(run({"config", "get", path("p.ini"), "new", "key"}).out, "值 with spaces\n");
    EXPECT_EQ(readFile("p.ini").count("Language"), 1);

    r = run({"config", "get", path("none.ini"), "Setup", "Language"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("none.ini"));
    EXPECT_FALSE(QFile::exists(path("none.ini")));

    r = run({"config", "set", path("none/dir.ini"), "A", "B", "C"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("none/dir.ini")) << r.err.toStdString();

    EXPECT_EQ(run({"config", "set", path("p.ini"), "A", "B", "two\nlines"}).exitCode, 64);
    // Names the file could not give back as written are refused, and the file stays as it was.
    const QByteArray before = readFile("p.ini");
    for (const auto& [section, key] : std::vector<std::pair<QString, QString>>{{"Two\nlines", "K"},
                                                                               {"A", "k=v"},
                                                                               {"A", "k\r"},
                                                                               {"A", ""},
                                                                               {"A", "  "},
                                                                               {"A", ";k"},
                                                                               {"A", "/k"}}) {
        EXPECT_EQ(run({"config", "set", path("p.ini"), section, key, "v"}).exitCode, 64) << key.toStdString();
    }
    EXPECT_EQ(readFile("p.ini"), before);
}

// The overview, each command's help and the man page's section come from the commands'
// declarations; a wrong command line gets one line that says what to do, and exit 64.
TEST_F(Cli, EveryCommandExplainsItself)
{
    CliRun r = run({"--help"});
    ASSERT_EQ(r.exitCode, 0);
    const QString list = r.out.section("Commands:\n", 1).section("\n\n", 0, 0);
    const QString manSection = run({"--help-man"}).out;
    EXPECT_TRUE(manSection.startsWith("[COMMANDS]\n")) << manSection.left(200).toStdString();
    QStringList names;
    for (const QString& line : list.split('\n'))
        names << line.section(' ', 2, 2);
    EXPECT_EQ(names.size(), 12) << list.toStdString();
    for (const QString& command : names) {
        r = run({command, "--help"});
        EXPECT_EQ(r.exitCode, 0) << command.toStdString();
        EXPECT_TRUE(r.out.startsWith("Usage: qx260-cli " + command + " ")) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains("\nOptions:\n")) << r.out.toStdString();
        EXPECT_TRUE(manSection.contains("\n.SS " + command + "\n")) << command.toStdString();
    }

    r = run({"show", path("x.dat"), "--jsno"});
    EXPECT_EQ(r.exitCode, 64);
    EXPECT_EQ(r.err,
              "qx260-cli: unknown option \"--jsno\"; did you mean \"--json\"? See qx260-cli show --help.\n");
    r = run({"wirte"});
    EXPECT_EQ(r.exitCode, 64);
    EXPECT_EQ(r.err, "qx260-cli: unknown command \"wirte\"; did you mean \"write\"? See qx260-cli --help.\n");
    EXPECT_TRUE(r.out.isEmpty());
}
