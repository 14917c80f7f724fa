// Random and damaged texts against every parser a user's typing or a file reaches:
// decimal conversion, tones, frequencies, cell commits, option texts and CSV.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/channels/CellEditRules.h"
#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelCsv.h"
#include "core/channels/ChannelEditing.h"
#include "core/channels/ChannelTable.h"
#include "core/channels/Csv.h"
#include "core/config/CIniFile.h"
#include "core/config/UserStore.h"
#include "core/radio/Decimal.h"
#include "core/radio/FrequencyCheck.h"
#include "core/radio/Tones.h"
#include "core/settings/OptionRules.h"
#include "tests/core/fuzz/FuzzSupport.h"

using namespace qx260;
using qx260::fuzz::Random;

namespace
{

// Pieces of numbers (no "inf", "nan" or hexadecimal, which the program never reads).
const std::vector<std::string> kNumberPieces = {
    "0",           "1",  "5",   "9",   "12", "136",  "0125",
    "99999999999", ".",  ".",   "-",   "+",  "e",    "E",
    "e-",          "E+", "308", "400", " ",  "\t",   ",",
    "MHz",         "D",  "N",   "I",   "写", "\xFF", "00000000000000000000",
    "1e999999",
};

std::string numberText(Random& r)
{
    return fuzz::randomText(r, 12, kNumberPieces);
}

// The C library's reading in the "C" locale the tests run in. Where it finds no number
// the standard says zero; some C libraries keep the sign of a lone "-" there.
double cStrtod(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end == text.c_str() ? 0.0 : value;
}

bool sameDouble(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(DecimalFuzz, ReadsAndPrintsNumbersAsTheCLibraryDoesInTheCLocale)
{
    Random r(21);
    for (int i = 0; i < 4000; ++i) {
        const std::string text = numberText(r);
        if (text.find('\0') != std::string::npos)
            continue;
        ASSERT_TRUE(sameDouble(parseLeadingNumber(text), cStrtod(text))) << testing::PrintToString(text);

        errno = 0;
        const long expected = std::strtol(text.c_str(), nullptr, 10);
        // strtol skips the same blanks; where it finds no digits both give 0.
        ASSERT_EQ(leadingInteger(text), expected) << testing::PrintToString(text);

        const double value = parseLeadingNumber(text) * (r.chance(50) ? 1.0 : 1e-7);
        const int width = r.range(0, 12);
        const int precision = r.range(0, 9);
        char buf[512];
        std::snprintf(buf, sizeof buf, "%*.*f", width, precision, value);
        ASSERT_EQ(formatFixed(value, width, precision), buf) << value;
    }
}

TEST(DecimalFuzz, ScalingIsExactForFifteenSignificantDigits)
{
    Random r(22);
    for (int i = 0; i < 4000; ++i) {
        // A decimal text of at most 15 significant digits and its exact value x 10^p.
        const int intDigits = r.range(0, 6);
        const int fracDigits = r.range(intDigits ? 0 : 1, 15 - intDigits);
        std::string digits;
        for (int d = 0; d < intDigits + fracDigits; ++d)
            digits.push_back(static_cast<char>('0' + r.below(10)));
        const bool negative = r.chance(30);
        std::string text =
            (negative ? "-" : "") + digits.substr(0, intDigits) + "." + digits.substr(intDigits);
        const int power = r.range(0, 7);

        // digits x 10^(power - fracDigits), truncated toward zero.
        __int128 exact = 0;
        for (char c : digits)
            exact = exact * 10 + (c - '0');
        for (int s = power - fracDigits; s > 0; --s)
            exact *= 10;
        for (int s = power - fracDigits; s < 0; ++s)
            exact /= 10;
        if (negative)
            exact = -exact;

        const std::optional<std::int32_t> got = textToScaled32(text, power);
        if (exact > INT32_MAX || exact < INT32_MIN) {
            EXPECT_FALSE(got.has_value()) << text;
            continue;
        }
        ASSERT_TRUE(got.has_value()) << text;
        ASSERT_EQ(*got, static_cast<std::int32_t>(exact)) << text << " x 10^" << power;
        // And the printed form reads back as the same count.
        ASSERT_EQ(textToScaled32(formatScaled(*got, power), power), got) << formatScaled(*got, power);
    }
}

TEST(TonesFuzz, AnyWordOrTextSettlesAfterOneRoundTrip)
{
    Random r(23);
    const auto settle = [](ToneWord w, bool chinese) {
        return toneTextToWord(toneWordToText(w, false, languageOf(chinese)));
    };
    for (int i = 0; i < 4000; ++i) {
        const bool chinese = r.chance(50);
        ToneWord word{r.byte(), r.byte()};
        if (r.chance(30))
            word.high = r.chance(50) ? static_cast<std::uint8_t>(0x28 + r.below(2))
                                     : static_cast<std::uint8_t>(0xA8 + r.below(2));
        const std::string text = toneWordToText(word, r.chance(20), languageOf(chinese));
        ASSERT_TRUE(isValidUtf8(text)) << testing::PrintToString(text);

        for (const ToneWord start : {word, toneTextToWord(text), toneTextToWord(numberText(r))}) {
            const ToneWord once = settle(start, chinese);
            ASSERT_EQ(settle(once, chinese), once) << int(start.low) << "," << int(start.high);
        }
    }
}

TEST(FrequencyFuzz, AnAcceptedFrequencyIsStoredAsTheValueThatWasChecked)
{
    Random r(24);
    const std::vector<std::string> bands = {
        "130 - 160MHz", "136 - 174MHz", "144 - 148MHz", "400-470", "", "-", "99999999999 - -99999999999",
        "x-5",          "160 - 130MHz"};
    const std::vector<std::string> pieces = {"1",     "4",   "5",  "13",  "136", "145",   "146",  "0125",
                                             "00625", "125", "5",  "75",  ".",   ".",     "0",    "9",
                                             "-",     " ",   "e1", "e-1", "写",  "00001", "0099", "00999"};
    for (int i = 0; i < 4000; ++i) {
        const std::string band = r.chance(80) ? r.pick(bands) : numberText(r);
        const BandLimits limits = bandLimitsFromText(band);
        std::string text = r.chance(60) ? fuzz::randomText(r, 6, pieces) : numberText(r);
        if (r.chance(40)) {
            // A frequency on the step with noise in the last places.
            text = formatScaled(13000000 + 625 * r.range(0, 7000), 5);
            for (int d = r.range(0, 8); d > 0; --d)
                text.push_back(static_cast<char>('0' + r.below(10)));
        }
        const FrequencyReading reading = readFrequency(text, limits);
        if (text.empty()) {
            ASSERT_EQ(reading.verdict, FrequencyVerdict::Empty);
            continue;
        }
        if (reading.verdict != FrequencyVerdict::Valid)
            continue;
        ASSERT_GT(reading.checkValue, 0);
        ASSERT_GE(reading.checkValue, limits.lower);
        ASSERT_LE(reading.checkValue, limits.upper);
        ASSERT_TRUE(reading.checkValue % 500 == 0 || reading.checkValue % 625 == 0);
        // The stored text is what gets written to the radio: it must mean the same value.
        const FrequencyReading stored = readFrequency(reading.textToStore, limits);
        ASSERT_EQ(stored.verdict, FrequencyVerdict::Valid) << text << " stored as " << reading.textToStore;
        ASSERT_EQ(stored.checkValue, reading.checkValue) << text << " stored as " << reading.textToStore;
        ASSERT_EQ(stored.textToStore, reading.textToStore);
    }
}

TEST(CellEditFuzz, RandomCommitsKeepTheChannelsConsistent)
{
    Random r(25);
    const std::vector<std::string> toneList = buildToneList(Language::English);
    const std::vector<std::string> frequencyPieces = {"145", "136", "146", ".",  "0125", "12500", "00625",
                                                      "5",   "",    "-",   "99", "1e2",  " "};
    for (int run = 0; run < 40; ++run) {
        const bool chinese = r.chance(50);
        const int variant = r.range(0, 2);
        const BandLimits limits = bandLimitsFromText(r.chance(50) ? "136 - 174MHz" : "130 - 160MHz");
        ChannelList channels;
        for (int step = 0; step < 100; ++step) {
            const int n = r.range(1, 16);
            const int col = r.range(1, 8);
            std::string text;
            if (col <= column::TxFrequency)
                text = r.chance(90) ? fuzz::randomText(r, 5, frequencyPieces) : numberText(r);
            else if (r.chance(70))
                text = r.pick(listItemsForColumn(col, languageOf(chinese), toneList));
            else
                text = numberText(r);

            const ChannelList before = channels;
            const EditOutcome outcome =
                commitField(channels.channel(n), *fieldOfColumn(col), text,
                            r.chance(50) ? CommitTrigger::Enter : CommitTrigger::LeaveCell, limits, variant,
                            languageOf(chinese));
            for (int other = 1; other <= 16; ++other) {
                // A value changes its own channel only, and a refused one changes nothing.
                if (other != n || !outcome.ok()) {
                    ASSERT_EQ(channels.channel(other), before.channel(other)) << "typed " << text;
                }
                // Every frequency is one the checks accept, as it reads.
                for (const Frequency& f : {channels.channel(other).rx, channels.channel(other).tx}) {
                    if (f.empty())
                        continue;
                    const FrequencyReading reading = readFrequency(frequencyText(f), limits);
                    ASSERT_EQ(reading.verdict, FrequencyVerdict::Valid) << "typed " << text;
                }
            }
        }
    }
}

TEST(CellEditFuzz, ListSelectionStaysInTheList)
{
    Random r(26);
    for (int i = 0; i < 4000; ++i) {
        const int col = r.range(3, 8);
        const std::vector<std::string> items =
            listItemsForColumn(col, languageOf(r.chance(50)), buildToneList(languageOf(r.chance(50))));
        const std::string cell = r.chance(50) ? r.pick(items).substr(0, r.below(4)) : numberText(r);
        const int selection = initialListSelection(items, cell);
        ASSERT_GE(selection, 0);
        ASSERT_LT(static_cast<std::size_t>(selection), items.size());
    }
}

TEST(OptionFuzz, TransmitDelayTextsStayInRangeAndSettle)
{
    Random r(27);
    const std::vector<int> steps = {1, -1, 5, -5, 10, -10, 100, -100, 0, INT_MAX, INT_MIN, 1801, -1801};
    for (int i = 0; i < 4000; ++i) {
        const bool chinese = r.chance(50);
        std::string text = numberText(r);
        if (r.chance(10))
            text = chinese ? "关" : "off";
        const int tenths = transmitDelayTenths(text);
        ASSERT_GE(tenths, 0);
        ASSERT_LE(tenths, kTransmitDelayMax);
        const std::string normal = normaliseTransmitDelay(text, languageOf(chinese));
        ASSERT_EQ(normaliseTransmitDelay(normal, languageOf(chinese)), normal);
        ASSERT_EQ(transmitDelayTenths(normal), tenths);

        const std::string stepped = stepTransmitDelay(text, r.pick(steps), languageOf(chinese));
        ASSERT_EQ(normaliseTransmitDelay(stepped, languageOf(chinese)), stepped) << text;
    }
}

TEST(OptionFuzz, EveryStoredByteShowsAndStoresConsistently)
{
    Random r(28);
    for (OptionList list : kOptionLists) {
        const int count = static_cast<int>(optionListItems(list, Language::English).size());
        for (int b = 0; b < 256; ++b) {
            const int shown = shownPosition(list, static_cast<std::uint8_t>(b));
            ASSERT_GE(shown, -1);
            ASSERT_LT(shown, count);
            if (shown >= 0) {
                ASSERT_EQ(shownPosition(list, storedValue(list, shown)), shown)
                    << optionListName(list) << " " << b;
            }
        }
        OptionList found;
        ASSERT_TRUE(optionListByName(optionListName(list), found));
        EXPECT_EQ(found, list);
    }
    for (int i = 0; i < 2000; ++i) {
        OptionList found;
        (void)optionListByName(numberText(r) + fuzz::randomText(r, 3, {"Time", "Out", " ", "-", "Squelch"}),
                               found);

        RadioImage image;
        for (auto& b : image.bytes())
            b = r.byte();
        const bool chinese = r.chance(50);
        const OptionalFeatures shown = loadOptionalFeatures(image, languageOf(chinese));
        RadioImage stored = image;
        storeOptionalFeatures(shown, stored);
        const OptionalFeatures again = loadOptionalFeatures(stored, languageOf(chinese));
        // A byte no list position stands for is shown without selection and keeps its
        // value; everything shown with a position keeps it.
        for (OptionList list : kOptionLists) {
            if (shown.position(list) >= 0) {
                ASSERT_EQ(again.position(list), shown.position(list)) << optionListName(list);
            }
        }
        ASSERT_EQ(again.transmitDelay, shown.transmitDelay);
        ASSERT_EQ(again.beep, shown.beep);
        ASSERT_EQ(again.batterySaver, shown.batterySaver);
    }
}

TEST(CsvFuzz, WhatParsesWritesBackAndParsesTheSame)
{
    Random r(29);
    const std::vector<std::string> pieces = {",",    ",", "\"", "\"\"", "\r\n", "\n",           "\r",
                                             "a",    " ", "写", "\xFF", "\xC3", "\xEF\xBB\xBF", "145.12500",
                                             "None", "\t"};
    int parsed = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string text = fuzz::randomText(r, 30, pieces);
        const CsvParseResult result = parseCsv(text);
        if (!result.ok()) {
            EXPECT_GT(result.errorLine, 0) << testing::PrintToString(text);
            continue;
        }
        ++parsed;
        std::string written;
        std::vector<std::vector<std::string>> fields;
        for (const CsvRecord& record : result.records) {
            std::vector<std::string> texts;
            for (const CsvField& f : record.fields) {
                ASSERT_TRUE(isValidUtf8(f.text));
                texts.push_back(f.text);
            }
            if (fields.empty() && texts[0].starts_with("\xEF\xBB\xBF"))
                texts[0].erase(0, 3); // written first in a file, it reads as the byte order mark
            if (texts.size() == 1 && texts[0].empty())
                continue; // written back, a lone empty field is a blank line
            written += csvRecord(texts);
            fields.push_back(texts);
        }
        const CsvParseResult again = parseCsv(written);
        ASSERT_TRUE(again.ok()) << testing::PrintToString(written);
        ASSERT_EQ(again.records.size(), fields.size()) << testing::PrintToString(text);
        for (std::size_t k = 0; k < fields.size(); ++k) {
            std::vector<std::string> texts;
            for (const CsvField& f : again.records[k].fields)
                texts.push_back(f.text);
            ASSERT_EQ(texts, fields[k]) << testing::PrintToString(text);
        }
    }
    EXPECT_GT(parsed, 400);
}

TEST(CsvFuzz, DamagedChannelFilesNeverTouchUnchangedChannels)
{
    Random r(30);
    const BandLimits limits{13600000, 17400000};
    for (int i = 0; i < 1500; ++i) {
        const int variant = r.range(0, 2);
        const Language language = r.chance(50) ? Language::Chinese : Language::English;

        // A document with some channels, exported and damaged.
        RadioImage image = RadioImage::newImage();
        for (int n = 1; n <= kChannelCount; ++n) {
            if (r.chance(50))
                image.setRxFrequency(n, 14500000 + 625 * static_cast<std::uint32_t>(r.below(100)));
            if (r.chance(50))
                image.setTxFrequency(n, 14500000 + 500 * static_cast<std::uint32_t>(r.below(100)));
            image.setScan(n, r.chance(50));
        }
        const ChannelList original = decodeChannels(image);
        const std::string text =
            fuzz::mutate(exportChannels(original, ChannelCsvLayout::Program, language), r, r.range(1, 6));

        ChannelRowsInput input;
        input.text = text;
        const ChannelImportResult result = importChannels(original, input, limits, variant, language);
        if (!result.ok()) {
            EXPECT_FALSE(result.error.message.empty()) << testing::PrintToString(text);
            EXPECT_EQ(result.channels, original);
            continue;
        }
        for (int n = 1; n <= kChannelCount; ++n)
            if (std::find(result.changed.begin(), result.changed.end(), n) == result.changed.end()) {
                ASSERT_EQ(result.channels.channel(n), original.channel(n)) << "channel " << n;
            }
    }
}
