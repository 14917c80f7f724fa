#pragma once
// Exact decimal conversion of user texts, independent of the process locale.
//
// A text's leading number is read as C's strtod reads it (leading white space, sign,
// digits, decimal point, exponent; no number gives 0), then rounded to 15 significant
// digits, multiplied by a power of ten exactly and truncated toward zero. This is how
// "136.0125" becomes exactly 13601250 where a double multiplication gives one less.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qx260
{

// The leading number of a text, as strtod reads it but always with "." as decimal point.
double parseLeadingNumber(std::string_view text);

// value rounded to 15 significant digits, times 10^powerOfTen, truncated toward zero.
// Empty when the result does not fit in 64 bits (or value is not finite).
std::optional<std::int64_t> scaleExact(double value, int powerOfTen);

// A number as a user types it: optional blanks around digits with at most one decimal
// point ("145.125", " 146 ", ".5", "145."). Empty for anything else: a comma, a sign, an
// exponent, a unit, a second point, a blank inside, no digit at all.
std::optional<double> parsePlainDecimal(std::string_view text);

// Whether a plain decimal number (as parsePlainDecimal takes it) has a digit other than 0
// after its first `decimals` decimals: a digit that a count of 10^-decimals units would
// drop ("146.5400001" and "145.00000625" at 5 decimals; not "146.520000").
bool hasDigitsBeyond(std::string_view plainDecimal, int decimals);

// parseLeadingNumber + scaleExact, limited to a 32-bit signed result (empty on overflow).
std::optional<std::int32_t> textToScaled32(std::string_view text, int powerOfTen);

// printf-style "%W.Pf" of a double with "." as decimal point, whatever the locale.
std::string formatFixed(double value, int width, int precision);

// An integer count of 10^-decimals units, printed with exactly that many decimals
// (e.g. formatScaled(14512500, 5) == "145.12500", formatScaled(25, 1) == "2.5").
std::string formatScaled(std::int64_t units, int decimals);

// The leading integer of a text as atoi reads it (leading blanks, optional sign, digits).
long leadingInteger(std::string_view text);

} // namespace qx260
