// The grid's drawing and geometry (twips to pixels, rows scrolling under the header), the
// table's events raised as signals, clicks and keys moving the current cell, and the wheel
// scrolling the rows.

#include "windows/view/CMSFlexGrid.h"

#include <algorithm>

#include <QFont>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "core/channels/ChannelTable.h"
#include "windows/view/GridAccessibility.h"

namespace
{

constexpr int kTwipsPerInch = 1440;
constexpr int kTextPadding = 2; // pixels between a left-aligned text and its cell edge

QString toQString(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

short buttonValue(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return CMSFlexGrid::LeftButton;
    case Qt::RightButton:
        return CMSFlexGrid::RightButton;
    case Qt::MiddleButton:
        return CMSFlexGrid::MiddleButton;
    default:
        return 0;
    }
}

short shiftValue(Qt::KeyboardModifiers m)
{
    short s = 0;
    if (m & Qt::ShiftModifier)
        s |= CMSFlexGrid::ShiftMask;
    if (m & Qt::ControlModifier)
        s |= CMSFlexGrid::CtrlMask;
    if (m & Qt::AltModifier)
        s |= CMSFlexGrid::AltMask;
    return s;
}

} // namespace

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSize(9);
    f.setWeight(QFont::Normal);
    f.setStyleHint(QFont::Serif);
    setFont(f);

    // The scroll bar lies over the grid's right edge but belongs to the grid's parent, so
    // that a disabled grid (no input to the cells) can still be scrolled through.
    vScroll_ = new QScrollBar(Qt::Vertical, parent ? parent : this);
    vScroll_->setObjectName(QStringLiteral("gridScrollBar"));
    vScroll_->setFocusPolicy(Qt::NoFocus);
    vScroll_->hide();
    connect(vScroll_, &QScrollBar::valueChanged, this, [this](int v) { setTopRow(v); });
    qx260::describeGridForAccessibility(this);
}

CMSFlexGrid::~CMSFlexGrid()
{
    detach();
    delete vScroll_.data();
}

void CMSFlexGrid::setTable(qx260::ChannelTable* table)
{
    if (table == table_)
        return;
    detach();
    table_ = table;
    topRow_ = 1;
    attach();
    syncLayout();
}

void CMSFlexGrid::attach()
{
    if (!table_)
        return;
    table_->onLeaveCell = [this] { emit leaveCell(); };
    table_->onEnterCell = [this] {
        ensureCurrentVisible();
        update();
        emit enterCell();
    };
    table_->onCellChanged = [this](int row, int col) {
        update();
        emit cellChanged(row, col);
    };
    table_->onLayoutChanged = [this] {
        syncLayout();
        emit layoutChanged();
    };
}

void CMSFlexGrid::detach()
{
    if (!table_)
        return;
    table_->onLeaveCell = nullptr;
    table_->onEnterCell = nullptr;
    table_->onCellChanged = nullptr;
    table_->onLayoutChanged = nullptr;
    table_ = nullptr;
}

void CMSFlexGrid::syncLayout()
{
    setEnabled(table_ == nullptr || table_->enabled());
    updateScrollBar();
    updateGeometry();
    update();
}

void CMSFlexGrid::setForeColorFixed(const QColor& c)
{
    foreColorFixed_ = c;
    update();
}

void CMSFlexGrid::setBackColorBkg(const QColor& c)
{
    backColorBkg_ = c;
    update();
}

int CMSFlexGrid::dpiX() const
{
    return std::max(1, logicalDpiX());
}
int CMSFlexGrid::dpiY() const
{
    return std::max(1, logicalDpiY());
}

int CMSFlexGrid::twipsToPixelsX(int twips) const
{
    return static_cast<int>(static_cast<long long>(twips) * dpiX() / kTwipsPerInch);
}

int CMSFlexGrid::twipsToPixelsY(int twips) const
{
    return static_cast<int>(static_cast<long long>(twips) * dpiY() / kTwipsPerInch);
}

int CMSFlexGrid::columnLeftPixels(int col) const
{
    if (!table_)
        return 0;
    long long twips = 0;
    for (int c = 0; c < col && c < table_->cols(); ++c)
        twips += table_->colWidth(c);
    return static_cast<int>(twips * dpiX() / kTwipsPerInch);
}

int CMSFlexGrid::rowTopPixels(int row) const
{
    if (!table_)
        return 0;
    long long twips = 0;
    for (int r = 0; r < row && r < table_->rows(); ++r)
        twips += table_->rowHeight(r);
    return static_cast<int>(twips * dpiY() / kTwipsPerInch);
}

int CMSFlexGrid::scrollOffset() const
{
    return rowTopPixels(topRow_) - rowTopPixels(1);
}

QSize CMSFlexGrid::contentSize() const
{
    if (!table_)
        return {0, 0};
    return {columnLeftPixels(table_->cols()), rowTopPixels(table_->rows())};
}

QRect CMSFlexGrid::cellRectPixels(int row, int col) const
{
    if (!table_ || row < 0 || col < 0 || row >= table_->rows() || col >= table_->cols())
        return {};
    const int left = columnLeftPixels(col);
    const int width = columnLeftPixels(col + 1) - left;
    int top = rowTopPixels(row);
    const int height = rowTopPixels(row + 1) - top;
    if (row > 0)
        top -= scrollOffset();
    if (width <= 0 || height <= 0)
        return {kBorder + left, kBorder + top, 0, 0};
    return {kBorder + left, kBorder + top, width, height};
}

QRect CMSFlexGrid::cellRectPixels() const
{
    if (!table_)
        return {};
    return cellRectPixels(table_->row(), table_->col());
}

bool CMSFlexGrid::cellAt(const QPoint& widgetPos, int* row, int* col) const
{
    if (!table_ || !cellArea().contains(widgetPos))
        return false;
    const QPoint pos = widgetPos - QPoint(kBorder, kBorder);
    int foundCol = -1;
    for (int c = 0; c < table_->cols(); ++c) {
        const int left = columnLeftPixels(c);
        const int right = columnLeftPixels(c + 1);
        if (right > left && pos.x() >= left && pos.x() < right) {
            foundCol = c;
            break;
        }
    }
    if (foundCol < 0)
        return false;
    int foundRow = -1;
    const int headerBottom = rowTopPixels(1);
    if (pos.y() >= 0 && pos.y() < headerBottom) {
        foundRow = 0;
    } else {
        for (int r = topRow_; r < table_->rows(); ++r) {
            const int top = rowTopPixels(r) - scrollOffset();
            if (pos.y() >= top && pos.y() < top + rowTopPixels(r + 1) - rowTopPixels(r)) {
                foundRow = r;
                break;
            }
        }
    }
    if (foundRow < 0)
        return false;
    if (row)
        *row = foundRow;
    if (col)
        *col = foundCol;
    return true;
}

int CMSFlexGrid::maxTopRow() const
{
    if (!table_)
        return 1;
    // The smallest top row that still shows the last channel row whole.
    const int available = cellArea().height() - rowTopPixels(1);
    const int end = rowTopPixels(table_->rows());
    int top = table_->rows() - 1;
    while (top > 1 && end - rowTopPixels(top - 1) <= available)
        --top;
    return top;
}

void CMSFlexGrid::setTopRow(int row)
{
    row = std::clamp(row, 1, maxTopRow());
    if (row == topRow_)
        return;
    topRow_ = row;
    if (vScroll_->value() != row) {
        const QSignalBlocker block(vScroll_);
        vScroll_->setValue(row);
    }
    update();
    emit topRowChanged(row);
}

void CMSFlexGrid::updateScrollBar()
{
    if (!vScroll_)
        return;
    QWidget* host = parentWidget() ? parentWidget() : this;
    if (vScroll_->parentWidget() != host)
        vScroll_->setParent(host);
    const int maxTop = maxTopRow();
    if (maxTop <= 1 || isHidden()) {
        vScroll_->hide();
        setTopRow(1);
        return;
    }
    const int w = vScroll_->sizeHint().width();
    const QRect area = cellArea();
    QRect bar(area.right() + 1 - w, area.top(), w, area.height());
    if (host != this)
        bar.translate(pos());
    vScroll_->setGeometry(bar);
    {
        const QSignalBlocker block(vScroll_);
        vScroll_->setRange(1, maxTop);
        vScroll_->setPageStep(std::max(1, table_->rows() - maxTop));
        vScroll_->setSingleStep(1);
    }
    vScroll_->show();
    vScroll_->raise();
    setTopRow(topRow_);
    const QSignalBlocker block(vScroll_);
    vScroll_->setValue(topRow_);
}

void CMSFlexGrid::ensureCurrentVisible()
{
    if (!table_ || table_->row() < 1)
        return;
    const int r = table_->row();
    if (r < topRow_) {
        setTopRow(r);
        return;
    }
    const int available = cellArea().height() - rowTopPixels(1);
    int top = topRow_;
    while (top < r && rowTopPixels(r + 1) - rowTopPixels(top) > available)
        ++top;
    setTopRow(top);
}

QSize CMSFlexGrid::sizeHint() const
{
    const QSize content = contentSize();
    return content.isEmpty() ? QSize(200, 100) : content + QSize(2 * kBorder, 2 * kBorder);
}

QSize CMSFlexGrid::minimumSizeHint() const
{
    return {40, 40};
}

void CMSFlexGrid::redrawNow()
{
    repaint();
}

void CMSFlexGrid::setSelectedRows(int first, int last)
{
    if (first == selectedFrom_ && last == selectedTo_)
        return;
    selectedFrom_ = first;
    selectedTo_ = last;
    update();
}

void CMSFlexGrid::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void CMSFlexGrid::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void CMSFlexGrid::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    updateScrollBar();
}

void CMSFlexGrid::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    updateScrollBar();
}

void CMSFlexGrid::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    updateScrollBar();
}

void CMSFlexGrid::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ParentChange)
        updateScrollBar();
}

void CMSFlexGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateScrollBar();
}

void CMSFlexGrid::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    drawBorder(p);
    const QRect area = cellArea();
    p.fillRect(area, backColorBkg_);
    if (!table_)
        return;
    p.setClipRect(area);

    const bool enabled = isEnabled();
    const QPalette& pal = palette();
    const QColor fixedBack = pal.color(QPalette::Active, QPalette::Button);
    const QColor cellBack = pal.color(QPalette::Active, QPalette::Base);
    // Disabled: the texts greyed, but dark enough to stay readable.
    const QColor disabledText(120, 120, 120);
    const QColor cellText = enabled ? pal.color(QPalette::Active, QPalette::Text) : disabledText;
    const QColor fixedText = enabled ? foreColorFixed_ : disabledText;
    const int headerBottom = kBorder + rowTopPixels(1);

    auto drawRow = [&](int r) {
        const bool selected = r > 0 && r >= firstSelectedRow() && r <= lastSelectedRow();
        for (int c = 0; c < table_->cols(); ++c) {
            const QRect cell = cellRectPixels(r, c);
            if (cell.isEmpty())
                continue;
            const bool fixed = r == 0 || c == 0;
            p.fillRect(cell, selected ? pal.color(QPalette::Active, QPalette::Highlight)
                             : fixed  ? fixedBack
                                      : cellBack);
            const QString text = toQString(table_->textMatrix(r, c));
            if (!text.isEmpty()) {
                p.setPen(selected ? pal.color(QPalette::Active, QPalette::HighlightedText)
                         : fixed  ? fixedText
                                  : cellText);
                const QRect textRect = cell.adjusted(kTextPadding, 0, -kTextPadding - 1, -1);
                const int flags = table_->colAlignment(c) == qx260::AlignCenterCenter
                                      ? int(Qt::AlignCenter)
                                      : int(Qt::AlignLeft | Qt::AlignTop);
                p.drawText(textRect, flags | Qt::TextSingleLine, text);
            }
            // Each cell carries its grid lines on its right and bottom edges.
            p.setPen(fixed ? gridColorFixed_ : gridColor_);
            p.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
            p.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
        }
    };

    p.save();
    p.setClipRect(QRect(area.left(), headerBottom, area.width(), area.bottom() + 1 - headerBottom));
    for (int r = topRow_; r < table_->rows(); ++r) {
        if (cellRectPixels(r, 0).top() > area.bottom())
            break;
        drawRow(r);
    }
    // The current cell: a frame in the highlight colour inside the cell.
    const QRect current = cellRectPixels();
    if (enabled && !current.isEmpty() && table_->row() > 0 && table_->col() > 0) {
        QPen pen(pal.color(QPalette::Active, QPalette::Highlight));
        pen.setWidth(2);
        pen.setJoinStyle(Qt::MiterJoin);
        if (!hasFocus() && !isAncestorOf(focusWidget()))
            pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(current.adjusted(1, 1, -2, -2));
    }
    p.restore();
    drawRow(0);
}

QRect CMSFlexGrid::cellArea() const
{
    return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
}

void CMSFlexGrid::drawBorder(QPainter& p) const
{
    // A sunken edge: shadow on the top and left, light on the bottom and right.
    const QRect r = rect();
    p.setPen(QColor(160, 160, 160));
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    p.setPen(QColor(105, 105, 105));
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 2, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 2);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.setPen(QColor(227, 227, 227));
    p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
}

void CMSFlexGrid::moveCurrent(int row, int col)
{
    if (!table_ || row < 1 || col < 1 || row >= table_->rows() || col >= table_->cols())
        return;
    if (row == table_->row() && col == table_->col())
        return;
    table_->moveTo(row, col);
}

int CMSFlexGrid::visibleColumn(int from, int step) const
{
    if (!table_)
        return -1;
    for (int c = from; c >= 1 && c < table_->cols(); c += step) {
        if (table_->colWidth(c) > 0)
            return c;
    }
    return -1;
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    int row = 0;
    int col = 0;
    if (event->button() == Qt::LeftButton && cellAt(pos, &row, &col) && row > 0 && col > 0)
        moveCurrent(row, col);
    else if (event->button() == Qt::LeftButton && row > 0 && col == 0)
        emit channelNumberPressed(row, event->modifiers() & Qt::ShiftModifier);
    emit mouseDown(buttonValue(event->button()), shiftValue(event->modifiers()), pos.x(), pos.y());
    event->accept();
}

bool CMSFlexGrid::event(QEvent* event)
{
    // Tab and Shift+Tab move through the cells instead of leaving the grid.
    if (event->type() == QEvent::KeyPress && table_) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool back = key->key() == Qt::Key_Backtab ||
                          (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            int row = table_->row();
            int col = visibleColumn(table_->col() + (back ? -1 : 1), back ? -1 : 1);
            if (col < 0) {
                const int wrapRow = row + (back ? -1 : 1);
                if (wrapRow >= 1 && wrapRow < table_->rows()) {
                    row = wrapRow;
                    col = back ? visibleColumn(table_->cols() - 1, -1) : visibleColumn(1, 1);
                }
            }
            if (col > 0)
                moveCurrent(row, col);
            return true;
        }
    }
    return QWidget::event(event);
}

void CMSFlexGrid::keyPressEvent(QKeyEvent* event)
{
    if (!table_) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int row = table_->row();
    const int col = table_->col();
    const int lastRow = table_->rows() - 1;
    const int pageRows =
        std::max(1, (cellArea().height() - rowTopPixels(1)) / std::max(1, rowTopPixels(2) - rowTopPixels(1)));
    int c = -1;
    switch (event->key()) {
    case Qt::Key_Left:
        c = visibleColumn(col - 1, -1);
        if (c > 0)
            moveCurrent(row, c);
        break;
    case Qt::Key_Right:
        c = visibleColumn(col + 1, 1);
        if (c > 0)
            moveCurrent(row, c);
        break;
    case Qt::Key_Up:
        moveCurrent(std::max(1, row - 1), col);
        break;
    case Qt::Key_Down:
        moveCurrent(std::min(lastRow, row + 1), col);
        break;
    case Qt::Key_PageUp:
        moveCurrent(std::max(1, row - pageRows), col);
        break;
    case Qt::Key_PageDown:
        moveCurrent(std::min(lastRow, row + pageRows), col);
        break;
    case Qt::Key_Home:
        c = visibleColumn(1, 1);
        if (c > 0)
            moveCurrent((event->modifiers() & Qt::ControlModifier) ? 1 : row, c);
        break;
    case Qt::Key_End:
        c = visibleColumn(table_->cols() - 1, -1);
        if (c > 0)
            moveCurrent((event->modifiers() & Qt::ControlModifier) ? lastRow : row, c);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CMSFlexGrid::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0 && vScroll_->isVisible())
        setTopRow(topRow_ - 3 * steps);
    event->accept();
}
