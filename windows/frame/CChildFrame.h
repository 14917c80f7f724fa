#pragma once
// The frame of one channel window. A close request (close box, Ctrl+F4, the window
// menu) only hides it: the document stays open and Channel Information shows it again.

#include <QMdiSubWindow>

class CProgramView;

class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT
  public:
    static constexpr int kCreateWidth = 1600;
    static constexpr int kCreateHeight = 1200;

    explicit CChildFrame(QWidget* parent = nullptr);

    // Puts the form into the frame at (0, 0) of the client area, shrunk to fit the form.
    void setView(CProgramView* view);
    // The channel view the frame holds (it goes with the frame).
    CProgramView* view() const { return view_; }
    // Closes and destroys the frame for real (New replaces the document).
    void destroyFrame();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    CProgramView* view_ = nullptr;
    bool destroying_ = false;
};
