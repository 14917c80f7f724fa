// Channels to a spreadsheet and back: every changed cell goes through the channel
// window's commit rules, the first refused value stops the import with its place.

#include <gtest/gtest.h>

#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelCsv.h"
#include "core/channels/ChannelRows.h"
#include "core/channels/ChannelTable.h"
#include "core/config/CIniFile.h"
#include "core/config/UserStore.h"
#include "core/radio/RadioImage.h"

using namespace qx260;

namespace
{

constexpr BandLimits kBand{13000000, 16000000};
const char* const kHeader = "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,W/N,Scan,Busy Lock,Power\r\n";

RadioImage sample()
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
    image.setRxFrequency(3, 13601250);
    image.setDecodeTone(3, ToneWord{0x0F, 0x28}); // D017N: shown, not in the tone list
    image.setEncodeTone(3, ToneWord{0x71, 0x02}); // 62.5: shown, not in the tone list
    image.setRxFrequency(16, 17000000);           // outside the band, stored all the same
    return image;
}

ChannelTable decoded(const RadioImage& image, int variant, bool languageFlag = false)
{
    RadioImage copy = image;
    ChannelTable table;
    CIniFile config;
    MemoryUserStore store;
    decodeImage(copy, table, {config, store, variant, false, languageFlag, ""});
    return table;
}

std::vector<std::string> rowOf(const ChannelTable& t, int r)
{
    std::vector<std::string> row;
    for (int c = 1; c < t.cols(); ++c)
        row.push_back(t.textMatrix(r, c));
    return row;
}

TEST(ChannelCsv, ExportThenImportChangesNoByte)
{
    for (int variant : {0, 1, 2}) {
        ChannelTable table = decoded(sample(), variant);
        const std::string csv = exportChannelsCsv(table);
        EXPECT_EQ(csv.substr(0, std::string(kHeader).size()), kHeader);

        const ChannelImportResult r = importChannelsCsv(table, csv, kBand, false, variant);
        ASSERT_TRUE(r.ok()) << variant << ": " << r.error.message;
        EXPECT_EQ(r.changedChannels, 0) << variant;
        RadioImage image = sample();
        storeChangedChannels(table, r, image, variant);
        EXPECT_EQ(image, sample()) << variant;
    }
}

TEST(ChannelCsv, OnlyChangedChannelsAreStored)
{
    // Bits the program does not interpret, in a channel the file leaves alone and in one
    // it changes.
    RadioImage original = sample();
    original.setChannelByte(1, 12, static_cast<std::uint8_t>(original.channelByte(1, 12) & ~0x01));
    original.setChannelByte(4, 13, 0x0F);
    original.setChannelByte(4, 14, 0x12);

    ChannelTable table = decoded(original, 1);
    const ChannelImportResult r = importChannelsCsv(table, std::string(kHeader) + "4,150\n", kBand, false, 1);
    ASSERT_TRUE(r.ok()) << r.error.message;
    EXPECT_EQ(r.changed, std::vector<int>{4});
    RadioImage image = original;
    storeChangedChannels(table, r, image, 1);

    RadioImage expected = original;
    expected.setRxFrequency(4, 15000000);
    expected.setDecodeTone(4, ToneWord{0xFF, 0xFF});
    expected.setEncodeTone(4, ToneWord{0xFF, 0xFF});
    expected.setWide(4, true);
    expected.setHighPower(4, true);
    expected.setBusyLock(4, BusyLock::Off);
    expected.setScan(4, false);
    EXPECT_EQ(image, expected); // byte 14 and the other bits of byte 13 stay, channel 1 too
}

TEST(ChannelCsv, ChangedCellsFollowTheCommitRules)
{
    ChannelTable table = decoded(sample(), 0);
    const std::string csv = std::string(kHeader) +
                            "1,145.125,146,D023N,67.0,wide,Yes,Carrier,Low\n" // only W/N changes
                            "4,150\n"                                         // new channel, short row
                            "5,145.5,,d754i,,窄\n"                            // new channel, other spellings
                            "3,,\n"                                           // empty Rx clears
                            "2,,150,None,None,Wide,Yes,QT/DQT,High\n"         // Tx-only, unchanged
                            ",,,,,,,,\r\n";                                   // no channel
    const ChannelImportResult r = importChannelsCsv(table, csv, kBand, false, 0);
    ASSERT_TRUE(r.ok()) << r.error.message;
    EXPECT_EQ(r.changedChannels, 4);
    EXPECT_EQ(rowOf(table, 1), (std::vector<std::string>{"145.12500", "146.00000", "D023N", "67.0", "Wide",
                                                         "Yes", "Carrier", "Low"}));
    EXPECT_EQ(rowOf(table, 4), (std::vector<std::string>{"150.00000", "150.00000", "None", "None", "Wide",
                                                         "No", "Off", "High"}));
    EXPECT_EQ(rowOf(table, 5), (std::vector<std::string>{"145.50000", "145.50000", "D754I", "None", "Narrow",
                                                         "No", "Off", "High"}));
    EXPECT_EQ(rowOf(table, 3), std::vector<std::string>(8));
    EXPECT_EQ(rowOf(table, 2)[1], "150.00000");
    EXPECT_EQ(rowOf(table, 16)[0], "170.00000"); // not in the file: left alone
}

TEST(ChannelCsv, TxFrequenciesPerVariant)
{
    // Variant 0: an erased Rx leaves a transmit-only channel with the file's settings.
    ChannelTable t0 = decoded(sample(), 0);
    ASSERT_TRUE(importChannelsCsv(t0, std::string(kHeader) + "1,,146,D023N,67.0,Narrow,Yes,Carrier,Low\n",
                                  kBand, false, 0)
                    .ok());
    EXPECT_EQ(rowOf(t0, 1), (std::vector<std::string>{"", "146.00000", "D023N", "67.0", "Narrow", "Yes",
                                                      "Carrier", "Low"}));

    // Variant 2: the Tx side decides; a Tx frequency makes a channel, an empty one clears it.
    ChannelTable t2 = decoded(sample(), 2);
    const ChannelImportResult r =
        importChannelsCsv(t2, "CH,Tx Frequency,QT/DQT Enc\n6,155.0125,D023N\n1,,67.0\n", kBand, false, 2);
    ASSERT_TRUE(r.ok()) << r.error.message;
    EXPECT_EQ(rowOf(t2, 6),
              (std::vector<std::string>{"", "155.01250", "", "D023N", "Wide", "No", "Off", "High"}));
    EXPECT_EQ(rowOf(t2, 1), std::vector<std::string>(8));

    // Variant 1 keeps no Tx side: a value there is refused rather than dropped.
    ChannelTable t1 = decoded(sample(), 1);
    const ChannelImportResult refused =
        importChannelsCsv(t1, std::string(kHeader) + "7,150,151\n", kBand, false, 1);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error.line, 2);
    EXPECT_EQ(refused.error.field, 3);
    EXPECT_EQ(refused.error.header, "Tx Frequency");
}

TEST(ChannelCsv, FirstRefusedValueIsReportedWithItsPlace)
{
    const struct {
        const char* name;
        std::string csv;
        int line;
        int field;
        int messageId;
        const char* messagePart;
    } cases[] = {
        {"above the band", std::string(kHeader) + "1,160.005\n", 2, 2, 61448,
         "Out of range,please input again."},
        {"below the band", std::string(kHeader) + "4,150\n5,129.99375\n", 3, 2, 61448, "Out of range"},
        {"not a number", std::string(kHeader) + "4,146.52abc\n", 2, 2, 61504,
         "point as the decimal separator"},
        {"tone with a comma", std::string(kHeader) + "1,145.125,146,\"67,0\"\n", 2, 4, 0,
         "decimal separator"},
        {"off the step", std::string(kHeader) + "4,150\n5,145.001\n", 3, 2, 61456,
         "Error data Value, please input according the step value(6.25K/5k)."},
        {"tx off the step", std::string(kHeader) + "1,145.125,145.006249\n", 2, 3, 61456, "step value"},
        {"tone not in the list", std::string(kHeader) + "1,145.125,146,D024N\n", 2, 4, 0, "tone list"},
        {"odd W/N", std::string(kHeader) + "1,145.125,146,D023N,67.0,Medium\n", 2, 6, 0,
         "choices of \"W/N\""},
        {"channel 17", std::string(kHeader) + "17,150\n", 2, 1, 0, "1 to 16"},
        {"channel twice", std::string(kHeader) + "4,150\n\n4,151\n", 4, 1, 0, "already given on line 2"},
        {"unknown column", "CH,Rx Frequency,Colour\n", 1, 3, 0, "\"Colour\" is not a column"},
        {"column twice", "Rx Frequency,rx frequency\n", 1, 2, 0, "twice"},
        {"no Rx column", "CH,Tx Frequency\n", 1, 0, 0, "no \"Rx Frequency\" column"},
        {"extra field", std::string(kHeader) + "4,150,,,,,,,,x\n", 2, 10, 0, "more fields"},
        {"quote left open", std::string(kHeader) + "4,\"150\n", 2, 2, 0, "not closed"},
        {"seventeen rows",
         [] {
             std::string s = "Rx Frequency\n";
             for (int i = 0; i < 17; ++i)
                 s += "150\n";
             return s;
         }(),
         18, 0, 0, "only 16 channels"},
        {"empty file", "", 0, 0, 0, "empty"},
    };
    for (const auto& c : cases) {
        ChannelTable table = decoded(sample(), 0);
        const ChannelImportResult r = importChannelsCsv(table, c.csv, kBand, false, 0);
        ASSERT_FALSE(r.ok()) << c.name;
        EXPECT_EQ(r.error.line, c.line) << c.name;
        EXPECT_EQ(r.error.field, c.field) << c.name;
        EXPECT_EQ(r.error.messageId, c.messageId) << c.name;
        EXPECT_NE(r.error.message.find(c.messagePart), std::string::npos)
            << c.name << ": " << r.error.message;
    }
}

TEST(ChannelCsv, ChineseDocumentTakesEitherLanguage)
{
    ChannelTable table = decoded(sample(), 0, true);
    const std::string csv = std::string("\xEF\xBB\xBF") + "信道,接收频率,宽/窄,扫描\r\n4,150,Narrow,是\r\n";
    const ChannelImportResult r = importChannelsCsv(table, csv, kBand, true, 0);
    ASSERT_TRUE(r.ok()) << r.error.message;
    EXPECT_EQ(rowOf(table, 4),
              (std::vector<std::string>{"150.00000", "150.00000", "无", "无", "窄", "是", "关", "高"}));
}

TEST(ChannelCsv, SpreadsheetHabits)
{
    // A decimal-comma spreadsheet's file: ';' between fields, decimal commas, a tone
    // without its ".0". It imports what its ',' twin imports.
    ChannelTable semicolons = decoded(sample(), 0);
    ChannelTable commas = decoded(sample(), 0);
    ASSERT_TRUE(importChannelsCsv(semicolons,
                                  "CH;Rx Frequency;Tx Frequency;QT/DQT Dec\r\n4;145,5;146,0125;100\r\n",
                                  kBand, false, 0)
                    .ok());
    ASSERT_TRUE(importChannelsCsv(commas,
                                  "CH,Rx Frequency,Tx Frequency,QT/DQT Dec\r\n4,145.5,146.0125,100.0\r\n",
                                  kBand, false, 0)
                    .ok());
    EXPECT_EQ(rowOf(semicolons, 4), rowOf(commas, 4));
    EXPECT_EQ(rowOf(commas, 4)[2], "100.0");

    // Anywhere else a comma in a number is refused, not read as far as the comma goes.
    ChannelTable table = decoded(sample(), 0);
    const ChannelImportResult r =
        importChannelsCsv(table, "CH,Rx Frequency\r\n4,\"145,5\"\r\n", kBand, false, 0);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error.field, 2);
    EXPECT_EQ(r.error.message, "use a point as the decimal separator: write 145.5");
}

TEST(ChannelRows, CopiedRowsPasteIntoAnotherTable)
{
    // Two channels copied from one document go to channels 7 and 8 of another, whole.
    const ChannelTable from = decoded(sample(), 0);
    ChannelTable to = decoded(RadioImage::newImage(), 0);
    const std::string copied = copyChannelRows(from, 1, 2, false);
    EXPECT_EQ(copied.substr(0, copied.find("\r\n")),
              "CH\tRx Frequency\tTx Frequency\tQT/DQT Dec\tQT/DQT Enc\tW/N\tScan\tBusy Lock\tPower");
    ChannelImportResult r = pasteChannelRows(to, copied, 7, kBand, false, 0);
    ASSERT_TRUE(r.ok()) << r.error.message;
    EXPECT_EQ(r.rows, 2);
    EXPECT_EQ(rowOf(to, 7), rowOf(from, 1));
    EXPECT_EQ(rowOf(to, 8), rowOf(from, 2));

    // A spreadsheet block without a header line is in the columns the window shows
    // (variant 1: Rx Frequency, QT/DQT Dec, W/N, Scan); a row of empty cells clears its channel.
    ChannelTable shown = decoded(sample(), 1);
    r = pasteChannelRows(shown, "150\t100\tNarrow\tYes\r\n\t\t\t\r\n", 2, kBand, false, 1);
    ASSERT_TRUE(r.ok()) << r.error.message;
    EXPECT_EQ(rowOf(shown, 2), (std::vector<std::string>{"150.00000", "150.00000", "100.0", "None", "Narrow",
                                                         "Yes", "Off", "High"}));
    EXPECT_EQ(rowOf(shown, 3), std::vector<std::string>(8));

    // Refusals name the channel the row was meant for.
    r = pasteChannelRows(shown, "Rx Frequency\n150\n171\n", 4, kBand, true, 1);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(importErrorText(r.error, {}, "超出范围", true), "信道 5，接收频率: \"171\": 超出范围");
    r = pasteChannelRows(shown, "150\n150\n", 16, kBand, false, 1);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(importErrorText(r.error, {}, {}, false), "Line 2: the rows run past channel 16");
}

} // namespace
