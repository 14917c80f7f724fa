#pragma once
// Tone and code texts: "None", analogue tones "%3.1f" in hertz, digital codes "D%03dN" / "D%03dI".

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/Texts.h"
#include "core/radio/RadioImage.h"

namespace qx260
{

constexpr int kToneListSize = 219;

// The 50 analogue tones in list order, as shown.
extern const std::array<const char*, 50> kAnalogueTones;
// The 84 codes offered in the tone list (octal digits written as a decimal number, 23 = code 023).
extern const std::array<int, 84> kListedCodes;
// 23 further codes that are shown and written back but never offered.
extern const std::array<int, 23> kExtraCodes;

// The no-tone text ("None"), the 50 analogue tones, the 84 codes with N, the same 84 with I.
std::vector<std::string> buildToneList(Language language);

std::string noToneText(Language language); // Text::None

// The text of a tone word; empty for "no tone" in an empty row.
std::string toneWordToText(ToneWord word, bool rowIsEmpty, Language language);

// The tone word of a text; not checked against the list.
ToneWord toneTextToWord(std::string_view text);

// Code number (e.g. 754) to the low byte of its stored value; 0 when the code is not one of the 107.
std::uint8_t codeToStoredLowByte(int codeNumber);
// Stored value (low byte, bit 8) to code number; 0 when no code has that value.
int storedValueToCode(std::uint8_t low, bool bit8);

} // namespace qx260
