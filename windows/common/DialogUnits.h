#pragma once
// Dialog templates are laid out in dialog units: a horizontal unit is a quarter of the
// dialog font's average character width, a vertical unit an eighth of its character height.
// A template's label names the control beside it; labelFor makes that tie known.

#include <QFont>
#include <QRect>
#include <QSize>

class QLabel;
class QWidget;

namespace qx260
{

// Average character width and character height of the font, in pixels.
QSize dialogBaseUnits(const QFont& dialogFont);

// Each edge converted on its own (with rounding), so neighbouring controls that touch in
// dialog units touch in pixels too.
QRect dialogUnitsToPixels(const QFont& dialogFont, const QRect& dluRect);
QSize dialogUnitsToPixels(const QFont& dialogFont, const QSize& dluSize);
QPoint dialogUnitsToPixels(const QFont& dialogFont, const QPoint& dluPoint);

// The font of a dialog template: face name and size in points.
QFont dialogFont(const QString& faceName, int pointSize);

// The label names the control: its buddy (a click or mnemonic on the label reaches the
// control) and the control's accessible name, so that a screen reader says what it is for.
void labelFor(QLabel* label, QWidget* control);

} // namespace qx260
