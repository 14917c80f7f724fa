#pragma once
// Draws the print layout on a Qt paged paint device: a printer, the print preview's
// printer, or a PDF writer. The painter works in twips from the top left corner of the
// printable area; fonts are the serif printing face at the layout's sizes.

#include <QFont>

#include "core/print/PrintLayout.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPrinter;

namespace qx260
{

// The printing font for a size in twips, for a painter scaled to twips.
// Its average character width is brought to size.width by stretching.
QFont printFont(const PrintFontSize& size);

// Line heights of the printing fonts as the device measures them.
class DevicePrintMetrics : public PrintFontMetrics
{
  public:
    explicit DevicePrintMetrics(QPaintDevice& device) : device_(device) {}
    int lineHeight(const PrintFontSize& size) const override;

  private:
    QPaintDevice& device_;
};

// The printable area of a device in twips.
PrintGeometry deviceGeometry(const QPaintDevice& device);

// The layout of content on a device.
PrintLayout layoutForDevice(PrintContent content, QPaintDevice& device);

// Paints pages fromPage..toPage (1-based, clamped to the printout; 0 means from the first
// or to the last page). False when painting could not start on the device (for example
// an output file that cannot be written).
bool paintPrintout(QPagedPaintDevice& device, const PrintContent& content, int fromPage = 0, int toPage = 0);

// Paints the pages a printer's settings ask for (all, or its page range).
bool paintPrintout(QPrinter& printer, const PrintContent& content);

// Prints those pages as paintPrintout does; when the printer writes a PDF file, the file
// is replaced whole or not at all (see replaceFile): false, and the old file kept, when
// it cannot be. Not for a print preview's printer, which writes no file.
bool printOnPrinter(QPrinter& printer, const PrintContent& content);

// The one printer the program keeps: Print Setup changes it, every later print uses it.
// Made on first use; deleted when the application object goes.
QPrinter& applicationPrinter();

} // namespace qx260
