#pragma once
// Colours of the program's own (the blue headers of the channel grid, the red title line)
// that must stay readable whatever the desktop's colour theme. On a light palette they are
// used as they are; on a dark one they give way to the palette's own text colours as far
// as needed to read well.

#include <QColor>

class QPalette;

namespace qx260
{

// The contrast text needs against its background to read well (WCAG AA for normal text).
inline constexpr double kReadableContrast = 4.5;

// Contrast ratio of two colours, from 1 (the same) to 21 (black on white), by their
// relative luminance as WCAG defines it.
double contrastRatio(const QColor& a, const QColor& b);

// True when the palette draws light text on dark windows.
bool isDarkPalette(const QPalette& palette);

// The program's own colour when it reads on the background; otherwise the first blend of it
// towards paletteText that does (paletteText itself at worst, or black or white when even
// that does not read).
QColor readableOn(const QColor& own, const QColor& background, const QColor& paletteText);

} // namespace qx260
