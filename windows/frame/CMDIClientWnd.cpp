// The client area: the background picture loaded and set as a tiling brush.

#include "windows/frame/CMDIClientWnd.h"

#include "core/config/ProcessValues.h"
#include "windows/common/Pictures.h"

CMDIClientWnd::CMDIClientWnd(QWidget* parent) : QMdiArea(parent)
{
    setObjectName(QStringLiteral("mdiClient"));
    reloadBackground();
}

QPixmap CMDIClientWnd::loadBackground()
{
    return qx260::backgroundPicture(QString::fromStdString(qx260::processValues().executableDirectory));
}

void CMDIClientWnd::reloadBackground()
{
    background_ = loadBackground();
    // A brush of the picture tiles it from the viewport's top-left corner.
    setBackground(QBrush(background_));
}
