// The analogue tones and digital codes the cells offer, and a cell's tone or code text to
// the tone word stored for it and back.

#include "core/radio/Tones.h"

#include <algorithm>
#include <cstdio>

#include "core/radio/Decimal.h"

namespace qx260
{

const std::array<const char*, 50> kAnalogueTones = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
};

const std::array<int, 84> kListedCodes = {
    23,  25,  26,  31,  32,  43,  47,  51,  54,  65,  71,  72,  73,  74,  114, 115, 116, 125, 131, 132, 134,
    143, 152, 155, 156, 162, 165, 172, 174, 205, 223, 226, 243, 244, 245, 251, 261, 263, 265, 271, 306, 311,
    315, 331, 343, 346, 351, 364, 365, 371, 411, 412, 413, 423, 431, 432, 445, 464, 465, 466, 503, 506, 516,
    532, 546, 565, 606, 612, 624, 627, 631, 632, 645, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754,
};

const std::array<int, 23> kExtraCodes = {
    17,  36,  50,  53,  122, 145, 212, 225, 246, 252, 255, 266,
    274, 325, 332, 356, 446, 452, 454, 455, 462, 523, 526,
};

namespace
{

constexpr std::uint8_t kNormalHigh = 0x28;
constexpr std::uint8_t kInvertedHigh = 0xA8;

bool isKnownCode(int code)
{
    return std::find(kListedCodes.begin(), kListedCodes.end(), code) != kListedCodes.end() ||
           std::find(kExtraCodes.begin(), kExtraCodes.end(), code) != kExtraCodes.end();
}

// The code's three digits read as an octal number (754 -> 0754 = 492).
int octalValue(int code)
{
    return (code / 100) * 64 + (code / 10 % 10) * 8 + code % 10;
}

std::string codeText(int code, char polarity)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "D%03d%c", code, polarity);
    return buf;
}

} // namespace

std::string noToneText(Language language)
{
    return textOf(Text::None, language);
}

std::vector<std::string> buildToneList(Language language)
{
    std::vector<std::string> list;
    list.reserve(kToneListSize);
    list.push_back(noToneText(language));
    for (const char* tone : kAnalogueTones)
        list.emplace_back(tone);
    for (int code : kListedCodes)
        list.push_back(codeText(code, 'N'));
    for (int code : kListedCodes)
        list.push_back(codeText(code, 'I'));
    return list;
}

std::uint8_t codeToStoredLowByte(int codeNumber)
{
    if (!isKnownCode(codeNumber))
        return 0;
    return static_cast<std::uint8_t>(octalValue(codeNumber) & 0xFF);
}

int storedValueToCode(std::uint8_t low, bool bit8)
{
    const int value = (bit8 ? 256 : 0) + low;
    for (int code : kListedCodes)
        if (octalValue(code) == value)
            return code;
    for (int code : kExtraCodes)
        if (octalValue(code) == value)
            return code;
    return 0;
}

std::string toneWordToText(ToneWord word, bool rowIsEmpty, Language language)
{
    const std::uint8_t h = word.high;
    const std::uint8_t l = word.low;
    if (h == 0xFF || h == 0x00)
        return rowIsEmpty ? std::string() : noToneText(language);
    if (h == 0x28 || h == 0x29)
        return codeText(storedValueToCode(l, h & 1), 'N');
    if (h == 0xA8 || h == 0xA9)
        return codeText(storedValueToCode(l, h & 1), 'I');
    return formatScaled(h * 256 + l, 1);
}

ToneWord toneTextToWord(std::string_view text)
{
    if (text.find('D') != std::string_view::npos) {
        const long code = leadingInteger(text.substr(1));
        const bool normal = text.find('N') != std::string_view::npos;
        const bool bit8 = code >= 372;
        ToneWord word;
        word.high = static_cast<std::uint8_t>((normal ? kNormalHigh : kInvertedHigh) | (bit8 ? 1 : 0));
        word.low = (code >= 0 && code <= 999) ? codeToStoredLowByte(static_cast<int>(code)) : 0;
        return word;
    }
    // An analogue tone in tenths of a hertz; no number (and numbers beyond any
    // 64-bit count) give no tone.
    const std::int64_t tenths = scaleExact(parseLeadingNumber(text), 1).value_or(0);
    if (tenths == 0)
        return ToneWord{0xFF, 0xFF};
    const auto t = static_cast<std::uint64_t>(tenths);
    return ToneWord{static_cast<std::uint8_t>(t & 0xFF), static_cast<std::uint8_t>((t >> 8) & 0xFF)};
}

} // namespace qx260
