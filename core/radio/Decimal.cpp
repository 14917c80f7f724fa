// The locale-free number reading and writing behind every frequency, tone and delay text:
// a strtod-like reader, exact scaling by a power of ten, and fixed-point formatting.

#include "core/radio/Decimal.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace qx260
{

namespace
{

bool isBlank(char c)
{
    // The white space of the "C" locale.
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t skipBlanks(std::string_view text, std::size_t i)
{
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

} // namespace

double parseLeadingNumber(std::string_view text)
{
    std::size_t i = skipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;

    // Mantissa: digits, optional point, digits; at least one digit in all.
    std::size_t intDigits = 0;
    std::size_t fracDigits = 0;
    // Decimal magnitude of the mantissa's first significant digit, used only when the
    // number is out of the range of a double (to tell overflow from underflow).
    long firstSignificant = LONG_MIN;
    long position = 0;
    while (i < text.size() && isDigit(text[i])) {
        if (text[i] != '0' && firstSignificant == LONG_MIN)
            firstSignificant = position;
        ++position;
        ++intDigits;
        ++i;
    }
    const long integerLength = position;
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        while (j < text.size() && isDigit(text[j])) {
            if (text[j] != '0' && firstSignificant == LONG_MIN)
                firstSignificant = position;
            ++position;
            ++fracDigits;
            ++j;
        }
        if (intDigits + fracDigits > 0)
            i = j;
    }
    if (intDigits + fracDigits == 0)
        return 0.0;

    // Exponent: only taken when at least one digit follows the letter (and sign).
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                if (exponent < 100000)
                    exponent = exponent * 10 + (text[j] - '0');
                ++j;
            }
            if (expNegative)
                exponent = -exponent;
            i = j;
        }
    }

    const std::string_view number = text.substr(start, i - start);
    double value = 0.0;
    const auto result =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Like strtod: too large gives infinity, too small gives zero.
        const long magnitude = integerLength - firstSignificant + exponent;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::optional<double> parsePlainDecimal(std::string_view text)
{
    const std::size_t begin = skipBlanks(text, 0);
    std::size_t end = text.size();
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const std::string_view number = text.substr(begin, end - begin);
    bool digit = false;
    bool point = false;
    for (char c : number) {
        if (isDigit(c))
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!digit)
        return std::nullopt;
    return parseLeadingNumber(number);
}

bool hasDigitsBeyond(std::string_view plainDecimal, int decimals)
{
    const std::size_t point = plainDecimal.find('.');
    if (point == std::string_view::npos)
        return false;
    std::size_t i = point + 1;
    for (int kept = 0; kept < decimals && i < plainDecimal.size() && isDigit(plainDecimal[i]); ++kept)
        ++i;
    for (; i < plainDecimal.size() && isDigit(plainDecimal[i]); ++i)
        if (plainDecimal[i] != '0')
            return true;
    return false;
}

std::optional<std::int64_t> scaleExact(double value, int powerOfTen)
{
    if (!std::isfinite(value))
        return std::nullopt;

    // 15 significant digits: "d.dddddddddddddde+XX".
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    if (result.ec != std::errc())
        return std::nullopt;
    const char* p = buf;
    const char* end = result.ptr;
    bool negative = false;
    if (p < end && *p == '-') {
        negative = true;
        ++p;
    }
    std::int64_t digits = 0;
    while (p < end && *p != 'e') {
        if (isDigit(*p))
            digits = digits * 10 + (*p - '0');
        ++p;
    }
    if (p == end)
        return std::nullopt;
    ++p; // 'e'
    int exponent = 0;
    const auto expResult = std::from_chars(*p == '+' ? p + 1 : p, end, exponent);
    if (expResult.ec != std::errc())
        return std::nullopt;

    // value = digits x 10^(exponent - 14); scaled = digits x 10^shift.
    long shift = static_cast<long>(exponent) - 14 + powerOfTen;
    std::int64_t scaled = digits;
    if (shift >= 0) {
        for (; shift > 0 && scaled != 0; --shift) {
            if (scaled > std::numeric_limits<std::int64_t>::max() / 10)
                return std::nullopt;
            scaled *= 10;
        }
    } else {
        for (; shift < 0 && scaled != 0; ++shift)
            scaled /= 10; // truncates toward zero
    }
    return negative ? -scaled : scaled;
}

std::optional<std::int32_t> textToScaled32(std::string_view text, int powerOfTen)
{
    const std::optional<std::int64_t> scaled = scaleExact(parseLeadingNumber(text), powerOfTen);
    if (!scaled || *scaled < std::numeric_limits<std::int32_t>::min() ||
        *scaled > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*scaled);
}

std::string formatFixed(double value, int width, int precision)
{
    if (precision < 0)
        precision = 0;
    // The longest double in fixed notation has 309 integer digits.
    std::string out(330 + static_cast<std::size_t>(precision), '\0');
    const auto result =
        std::to_chars(out.data(), out.data() + out.size(), value, std::chars_format::fixed, precision);
    out.resize(result.ec == std::errc() ? static_cast<std::size_t>(result.ptr - out.data()) : 0);
    if (width > 0 && out.size() < static_cast<std::size_t>(width))
        out.insert(0, static_cast<std::size_t>(width) - out.size(), ' ');
    return out;
}

std::string formatScaled(std::int64_t units, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    const bool negative = units < 0;
    // The magnitude as unsigned, so that the most negative value has one too.
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    std::string digits = std::to_string(magnitude);
    if (digits.size() <= static_cast<std::size_t>(decimals))
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    if (decimals > 0)
        digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
    if (negative)
        digits.insert(0, 1, '-');
    return digits;
}

long leadingInteger(std::string_view text)
{
    std::size_t i = skipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so that LONG_MIN fits; saturate beyond the range.
    long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const int d = text[i] - '0';
        if (value < (LONG_MIN + d) / 10) {
            value = LONG_MIN;
        } else {
            value = value * 10 - d;
        }
    }
    if (negative)
        return value;
    return value == LONG_MIN ? LONG_MAX : -value;
}

} // namespace qx260
