// The channel grid described to assistive technology; see GridAccessibility.h.
//
// The grid's table interface lays out its children as the screen does: the header row
// first, then each channel row with its channel number first, and in each row only the
// columns that have a width. Cells are small interfaces registered with the accessibility
// cache and kept by the table interface, one for each table cell that was asked for;
// they read everything from the grid when asked, so they never go stale when columns
// appear or disappear, and the table interface removes them when the grid goes.

#include "windows/view/GridAccessibility.h"

#include <vector>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWidget>

#include "core/channels/ChannelTable.h"
#include "windows/view/CMSFlexGrid.h"

namespace qx260
{

namespace
{

QString cellText(const CMSFlexGrid* grid, int row, int col)
{
    const std::string& text = grid->table()->textMatrix(row, col);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}

// The table columns (1 to 8) the grid shows, in order.
std::vector<int> shownColumns(const CMSFlexGrid* grid)
{
    std::vector<int> columns;
    if (const ChannelTable* table = grid ? grid->table() : nullptr) {
        for (int c = 1; c < table->cols(); ++c)
            if (table->colWidth(c) > 0)
                columns.push_back(c);
    }
    return columns;
}

// Where a table column stands among the shown ones (0 for the channel numbers, 1 for the
// first shown column, ...), or -1 while it is hidden.
int shownPosition(const CMSFlexGrid* grid, int col)
{
    if (col == column::Channel)
        return 0;
    const std::vector<int> columns = shownColumns(grid);
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i] == col)
            return static_cast<int>(i) + 1;
    return -1;
}

// The cell editor shown over the current cell: the grid's only child widget that is not
// hidden (its scroll bar belongs to the grid's parent).
QWidget* shownEditor(const CMSFlexGrid* grid)
{
    for (QObject* child : grid->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isHidden())
            return widget;
    }
    return nullptr;
}

class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
  public:
    GridCell(CMSFlexGrid* grid, int row, int col) : grid_(grid), row_(row), col_(col) {}

    bool isValid() const override { return grid_ && grid_->table() && shownPosition(grid_, col_) >= 0; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(grid_); }

    // The editor over the current cell is its only child.
    QAccessibleInterface* child(int index) const override
    {
        QWidget* editor = index == 0 ? editor_() : nullptr;
        return editor ? QAccessible::queryAccessibleInterface(editor) : nullptr;
    }
    int childCount() const override { return editor_() ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        QWidget* editor = editor_();
        return editor && child && child->object() == editor ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        QAccessibleInterface* editor = child(0);
        return editor && editor->rect().contains(x, y) ? editor : nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        QWidget* editor = editor_();
        return editor && editor->hasFocus() ? QAccessible::queryAccessibleInterface(editor) : nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name)
            return {};
        return cellText(grid_, row_, col_);
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect cell = grid_->cellRectPixels(row_, col_);
        return cell.isEmpty() ? QRect() : QRect(grid_->mapToGlobal(cell.topLeft()), cell.size());
    }

    QAccessible::Role role() const override
    {
        if (row_ == 0)
            return QAccessible::ColumnHeader;
        return col_ == column::Channel ? QAccessible::RowHeader : QAccessible::Cell;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invisible = true;
            return state;
        }
        // Channel rows scroll under the header row.
        const QRect cell = grid_->cellRectPixels(row_, col_);
        QRect shown = grid_->rect().adjusted(CMSFlexGrid::kBorder, CMSFlexGrid::kBorder,
                                             -CMSFlexGrid::kBorder, -CMSFlexGrid::kBorder);
        if (row_ > 0)
            shown.setTop(grid_->cellRectPixels(0, 0).bottom() + 1);
        state.invisible = !grid_->isVisible();
        state.offscreen = !shown.intersects(cell);
        state.disabled = !grid_->isEnabled();
        if (row_ == 0 || col_ == column::Channel)
            return state;
        state.focusable = true;
        state.selectable = true;
        state.selected = isSelected();
        state.editable = grid_->isEnabled();
        const ChannelTable* table = grid_->table();
        QWidget* focus = grid_->focusWidget();
        state.focused = table->row() == row_ && table->col() == col_ &&
                        (grid_->hasFocus() || (focus && grid_->isAncestorOf(focus)));
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        // Header cells stand beside the table's cells, as in other tables.
        if (t == QAccessible::TableCellInterface && row_ > 0 && col_ != column::Channel)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    // QAccessibleTableCellInterface: rows and columns count the channel cells only.
    bool isSelected() const override
    {
        return isValid() && row_ >= grid_->firstSelectedRow() && row_ <= grid_->lastSelectedRow() &&
               grid_->firstSelectedRow() > 0;
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return isValid() ? shownPosition(grid_, col_) - 1 : -1; }
    int rowIndex() const override { return row_ - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

  private:
    // The editor over this cell while it is the current one.
    QWidget* editor_() const
    {
        if (!isValid() || grid_->table()->row() != row_ || grid_->table()->col() != col_)
            return nullptr;
        return shownEditor(grid_);
    }

    QPointer<CMSFlexGrid> grid_;
    int row_;
    int col_;
};

class GridTable : public QAccessibleWidget, public QAccessibleTableInterface
{
  public:
    explicit GridTable(CMSFlexGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~GridTable() override
    {
        for (const QAccessible::Id id : std::as_const(cellIds_))
            QAccessible::deleteAccessibleInterface(id);
    }

    // The interface of table cell (row, col), row 0 and column 0 included.
    QAccessibleInterface* cell(int row, int col) const
    {
        const ChannelTable* table = grid()->table();
        if (!table || row < 0 || row >= table->rows() || col < 0 || col >= table->cols())
            return nullptr;
        const int key = row * ChannelTable::kCols + col;
        if (const auto it = cellIds_.constFind(key); it != cellIds_.constEnd())
            return QAccessible::accessibleInterface(it.value());
        auto* made = new GridCell(grid(), row, col);
        cellIds_.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // Children: the shown cells row by row, headers included.
    int childCount() const override
    {
        if (!grid()->table())
            return 0;
        return grid()->table()->rows() * (columnCount() + 1);
    }
    QAccessibleInterface* child(int index) const override
    {
        const int perRow = columnCount() + 1;
        if (index < 0 || index >= childCount())
            return nullptr;
        const int position = index % perRow;
        return cell(index / perRow, position == 0 ? column::Channel : shownColumns(grid())[position - 1]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const QAccessibleInterface* parentOf = child ? child->parent() : nullptr;
        if (!parentOf || parentOf->object() != grid())
            return -1;
        for (auto it = cellIds_.constBegin(); it != cellIds_.constEnd(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) != child)
                continue;
            const int position = shownPosition(grid(), it.key() % ChannelTable::kCols);
            return position < 0 ? -1 : (it.key() / ChannelTable::kCols) * (columnCount() + 1) + position;
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        int row = 0;
        int col = 0;
        if (!grid()->cellAt(grid()->mapFromGlobal(QPoint(x, y)), &row, &col))
            return nullptr;
        return cell(row, col);
    }
    QAccessibleInterface* focusChild() const override
    {
        const ChannelTable* table = grid()->table();
        if (!table || table->row() < 1 || table->col() < 1 || shownPosition(grid(), table->col()) < 0)
            return nullptr;
        QAccessibleInterface* current = cell(table->row(), table->col());
        QAccessibleInterface* editor = current->focusChild();
        return editor ? editor : current;
    }

    // QAccessibleTableInterface: the sixteen channel rows and the shown columns.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        const std::vector<int> columns = shownColumns(grid());
        if (row < 0 || row >= rowCount() || column < 0 || column >= static_cast<int>(columns.size()))
            return nullptr;
        return cell(row + 1, columns[static_cast<std::size_t>(column)]);
    }
    int selectedCellCount() const override { return selectedRowCount() * columnCount(); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> cells;
        for (int row : selectedRows())
            for (int c = 0; c < columnCount(); ++c)
                cells << cellAt(row, c);
        return cells;
    }
    QString columnDescription(int column) const override
    {
        const std::vector<int> columns = shownColumns(grid());
        if (column < 0 || column >= static_cast<int>(columns.size()))
            return {};
        return cellText(grid(), 0, columns[static_cast<std::size_t>(column)]);
    }
    QString rowDescription(int row) const override
    {
        return row >= 0 && row < rowCount() ? cellText(grid(), row + 1, column::Channel) : QString();
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    int columnCount() const override { return static_cast<int>(shownColumns(grid()).size()); }
    int rowCount() const override { return grid()->table() ? grid()->table()->rows() - 1 : 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override
    {
        QList<int> rows;
        if (grid()->firstSelectedRow() > 0)
            for (int r = grid()->firstSelectedRow(); r <= grid()->lastSelectedRow(); ++r)
                rows << r - 1;
        return rows;
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return selectedRows().contains(row); }
    // Rows are chosen in the window (a click on the channel number); not from outside.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {} // the cells read the grid live

  private:
    CMSFlexGrid* grid() const { return static_cast<CMSFlexGrid*>(widget()); }

    mutable QHash<int, QAccessible::Id> cellIds_; // by row * kCols + column
};

QList<QAccessibleInterface*> GridCell::columnHeaderCells() const
{
    auto* table = isValid() ? dynamic_cast<GridTable*>(parent()) : nullptr;
    return table ? QList<QAccessibleInterface*>{table->cell(0, col_)} : QList<QAccessibleInterface*>{};
}

QList<QAccessibleInterface*> GridCell::rowHeaderCells() const
{
    auto* table = isValid() ? dynamic_cast<GridTable*>(parent()) : nullptr;
    return table ? QList<QAccessibleInterface*>{table->cell(row_, column::Channel)}
                 : QList<QAccessibleInterface*>{};
}

QAccessibleInterface* gridFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("CMSFlexGrid") && object && object->isWidgetType())
        return new GridTable(static_cast<CMSFlexGrid*>(object));
    return nullptr;
}

// The cell's interface, to name it in an event.
QAccessibleInterface* cellInterface(CMSFlexGrid* grid, int row, int col)
{
    auto* table = dynamic_cast<GridTable*>(QAccessible::queryAccessibleInterface(grid));
    return table && shownPosition(grid, col) >= 0 ? table->cell(row, col) : nullptr;
}

} // namespace

void describeGridForAccessibility(CMSFlexGrid* grid)
{
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    Q_UNUSED(installed);

    QObject::connect(grid, &CMSFlexGrid::enterCell, grid, [grid] {
        if (!QAccessible::isActive() || !grid->hasFocus() || !grid->table())
            return;
        if (QAccessibleInterface* cell = cellInterface(grid, grid->table()->row(), grid->table()->col())) {
            QAccessibleEvent event(cell, QAccessible::Focus);
            QAccessible::updateAccessibility(&event);
        }
    });
    QObject::connect(grid, &CMSFlexGrid::cellChanged, grid, [grid](int row, int col) {
        if (!QAccessible::isActive())
            return;
        if (QAccessibleInterface* cell = cellInterface(grid, row, col)) {
            QAccessibleEvent event(cell, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    });
    QObject::connect(grid, &CMSFlexGrid::layoutChanged, grid, [grid] {
        if (!QAccessible::isActive())
            return;
        QAccessibleTableModelChangeEvent event(grid, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&event);
    });
}

} // namespace qx260
