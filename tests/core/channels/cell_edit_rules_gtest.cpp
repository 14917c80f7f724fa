#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/channels/CellEditRules.h"
#include "core/channels/ChannelTable.h"
#include "core/radio/Tones.h"

namespace qx260
{
namespace
{

using Row = std::array<std::string, 8>; // columns 1..8

const BandLimits kBand{13000000, 16000000};
const Row kEmpty{};
const Row kChannel{"145.00000", "146.00000", "67.0", "D023N", "Narrow", "Yes", "Carrier", "Low"};
const Row kRxOnly{"145.00000", "", "67.0", "", "Narrow", "Yes", "Carrier", "Low"};
const Row kTxOnly{"", "146.00000", "", "D023N", "Narrow", "", "Carrier", "Low"};

constexpr int kRow = 5;

void putRow(ChannelTable& table, int r, const Row& row)
{
    for (int c = 1; c <= 8; ++c)
        table.setTextMatrix(r, c, row[static_cast<std::size_t>(c - 1)]);
}

Row getRow(const ChannelTable& table, int r)
{
    Row row;
    for (int c = 1; c <= 8; ++c)
        row[static_cast<std::size_t>(c - 1)] = table.textMatrix(r, c);
    return row;
}

struct CommitCase {
    const char* name;
    CommitTrigger trigger;
    int col;
    Row start;
    std::string text;
    int message;
    Row expected;
};

constexpr auto Enter = CommitTrigger::Enter;
constexpr auto Leave = CommitTrigger::LeaveCell;

Row with(Row row, int col, std::string text)
{
    row[static_cast<std::size_t>(col - 1)] = std::move(text);
    return row;
}

TEST(CommitEdit, FollowsTheCommitTableForEveryColumnAndTrigger)
{
    const std::vector<CommitCase> cases = {
        // Rx Frequency
        {"rx new channel, Enter",
         Enter,
         1,
         kEmpty,
         "150",
         0,
         {"150.00000", "150.00000", "None", "None", "Wide", "No", "Off", "High"}},
        {"rx new channel, LeaveCell",
         Leave,
         1,
         kEmpty,
         "150",
         0,
         {"150.00000", "", "None", "", "Wide", "No", "Off", "High"}},
        {"rx existing channel keeps its settings", Enter, 1, kChannel, "145.5", 0,
         with(kChannel, 1, "145.50000")},
        {"rx with blanks around", Leave, 1, kChannel, " 145.5 ", 0, with(kChannel, 1, "145.50000")},
        {"rx erased, Enter", Enter, 1, kChannel, "", 0, kEmpty},
        {"rx erased, LeaveCell", Leave, 1, kChannel, "", 0, kEmpty},
        // A refused frequency leaves the channel as it was.
        {"rx out of range, Enter", Enter, 1, kChannel, "129.99375", resid::StrOutOfRange, kChannel},
        {"rx out of range, LeaveCell", Leave, 1, kChannel, "160.005", resid::StrOutOfRange, kChannel},
        {"rx off step, Enter", Enter, 1, kChannel, "145.001", resid::StrStepValueError, kChannel},
        {"rx off step, LeaveCell", Leave, 1, kChannel, "145.006249", resid::StrStepValueError, kChannel},
        {"rx not a number", Enter, 1, kChannel, "146,52", resid::StrFrequencyNotANumber, kChannel},
        {"rx with a unit", Leave, 1, kChannel, "145.5MHz", resid::StrFrequencyNotANumber, kChannel},
        // Tx Frequency
        {"tx erased, Enter: follows Rx", Enter, 2, kChannel, "", 0, with(kChannel, 2, "145.00000")},
        {"tx erased, LeaveCell: clears the channel", Leave, 2, kChannel, "", 0, kEmpty},
        {"tx erased in a Tx-only channel, Enter: the channel goes", Enter, 2, kTxOnly, "", 0, kEmpty},
        {"tx out of range, Enter", Enter, 2, kChannel, "170", resid::StrOutOfRange, kChannel},
        {"tx out of range, LeaveCell", Leave, 2, kChannel, "170", resid::StrOutOfRange, kChannel},
        {"tx off step, Enter", Enter, 2, kChannel, "145.001", resid::StrStepValueError, kChannel},
        {"tx off step, LeaveCell", Leave, 2, kChannel, "145.001", resid::StrStepValueError, kChannel},
        {"tx not a number", Leave, 2, kTxOnly, "146.52.3", resid::StrFrequencyNotANumber, kTxOnly},
        {"tx valid, Enter", Enter, 2, kChannel, "147.5", 0, with(kChannel, 2, "147.50000")},
        {"tx valid, LeaveCell", Leave, 2, kChannel, "147.5", 0, with(kChannel, 2, "147.50000")},
        // A Tx frequency typed into an empty row makes a Tx-only channel however it is confirmed.
        {"tx into empty row, Enter: Tx-only channel",
         Enter,
         2,
         kEmpty,
         "147.5",
         0,
         {"", "147.50000", "", "None", "Wide", "No", "Off", "High"}},
        {"tx into empty row, LeaveCell: Tx-only channel",
         Leave,
         2,
         kEmpty,
         "147.5",
         0,
         {"", "147.50000", "", "None", "Wide", "No", "Off", "High"}},
        {"tx first set by LeaveCell takes the defaults",
         Leave,
         2,
         kRxOnly,
         "147.5",
         0,
         {"145.00000", "147.50000", "67.0", "None", "Wide", "No", "Off", "High"}},
        // Settings
        {"setting on a channel", Enter, 5, kChannel, "Wide", 0, with(kChannel, 5, "Wide")},
        {"setting on an empty row is dropped", Leave, 7, kEmpty, "Off", 0, kEmpty},
        {"setting on a Tx-only channel", Leave, 6, kTxOnly, "Yes", 0, with(kTxOnly, 6, "Yes")},
        {"a list choice replaces an extra code", Enter, 3, with(kChannel, 3, "D017N"), "None", 0,
         with(kChannel, 3, "None")},
        // An untouched empty frequency cell never clears a channel (walking through the
        // hidden Rx column of a Tx-only channel, or the empty Tx cell of an Rx-only one).
        {"untouched empty rx, Enter", Enter, 1, kTxOnly, "", 0, kTxOnly},
        {"untouched empty rx, LeaveCell", Leave, 1, kTxOnly, "", 0, kTxOnly},
        {"untouched empty tx, LeaveCell", Leave, 2, kRxOnly, "", 0, kRxOnly},
        // Enter on the Tx cell of a Tx-only channel keeps its frequency.
        {"tx of a Tx-only channel, Enter", Enter, 2, kTxOnly, "147.5", 0, with(kTxOnly, 2, "147.50000")},
    };

    for (const CommitCase& c : cases) {
        SCOPED_TRACE(c.name);
        ChannelTable table;
        putRow(table, kRow, c.start);
        putRow(table, kRow + 1, kChannel);
        table.moveTo(kRow, c.col);
        const CommitOutcome outcome = commitEdit(table, c.col, c.text, c.trigger, kBand, false);
        EXPECT_EQ(outcome.rejectedWithMessageId, c.message);
        EXPECT_EQ(getRow(table, kRow), c.expected);
        EXPECT_EQ(outcome.changed, c.expected != c.start);
        EXPECT_EQ(getRow(table, kRow + 1), kChannel) << "another row was touched";
    }
}

TEST(CommitEdit, ValidatesAgainstBandLimitsAndStepsExactly)
{
    const std::vector<std::pair<std::string, int>> cases = {
        {"130", 0},
        {"160", 0},
        {"129.99375", resid::StrOutOfRange},
        {"160.005", resid::StrOutOfRange},
        {"145.0125", 0},
        {"145.005", 0},
        {"136.0125", 0},
        {"130.2", 0},
        {"145.001", resid::StrStepValueError},
        {"145.006249", resid::StrStepValueError},
        {"1000000", resid::StrOutOfRange},
        {"1e10", resid::StrFrequencyNotANumber},
        {"-145", resid::StrFrequencyNotANumber},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        ChannelTable table;
        table.moveTo(kRow, 1);
        EXPECT_EQ(commitEdit(table, 1, text, Enter, kBand, false).rejectedWithMessageId, message);
    }
}

TEST(CommitEdit, ZeroBandLimitsRefuseEveryFrequency)
{
    ChannelTable table;
    table.moveTo(kRow, 1);
    EXPECT_EQ(commitEdit(table, 1, "145", Enter, BandLimits{}, false).rejectedWithMessageId,
              resid::StrOutOfRange);
}

TEST(CommitEdit, NewChannelDefaultsFollowTheLanguage)
{
    ChannelTable table;
    table.moveTo(kRow, 1);
    commitEdit(table, 1, "150", Enter, kBand, true);
    EXPECT_EQ(getRow(table, kRow), (Row{"150.00000", "150.00000", "无", "无", "宽", "否", "关", "高"}));
}

TEST(CommitEdit, SameTextIsNoChange)
{
    ChannelTable table;
    putRow(table, kRow, kChannel);
    table.moveTo(kRow, 1);
    EXPECT_FALSE(commitEdit(table, 1, "145", Enter, kBand, false).changed);
    table.moveTo(kRow, 4);
    EXPECT_FALSE(commitEdit(table, 4, "D023N", Leave, kBand, false).changed);
}

TEST(AdvanceAfterEnter, MovesRightThenDownThenWraps)
{
    ChannelTable table;
    std::vector<std::string> events;
    table.onLeaveCell = [&] {
        events.push_back("L" + std::to_string(table.row()) + "," + std::to_string(table.col()));
    };
    table.onEnterCell = [&] {
        events.push_back("E" + std::to_string(table.row()) + "," + std::to_string(table.col()));
    };

    table.moveTo(3, 7);
    events.clear();
    advanceAfterEnter(table);
    EXPECT_EQ(events, (std::vector<std::string>{"L3,7", "E3,8"}));

    events.clear();
    advanceAfterEnter(table); // last column: column 1 first, then the next row
    EXPECT_EQ(events, (std::vector<std::string>{"L3,8", "E3,1", "L3,1", "E4,1"}));

    table.moveTo(16, 8);
    events.clear();
    advanceAfterEnter(table); // last cell: row 1 first, then column 1
    EXPECT_EQ(events, (std::vector<std::string>{"L16,8", "E1,8", "L1,8", "E1,1"}));
}

TEST(OpeningAnEditor, ListSelectsTheFirstItemBeginningWithTheCellText)
{
    const std::vector<std::string> tones = buildToneList(false);
    const std::vector<std::string> busy = listItemsForColumn(7, false, tones);
    const std::vector<std::string> widthZh = listItemsForColumn(5, true, tones);
    struct Case {
        const std::vector<std::string>* items;
        std::string cell;
        int expected;
    };
    const std::vector<Case> cases = {
        {&tones, "", 0},       {&tones, "None", 0},  {&tones, "100.0", 13},  {&tones, "D754I", 218},
        {&tones, "d023n", 51}, {&tones, "D017N", 0}, {&tones, "D754N", 134}, {&busy, "qt/dqt", 2},
        {&busy, "Carrier", 1}, {&busy, "Wide", 0},   {&widthZh, "窄", 1},    {&widthZh, "宽", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        EXPECT_EQ(initialListSelection(*c.items, c.cell), c.expected);
    }
    EXPECT_EQ(initialListSelection({}, "x"), -1);
}

TEST(OpeningAnEditor, EditorsAndListsPerColumn)
{
    const std::vector<std::pair<int, bool>> expected = {
        {2127, false}, {2127, false}, {2128, false}, {2132, true}, {2133, true},
        {2134, true},  {2135, true},  {1130, true},  {1129, true},
    };
    for (int col = 0; col < 9; ++col) {
        EXPECT_EQ(editorIdForColumn(col), expected[static_cast<std::size_t>(col)].first) << col;
        EXPECT_EQ(isListColumn(col), expected[static_cast<std::size_t>(col)].second) << col;
    }
    EXPECT_EQ(listItemsForColumn(8, true, {}), (std::vector<std::string>{"高", "低"}));
    EXPECT_EQ(listItemsForColumn(6, false, {}), (std::vector<std::string>{"Yes", "No"}));
}

} // namespace
} // namespace qx260
