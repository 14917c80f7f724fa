// Dialog units to pixels from the dialog font's base units, the dialog font itself, and
// the tie between a label and its control.

#include "windows/common/DialogUnits.h"

#include <QFontMetrics>
#include <QLabel>

namespace qx260
{
namespace
{

// a * b / c rounded half away from zero, without overflow for screen-sized values.
int mulDiv(int a, int b, int c)
{
    const long long p = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}

} // namespace

QSize dialogBaseUnits(const QFont& dialogFont)
{
    const QFontMetrics fm(dialogFont);
    static const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int width = (fm.horizontalAdvance(sample) / 26 + 1) / 2;
    return {qMax(1, width), qMax(1, fm.height())};
}

QPoint dialogUnitsToPixels(const QFont& dialogFont, const QPoint& dluPoint)
{
    const QSize base = dialogBaseUnits(dialogFont);
    return {mulDiv(dluPoint.x(), base.width(), 4), mulDiv(dluPoint.y(), base.height(), 8)};
}

QRect dialogUnitsToPixels(const QFont& dialogFont, const QRect& dluRect)
{
    const QSize base = dialogBaseUnits(dialogFont);
    const int left = mulDiv(dluRect.x(), base.width(), 4);
    const int top = mulDiv(dluRect.y(), base.height(), 8);
    const int right = mulDiv(dluRect.x() + dluRect.width(), base.width(), 4);
    const int bottom = mulDiv(dluRect.y() + dluRect.height(), base.height(), 8);
    return {left, top, right - left, bottom - top};
}

QSize dialogUnitsToPixels(const QFont& dialogFont, const QSize& dluSize)
{
    const QSize base = dialogBaseUnits(dialogFont);
    return {mulDiv(dluSize.width(), base.width(), 4), mulDiv(dluSize.height(), base.height(), 8)};
}

QFont dialogFont(const QString& faceName, int pointSize)
{
    QFont f(faceName);
    f.setPointSize(pointSize);
    f.setStyleHint(QFont::Serif);
    return f;
}

void labelFor(QLabel* label, QWidget* control)
{
    label->setBuddy(control);
    // The label's text without its mnemonic marks ("&&" stands for "&").
    const QString text = label->text();
    QString name;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && ++i >= text.size())
            break;
        name += text[i];
    }
    control->setAccessibleName(name);
}

} // namespace qx260
