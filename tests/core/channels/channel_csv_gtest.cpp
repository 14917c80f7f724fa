// Channel lists over the typed channels, one table row per case: an export writes what the
// channels hold; an import (a file in either layout, rows pasted) reads every value with its
// field's parser and takes it as the window takes a typed value, keeps what a radio variant
// hides, and stops at the first refused value with its place, the channels as they were.

#include <gtest/gtest.h>

#include "core/channels/ChannelCsv.h"
#include "core/channels/ChannelFields.h"
#include "core/channels/ChannelRows.h"
#include "core/radio/RadioImage.h"

using namespace qx260;

namespace
{

constexpr BandLimits kBand{13000000, 16000000};
constexpr auto En = Language::English;
constexpr auto Zh = Language::Chinese;
const std::string kHeader = "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,W/N,Scan,Busy Lock,Power\r\n";
const std::string kCommonHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                                  "DtcsPolarity,Mode,TStep,Skip,Comment\r\n";

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
    image.setTxFrequency(2, 15000000); // transmit side only
    image.setRxFrequency(3, 13601250);
    image.setDecodeTone(3, ToneWord{0x0F, 0x28}); // D017N: shown, not in the tone list
    image.setEncodeTone(3, ToneWord{0x71, 0x02}); // 62.5: shown, not in the tone list
    image.setRxFrequency(16, 17000000);           // outside the band, stored all the same
    return image;
}

const ChannelList kSample = decodeChannels(sampleImage());

// Every field of a channel as the window shows it with no side hidden, joined by '|'.
std::string fieldsOf(const Channel& channel, Language language = En)
{
    const std::array<std::string, 8> texts = shownFieldTexts(channel, 0, language);
    std::string out = texts[0];
    for (std::size_t i = 1; i < texts.size(); ++i)
        out += "|" + texts[i];
    return out;
}

ChannelImportResult take(const std::string& text, int variant, int firstChannel, bool renumber,
                         Language language)
{
    if (firstChannel > 0)
        return pasteChannelRows(kSample, text, firstChannel, kBand, variant, language);
    ChannelRowsInput input;
    input.text = text;
    input.renumber = renumber;
    return importChannels(kSample, input, kBand, variant, language);
}

TEST(ChannelCsv, ImportsTakeWhatTheRowsGive)
{
    const std::string kEmpty = "|||||||";
    const struct {
        const char* name;
        int variant;
        std::string text;
        std::vector<std::pair<int, std::string>> channels; // fields after the import
        std::vector<int> changed;
        std::vector<std::string> notes;
        int firstChannel = 0; // > 0: rows pasted from this channel on
        bool renumber = false;
        Language language = En;
    } cases[] = {
        {"changed values follow the commit rules",
         0,
         kHeader + "1,145.125,146,D023N,67.0,wide,Yes,Carrier,Low\n" // only W/N changes
                   "4,150\n"                                         // new channel, short row
                   "5,145.5,,d754i,,窄\n"                            // new channel, other spellings
                   "3,,\n"                                           // an empty Rx clears
                   "2,,150,None,None,Wide,Yes,QT/DQT,High\n"         // a Tx side only, as it is
                   ",,,,,,,,\r\n",                                   // no channel
         {{1, "145.12500|146.00000|D023N|67.0|Wide|Yes|Carrier|Low"},
          {4, "150.00000|150.00000|None|None|Wide|No|Off|High"},
          {5, "145.50000|145.50000|D754I|None|Narrow|No|Off|High"},
          {3, kEmpty},
          {2, "|150.00000|None|None|Wide|Yes|QT/DQT|High"},
          {16, "170.00000||None|None|Wide|Yes|QT/DQT|High"}},
         {1, 4, 5, 3},
         {}},
        {"an erased Rx leaves a Tx side with the row's settings",
         0,
         kHeader + "1,,146,D023N,67.0,Narrow,Yes,Carrier,Low\n",
         {{1, "|146.00000|D023N|67.0|Narrow|Yes|Carrier|Low"}},
         {1},
         {}},
        {"variant 2: a Tx frequency makes a channel, an empty one clears it",
         2,
         "CH,Tx Frequency,QT/DQT Enc\n6,155.0125,D023N\n1,,67.0\n",
         {{6, "|155.01250|None|D023N|Wide|Yes|Off|High"}, {1, kEmpty}},
         {6, 1},
         {}},
        {"variant 1 keeps a Tx value it does not show",
         1,
         kHeader + "7,150,151\n",
         {{7, "150.00000|151.00000|None|None|Wide|No|Off|High"}},
         {7},
         {"The file's values in Tx Frequency were kept; radio variant 1 does not show these columns."}},
        {"a Chinese document takes either language",
         0,
         "\xEF\xBB\xBF信道,接收频率,宽/窄,扫描\r\n4,150,Narrow,是\r\n",
         {{4, "150.00000|150.00000|无|无|窄|是|关|高"}},
         {4},
         {},
         0,
         false,
         Zh},
        {"';' fields, decimal commas, a tone without its .0",
         0,
         "CH;Rx Frequency;Tx Frequency;QT/DQT Dec\r\n4;145,5;146,0125;100\r\n",
         {{4, "145.50000|146.01250|100.0|None|Wide|No|Off|High"}},
         {4},
         {}},
        {"common layout, variant 1: the Tx side kept, the columns it has no use for named",
         1,
         kCommonHeader + "1,Rep,146.94,-,0.6,Tone,100,88.5,023,NN,FM,5.00,,\r\n"
                         "2,Local,146.52,,0,TSQL,88.5,103.5,023,NN,NFM,5.00,S,\r\n"
                         "3,Code,145.5,,0,DTCS,88.5,88.5,754,NR,FM,5.00,,\r\n",
         {{1, "146.94000|146.34000|None|100.0|Wide|Yes|Carrier|Low"},
          {2, "146.52000|146.52000|103.5|103.5|Narrow|No|Off|High"},
          {3, "145.50000|145.50000|D754I|D754N|Wide|Yes|QT/DQT|High"}},
         {1, 2, 3},
         {"Ignored columns (this radio keeps no such values): Name, TStep, Comment",
          "The file's values in Tx Frequency, QT/DQT Enc were kept; radio variant 1 does not show these "
          "columns."}},
        {"common layout, variant 2: a channel that only listens keeps its receive side",
         2,
         kCommonHeader + "5,,146.0,off,0,DTCS,88.5,88.5,023,NR,NFM,6.25,S,\r\n",
         {{5, "146.00000||D023I|D023N|Narrow|No|QT/DQT|High"}},
         {5},
         {"Ignored columns (this radio keeps no such values): Name, TStep, Comment",
          "The file's values in Rx Frequency, QT/DQT Dec, Scan were kept; radio variant 2 does not show "
          "these columns."}},
        {"locations of a bigger radio, renumbered",
         1,
         kCommonHeader +
             "0,,145.25,,0,,88.5,88.5,023,NN,FM,5,,\r\n100,,145.75,,0,,88.5,88.5,023,NN,FM,5,,\r\n",
         {{1, "145.25000|145.25000|None|None|Wide|Yes|Carrier|Low"},
          {2, "145.75000|145.75000|None|None|Wide|Yes|Off|High"},
          {3, fieldsOf(kSample.channel(3))}},
         {1, 2},
         {"Ignored columns (this radio keeps no such values): Name, TStep, Comment",
          "The file's values in Tx Frequency, QT/DQT Enc were kept; radio variant 1 does not show these "
          "columns."},
         0,
         true},
        {"common layout with ';' and decimal commas: duplex +, split, polarity RN, Cross, a code without "
         "its leading zero",
         0,
         "Location;Name;Frequency;Duplex;Offset;Tone;rToneFreq;cToneFreq;DtcsCode;DtcsPolarity;Mode;TStep;"
         "Skip;"
         "Comment;URCALL;RxDtcsCode;CrossMode\r\n"
         "4;Split;145,000000;split;146,000000;DTCS;88,5;88,5;754;RN;FM;5,00;;;;023;Tone->Tone\r\n"
         "5;Rep plus;147,000000;+;0,600000;TSQL;88,5;103,5;23;NN;NFM;5,00;S;;;023;Tone->Tone\r\n"
         "6;Cross;145,500000;;0,000000;Cross;88,5;88,5;023;NN;FM;5,00;;;;411;Tone->DTCS\r\n",
         {{4, "145.00000|146.00000|D754N|D754I|Wide|Yes|Off|High"},
          {5, "147.00000|147.60000|103.5|103.5|Narrow|No|Off|High"},
          {6, "145.50000|145.50000|D411N|88.5|Wide|Yes|Off|High"}},
         {4, 5, 6},
         {"Ignored columns (this radio keeps no such values): Name, TStep, Comment, URCALL"}},
        {"pasted without a header: the columns variant 1 shows; empty fields clear",
         1,
         "150\t100\tNarrow\tYes\r\n\t\t\t\r\n",
         {{2, "150.00000|150.00000|100.0|None|Narrow|Yes|Off|High"}, {3, kEmpty}},
         {2, 3},
         {},
         2},
        {"pasted with a header line, a tone without its .0",
         1,
         "Rx Frequency\tQT/DQT Dec\tW/N\tScan\r\n145.5\t100\tNarrow\tYes\r\n146\tD023N\tWide\tNo\r\n",
         {{2, "145.50000|150.00000|100.0|None|Narrow|Yes|Off|High"},
          {3, "146.00000||D023N|62.5|Wide|No|QT/DQT|High"}},
         {2, 3},
         {},
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ChannelImportResult r = take(c.text, c.variant, c.firstChannel, c.renumber, c.language);
        ASSERT_TRUE(r.ok()) << r.error.message;
        for (const auto& [n, fields] : c.channels)
            EXPECT_EQ(fieldsOf(r.channels.channel(n), c.language), fields) << "channel " << n;
        EXPECT_EQ(r.changed, c.changed);
        EXPECT_EQ(r.notes, c.notes);
        for (int n = 1; n <= kChannelCount; ++n)
            if (std::find(r.changed.begin(), r.changed.end(), n) == r.changed.end()) {
                EXPECT_EQ(r.channels.channel(n), kSample.channel(n)) << "channel " << n;
            }
    }
}

TEST(ChannelCsv, FirstRefusedValueStopsWithItsPlace)
{
    const struct {
        const char* name;
        int variant;
        std::string text;
        int line;
        int field;
        int messageId;
        const char* said; // part of the refusal as told (place "f.csv"; none for rows pasted)
        int firstChannel = 0;
        Language language = En;
        bool badLocation = false;
    } cases[] = {
        {"above the band", 0, kHeader + "1,160.005\n", 2, 2, 61448,
         "f.csv:2: column 2 (Rx Frequency): \"160.005\": Out of range,please input again."},
        {"below the band", 0, kHeader + "4,150\n5,129.99375\n", 3, 2, 61448, "Out of range"},
        {"not a number", 0, kHeader + "4,146.52abc\n", 2, 2, 61504, "point as the decimal separator"},
        {"tone with a comma", 0, kHeader + "1,145.125,146,\"67,0\"\n", 2, 4, 0, "decimal separator"},
        {"off the step", 0, kHeader + "4,150\n5,145.001\n", 3, 2, 61456,
         "Error data Value, please input according the step value(6.25K/5k)."},
        {"tx off the step", 0, kHeader + "1,145.125,145.006249\n", 2, 3, 61456, "step value"},
        {"tone not in the list", 0, kHeader + "1,145.125,146,D024N\n", 2, 4, 0, "tone list"},
        {"a hidden tone not in the list", 1, kHeader + "1,145.125,146,D023N,D024N\n", 2, 5, 0,
         "column 5 (QT/DQT Enc): \"D024N\": not in the tone list"},
        {"odd W/N", 0, kHeader + "1,145.125,146,D023N,67.0,Medium\n", 2, 6, 0, "choices of \"W/N\""},
        {"channel 17", 0, kHeader + "17,150\n", 2, 1, 0, "1 to 16", 0, En, true},
        {"channel twice", 0, kHeader + "4,150\n\n4,151\n", 4, 1, 0, "already given on line 2"},
        {"unknown column", 0, "CH,Rx Frequency,Colour\n", 1, 3, 0, "\"Colour\" is not a column"},
        {"column twice", 0, "Rx Frequency,rx frequency\n", 1, 2, 0, "twice"},
        {"no Rx column", 0, "CH,Tx Frequency\n", 1, 0, 0, "no \"Rx Frequency\" column"},
        {"extra field", 0, kHeader + "4,150,,,,,,,,x\n", 2, 10, 0, "more fields"},
        {"quote left open", 0, kHeader + "4,\"150\n", 2, 2, 0, "not closed"},
        {"seventeen rows", 0,
         [] {
             std::string s = "Rx Frequency\n";
             for (int i = 0; i < 17; ++i)
                 s += "150\n";
             return s;
         }(),
         18, 0, 0, "only 16 channels"},
        {"empty file", 0, "", 0, 0, 0, "empty"},
        {"not UTF-8", 0, kHeader + "3,150,\xBF\xED\r\n", 2, 0, 0, "f.csv:2: the file is not UTF-8"},
        {"a NUL in a value, told whole", 0,
         kHeader + std::string("4,14\0"
                               "6.5\r\n",
                               10),
         2, 2, 61504, "f.csv:2: column 2 (Rx Frequency): \"14\\06.5\": "},
        {"UTF-16 without a byte order mark", 0, std::string("C\0H\0,\0R\0x\0 \0F\0", 14), 1, 0, 0,
         "f.csv:1: this file is UTF-16; save it as UTF-8"},
        {"a comma in a ',' file", 0, "CH,Rx Frequency\r\n4,\"145,5\"\r\n", 2, 2, 0,
         "\"145,5\": use a point as the decimal separator: write 145.5"},
        {"common: unknown mode", 1, kCommonHeader + "1,,146.52,,0,,88.5,88.5,023,NN,AM,5,,\r\n", 2, 11, 0,
         "f.csv:2: column 11 (Mode): \"AM\": Mode must be FM (Wide) or NFM (Narrow)"},
        {"common: tone off the list", 1, kCommonHeader + "1,,146.52,,0,TSQL,88.5,88.6,023,NN,FM,5,,\r\n", 2,
         8, 0, "f.csv:2: column 8 (cToneFreq): \"88.6\": not in the tone list"},
        {"common: rToneFreq off the list", 0, kCommonHeader + "1,,146.52,,0,Tone,88.6,88.5,023,NN,FM,5,,\r\n",
         2, 7, 0, "f.csv:2: column 7 (rToneFreq): \"88.6\": not in the tone list"},
        {"common: code off the list", 0, kCommonHeader + "1,,146.52,,0,DTCS,88.5,88.5,017,NN,FM,5,,\r\n", 2,
         9, 0, "column 9 (DtcsCode): \"017\": not in the tone list"},
        {"common: polarity", 0, kCommonHeader + "1,,146.52,,0,DTCS,88.5,88.5,023,NX,FM,5,,\r\n", 2, 10, 0,
         "column 10 (DtcsPolarity): \"NX\": DtcsPolarity must be NN, NR, RN or RR"},
        {"common: decimal comma in a ',' file", 0,
         kCommonHeader + "1,,\"146,52\",,0,,88.5,88.5,023,NN,FM,5,,\r\n", 2, 3, 0,
         "column 3 (Frequency): \"146,52\": use a point as the decimal separator: write 146.52"},
        {"common: Cross without a CrossMode", 0,
         kCommonHeader + "1,,146.52,,0,Cross,88.5,88.5,023,NN,FM,5,,\r\n", 2, 0, 0,
         "Tone Cross needs a CrossMode"},
        {"common: out of the band", 1, kCommonHeader + "1,,171,,0,,88.5,88.5,023,NN,FM,5,,\r\n", 2, 3, 61448,
         "f.csv:2: column 3 (Frequency): \"171\": Out of range,please input again."},
        {"common: location 17", 1, kCommonHeader + "17,,146.52,,0,,88.5,88.5,023,NN,FM,5,,\r\n", 2, 1, 0,
         "column 1 (Location): \"17\": the location must be a channel 1 to 16 (this radio has 16 channels)",
         0, En, true},
        {"pasted: out of the band", 1, "Rx Frequency\n150\n171\n", 3, 1, 61448,
         "Channel 6, Rx Frequency: \"171\": Out of range,please input again.", 5},
        {"pasted: in Chinese", 1, "Rx Frequency\n150\n171\n", 3, 1, 61448,
         "信道 5，接收频率: \"171\": Out of range", 4, Zh},
        {"pasted: past channel 16", 1, "150\n150\n", 2, 0, 0, "Line 2: the rows run past channel 16", 16},
        {"pasted: decimal comma", 1, "145,5\tNone\n", 1, 1, 0,
         "\"145,5\": use a point as the decimal separator: write 145.5", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ChannelImportResult r = take(c.text, c.variant, c.firstChannel, false, c.language);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error.line, c.line);
        EXPECT_EQ(r.error.field, c.field);
        EXPECT_EQ(r.error.messageId, c.messageId);
        EXPECT_EQ(r.error.badLocation, c.badLocation);
        const std::string said = importErrorText(r.error, c.firstChannel ? "" : "f.csv", {}, c.language);
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        EXPECT_EQ(r.channels, kSample);
        EXPECT_TRUE(r.changed.empty());
    }
}

TEST(ChannelCsv, ExportsWriteWhatTheChannelsHold)
{
    const std::string program = exportChannels(kSample, ChannelCsvLayout::Program);
    EXPECT_EQ(program.substr(0, kHeader.size()), kHeader);
    EXPECT_NE(program.find("\r\n1,145.12500,146.00000,D023N,67.0,Narrow,Yes,Carrier,Low\r\n"
                           "2,,150.00000,None,None,Wide,Yes,QT/DQT,High\r\n"
                           "3,136.01250,,D017N,62.5,Wide,Yes,QT/DQT,High\r\n4,,,,,,,,\r\n"),
              std::string::npos)
        << program;
    EXPECT_NE(exportChannels(kSample, ChannelCsvLayout::Program, Zh)
                  .find("\r\n1,145.12500,146.00000,D023N,67.0,窄,是,载波,低\r\n"),
              std::string::npos);
    EXPECT_EQ(
        exportChannels(kSample, ChannelCsvLayout::Common),
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,"
        "Skip,Comment,RxDtcsCode,CrossMode\r\n"
        "1,,145.125000,+,0.875000,Cross,67.0,88.5,023,NN,NFM,5.00,,,023,Tone->DTCS\r\n"
        "2,,150.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,,023,Tone->Tone\r\n"
        "3,,136.012500,off,0.000000,Cross,62.5,88.5,017,NN,FM,6.25,,,017,Tone->DTCS\r\n"
        "16,,170.000000,off,0.000000,,88.5,88.5,023,NN,FM,5.00,,,023,Tone->Tone\r\n");

    // Whatever the variant and the language, an export comes back changing nothing (the
    // common layout writes a channel with a Tx side only as one that receives there too).
    for (int variant : {0, 1, 2})
        for (Language language : {En, Zh})
            for (ChannelCsvLayout layout : {ChannelCsvLayout::Program, ChannelCsvLayout::Common}) {
                SCOPED_TRACE(testing::Message() << "variant " << variant << ", layout " << int(layout));
                const ChannelImportResult r =
                    take(exportChannels(kSample, layout, language), variant, 0, false, language);
                ASSERT_TRUE(r.ok()) << r.error.message;
                EXPECT_EQ(r.changed,
                          layout == ChannelCsvLayout::Common ? std::vector<int>{2} : std::vector<int>{});
                if (layout == ChannelCsvLayout::Program) {
                    EXPECT_EQ(r.channels, kSample);
                }
            }
}

TEST(ChannelCsv, BitsNoFieldStandsForStay)
{
    // Bits the program does not interpret, in a channel the file leaves alone and in one it
    // changes.
    RadioImage original = sampleImage();
    original.setChannelByte(1, 12, static_cast<std::uint8_t>(original.channelByte(1, 12) & ~0x01));
    original.setChannelByte(4, 13, 0x0F);
    original.setChannelByte(4, 14, 0x12);
    ChannelRowsInput input;
    const std::string text = kHeader + "4,150\n";
    input.text = text;
    const ChannelImportResult r = importChannels(decodeChannels(original), input, kBand, 1, En);
    ASSERT_TRUE(r.ok()) << r.error.message;
    RadioImage image = original;
    encodeChannels(r.channels, image);

    RadioImage expected = original;
    expected.setRxFrequency(4, 15000000);
    expected.setDecodeTone(4, ToneWord{0xFF, 0xFF});
    expected.setWide(4, true);
    expected.setHighPower(4, true);
    expected.setBusyLock(4, BusyLock::Off);
    expected.setScan(4, false);
    EXPECT_EQ(image, expected); // byte 14 and the other bits of byte 13 stay, channel 1 too
}

TEST(ChannelRows, CopyPasteAndCut)
{
    // Two channels copied from one document go to channels 7 and 8 of another, whole.
    const std::string copied = copyChannelRows(kSample, 1, 2, 0, En);
    EXPECT_EQ(copied.substr(0, copied.find("\r\n")),
              "CH\tRx Frequency\tTx Frequency\tQT/DQT Dec\tQT/DQT Enc\tW/N\tScan\tBusy Lock\tPower");
    const ChannelList empty = decodeChannels(RadioImage::newImage());
    const ChannelImportResult r = pasteChannelRows(empty, copied, 7, kBand, 0, En);
    ASSERT_TRUE(r.ok()) << r.error.message;
    EXPECT_EQ(r.rows, 2);
    EXPECT_EQ(fieldsOf(r.channels.channel(7)), fieldsOf(kSample.channel(1)));
    EXPECT_EQ(fieldsOf(r.channels.channel(8)), fieldsOf(kSample.channel(2)));

    // The rows as the window shows them: what variant 1 hides is left out.
    EXPECT_EQ(copyChannelRows(kSample, 1, 1, 1, Zh),
              "信道\t接收频率\t发射频率\tQT/DQT解码\tQT/DQT编码\t宽/窄\t扫描\t繁忙锁定\t功率\r\n"
              "1\t145.12500\t\tD023N\t\t窄\t是\t载波\t低\r\n");

    // A cut erases the channels the window shows; one it shows empty stays as it is.
    const ChannelList cut = cutChannelRows(kSample, 1, 2, 1);
    EXPECT_EQ(fieldsOf(cut.channel(1)), "|||||||");
    EXPECT_EQ(cut.channel(2), kSample.channel(2));
}

} // namespace
