// The navigation bar: its own caption with the close button painted on the panel, its
// width limits, and dragging the right edge to resize it.

#include "windows/frame/CNavigatorBar.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QStyle>
#include <QStyleOption>
#include <QToolTip>
#include <QTreeWidget>

#include "core/config/ProcessValues.h"
#include "windows/common/HelpRequest.h"
#include "windows/common/Pictures.h"

// The bar's content: hands its paint, mouse and size events to the bar.
class NavigatorPanel : public QWidget
{
  public:
    NavigatorPanel(CNavigatorBar* bar) : QWidget(bar), bar_(bar)
    {
        setMouseTracking(true);
        setObjectName(QStringLiteral("navigatorPanel"));
    }

  protected:
    bool event(QEvent* e) override
    {
        if (bar_->panelEvent(e))
            return true;
        return QWidget::event(e);
    }
    void paintEvent(QPaintEvent*) override { bar_->paintPanel(this); }

  private:
    CNavigatorBar* bar_;
};

namespace
{

// Stands in for the dock's own title bar, which the bar draws itself: takes no room.
class EmptyTitleBar : public QWidget
{
  public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return {0, 0}; }
    QSize minimumSizeHint() const override { return {0, 0}; }
};

// Icon 131 at 16 x 16, or a drawn cross when the picture is missing.
QPixmap closeSymbol()
{
    QPixmap p = qx260::builtinIcon(131).pixmap(16, 16);
    if (!p.isNull())
        return p;
    p = QPixmap(16, 16);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(64, 64, 64), 1.6));
    painter.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
    painter.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
    return p;
}

} // namespace

CNavigatorBar::CNavigatorBar(QMainWindow* frame) : QDockWidget(frame), frame_(frame)
{
    setObjectName(QStringLiteral("navigatorBar"));
    caption_ = QString::fromStdString(qx260::processValues().languageString("company"));
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setTitleBarWidget(new EmptyTitleBar(this)); // the caption is drawn inside the bar
    setFixedWidth(width_);
}

bool CNavigatorBar::Create()
{
    setWindowTitle(QStringLiteral("IE Control Bar"));
    // The program's face name; fontconfig finds a serif face with Chinese glyphs for it.
    font_ = QFont(QStringLiteral("Time New Roman"));
    font_.setFamilies(
        {QStringLiteral("Time New Roman"), QStringLiteral("Times New Roman"), QStringLiteral("serif")});
    font_.setPixelSize(14);
    font_.setWeight(QFont::Normal);

    panel_ = new NavigatorPanel(this);
    panel_->setFont(font_);
    setWidget(panel_);

    tree_ = new QTreeWidget(panel_);
    tree_->setObjectName(QStringLiteral("navigationTree"));
    qx260::setControlId(tree_, kTreeId);
    tree_->setFont(font_);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setFrameShape(QFrame::NoFrame);
    tree_->setRootIsDecorated(true);
    tree_->setIndentation(18);
    tree_->setUniformRowHeights(true);

    trackingLine_ = new QRubberBand(QRubberBand::Line, frame_);
    trackingLine_->hide();
    layoutTree();
    return tree_ != nullptr;
}

int CNavigatorBar::limitWidth(int requested) const
{
    const int half = frame_->width() / 2;
    return qMax(kMinimumWidth, qMin(requested, qMax(kMinimumWidth, half)));
}

void CNavigatorBar::setBarWidth(int width)
{
    width_ = width;
    // Hidden, moved, shown again: the main window lays itself out anew.
    const bool wasVisible = isVisible();
    if (wasVisible)
        hide();
    setFixedWidth(width_);
    if (wasVisible)
        show();
    layoutTree();
}

QRect CNavigatorBar::frameRect() const
{
    if (!panel_)
        return {};
    return panel_->rect().adjusted(3, 6, -6, -6);
}

QRect CNavigatorBar::closeRect() const
{
    const QRect f = frameRect().adjusted(1, 1, 0, 0);
    const int right = f.left() + f.width(); // exclusive right edge
    const QRect button(QPoint(right - kCaptionHeight - 5, f.top()),
                       QPoint(right - 5 - 1, f.top() + kCaptionHeight - 1));
    return button.adjusted(7, 4, 1, -3);
}

QRect CNavigatorBar::dragZone() const
{
    const QRect f = frameRect();
    return {f.left() + f.width(), f.top(), kDragZone, f.height()};
}

void CNavigatorBar::layoutTree()
{
    if (!tree_ || !panel_)
        return;
    const QRect f = frameRect();
    const int top = 8 + kCaptionHeight + 1;
    tree_->setGeometry(QRect(QPoint(5, top), QPoint(f.right() - 2, f.bottom() - 2)));
}

void CNavigatorBar::paintPanel(QWidget* on)
{
    QPainter p(on);
    const QPalette pal = on->palette();
    p.fillRect(on->rect(), pal.color(QPalette::Window));

    // Etched frame: a grey outline with white lines inside its left/top edges and
    // along its right/bottom edges.
    const QRect f = frameRect();
    p.setPen(pal.color(QPalette::Disabled, QPalette::WindowText));
    p.drawRect(f.adjusted(0, 0, -1, -1));
    p.setPen(Qt::white);
    p.drawLine(f.left() + 1, f.top() + 1, f.left() + 1, f.bottom() - 1);
    p.drawLine(f.left() + 1, f.top() + 1, f.right() - 1, f.top() + 1);
    p.drawLine(f.right() + 1, f.top(), f.right() + 1, f.bottom() + 1);
    p.drawLine(f.left(), f.bottom() + 1, f.right() + 1, f.bottom() + 1);

    // Caption and the line under it.
    const QRect inner = f.adjusted(1, 1, 0, 0);
    p.setFont(font_);
    p.setPen(pal.color(QPalette::WindowText));
    const QRect captionRect(inner.left() + 5, inner.top(), closeRect().left() - inner.left() - 8,
                            kCaptionHeight);
    p.drawText(captionRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               p.fontMetrics().elidedText(caption_, Qt::ElideRight, captionRect.width()));
    p.setPen(pal.color(QPalette::Mid));
    p.drawLine(inner.left() + 1, inner.top() + kCaptionHeight, inner.right(), inner.top() + kCaptionHeight);

    // Close button: raised while hot, sunken while pressed.
    const QRect c = closeRect();
    if (hot_ || pressed_) {
        const QColor light = Qt::white;
        const QColor dark = pal.color(QPalette::Dark);
        p.setPen(pressed_ ? dark : light);
        p.drawLine(c.topLeft(), c.topRight());
        p.drawLine(c.topLeft(), c.bottomLeft());
        p.setPen(pressed_ ? light : dark);
        p.drawLine(c.bottomLeft(), c.bottomRight());
        p.drawLine(c.topRight(), c.bottomRight());
    }
    static const QPixmap symbol = closeSymbol();
    p.drawPixmap(c.topLeft() + (pressed_ ? QPoint(1, 1) : QPoint(0, 0)), symbol);
}

void CNavigatorBar::trackTo(int x)
{
    const QPoint top = panel_->mapTo(frame_, QPoint(x, 0));
    trackingLine_->setGeometry(top.x() - 2, top.y(), 4, qMax(1, panel_->height()));
    trackingLine_->show();
    trackingLine_->raise();
}

bool CNavigatorBar::panelEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
        layoutTree();
        return false;
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        if (closeRect().contains(help->pos()))
            QToolTip::showText(help->globalPos(), QStringLiteral("Close"), panel_, closeRect());
        else
            QToolTip::hideText();
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint pos = me->position().toPoint();
        if (dragZone().contains(pos)) {
            resizing_ = true;
            trackTo(limitWidth(pos.x()));
            return true;
        }
        mouseDown_ = true;
        hot_ = false;
        pressed_ = closeRect().contains(pos);
        panel_->update();
        return true;
    }
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint pos = me->position().toPoint();
        if (resizing_) {
            trackTo(limitWidth(pos.x()));
            return true;
        }
        if (dragZone().contains(pos))
            panel_->setCursor(qx260::sizingCursor());
        else
            panel_->unsetCursor();
        const bool inside = closeRect().contains(pos);
        const bool oldHot = hot_, oldPressed = pressed_;
        if (inside) {
            hot_ = !mouseDown_;
            pressed_ = mouseDown_;
        } else {
            hot_ = pressed_ = false;
        }
        if (oldHot != hot_ || oldPressed != pressed_)
            panel_->update();
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint pos = me->position().toPoint();
        if (resizing_) {
            resizing_ = false;
            trackingLine_->hide();
            setBarWidth(limitWidth(pos.x()));
            return true;
        }
        const bool close = mouseDown_ && closeRect().contains(pos);
        mouseDown_ = hot_ = pressed_ = false;
        panel_->update();
        if (close)
            emit closeClicked();
        return true;
    }
    case QEvent::Leave:
        if (hot_ && !mouseDown_) {
            hot_ = false;
            panel_->update();
        }
        return false;
    case QEvent::MouseButtonDblClick:
        return true;
    default:
        return false;
    }
}
