// Spreadsheet number shapes to channel-window texts; see SpreadsheetValues.h.

#include "core/channels/SpreadsheetValues.h"

#include "core/radio/Decimal.h"

namespace qx260
{

namespace
{

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Digits with at most one mark (point or comma) and at least one digit.
bool isNumberWith(std::string_view text, char mark)
{
    bool digit = false;
    bool marked = false;
    for (char c : text) {
        if (isDigit(c))
            digit = true;
        else if (c == mark && !marked)
            marked = true;
        else
            return false;
    }
    return digit;
}

} // namespace

bool isPlainDecimal(std::string_view text)
{
    return isNumberWith(text, '.');
}

std::string withDecimalPoint(std::string_view text)
{
    std::string out(text);
    const std::size_t comma = out.find(',');
    if (comma != std::string::npos && isNumberWith(text, ','))
        out[comma] = '.';
    return out;
}

bool hasDecimalComma(std::string_view text)
{
    return text.find(',') != std::string_view::npos && isNumberWith(text, ',');
}

std::string toneListText(std::string_view text)
{
    // Tones lie below 1000 Hz: longer numbers are left for the tone list to refuse.
    constexpr std::size_t kMaxWholeDigits = 4;
    if (!isPlainDecimal(text))
        return std::string(text);
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    if (fraction.size() > 1 || whole.size() > kMaxWholeDigits)
        return std::string(text);
    std::int64_t tenths = 0;
    for (char c : whole)
        tenths = tenths * 10 + (c - '0');
    tenths = tenths * 10 + (fraction.empty() ? 0 : fraction[0] - '0');
    return formatScaled(tenths, 1);
}

} // namespace qx260
