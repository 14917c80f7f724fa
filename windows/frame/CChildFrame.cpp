// The channel window frame: its size fitted to the view, Ctrl+F4 in place of Ctrl+W on
// its window menu, and a close that only hides unless the frame is being destroyed.

#include "windows/frame/CChildFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

#include "windows/view/CProgramView.h"

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setGeometry(0, 0, kCreateWidth, kCreateHeight);
    // The window menu's Close answers Ctrl+F4 only: on some desktops the framework also
    // gives it Ctrl+W, which is the Write accelerator here.
    if (QMenu* menu = systemMenu())
        for (QAction* action : menu->actions())
            if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)))
                action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
}

void CChildFrame::setView(CProgramView* view)
{
    view_ = view;
    setWidget(view);
    // Shrink to the form; never grow beyond the size the frame was created with.
    const QSize fit = sizeHint().boundedTo(QSize(kCreateWidth, kCreateHeight));
    setGeometry(0, 0, fit.width(), fit.height());
}

void CChildFrame::destroyFrame()
{
    destroying_ = true;
    hide();
    deleteLater();
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (destroying_) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    event->ignore();
    hide();
}
