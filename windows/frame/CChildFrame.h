#pragma once
// The frame of one channel window. A close request (close box, Ctrl+F4, the window
// menu) only hides it: the document stays open and Channel Information shows it again.

#include <QMdiSubWindow>

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kCreateWidth = 1600;
    static constexpr int kCreateHeight = 1200;

    explicit CChildFrame(QWidget* parent = nullptr);

    // Puts the form into the frame at (0, 0) of the client area, shrunk to fit the form.
    void setView(QWidget* view);
    // Closes and destroys the frame for real (New replaces the document).
    void destroyFrame();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool destroying_ = false;
};
