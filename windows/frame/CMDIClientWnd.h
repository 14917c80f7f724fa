#pragma once
// The client area of the main window: holds the channel windows and tiles the
// background picture from its top-left corner, unscaled, cut off at the edges.

#include <QMdiArea>
#include <QPixmap>

class CMDIClientWnd : public QMdiArea
{
    Q_OBJECT
  public:
    explicit CMDIClientWnd(QWidget* parent = nullptr);

    // "background.bmp" from the executable's directory, else the built-in picture.
    static QPixmap loadBackground();
    const QPixmap& background() const { return background_; }
    void reloadBackground();

  private:
    QPixmap background_;
};
