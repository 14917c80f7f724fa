#pragma once
// Numbers and tones the way spreadsheets write them into channel lists, brought to the
// texts the channel window takes: a decimal comma where the comma is the decimal
// separator, and a tone without its ".0" (100 for 100.0). Only the shape of a text is
// changed here; whether the value is acceptable is decided later, as if it were typed.

#include <string>
#include <string_view>

namespace qx260
{

// Digits with at most one decimal point and at least one digit; no sign, no blanks.
bool isPlainDecimal(std::string_view text);

// "145,125" -> "145.125": a plain decimal number written with one decimal comma. Any
// other text comes back as it is.
std::string withDecimalPoint(std::string_view text);

// True when text is a number written with a decimal comma (what withDecimalPoint mends).
bool hasDecimalComma(std::string_view text);

// A tone written as a plain number in whole tenths of a hertz, as the tone list writes it:
// "100" -> "100.0", "88.50" -> "88.5". Any other text comes back as it is.
std::string toneListText(std::string_view text);

} // namespace qx260
