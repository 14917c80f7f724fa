// qx260-cli set and options, run as the real binary on real files.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <functional>

#include "core/channels/Channel.h"
#include "core/radio/CProgramDoc.h"
#include "core/radio/RadioImage.h"
#include "core/radio/Tones.h"
#include "tests/support/CliProcess.h"

namespace qx260
{
namespace
{

const char* const kIni =
    "[Setup]\r\nLanguage=English\r\nAppName=QX Test\r\nType1=QX-260\r\nField1=130 - 160MHz\r\n"
    "Type2=QX-260L\r\nField2=136 - 150MHz|150 - 174MHz\r\n"
    "[English]\r\nAppName=QX Tool\r\n";

using test::CliRun;

class CliEditing : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        config_ = dir_.filePath("Program.ini");
        QFile f(config_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kIni);
        f.close();
        doc_ = dir_.filePath("radio.dat");
        ASSERT_TRUE(saveDatFile(doc_.toStdString(), RadioImage::newImage()).ok());
    }

    CliRun cli(QStringList args)
    {
        args << "--config" << config_;
        // A decimal comma in the locale must not matter.
        const CliRun r = test::runCli(args, test::cliEnvironment(dir_.filePath("user.ini"), "de_DE.UTF-8"));
        EXPECT_TRUE(r.finished) << "qx260-cli hung";
        return r;
    }

    QByteArray bytes() const
    {
        QFile f(doc_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    RadioImage image() const
    {
        RadioImage img;
        EXPECT_TRUE(loadDatFile(doc_.toStdString(), img).ok());
        return img;
    }

    QTemporaryDir dir_;
    QString config_;
    QString doc_;
};

TEST_F(CliEditing, SetCreatesAChannelWithTheDefaults)
{
    const CliRun r = cli({"set", doc_, "3", "Rx Frequency=150"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const RadioImage img = image();
    EXPECT_EQ(img.rxFrequency(3), 15000000u);
    EXPECT_FALSE(img.txFrequency(3)) << "variant 1 keeps no transmit side";
    EXPECT_EQ(img.decodeTone(3), (ToneWord{0xFF, 0xFF}));
    EXPECT_TRUE(img.wide(3));
    EXPECT_FALSE(img.scan(3));
    EXPECT_EQ(img.busyLock(3), BusyLock::Off);
    EXPECT_TRUE(img.highPower(3));
    EXPECT_FALSE(img.rxFrequency(4));
}

TEST_F(CliEditing, SetAppliesSeveralValuesInOrder)
{
    const CliRun r = cli({"set", doc_, "16", "rx frequency=145.0125", "W/N=narrow", "QT/DQT Dec=D754I",
                          "Scan=Yes", "Busy Lock=Carrier", "Power=Low"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const RadioImage img = image();
    EXPECT_EQ(img.rxFrequency(16), 14501250u);
    EXPECT_FALSE(img.wide(16));
    EXPECT_EQ(img.decodeTone(16), (ToneWord{0xEC, 0xA9}));
    EXPECT_TRUE(img.scan(16));
    EXPECT_EQ(img.busyLock(16), BusyLock::Carrier);
    EXPECT_FALSE(img.highPower(16));
}

TEST_F(CliEditing, SetRefusesAndLeavesTheFileAlone)
{
    const QByteArray before = bytes();
    struct Case {
        QStringList args;
        int exitCode;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"1", "Rx Frequency=129.99375"}, 1, "Out of range,please input again."},
        {{"1", "Rx Frequency=145", "W/N=Wide", "Rx Frequency=145.001"},
         1,
         "Error data Value, please input according the step value(6.25K/5k)."},
        {{"2", "W/N=Narrow"}, 1, "has no frequency"},
        {{"2", "Rx Frequency=145", "W/N=Medium"}, 1, "not a choice"},
        {{"2", "Tx Frequency=145"}, 1, "not used by radio variant 1"},
        {{"2", "Volume=3"}, 64, "no column"},
        {{"17", "Rx Frequency=145"}, 64, "1 to 16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = cli(QStringList{"set", doc_} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
        EXPECT_EQ(bytes(), before);
    }
}

TEST_F(CliEditing, TransmitSideRadioCreatesTxOnlyChannels)
{
    const CliRun r = cli({"set", doc_, "5", "Tx Frequency=146", "QT/DQT Enc=67.0", "--variant", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const RadioImage img = image();
    EXPECT_EQ(img.txFrequency(5), 14600000u);
    EXPECT_FALSE(img.rxFrequency(5));
    EXPECT_EQ(img.encodeTone(5), (ToneWord{0x9E, 0x02}));
}

TEST_F(CliEditing, NotADocument)
{
    QFile f(doc_);
    ASSERT_TRUE(f.resize(1039));
    EXPECT_EQ(cli({"set", doc_, "1", "Rx Frequency=145"}).exitCode, 2);
    EXPECT_EQ(cli({"options", doc_}).exitCode, 2);
    const CliRun missing = cli({"options", dir_.filePath("nothing.dat")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("nothing.dat"));
}

TEST_F(CliEditing, OptionsShowTheDialogsTexts)
{
    const CliRun text = cli({"options", doc_});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.contains("Time Out Time:        600s"));
    EXPECT_TRUE(text.out.contains("Transmit Delay:       Off"));

    const CliRun json = cli({"options", doc_, "--json"});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(o["Squelch Level"].toString(), "4");
    EXPECT_EQ(o["Side Key"].toString(), "None");
    EXPECT_EQ(o["VOX"].toString(), "Off");
    EXPECT_EQ(o["Vox Gain Level"].toString(), "5");
    EXPECT_EQ(o["Vox Delay Time"].toString(), "0.3s");
    EXPECT_EQ(o["Beep"].toBool(true), false);

    const CliRun zh = cli({"options", doc_, "--json", "--language", "Chinese"});
    EXPECT_EQ(QJsonDocument::fromJson(zh.out.toUtf8()).object()["Transmit Delay"].toString(),
              QString::fromUtf8("关"));
}

TEST_F(CliEditing, OptionsSetThroughTheDialogsMappings)
{
    const QByteArray before = bytes();
    ASSERT_EQ(cli({"options", doc_, "Squelch Level=4", "Time Out Time=600s"}).exitCode, 0);
    EXPECT_EQ(bytes(), before) << "the values it already had change nothing";

    const CliRun r = cli({"options", doc_, "time-out-time=15", "Transmit Delay=12.34", "Beep=on",
                          "Side Key=Power select", "Priority Channel=16", "VOX=On", "Vox Delay Time=3.0s"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const RadioImage img = image();
    EXPECT_EQ(img.byte(offset::TimeOutTime), 1);
    EXPECT_EQ(img.transmitDelay(), 123);
    EXPECT_EQ(img.byte(offset::Beep), 1);
    EXPECT_EQ(img.byte(offset::SideKey), 3);
    EXPECT_EQ(img.byte(offset::PriorityChannel), 16);
    EXPECT_EQ(img.byte(offset::Vox), 1);
    EXPECT_EQ(img.byte(offset::VoxDelayTime), 5);

    const QByteArray edited = bytes();
    for (const char* bad : {"Squelch Level=10", "Transmit Delay=200", "Transmit Delay=abc", "Beep=maybe"}) {
        const CliRun refused = cli({"options", doc_, bad});
        EXPECT_EQ(refused.exitCode, 1) << bad;
        EXPECT_EQ(bytes(), edited) << bad;
    }
    EXPECT_EQ(cli({"options", doc_, "Volume=3"}).exitCode, 64);
}

// What an edit does not touch keeps its bytes: the side the radio variant hides, a
// frequency word the window cannot show exactly, option bytes no control can show. Only
// erasing a channel clears it whole.
TEST_F(CliEditing, EditsKeepWhatTheyDoNotShow)
{
    RadioImage img = RadioImage::newImage();
    for (int n = 1; n <= 16; ++n) {
        img.setRxFrequency(n, 14500000 + 2500 * static_cast<std::uint32_t>(n));
        img.setTxFrequency(n, 14600000 + 2500 * static_cast<std::uint32_t>(n));
        img.setDecodeTone(n, ToneWord{0x9E, 0x02});
        img.setEncodeTone(n, ToneWord{0x13, 0x28});
        img.setBusyLock(n, BusyLock::Carrier);
        img.setScan(n, true);
    }
    img.setChannelByte(9, 3, 0xA1); // a digit above 9: shown as 1015.22500 MHz
    img.setByte(offset::SquelchLevel, 0x0A);
    img.setTransmitDelay(0x0709);
    img.setByte(offset::PriorityChannel, 0x20);
    img.setByte(offset::VoiceAnnunciation, 3);
    img.setByte(offset::SideKey, 7);
    img.setByte(offset::Vox, 5);
    img.setByte(offset::VoxDelayTime, 9);
    img.setByte(offset::Beep, 0);
    ASSERT_TRUE(saveDatFile(doc_.toStdString(), img).ok());
    const QString original = dir_.filePath("original.dat");
    ASSERT_TRUE(QFile::copy(doc_, original));

    struct Step {
        QStringList args;
        std::function<void(RadioImage&)> change; // what the step changes in the image
    };
    // An erased channel is stored as an empty one, whichever side erased it.
    const auto erased = [](int n) {
        return [n](RadioImage& i) { encodeChannel(erasedChannel(decodeChannel(i, n)), i, n); };
    };
    const std::vector<Step> steps = {
        {{"set", doc_, "5", "Scan=No"}, [](RadioImage& i) { i.setScan(5, false); }},
        {{"set", doc_, "9", "W/N=Narrow"}, [](RadioImage& i) { i.setWide(9, false); }},
        {{"set", doc_, "6", "Tx Frequency=147", "--variant", "2"},
         [](RadioImage& i) { i.setTxFrequency(6, 14700000); }},
        {{"options", doc_, "Beep=on"}, [](RadioImage& i) { i.setByte(offset::Beep, 1); }},
        {{"set", doc_, "7", "Rx Frequency="}, erased(7)},
        // Erased on the transmit side: the receive side it never showed goes with it.
        {{"set", doc_, "8", "Tx Frequency=", "--variant", "2"}, erased(8)},
    };
    RadioImage expected = img;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.args.join(' ').toStdString());
        const CliRun r = cli(step.args);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        step.change(expected);
        EXPECT_EQ(image(), expected);
        if (&step == &steps.front()) {
            const CliRun diff = cli({"diff", original, doc_});
            EXPECT_EQ(diff.out, "--- " + original + "\n+++ " + doc_ + "\nChannel 5 Scan: Yes -> No\n");
        }
    }
}

// Settings of channels that radio variant 1 shows as empty (they have a transmit side only)
// survive an edit of another channel.
TEST_F(CliEditing, SettingOneChannelLeavesTheOthersAsTheyAre)
{
    ASSERT_EQ(cli({"new", doc_, "--force"}).exitCode, 0);
    for (const char* n : {"1", "2", "3"}) {
        const CliRun r = cli({"set", doc_, n, QStringLiteral("Tx Frequency=15%1.0").arg(n), "W/N=Narrow",
                              "Busy Lock=Carrier", "Power=Low", "--variant", "2"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    const QString before = dir_.filePath("before.dat");
    ASSERT_TRUE(QFile::copy(doc_, before));
    ASSERT_EQ(cli({"set", doc_, "5", "Rx Frequency=146.52"}).exitCode, 0);
    const CliRun diff = cli({"diff", before, doc_});
    EXPECT_EQ(diff.out.count('\n'), 2 + 7) << diff.out.toStdString(); // the header, channel 5's fields
    EXPECT_FALSE(diff.out.contains("Channel 1 ")) << diff.out.toStdString();
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(image().txFrequency(n), 15000000u + 100000u * static_cast<std::uint32_t>(n));
        EXPECT_FALSE(image().wide(n));
        EXPECT_EQ(image().busyLock(n), BusyLock::Carrier);
        EXPECT_FALSE(image().highPower(n));
    }
}

// Frequencies, tones and the Transmit Delay are plain numbers with a point: anything else
// is refused with a message that says so, and the file stays as it was.
TEST_F(CliEditing, NumbersMustBePlainDecimals)
{
    ASSERT_EQ(cli({"set", doc_, "2", "Rx Frequency=145", "QT/DQT Dec=67.0"}).exitCode, 0);
    const QByteArray before = bytes();
    const QString csv = dir_.filePath("channels.csv");
    auto importOf = [&](const QByteArray& row) {
        QFile f(csv);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("CH,Rx Frequency,QT/DQT Dec\n" + row + "\n");
        f.close();
        return QStringList{"import", doc_, csv};
    };
    const std::vector<QStringList> refused = {
        {"set", doc_, "2", "Rx Frequency=146,52"},
        {"set", doc_, "2", "Rx Frequency=146.52abc"},
        {"set", doc_, "2", "Rx Frequency=146.52.3"},
        {"set", doc_, "2", "Rx Frequency=145 .5"},
        {"set", doc_, "3", "Rx Frequency=1.45e2"},
        {"set", doc_, "2", "QT/DQT Dec=67,0"},
        {"options", doc_, "Transmit Delay=12,5"},
        {"options", doc_, "Transmit Delay=-1"},
        importOf("2,\"146,52\",67.0"),
        importOf("2,145,\"67,0\""),
    };
    for (const QStringList& args : refused) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliRun r = cli(args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("point as the decimal separator")) << r.err.toStdString();
        EXPECT_EQ(bytes(), before);
    }

    // A number far beyond every tone is no tone, whatever its digits.
    for (const char* tone : {"QT/DQT Dec=555555555555555554", "QT/DQT Dec=922337203685477.5"}) {
        const CliRun r = cli({"set", doc_, "2", tone});
        EXPECT_EQ(r.exitCode, 1) << tone;
        EXPECT_EQ(bytes(), before) << tone;
    }

    // Blanks around the number are fine, and a tone may leave out its ".0".
    ASSERT_EQ(cli({"set", doc_, "2", "Rx Frequency= 146.52 ", "QT/DQT Dec=100"}).exitCode, 0);
    ASSERT_EQ(cli({"options", doc_, "Transmit Delay= 2.5 "}).exitCode, 0);
    const RadioImage img = image();
    EXPECT_EQ(img.rxFrequency(2), 14652000u);
    EXPECT_EQ(img.decodeTone(2), toneTextToWord("100.0"));
    EXPECT_EQ(img.transmitDelay(), 25);
}

TEST_F(CliEditing, ShowNamesTheProductTypeAndBand)
{
    RadioImage img = RadioImage::newImage();
    img.setByte(offset::ProductType, 1);
    img.setByte(offset::BandIndex, 1);
    ASSERT_TRUE(saveDatFile(doc_.toStdString(), img).ok());
    const QByteArray before = bytes();

    const CliRun text = cli({"show", doc_});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.contains("Product:     QX-260L (type index 1)\n")) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("Band:        150 - 174MHz (band index 1)\n")) << text.out.toStdString();

    const CliRun json = cli({"show", doc_, "--json"});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(o["productType"].toObject()["index"].toInt(-1), 1);
    EXPECT_EQ(o["productType"].toObject()["name"].toString(), "QX-260L");
    EXPECT_EQ(o["band"].toObject()["index"].toInt(-1), 1);
    EXPECT_EQ(o["band"].toObject()["text"].toString(), "150 - 174MHz");
    EXPECT_EQ(bytes(), before) << "show changes nothing";

    // A type the configuration does not list: no name, no band, the indexes as stored.
    img.setByte(offset::ProductType, 7);
    ASSERT_TRUE(saveDatFile(doc_.toStdString(), img).ok());
    const QJsonObject unknown = QJsonDocument::fromJson(cli({"show", doc_, "--json"}).out.toUtf8()).object();
    EXPECT_EQ(unknown["productType"].toObject()["index"].toInt(-1), 7);
    EXPECT_EQ(unknown["productType"].toObject()["name"].toString("x"), "");
    EXPECT_EQ(unknown["band"].toObject()["text"].toString("x"), "");
}

} // namespace
} // namespace qx260
