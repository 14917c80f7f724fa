#pragma once
// The channel table: 17 x 9 text cells (row 0 headers, column 0 channel numbers),
// the current cell, column widths in twips and alignments, and the enabled state.
// Every change of the current cell raises LeaveCell (old cell still current) and then
// EnterCell (new cell current); fixed cells never become current.

#include <array>
#include <functional>
#include <string>

namespace qx260
{

namespace column
{
constexpr int Channel = 0;
constexpr int RxFrequency = 1;
constexpr int TxFrequency = 2;
constexpr int DecodeTone = 3;
constexpr int EncodeTone = 4;
constexpr int Bandwidth = 5;
constexpr int Scan = 6;
constexpr int BusyLock = 7;
constexpr int Power = 8;
} // namespace column

enum Alignment { AlignLeftTop = 0, AlignCenterCenter = 4 };

class ChannelTable
{
  public:
    static constexpr int kRows = 17;
    static constexpr int kCols = 9;
    // twips: the header and all sixteen channels fit the grid of the channel form unscrolled
    static constexpr int kDefaultRowHeight = 240;

    ChannelTable();

    int rows() const { return kRows; }
    int cols() const { return kCols; }

    int row() const { return row_; }
    int col() const { return col_; }
    void setRow(int r); // raises LeaveCell / EnterCell when it changes
    void setCol(int c);
    void moveTo(int r, int c); // one LeaveCell / EnterCell pair (a click)

    const std::string& text() const { return cells_[row_][col_]; }
    void setText(const std::string& t) { setTextMatrix(row_, col_, t); }
    const std::string& textMatrix(int r, int c) const;
    void setTextMatrix(int r, int c, const std::string& t);

    int colWidth(int c) const;
    void setColWidth(int c, int twips);
    int colAlignment(int c) const;
    void setColAlignment(int c, int alignment);
    int rowHeight(int r) const;

    // The current cell's rectangle in twips, relative to the grid's client area.
    int cellLeft() const;
    int cellTop() const;
    int cellWidth() const;
    int cellHeight() const;

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);

    // Events.
    std::function<void()> onLeaveCell;
    std::function<void()> onEnterCell;
    std::function<void(int row, int col)> onCellChanged;
    std::function<void()> onLayoutChanged; // widths, alignments, enabled

  private:
    std::array<std::array<std::string, kCols>, kRows> cells_;
    std::array<int, kCols> widths_{};
    std::array<int, kCols> alignments_{};
    int row_ = 1;
    int col_ = 1;
    bool enabled_ = true;
};

} // namespace qx260
