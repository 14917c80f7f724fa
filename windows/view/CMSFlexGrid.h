#pragma once
// The flex-grid control of the channel window: draws a qx260::ChannelTable and turns
// clicks and keys into moves of the table's current cell.
//
// The grid attaches itself to the table's events and raises them again as Qt signals:
// enterCell() after the current cell changed, leaveCell() before it changes, and
// mouseDown() on every mouse press. Connect to these signals; do not overwrite the
// table's callbacks once a grid shows it.
//
// Geometry: column widths and row heights are the table's twips, converted with the
// screen's logical pixels per inch (multiply first, then divide, truncating). Column
// edges are converted from their twip positions, so cellRectPixels() and the drawn
// cells always agree. Rows that do not fit scroll under the fixed header row; the scroll
// bar belongs to the grid's parent, so it stays usable while the grid is disabled.

#include <algorithm>

#include <QColor>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QPainter;
class QScrollBar;

namespace qx260
{
class ChannelTable;
}

class CMSFlexGrid : public QWidget
{
    Q_OBJECT
  public:
    // Mouse button and shift-state values carried by mouseDown().
    enum Button : short { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
    enum Shift : short { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };

    // Width of the sunken edge around the cells, in pixels.
    static constexpr int kBorder = 2;

    explicit CMSFlexGrid(QWidget* parent = nullptr);
    ~CMSFlexGrid() override;

    // Shows this table (not owned; it must outlive the grid or be detached with nullptr).
    void setTable(qx260::ChannelTable* table);
    qx260::ChannelTable* table() const { return table_; }

    // Text colour of the fixed row and column; colour of the area outside the cells.
    QColor foreColorFixed() const { return foreColorFixed_; }
    void setForeColorFixed(const QColor& c);
    QColor backColorBkg() const { return backColorBkg_; }
    void setBackColorBkg(const QColor& c);
    QColor gridColor() const { return gridColor_; }
    QColor gridColorFixed() const { return gridColorFixed_; }

    // Logical pixels per inch of the screen the grid is on.
    int dpiX() const;
    int dpiY() const;

    // Twips to pixels with this grid's resolution.
    int twipsToPixelsX(int twips) const;
    int twipsToPixelsY(int twips) const;

    // The current cell in pixels, relative to this widget: the border, the scrolling and the
    // hidden columns taken into account. Place cell editors (children of the grid) by this.
    QRect cellRectPixels() const;
    // Any cell in pixels; an empty rectangle for a hidden column.
    QRect cellRectPixels(int row, int col) const;
    // The cell under a point, or false when the point is on no cell.
    bool cellAt(const QPoint& pos, int* row, int* col) const;

    // First channel row shown under the header row (1 when not scrolled).
    int topRow() const { return topRow_; }
    void setTopRow(int row);

    // Width and height the whole table takes, in pixels.
    QSize contentSize() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Repaints at once (the editors use it after they move over a cell).
    void redrawNow();

    // Whole channel rows drawn as selected: first..last (either order); 0, 0 for none.
    void setSelectedRows(int first, int last);
    int firstSelectedRow() const { return std::min(selectedFrom_, selectedTo_); }
    int lastSelectedRow() const { return std::max(selectedFrom_, selectedTo_); }

  signals:
    void enterCell();
    void leaveCell();
    void mouseDown(short button, short shift, int x, int y);
    // The rows were scrolled: topRow() changed.
    void topRowChanged(int row);
    // A cell's text changed (any row or column).
    void cellChanged(int row, int col);
    // Widths, alignments or the enabled state of the table changed.
    void layoutChanged();
    // A left click on a channel number; extend: with Shift held.
    void channelNumberPressed(int row, bool extend);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void attach();
    void detach();
    void syncLayout();
    QRect cellArea() const; // inside the border
    void drawBorder(QPainter& p) const;
    void updateScrollBar();
    int maxTopRow() const;
    void ensureCurrentVisible();
    int columnLeftPixels(int col) const;         // left edge of a column, unscrolled
    int rowTopPixels(int row) const;             // top edge of a row, unscrolled
    int scrollOffset() const;                    // pixels hidden above the first shown channel row
    int visibleColumn(int from, int step) const; // next column with a width, or -1
    void moveCurrent(int row, int col);

    qx260::ChannelTable* table_ = nullptr;
    QPointer<QScrollBar> vScroll_;
    int topRow_ = 1;
    QColor foreColorFixed_{Qt::black};
    QColor backColorBkg_{128, 128, 128};
    QColor gridColor_{192, 192, 192};
    QColor gridColorFixed_{0, 0, 0};
    int selectedFrom_ = 0;
    int selectedTo_ = 0;
};
