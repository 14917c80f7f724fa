// qx260-cli new / show / config, what every command says of itself, and its answer to a
// file it cannot use, run as the real program on temporary files. The rules behind the
// texts shown are the core's, tested there; here: the commands' output, exit codes and files.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <tuple>
#include <vector>

#include "platform/QSettingsUserStore.h"
#include "tests/programs/cli/CliFolder.h"

namespace qx260
{
namespace
{

using test::CliRun;

class Cli : public test::CliFolder
{
  protected:
    QJsonObject showJson(const QStringList& extra)
    {
        const CliRun r = run(QStringList{"show", "x.dat", "--json"} + extra);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
        return doc.object();
    }
};

QStringList rowOf(const QJsonObject& o, int r)
{
    QStringList row;
    for (const QJsonValue& v : o["cells"].toArray()[r].toArray())
        row << v.toString();
    return row;
}

// A channel with every field set, a channel with a transmit side only, product 1 band 1.
RadioImage sampleImage()
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
    image.setTxFrequency(2, 15000000);
    image.setByte(offset::ProductType, 1);
    image.setByte(offset::BandIndex, 1);
    return image;
}

} // namespace

// new writes what New then Save writes: the factory image as it is with the product bytes
// of the user's stored choice (none stored: the first type and band), and replaces a file
// only when forced; show gives it as sixteen empty channels. Neither stores a choice.
TEST_F(Cli, NewThenShow)
{
    const struct {
        int stored; // the product type and band stored for the user; -1: none
        QStringList args;
        const char* caption;
        QJsonArray limits;
    } cases[] = {
        {-1,
         {"new", "x.dat"},
         "QX-260 Programming Software  [ Type:QX-260  Fre:130 - 160MHz ]",
         {13000000, 16000000}},
        {1,
         {"new", "x.dat", "--force"},
         "QX-260 Programming Software  [ Type:QX-260L  Fre:150 - 174MHz ]",
         {15000000, 17400000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        if (c.stored >= 0) {
            QSettingsUserStore store(path("user.ini"));
            ASSERT_TRUE(store.writeNumber("Software\\QX-260 Programmer", "Type", c.stored));
            ASSERT_TRUE(store.writeNumber("Software\\QX-260 Programmer", "Field", c.stored));
        }
        const QByteArray settings = readFile("user.ini");
        const CliRun r = run(c.args);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        RadioImage expected = RadioImage::newImage();
        expected.setByte(offset::ProductType, static_cast<std::uint8_t>(std::max(c.stored, 0)));
        expected.setByte(offset::BandIndex, static_cast<std::uint8_t>(std::max(c.stored, 0)));
        writeImage("expected.dat", expected);
        EXPECT_EQ(readFile("x.dat"), readFile("expected.dat"));

        const QJsonObject o = showJson({});
        EXPECT_EQ(o["caption"].toString(), c.caption);
        EXPECT_EQ(o["bandLimits"].toArray(), c.limits);
        EXPECT_EQ(o["variant"].toInt(), 1);
        EXPECT_TRUE(o["gridEnabled"].toBool());
        const QJsonArray columns = o["columns"].toArray();
        ASSERT_EQ(columns.size(), 9);
        const int widths[9] = {500, 1200, 0, 1200, 0, 1000, 1000, 0, 0};
        for (int col = 0; col < 9; ++col) {
            EXPECT_EQ(columns[col].toObject()["width"].toInt(), widths[col]) << col;
            EXPECT_EQ(columns[col].toObject()["alignment"].toInt(), widths[col] ? 4 : 0) << col;
        }
        ASSERT_EQ(o["cells"].toArray().size(), 17);
        EXPECT_EQ(rowOf(o, 0).first(), "CH");
        EXPECT_EQ(rowOf(o, 0)[1], "Rx Frequency");
        for (int row = 1; row <= 16; ++row)
            EXPECT_EQ(rowOf(o, row), QStringList(QString::asprintf("%2d", row)) + QStringList(8, QString()));
        EXPECT_EQ(readFile("user.ini"), settings);
    }
}

// The table as the window shows it for each radio variant and language, in JSON and as
// text, with the product named; showing changes neither the file nor the user's settings.
TEST_F(Cli, ShowGivesTheTableAsTheWindowShowsIt)
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
    EXPECT_EQ(o["productType"].toObject()["index"].toInt(-1), 1);
    EXPECT_EQ(o["productType"].toObject()["name"].toString(), "QX-260L");
    EXPECT_EQ(o["band"].toObject()["index"].toInt(-1), 1);
    EXPECT_EQ(o["band"].toObject()["text"].toString(), "150 - 174MHz");

    o = showJson({}); // variant 1: the transmit side is hidden and emptied
    EXPECT_EQ(rowOf(o, 1),
              (QStringList{" 1", "145.12500", "", "D023N", "", "Narrow", "Yes", "Carrier", "Low"}));
    EXPECT_EQ(rowOf(o, 2), (QStringList{" 2", "", "", "", "", "", "", "", ""}));

    o = showJson({"--variant", "2", "--language", "Chinese"});
    EXPECT_EQ(rowOf(o, 0)[0], "信道");
    EXPECT_EQ(rowOf(o, 1), (QStringList{" 1", "", "146.00000", "", "67.0", "窄", "是", "载波", "低"}));
    EXPECT_EQ(o["caption"].toString(), "QX-260 写频软件  [ 类型:QX-260L  频率:150 - 174MHz ]");
    EXPECT_EQ(o["columns"].toArray()[1].toObject()["width"].toInt(), 0);

    const CliRun text = run({"show", "x.dat"});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    for (const char* part :
         {"Caption:     QX-260 Programming Software  [ Type:QX-260L", "Band limits: 15000000 - 17400000",
          "Tx Frequency*", " 1  145.12500", "Product:     QX-260L (type index 1)\n",
          "Band:        150 - 174MHz (band index 1)\n"})
        EXPECT_TRUE(text.out.contains(part)) << part << " in\n" << text.out.toStdString();
    EXPECT_FALSE(text.out.contains("Rx Frequency*"));

    EXPECT_EQ(readFile("x.dat"), before);
    EXPECT_FALSE(QFile::exists(path("user.ini")));

    // A type the configuration does not list: no name, no band, the indexes as stored.
    RadioImage unknown = sampleImage();
    unknown.setByte(offset::ProductType, 7);
    writeImage("x.dat", unknown);
    o = showJson({});
    EXPECT_EQ(o["productType"].toObject()["index"].toInt(-1), 7);
    EXPECT_EQ(o["productType"].toObject()["name"].toString("x"), "");
    EXPECT_EQ(o["band"].toObject()["text"].toString("x"), "");
}

// config reads names in any letter case and writes one value; what the file could not give
// back as written is refused as wrong usage, the file as it was.
TEST_F(Cli, ConfigGetAndSet)
{
    writeFile("p.ini", "[Setup]\r\nLanguage=English\r\n");
    CliRun r = run({"config", "get", "p.ini", "setup", "LANGUAGE"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "English\n");
    EXPECT_EQ(run({"config", "get", "p.ini", "Setup", "Missing", "--default", "fallback"}).out, "fallback\n");

    EXPECT_EQ(run({"config", "set", "p.ini", "SETUP", "language", "Chinese"}).exitCode, 0);
    EXPECT_EQ(run({"config", "set", "p.ini", "New", "Key", "值 with spaces"}).exitCode, 0);
    EXPECT_EQ(run({"config", "get", "p.ini", "Setup", "Language"}).out, "Chinese\n");
    EXPECT_EQ(run({"config", "get", "p.ini", "new", "key"}).out, "值 with spaces\n");
    EXPECT_EQ(readFile("p.ini").count("Language"), 1);

    const QByteArray before = readFile("p.ini");
    for (const auto& [section, key, value] :
         std::vector<std::tuple<QString, QString, QString>>{{"A", "B", "two\nlines"},
                                                            {"Two\nlines", "K", "v"},
                                                            {"A", "k=v", "v"},
                                                            {"A", "k\r", "v"},
                                                            {"A", "", "v"},
                                                            {"A", "  ", "v"},
                                                            {"A", ";k", "v"},
                                                            {"A", "/k", "v"},
                                                            {"A", "K", "  x  "},
                                                            {"A", "K", "x\t"},
                                                            {"A", "K", "http://host"},
                                                            {"A", "K", "a /* b"},
                                                            {"A", "K", "a\t; b"}}) {
        EXPECT_EQ(run({"config", "set", "p.ini", section, key, value}).exitCode, 64) << key.toStdString();
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

    r = run({"show", "x.dat", "--jsno"});
    EXPECT_EQ(r.exitCode, 64);
    EXPECT_EQ(r.err,
              "qx260-cli: unknown option \"--jsno\"; did you mean \"--json\"? See qx260-cli show --help.\n");
    r = run({"wirte"});
    EXPECT_EQ(r.exitCode, 64);
    EXPECT_EQ(r.err, "qx260-cli: unknown command \"wirte\"; did you mean \"write\"? See qx260-cli --help.\n");
    EXPECT_TRUE(r.out.isEmpty());
}

// A file a command cannot use: exit 2 for what is no document ("Data Format Error"), 1 for
// what cannot be opened or made (diff: 2 for either, as diff(1) does), the reason on stderr,
// nothing on stdout, and no file made or changed.
TEST_F(Cli, AFileACommandCannotUseChangesNothing)
{
    writeImage("x.dat", RadioImage::newImage());
    QByteArray magic = readFile("x.dat");
    magic[1] = 'X';
    writeFile("magic.dat", magic);
    writeFile("short.dat", readFile("x.dat").left(1039));
    writeFile("junk.dat", QByteArray(1040, 'x'));
    writeFile("text.dat", "not a document");
    writeFile("ok.csv", "CH,Rx Frequency\r\n3,150\r\n");
    writeFile("keep.pdf", "previous");
    writeFile("p.ini", "[Setup]\r\nLanguage=English\r\n");
    const struct {
        QStringList args;
        int exitCode;
        QStringList says;
    } cases[] = {
        {{"show", "magic.dat", "--json"}, 2, {"Data Format Error"}},
        {{"show", "short.dat", "--json"}, 2, {"Data Format Error"}},
        {{"show", "missing.dat"}, 1, {"missing.dat", "No such file or directory"}},
        {{"show", "x.dat", "--config", "nope.ini"}, 1, {"nope.ini"}},
        {{"set", "short.dat", "1", "Rx Frequency=145"}, 2, {"Data Format Error"}},
        {{"options", "short.dat"}, 2, {"Data Format Error"}},
        {{"options", "nothing.dat"}, 1, {"nothing.dat"}},
        {{"import", "text.dat", "ok.csv"}, 2, {"Data Format Error"}},
        {{"diff", "x.dat", "short.dat"}, 2, {"short.dat: Data Format Error"}},
        {{"diff", "magic.dat", "x.dat"}, 2, {"magic.dat: Data Format Error"}},
        {{"diff", "x.dat", "missing.dat"}, 2, {"cannot open missing.dat"}},
        {{"print", "junk.dat", "-o", "keep.pdf"}, 2, {"Data Format Error"}},
        {{"print", "missing.dat", "-o", "keep.pdf"}, 1, {"missing.dat"}},
        {{"print", "x.dat", "-o", "no/such/dir/out.pdf"}, 1, {"cannot write"}},
        {{"print", "x.dat", "-o", "one.pdf", "--config", "nowhere.ini"}, 1, {"nowhere.ini"}},
        {{"new", "keep.pdf"}, 1, {"already exists"}},
        {{"new", "no/such/dir/x.dat"}, 1, {"no/such/dir/x.dat", "No such file or directory"}},
        {{"config", "get", "none.ini", "Setup", "Language"}, 1, {"none.ini"}},
        {{"config", "set", "none/dir.ini", "A", "B", "C"}, 1, {"none/dir.ini"}},
    };
    const auto before = files();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        for (const QString& part : c.says)
            EXPECT_TRUE(r.err.contains(part)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_EQ(files(), before);
    }
}

} // namespace qx260
