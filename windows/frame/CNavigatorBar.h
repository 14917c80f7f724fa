#pragma once
// The docking bar at the left of the main window that holds the navigation tree. It
// draws its own caption (the company name) with a close button, and its width is
// changed by dragging the strip along its right edge.

#include <QDockWidget>
#include <QFont>
#include <QRect>
#include <QString>

class QRubberBand;
class QTreeWidget;
class QMainWindow;

class CNavigatorBar : public QDockWidget
{
    Q_OBJECT
  public:
    static constexpr int kControlId = 100;
    static constexpr int kTreeId = 1031;
    static constexpr int kCaptionHeight = 22;
    static constexpr int kInitialWidth = 220;
    static constexpr int kMinimumWidth = 80;
    static constexpr int kDragZone = 6;

    // Reads the caption text and starts at the initial width.
    explicit CNavigatorBar(QMainWindow* frame);

    // Creates the font, the tree and the close tooltip; false when the tree is missing.
    bool Create();

    QTreeWidget* tree() const { return tree_; }
    QString captionText() const { return caption_; }
    int barWidth() const { return width_; }
    // Limits a width to what the bar may take in its main window (80 .. half the width).
    int limitWidth(int requested) const;
    // Applies a new width (as the end of a drag does).
    void setBarWidth(int width);

    // Geometry of the drawing, in the coordinates of the bar's content.
    QRect frameRect() const;
    QRect closeRect() const;
    QRect dragZone() const;
    bool closeHot() const { return hot_; }
    bool closePressed() const { return pressed_; }
    bool resizing() const { return resizing_; }
    // The content widget that draws the caption and takes the mouse.
    QWidget* panel() const { return panel_; }

  signals:
    // The close button was released over itself: the frame hides the bar.
    void closeClicked();

  private:
    friend class NavigatorPanel;
    void paintPanel(QWidget* on);
    void layoutTree();
    bool panelEvent(QEvent* event);
    void trackTo(int x);

    QMainWindow* frame_;
    QWidget* panel_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QRubberBand* trackingLine_ = nullptr;
    QString caption_;
    QFont font_;
    int width_ = kInitialWidth;
    bool mouseDown_ = false;
    bool hot_ = false;
    bool pressed_ = false;
    bool resizing_ = false;
};
