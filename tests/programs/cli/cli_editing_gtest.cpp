// qx260-cli set and options, run as the real program on real files: values taken as if
// typed into the window and saved with nothing else changed, refusals that save nothing,
// and the dialog's texts. The rules behind them are the core's, one row per case there.

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <functional>
#include <vector>

#include "core/channels/Channel.h"
#include "tests/programs/cli/CliFolder.h"

namespace qx260
{
namespace
{

const char* const kIni =
    "[Setup]\r\nLanguage=English\r\nAppName=QX Test\r\nType1=QX-260\r\nField1=130 - 160MHz\r\n"
    "Type2=QX-260L\r\nField2=136 - 150MHz|150 - 174MHz\r\n"
    "[English]\r\nAppName=QX Tool\r\n";

using test::CliRun;

class CliEditing : public test::CliFolder
{
  protected:
    void SetUp() override
    {
        CliFolder::SetUp();
        writeFile("Program.ini", kIni);
        writeImage("radio.dat", RadioImage::newImage());
    }

    // A decimal comma in the locale must not matter.
    CliRun cli(QStringList args) { return run(args << "--config" << path("Program.ini"), "de_DE.UTF-8"); }
};

// Both sides and every field set on channels 1-12, with a frequency word the window cannot
// show exactly on channel 9; channels 13 and 14 with a transmit side only (shown empty by
// variant 1), 15 and 16 empty; option bytes no control can show.
RadioImage storedImage()
{
    RadioImage img = RadioImage::newImage();
    for (int n = 1; n <= 14; ++n) {
        img.setRxFrequency(n, n <= 12 ? 14500000 + 2500 * static_cast<std::uint32_t>(n) : 0);
        img.setTxFrequency(n, 14600000 + 2500 * static_cast<std::uint32_t>(n));
        img.setDecodeTone(n, ToneWord{0x9E, 0x02});
        img.setEncodeTone(n, ToneWord{0x13, 0x28});
        img.setBusyLock(n, BusyLock::Carrier);
        img.setScan(n, true);
        img.setWide(n, n <= 12);
        img.setHighPower(n, n <= 12);
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
    return img;
}

} // namespace

// Each command line against the same document: what it names changes, in the order given;
// every other byte stays, whatever the variant hides or no control can show. Only erasing
// a channel clears it whole, whichever side erased it.
TEST_F(CliEditing, EditsSaveWhatTheyChangeAndNothingElse)
{
    const auto erased = [](int n) {
        return [n](RadioImage& i) { encodeChannel(erasedChannel(decodeChannel(i, n)), i, n); };
    };
    const struct {
        QStringList args;
        std::function<void(RadioImage&)> change;
    } cases[] = {
        {{"set", "radio.dat", "16", "rx frequency=145.0125", "W/N=narrow", "QT/DQT Dec=D754I", "Scan=Yes",
          "Busy Lock=Carrier", "Power=Low"},
         [](RadioImage& i) {
             i.setRxFrequency(16, 14501250);
             i.setWide(16, false);
             i.setDecodeTone(16, ToneWord{0xEC, 0xA9});
             i.setScan(16, true);
             i.setBusyLock(16, BusyLock::Carrier);
             i.setHighPower(16, false);
         }},
        // A Tx frequency into an empty channel of a transmit-side radio: a Tx-only channel.
        {{"set", "radio.dat", "15", "Tx Frequency=146", "QT/DQT Enc=67.0", "--variant", "2"},
         [](RadioImage& i) {
             i.setTxFrequency(15, 14600000);
             i.setEncodeTone(15, ToneWord{0x9E, 0x02});
             i.setBusyLock(15, BusyLock::Off); // a new channel's; the others are already as new
         }},
        {{"set", "radio.dat", "5", "Scan=No"}, [](RadioImage& i) { i.setScan(5, false); }},
        {{"set", "radio.dat", "9", "W/N=Narrow"}, [](RadioImage& i) { i.setWide(9, false); }},
        {{"set", "radio.dat", "6", "Tx Frequency=147", "--variant", "2"},
         [](RadioImage& i) { i.setTxFrequency(6, 14700000); }},
        {{"set", "radio.dat", "7", "Rx Frequency="}, erased(7)},
        {{"set", "radio.dat", "8", "Tx Frequency=", "--variant", "2"}, erased(8)},
        {{"options", "radio.dat", "Beep=on"}, [](RadioImage& i) { i.setByte(offset::Beep, 1); }},
        {{"options", "radio.dat", "Time Out Time=600s", "Vox Gain Level=5"}, [](RadioImage&) {}},
        {{"options", "radio.dat", "time-out-time=15", "Transmit Delay=12.3", "Side Key=Power select",
          "Priority Channel=16", "VOX=On", "Vox Delay Time=3.0s"},
         [](RadioImage& i) {
             i.setByte(offset::TimeOutTime, 1);
             i.setTransmitDelay(123);
             i.setByte(offset::SideKey, 3);
             i.setByte(offset::PriorityChannel, 16);
             i.setByte(offset::Vox, 1);
             i.setByte(offset::VoxDelayTime, 5);
         }},
        {{"options", "radio.dat", "Transmit Delay= 2.5 "}, [](RadioImage& i) { i.setTransmitDelay(25); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        writeImage("radio.dat", storedImage());
        const CliRun r = cli(c.args);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        RadioImage expected = storedImage();
        c.change(expected);
        EXPECT_EQ(readImage("radio.dat"), expected);
    }
}

// A refused value saves nothing, not even the values before it: the message says why, exit
// 1, or 64 for a name or channel the command does not know.
TEST_F(CliEditing, RefusedValuesSaveNothing)
{
    const struct {
        QStringList args;
        int exitCode;
        const char* says;
    } cases[] = {
        {{"set", "1", "Rx Frequency=129.99375"},
         1,
         "Rx Frequency 129.99375 MHz is outside the band 130\u2013160 MHz (Product Information)."},
        {{"set", "1", "Rx Frequency=145", "W/N=Wide", "Rx Frequency=145.001"},
         1,
         "Rx Frequency 145.001 MHz is not on the 5 kHz or 6.25 kHz channel step."},
        {{"set", "1", "Rx Frequency=145.00000625"},
         1,
         "Rx Frequency 145.00000625 MHz is not on the 5 kHz or 6.25 kHz channel step."},
        {{"set", "2", "W/N=Narrow"}, 1, "has no frequency"},
        {{"set", "2", "Rx Frequency=145", "W/N=Medium"}, 1, "not a choice"},
        {{"set", "2", "Tx Frequency=145"}, 1, "not used by radio variant 1"},
        {{"set", "2", "Volume=3"}, 64, "no column"},
        {{"set", "17", "Rx Frequency=145"}, 64, "1 to 16"},
        {{"set", "2", "Rx Frequency=146,52"}, 1, "point as the decimal separator"},
        {{"set", "2", "Rx Frequency=145", "QT/DQT Dec=67,0"}, 1, "point as the decimal separator"},
        {{"options", "Transmit Delay=12,5"}, 1, "point as the decimal separator"},
        {{"options", "Transmit Delay=-1"}, 1, "point as the decimal separator"},
        {{"options", "Transmit Delay=200"}, 1, "steps of 0.1"},
        {{"options", "Transmit Delay=180.05"}, 1, "steps of 0.1"},
        {{"options", "Transmit Delay=2.55"}, 1, "steps of 0.1"},
        {{"options", "Transmit Delay=0.05"}, 1, "steps of 0.1"},
        {{"options", "Transmit Delay=abc"}, 1, ""},
        {{"options", "Squelch Level=10"}, 1, ""},
        {{"options", "Beep=maybe"}, 1, ""},
        {{"options", "Volume=3"}, 64, ""},
    };
    const auto before = files();
    for (const auto& c : cases) {
        QStringList args = c.args;
        args.insert(1, "radio.dat");
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliRun r = cli(args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << r.err.toStdString();
        EXPECT_EQ(files(), before);
    }
}

TEST_F(CliEditing, OptionsShowTheDialogsTexts)
{
    const CliRun text = cli({"options", "radio.dat"});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.contains("Time Out Time:        600s"));
    EXPECT_TRUE(text.out.contains("Transmit Delay:       Off"));

    const CliRun json = cli({"options", "radio.dat", "--json"});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(o["Squelch Level"].toString(), "4");
    EXPECT_EQ(o["Side Key"].toString(), "None");
    EXPECT_EQ(o["VOX"].toString(), "Off");
    EXPECT_EQ(o["Vox Gain Level"].toString(), "5");
    EXPECT_EQ(o["Vox Delay Time"].toString(), "0.3s");
    EXPECT_EQ(o["Beep"].toBool(true), false);

    const CliRun zh = cli({"options", "radio.dat", "--json", "--language", "Chinese"});
    EXPECT_EQ(QJsonDocument::fromJson(zh.out.toUtf8()).object()["Transmit Delay"].toString(),
              QString::fromUtf8("关"));
}

} // namespace qx260
