// The cell editors of the channel grid: which editor each column has, the item a list opens
// on, and the move after Enter. (The commit rules are tested over values in channel_model_gtest.)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/channels/CellEditRules.h"
#include "core/channels/ChannelTable.h"
#include "core/radio/Tones.h"

namespace qx260
{
namespace
{

TEST(AdvanceAfterEnter, MovesRightThenDownThenWraps)
{
    ChannelTable table;
    std::vector<std::string> events;
    const auto event = [&](char kind) {
        return std::string(1, kind)
            .append(std::to_string(table.row()))
            .append(",")
            .append(std::to_string(table.col()));
    };
    table.onLeaveCell = [&] { events.push_back(event('L')); };
    table.onEnterCell = [&] { events.push_back(event('E')); };

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
    const std::vector<std::string> tones = buildToneList(Language::English);
    const std::vector<std::string> busy = listItemsForColumn(7, Language::English, tones);
    const std::vector<std::string> widthZh = listItemsForColumn(5, Language::Chinese, tones);
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
    EXPECT_EQ(listItemsForColumn(8, Language::Chinese, {}), (std::vector<std::string>{"高", "低"}));
    EXPECT_EQ(listItemsForColumn(6, Language::English, {}), (std::vector<std::string>{"Yes", "No"}));
}

} // namespace
} // namespace qx260
