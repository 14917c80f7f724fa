// Texts as a window shows them: long configured ones cut, the program's own in its language.

#include "windows/common/DisplayText.h"

#include <algorithm>

#include "core/config/ProcessValues.h"

namespace qx260
{

QString displayText(const std::string& text)
{
    // Decoding the whole text would cost as much as showing it: only the start is needed
    // (four bytes at most per character).
    const std::size_t enough = static_cast<std::size_t>(kMaxDisplayLength + 1) * 4;
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(std::min(text.size(), enough)));
    if (shown.size() > kMaxDisplayLength) {
        shown.truncate(kMaxDisplayLength);
        // A character outside the basic plane is two code units: never keep half of one.
        if (shown.back().isHighSurrogate())
            shown.chop(1);
        shown += QChar(0x2026);
    }
    return shown;
}

QString programText(Text id)
{
    return QString::fromUtf8(textOf(id, processValues().language()));
}

} // namespace qx260
