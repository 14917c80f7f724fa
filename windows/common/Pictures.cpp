// Finding the pictures: the built-in resources, toolbar images, icons, the sizing cursor,
// and the title icon and background read from picture files beside the executable (or,
// installed, in ../share/qx260/).

#include "windows/common/Pictures.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "core/config/InstallLayout.h"
#include "platform/InstallPaths.h"
#include "res/ResourceIds.h"

// Pictures are compiled into a static library: pull them in by name.
static void initPictures()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    (void)done;
}

namespace qx260
{
namespace
{

QString picture(const char* name)
{
    initPictures();
    return QStringLiteral(":/qx260/pictures/") + QLatin1String(name);
}

// A picture file beside the executable, or once installed in ../share/qx260/.
QString pictureFile(const QString& executableDirectory, const char* name)
{
    const std::string directory = QFile::encodeName(executableDirectory).toStdString();
    return QFile::decodeName(QByteArray::fromStdString(
        companionFile(directory, installedDataDirectory(directory), name, regularFileExists)));
}

} // namespace

QPixmap toolbarButtonImage(int command)
{
    const char* name = nullptr;
    switch (command) {
    case resid::FileNew:
        name = "button-new.png";
        break;
    case resid::FileOpen:
        name = "button-open.png";
        break;
    case resid::FileSave:
        name = "button-save.png";
        break;
    case resid::Read:
        name = "button-read.png";
        break;
    case resid::Write:
        name = "button-write.png";
        break;
    case resid::FilePrint:
        name = "button-print.png";
        break;
    case resid::AppAbout:
        name = "button-about.png";
        break;
    default:
        return {};
    }
    return QPixmap(picture(name));
}

QIcon builtinIcon(int id)
{
    QIcon icon;
    if (id == 128) {
        for (const char* name : {"program-16.png", "program-32.png", "program-48.png"})
            icon.addFile(picture(name));
    } else if (id == 131) {
        icon.addFile(picture("close.png"));
    }
    return icon;
}

QPixmap builtinBitmap(int id)
{
    return id == 137 ? QPixmap(picture("background.bmp")) : QPixmap();
}

QCursor sizingCursor()
{
    const QPixmap shape(picture("sizing-cursor.png"));
    if (shape.isNull())
        return QCursor(Qt::SplitHCursor);
    return QCursor(shape, shape.width() / 2 - 1, shape.height() / 2 - 1);
}

QIcon titleIcon(const QString& executableDirectory)
{
    const QString path = pictureFile(executableDirectory, "title.ico");
    if (!QFileInfo(path).isFile())
        return {};
    // Every size the file holds, so the window system can choose.
    QIcon icon;
    QImageReader reader(path);
    const int count = qBound(1, reader.imageCount(), 16);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QPixmap backgroundPicture(const QString& executableDirectory)
{
    const QPixmap file(pictureFile(executableDirectory, "background.bmp"));
    return file.isNull() ? builtinBitmap(137) : file;
}

} // namespace qx260
