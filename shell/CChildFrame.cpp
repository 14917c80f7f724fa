#include "shell/CChildFrame.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setGeometry(0, 0, kCreateWidth, kCreateHeight);
}

void CChildFrame::setView(QWidget* view) {
    setWidget(view);
    // Shrink to the form; never grow beyond the size the frame was created with.
    const QSize fit = sizeHint().boundedTo(QSize(kCreateWidth, kCreateHeight));
    setGeometry(0, 0, fit.width(), fit.height());
}

void CChildFrame::destroyFrame() {
    destroying_ = true;
    hide();
    deleteLater();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (destroying_) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    event->ignore();
    hide();
}
