// The channel table as the window uses it: where it starts, Leave and Enter raised only
// when the current cell moves, fixed cells never current, cell texts and rectangles, and
// layout changes reported.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/channels/ChannelTable.h"

using qx260::ChannelTable;

namespace
{

// Records the events with the current cell as seen at the moment each is raised.
struct EventLog {
    explicit EventLog(ChannelTable& t)
    {
        t.onLeaveCell = [this, &t] { events.push_back("leave " + cell(t)); };
        t.onEnterCell = [this, &t] { events.push_back("enter " + cell(t)); };
    }
    static std::string cell(const ChannelTable& t)
    {
        return std::to_string(t.row()) + "," + std::to_string(t.col());
    }
    std::vector<std::string> events;
};

TEST(ChannelTableTest, StartsAtFirstChannelCellWithEmptyCells)
{
    ChannelTable t;
    EXPECT_EQ(t.rows(), 17);
    EXPECT_EQ(t.cols(), 9);
    EXPECT_EQ(t.row(), 1);
    EXPECT_EQ(t.col(), 1);
    EXPECT_TRUE(t.enabled());
    EXPECT_EQ(t.textMatrix(16, 8), "");
}

TEST(ChannelTableTest, MovesRaiseLeaveThenEnterOnlyOnChange)
{
    ChannelTable t;
    EventLog log(t);
    t.setRow(5);
    t.setCol(3);
    t.setCol(3);    // no change, no events
    t.moveTo(5, 3); // same
    t.moveTo(9, 7); // one pair for both coordinates
    EXPECT_EQ(log.events, (std::vector<std::string>{"leave 1,1", "enter 5,1", "leave 5,1", "enter 5,3",
                                                    "leave 5,3", "enter 9,7"}));
}

TEST(ChannelTableTest, FixedAndOutOfRangeCellsNeverBecomeCurrent)
{
    ChannelTable t;
    EventLog log(t);
    t.setRow(0); // already row 1: nothing happens
    t.setCol(-4);
    EXPECT_TRUE(log.events.empty());
    t.moveTo(100, 100);
    EXPECT_EQ(t.row(), 16);
    EXPECT_EQ(t.col(), 8);
    t.moveTo(0, 0);
    EXPECT_EQ(t.row(), 1);
    EXPECT_EQ(t.col(), 1);
    EXPECT_EQ(log.events.size(), 4u);
}

TEST(ChannelTableTest, TextsOfAnyCellIncludingFixedOnes)
{
    ChannelTable t;
    std::vector<std::pair<int, int>> changed;
    t.onCellChanged = [&](int r, int c) { changed.emplace_back(r, c); };
    t.setTextMatrix(0, 3, "QT/DQT Dec");
    t.setTextMatrix(4, 0, " 4");
    t.moveTo(4, 2);
    t.setText("145.12500");
    t.setText("145.12500"); // same text: not a change
    EXPECT_EQ(t.textMatrix(4, 2), "145.12500");
    EXPECT_EQ(t.text(), "145.12500");
    EXPECT_EQ(t.textMatrix(0, 3), "QT/DQT Dec");
    EXPECT_EQ(changed, (std::vector<std::pair<int, int>>{{0, 3}, {4, 0}, {4, 2}}));

    // Outside the table: ignored on write, empty on read.
    t.setTextMatrix(17, 0, "x");
    t.setTextMatrix(0, -1, "x");
    EXPECT_EQ(t.textMatrix(17, 0), "");
    EXPECT_EQ(t.textMatrix(-1, 9), "");
    EXPECT_EQ(changed.size(), 3u);
}

TEST(ChannelTableTest, CellRectangleFollowsWidthsAndHiddenColumns)
{
    ChannelTable t;
    const int widths[] = {500, 1200, 0, 1200, 0, 1000, 1000, 0, 0}; // receive-side layout
    for (int c = 0; c < 9; ++c)
        t.setColWidth(c, widths[c]);

    t.moveTo(1, 1);
    EXPECT_EQ(t.cellLeft(), 500);
    EXPECT_EQ(t.cellTop(), ChannelTable::kDefaultRowHeight);
    EXPECT_EQ(t.cellWidth(), 1200);
    EXPECT_EQ(t.cellHeight(), ChannelTable::kDefaultRowHeight);

    t.moveTo(16, 5);
    EXPECT_EQ(t.cellLeft(), 500 + 1200 + 1200);
    EXPECT_EQ(t.cellTop(), 16 * ChannelTable::kDefaultRowHeight);
    EXPECT_EQ(t.cellWidth(), 1000);

    t.moveTo(3, 4); // a hidden column has no width
    EXPECT_EQ(t.cellWidth(), 0);
    EXPECT_EQ(t.cellLeft(), 500 + 1200 + 1200);
}

TEST(ChannelTableTest, LayoutChangesAreReported)
{
    ChannelTable t;
    int layouts = 0;
    t.onLayoutChanged = [&] { ++layouts; };
    t.setColWidth(2, 0);
    t.setColWidth(2, 0);
    t.setColWidth(3, -50); // negative widths hide the column
    t.setColAlignment(1, qx260::AlignCenterCenter);
    t.setEnabled(false);
    t.setEnabled(false);
    t.setColWidth(9, 100); // no such column
    EXPECT_EQ(layouts, 4);
    EXPECT_EQ(t.colWidth(3), 0);
    EXPECT_EQ(t.colAlignment(1), qx260::AlignCenterCenter);
    EXPECT_EQ(t.colWidth(9), 0);
    EXPECT_FALSE(t.enabled());
    EXPECT_EQ(t.rowHeight(0), ChannelTable::kDefaultRowHeight);
}

} // namespace
