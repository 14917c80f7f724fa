// The channel table's cells: moves of the current cell with their LeaveCell and EnterCell
// notices, texts, widths, alignments, the enabled state, and a copy that notifies nobody.

#include "core/channels/ChannelTable.h"

#include <algorithm>

namespace qx260
{

namespace
{

// Widths before any layout is applied: every column visible except Busy Lock and Power.
constexpr std::array<int, ChannelTable::kCols> kInitialWidths{500, 1200, 1200, 1200, 1200, 1000, 1000, 0, 0};

bool validRow(int r)
{
    return r >= 0 && r < ChannelTable::kRows;
}
bool validCol(int c)
{
    return c >= 0 && c < ChannelTable::kCols;
}

} // namespace

ChannelTable::ChannelTable() : widths_(kInitialWidths)
{
    alignments_.fill(AlignLeftTop);
}

void ChannelTable::setRow(int r)
{
    moveTo(r, col_);
}

void ChannelTable::setCol(int c)
{
    moveTo(row_, c);
}

void ChannelTable::moveTo(int r, int c)
{
    // The fixed row and column never hold the current cell.
    r = std::clamp(r, 1, kRows - 1);
    c = std::clamp(c, 1, kCols - 1);
    if (r == row_ && c == col_)
        return;
    if (onLeaveCell)
        onLeaveCell();
    row_ = r;
    col_ = c;
    if (onEnterCell)
        onEnterCell();
}

const std::string& ChannelTable::textMatrix(int r, int c) const
{
    static const std::string empty;
    if (!validRow(r) || !validCol(c))
        return empty;
    return cells_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
}

void ChannelTable::setTextMatrix(int r, int c, const std::string& t)
{
    if (!validRow(r) || !validCol(c))
        return;
    std::string& cell = cells_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
    if (cell == t)
        return;
    cell = t;
    if (onCellChanged)
        onCellChanged(r, c);
}

int ChannelTable::colWidth(int c) const
{
    return validCol(c) ? widths_[static_cast<std::size_t>(c)] : 0;
}

void ChannelTable::setColWidth(int c, int twips)
{
    if (!validCol(c))
        return;
    twips = std::max(twips, 0);
    int& width = widths_[static_cast<std::size_t>(c)];
    if (width == twips)
        return;
    width = twips;
    if (onLayoutChanged)
        onLayoutChanged();
}

int ChannelTable::colAlignment(int c) const
{
    return validCol(c) ? alignments_[static_cast<std::size_t>(c)] : AlignLeftTop;
}

void ChannelTable::setColAlignment(int c, int alignment)
{
    if (!validCol(c))
        return;
    int& current = alignments_[static_cast<std::size_t>(c)];
    if (current == alignment)
        return;
    current = alignment;
    if (onLayoutChanged)
        onLayoutChanged();
}

int ChannelTable::rowHeight(int r) const
{
    return validRow(r) ? kDefaultRowHeight : 0;
}

int ChannelTable::cellLeft() const
{
    int left = 0;
    for (int c = 0; c < col_; ++c)
        left += widths_[static_cast<std::size_t>(c)];
    return left;
}

int ChannelTable::cellTop() const
{
    return row_ * kDefaultRowHeight;
}

int ChannelTable::cellWidth() const
{
    return widths_[static_cast<std::size_t>(col_)];
}

int ChannelTable::cellHeight() const
{
    return kDefaultRowHeight;
}

void ChannelTable::setEnabled(bool on)
{
    if (enabled_ == on)
        return;
    enabled_ = on;
    if (onLayoutChanged)
        onLayoutChanged();
}

} // namespace qx260
