#pragma once
// The program's pictures: the built-in ones, and the picture files beside the executable
// that take their place where the program allows it.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace qx260
{

// Toolbar button picture (18 x 19) of a command; null for a command without one.
QPixmap toolbarButtonImage(int command);

// Icon 128 (the program: 16, 32 and 48 pixels) and icon 131 (the close symbol of the
// navigation bar, 16 x 16); null for any other id.
QIcon builtinIcon(int id);

// Bitmap 137, the background tile of the empty client area; null for any other id.
QPixmap builtinBitmap(int id);

// Cursor 132: the horizontal sizing cursor of the navigation bar's edge.
QCursor sizingCursor();

// "title.ico" in executableDirectory (which ends with its separator) or, installed, in
// ../share/qx260/ beside it; a null icon when the file is missing or not a picture, so
// that the caller keeps what it had.
QIcon titleIcon(const QString& executableDirectory);

// "background.bmp" found the same way, or bitmap 137 when that cannot be loaded.
QPixmap backgroundPicture(const QString& executableDirectory);

} // namespace qx260
