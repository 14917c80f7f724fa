#include "shell/CMDIClientWnd.h"

#include <QFileInfo>
#include <QPainter>

#include "shell/ProcessValues.h"

namespace {

// Stands in for the built-in background when no picture is available at all.
QPixmap drawnBackground() {
    QPixmap p(64, 64);
    p.fill(QColor(58, 110, 165));
    QPainter painter(&p);
    painter.setPen(QColor(70, 124, 180));
    painter.drawLine(0, 63, 63, 63);
    painter.drawLine(63, 0, 63, 63);
    return p;
}

}  // namespace

CMDIClientWnd::CMDIClientWnd(QWidget* parent) : QMdiArea(parent) {
    setObjectName(QStringLiteral("mdiClient"));
    reloadBackground();
}

QPixmap CMDIClientWnd::loadBackground() {
    const QString file =
        QString::fromStdString(qx260::processValues().executableDirectory) + QStringLiteral("background.bmp");
    QPixmap picture;
    if (QFileInfo(file).isFile() && picture.load(file) && !picture.isNull())
        return picture;
    if (picture.load(QStringLiteral(":/qx260/pictures/background.bmp")) && !picture.isNull())
        return picture;
    return drawnBackground();
}

void CMDIClientWnd::reloadBackground() {
    background_ = loadBackground();
    // A brush of the picture tiles it from the viewport's top-left corner.
    setBackground(QBrush(background_));
}
