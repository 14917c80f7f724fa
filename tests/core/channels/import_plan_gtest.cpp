// Importing what fits from channel lists made elsewhere, one table row per list: which rows
// fit and the channels they go to from a first channel, why the others are left out, the
// note about another band, the lists that are no list at all; then the chosen rows taken
// as one change, all or nothing, and rows picked by line number.

#include <gtest/gtest.h>

#include "core/channels/ChannelFields.h"
#include "core/channels/ImportPlan.h"
#include "res/ResourceIds.h"

using namespace qx260;

namespace
{

constexpr BandLimits kTwoMetres{13000000, 16000000};
constexpr BandLimits kVhfWide{13600000, 17400000};
constexpr BandLimits kUhf{40000000, 47000000};
const std::string kCommon = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                            "DtcsPolarity,Mode,TStep,Skip,Comment\r\n";
const std::string kProgram = "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc\r\n";

// A common-layout row with the usual unused tone values.
std::string row(int location, const std::string& name, const std::string& frequency,
                const std::string& duplex = "", const std::string& offset = "0.000000",
                const std::string& tone = "", const std::string& mode = "FM")
{
    return std::to_string(location) + "," + name + "," + frequency + "," + duplex + "," + offset + "," +
           tone + ",88.5,88.5,023,NN," + mode + ",5.00,,\r\n";
}

// text with each '@' a NUL byte.
std::string withNul(std::string text)
{
    for (char& c : text)
        if (c == '@')
            c = '\0';
    return text;
}

std::string simplexList(int rows)
{
    std::string text = kCommon;
    for (int i = 0; i < rows; ++i)
        text += row(i, std::string("S").append(std::to_string(i)),
                    std::string("146.").append(std::to_string(400 + 20 * i)));
    return text;
}

// Each row as "LINE: ch N" (it goes to channel N), "LINE: REASON" or "LINE: -" (fits, not chosen).
std::vector<std::string> described(const ImportFile& file, int first)
{
    const std::vector<int> channels = plannedChannels(fittingSelection(file, first), first);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < file.rows.size(); ++i) {
        const ImportRow& r = file.rows[i];
        out.push_back(std::to_string(r.line) + ": " +
                      (channels[i] ? "ch " + std::to_string(channels[i])
                       : r.fits    ? "-"
                                   : r.reason));
    }
    return out;
}

TEST(ImportPlan, RowsThatFitAndWhyOthersDoNot)
{
    const struct {
        const char* name;
        std::string text;
        BandLimits band = kTwoMetres;
        std::vector<BandLimits> otherBands = {};
        int first = 1;
        std::vector<std::string> rows; // each a prefix of what described() says
        std::string bandNote = {};
        std::string shown = {}; // the first row as shown: "name|frequency|tones"
    } cases[] = {
        {"mixed 2 m / 70 cm",
         kCommon + row(1, "Call", "146.520000") + row(2, "Rpt70", "442.400000", "+", "5.000000", "Tone") +
             row(3, "Rpt2", "147.000000", "-", "0.600000", "TSQL") + row(4, "Simplex70", "446.000000"),
         kTwoMetres,
         {kUhf},
         1,
         {"2: ch 1",
          "3: 442.400 MHz is outside the band 130\xE2\x80\x93"
          "160 MHz (Product Information)",
          "4: ch 2", "5: 446.000 MHz is outside the band"},
         {},
         "Call|146.52000|None / None"},
        {"19 simplex rows from channel 1",
         simplexList(19),
         kTwoMetres,
         {},
         1,
         {"2: ch 1", "3: ch 2", "4: ch 3", "5: ch 4", "6: ch 5", "7: ch 6", "8: ch 7", "9: ch 8", "10: ch 9",
          "11: ch 10", "12: ch 11", "13: ch 12", "14: ch 13", "15: ch 14", "16: ch 15", "17: ch 16", "18: -",
          "19: -", "20: -"}},
        {"19 simplex rows from channel 14",
         simplexList(19),
         kTwoMetres,
         {},
         14,
         [] {
             std::vector<std::string> rows{"2: ch 14", "3: ch 15", "4: ch 16"};
             for (int line = 5; line <= 20; ++line)
                 rows.push_back(std::to_string(line) + ": -");
             return rows;
         }()},
        {"marine list above a UHF document's band",
         kCommon + row(16, "Ch16", "156.800000") + row(6, "Ch6", "156.300000") +
             row(70, "Ch70", "156.525000") + row(88, "Ch88", "157.425000"),
         kUhf,
         {kVhfWide},
         1,
         {"2: 156.800 MHz is outside the band 400\xE2\x80\x93"
          "470 MHz (Product Information)",
          "3: 156.300 MHz", "4: 156.525 MHz", "5: 157.425 MHz"},
         "the file's rows lie in 136\xE2\x80\x93"
         "174 MHz (4 of them), a band Product Information also offers",
         "Ch16|156.800000|"},
        {"marine list partly above the 2 m band",
         kCommon + row(16, "Ch16", "156.800000") + row(28, "Ch28", "162.000000") +
             row(87, "AIS", "161.975000"),
         kTwoMetres,
         {kVhfWide},
         1,
         {"2: ch 1",
          "3: 162.000 MHz is outside the band 130\xE2\x80\x93"
          "160 MHz",
          "4: 161.975 MHz is outside"},
         "the file's rows lie in 136\xE2\x80\x93"
         "174 MHz (3 of them)"},
        {"off the channel step",
         kCommon + row(1, "Odd", "145.001000") + row(2, "Even", "145.000000"),
         kTwoMetres,
         {},
         1,
         {"2: 145.001 MHz is not on the 5 kHz or 6.25 kHz channel step", "3: ch 1"}},
        {"an offset past the band",
         kCommon + row(1, "Up", "159.000000", "+", "5.000000"),
         kTwoMetres,
         {},
         1,
         {"2: 164.000 MHz is outside the band 130\xE2\x80\x93"
          "160 MHz"}},
        {"modes this radio cannot use",
         kCommon + row(1, "D", "145.500000", "", "0", "", "DV") +
             row(2, "A", "145.500000", "", "0", "", "AM") + row(3, "R", "145.500000", "", "0", "", "DMR") +
             row(4, "N", "145.500000", "", "0", "", "NFM"),
         kTwoMetres,
         {},
         1,
         {"2: mode DV", "3: mode AM", "4: mode DMR", "5: ch 1"}},
        {"every Duplex and Tone the layout has, trailing commas and extra columns",
         "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
         "CrossMode,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,,\r\n"
         "0,Split,145.500000,split,146.100000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,,,\r\n"
         "1,RxOnly,145.525000,off,0.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,NFM,5.00,S,,x,y,,\r\n"
         "2,Dtcs,145.550000,-,0.600000,DTCS,88.5,88.5,754,RN,023,Tone->Tone,FM,5.00,,,,,\r\n"
         "3,Cross,145.575000,+,0.600000,Cross,67.0,88.5,023,NN,131,Tone->DTCS,FM,5.00,,,,,,,,\r\n"
         "4,BadTone,145.600000,,0.000000,TSQL,88.5,88.6,023,NN,023,Tone->Tone,FM,5.00,,,,\r\n"
         "5,BadCross,145.625000,,0.000000,Cross,88.5,88.5,023,NN,023,DTCS->DV,FM,5.00,,,,\r\n"
         "6,BadDuplex,145.650000,x,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,\r\n",
         kTwoMetres,
         {},
         1,
         {"2: ch 1", "3: ch 2", "4: ch 3", "5: ch 4", "6: cToneFreq \"88.6\": not in the tone list",
          "7: CrossMode \"DTCS->DV\"", "8: Duplex \"x\": Duplex must be empty, +, -, split or off"},
         {},
         "Split|145.50000|None / 100.0"},
        {"the program's own layout, one tone off the list",
         kProgram + "1,145.125,146,D023N,67.0\r\n2,145.15,,D024N,\r\n,,,,\r\n3,170,,,\r\n",
         kTwoMetres,
         {},
         1,
         {"2: ch 1", "3: QT/DQT Dec \"D024N\": not in the tone list", "5: 170.000 MHz is outside the band"},
         {},
         "|145.12500|D023N / 67.0"},
        {"a NUL in a value is shown escaped",
         kCommon + withNul("1,N,145.5@00,,0,,88.5,88.5,023,NN,FM,5,,\r\n"),
         kTwoMetres,
         {},
         1,
         {"2: Frequency \"145.5\\000\": Frequency must be the receive frequency"}},
        {"a spreadsheet's ';' file with decimal commas and a quoted name",
         "Location;Name;Frequency;Mode\r\n1;\"Club; main\";146,52;FM\r\n2;B;442,4;FM\r\n3;C;446,0;FM\r\n",
         kTwoMetres,
         {kUhf},
         1,
         {"2: ch 1", "3: 442.400 MHz is outside", "4: 446.000 MHz"},
         "the file's rows lie in 400\xE2\x80\x93"
         "470 MHz (2 of them)",
         "Club; main|146.52000|"},
        {"a file of a header only", kCommon, kTwoMetres, {}, 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportFile file = readImportFile(c.text, {c.band, c.otherBands, 0, Language::English});
        ASSERT_TRUE(file.ok()) << file.error.message;
        const std::vector<std::string> rows = described(file, c.first);
        ASSERT_EQ(rows.size(), c.rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(rows[i].substr(0, c.rows[i].size()), c.rows[i]) << rows[i];
        EXPECT_EQ(file.bandNote.substr(0, c.bandNote.size()), c.bandNote) << file.bandNote;
        if (c.bandNote.empty()) {
            EXPECT_EQ(file.bandNote, "");
        }
        if (!c.shown.empty()) {
            const ImportRow& r = file.rows.front();
            const std::string shown = r.name + "|" + r.frequency + "|" + r.tones;
            EXPECT_EQ(shown.substr(0, c.shown.size()), c.shown);
        }
    }
}

TEST(ImportPlan, FilesThatAreNoListAreRefusedWhole)
{
    const auto utf16 = [](const std::string& ascii, bool bigEndian) {
        std::string out;
        for (char ch : ascii)
            out += bigEndian ? std::string{'\0', ch} : std::string{ch, '\0'};
        return out;
    };
    const struct {
        const char* name;
        std::string text;
        std::string said;
    } cases[] = {
        {"UTF-16 without a byte order mark", utf16(kCommon + row(1, "A", "146.52"), false),
         "f.csv:1: this file is UTF-16; save it as UTF-8"},
        {"UTF-16 big-endian", utf16(kCommon, true), "this file is UTF-16"},
        {"UTF-16 with a byte order mark", "\xFF\xFE" + utf16(kCommon, false), "this file is UTF-16"},
        {"a NUL in the header row", withNul("CH,Rx Fre@quency\r\n"), "\"Rx Fre\\0quency\" is not a column"},
        {"not UTF-8", kCommon + "1,\xBF,146.52\r\n", "f.csv:2: the file is not UTF-8"},
        {"empty", "", "the file is empty"},
        {"header names no column", "Colour,Size\r\n1,2\r\n", "\"Colour\" is not a column"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportFile file = readImportFile(c.text, {kTwoMetres, {}, 0, Language::English});
        ASSERT_FALSE(file.ok());
        const std::string said = importErrorText(file.error, "f.csv", {}, Language::English);
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
    }
}

TEST(ImportPlan, ChosenRowsTakenAsOneChangeAllOrNothing)
{
    ChannelList current;
    current.channel(2).rx = Frequency::ofUnits(14400000);
    current.channel(2).tx = Frequency::ofUnits(14400000);
    const std::string mixed = kCommon + row(1, "Call", "146.520000") + row(2, "Rpt70", "442.400000") +
                              row(3, "Rpt2", "147.000000", "-", "0.600000", "TSQL") +
                              row(4, "Low", "145.000000");
    const struct {
        const char* name;
        std::string text;
        int first;
        std::vector<bool> chosen; // empty: the rows that fit
        bool corruptSecondRow = false;
        int taken;
        std::vector<std::pair<int, std::string>> channels; // channel, Rx as shown afterwards
        std::vector<std::string> leftOut;                  // "LINE: reason"
        std::string summary = {};
    } cases[] = {
        {"the rows that fit from channel 2",
         mixed,
         2,
         {},
         false,
         3,
         {{1, ""}, {2, "146.52000"}, {3, "147.00000"}, {4, "145.00000"}, {5, ""}},
         {"3: 442.400 MHz is outside the band"},
         "Took 3 channels; 1 rows left out"},
        {"a row unchecked",
         mixed,
         1,
         {true, false, false, true},
         false,
         2,
         {{1, "146.52000"}, {2, "145.00000"}, {3, ""}},
         {"3: 442.400 MHz is outside the band", "4: not chosen"},
         "Took 2 channels; 2 rows left out"},
        {"a row that does not fit chosen all the same",
         mixed,
         1,
         {true, true, true, true},
         false,
         3,
         {{1, "146.52000"}, {2, "147.00000"}, {3, "145.00000"}},
         {"3: 442.400 MHz is outside the band"}},
        {"chosen past channel 16",
         mixed,
         15,
         {true, false, true, true},
         false,
         2,
         {{15, "146.52000"}, {16, "147.00000"}, {2, "144.00000"}},
         {"3: 442.400 MHz", "5: no channel left"}},
        {"nothing chosen",
         mixed,
         1,
         {false, false, false, false},
         false,
         0,
         {{2, "144.00000"}},
         {"2: not chosen", "3: 442.400 MHz", "4: not chosen", "5: not chosen"},
         "Took 0 channels; 4 rows left out"},
        {"a row refused when taken: nothing changes, its own line told",
         mixed,
         1,
         {},
         true,
         0,
         {{1, ""}, {2, "144.00000"}},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportTarget target{kTwoMetres, {}, 0, Language::English};
        ImportFile file = readImportFile(c.text, target);
        ASSERT_TRUE(file.ok());
        if (c.corruptSecondRow) // judged to fit, refused when taken (as a change under way would)
            file.rows[2].record = "3,Rpt2,171.000000,,0,,88.5,88.5,023,NN,FM,5,,\r\n";
        const std::vector<bool> chosen = c.chosen.empty() ? fittingSelection(file, c.first) : c.chosen;
        const ImportTaken taken = takeChosenRows(current, file, chosen, c.first, target);
        EXPECT_EQ(taken.taken, c.taken);
        if (c.corruptSecondRow) {
            ASSERT_FALSE(taken.ok());
            EXPECT_EQ(taken.result.channels, current);
            EXPECT_EQ(taken.result.error.line, 4);
            EXPECT_EQ(taken.result.error.messageId, resid::StrOutOfRange);
            continue;
        }
        ASSERT_TRUE(taken.ok());
        for (const auto& [n, rx] : c.channels)
            EXPECT_EQ(frequencyText(taken.result.channels.channel(n).rx), rx) << "channel " << n;
        ASSERT_EQ(taken.leftOut.size(), c.leftOut.size());
        for (std::size_t i = 0; i < c.leftOut.size(); ++i) {
            const std::string said = std::to_string(taken.leftOut[i].line) + ": " + taken.leftOut[i].reason;
            EXPECT_EQ(said.substr(0, c.leftOut[i].size()), c.leftOut[i]) << said;
        }
        if (!c.summary.empty()) {
            EXPECT_EQ(importSummary(taken, Language::English), c.summary);
        }
    }
}

TEST(ImportPlan, RowsPickedByLineNumber)
{
    const ImportFile file = readImportFile(simplexList(12), {kTwoMetres, {}, 0, Language::English});
    const struct {
        const char* list;
        std::vector<int> lines; // the rows picked, by line
        std::string error = {};
    } cases[] = {
        {"2-4,7", {2, 3, 4, 7}},
        {" 5 , 9-10", {5, 9, 10}},
        {"1-3", {2, 3}}, // the header's line is no row; a range takes the rows within it
        {"13", {13}},
        {"1", {}, "no row starts on line 1"},
        {"14", {}, "no row starts on line 14"},
        {"4-2", {}, "\"4-2\" is not a line number"},
        {"2,,3", {}, "\"\" is not a line number"},
        {"x", {}, "\"x\" is not a line number"},
        {"20-30", {}, "no row starts on the lines 20-30"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        std::vector<bool> chosen;
        std::string error;
        EXPECT_EQ(selectRowsByLine(file, c.list, chosen, error), c.error.empty());
        EXPECT_EQ(error.substr(0, c.error.size()), c.error);
        if (!c.error.empty())
            continue;
        std::vector<int> lines;
        for (std::size_t i = 0; i < chosen.size(); ++i)
            if (chosen[i])
                lines.push_back(file.rows[i].line);
        EXPECT_EQ(lines, c.lines);
    }
}

} // namespace
