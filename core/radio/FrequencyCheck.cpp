#include "core/radio/FrequencyCheck.h"

#include <limits>
#include <optional>

#include "core/radio/Decimal.h"

namespace qx260
{

namespace
{

// MHz as read from a band text, in 10 Hz units, kept inside 32 bits.
std::int32_t megahertzToUnits(long megahertz)
{
    constexpr long long kUnitsPerMegahertz = 100000;
    constexpr long long kMax = std::numeric_limits<std::int32_t>::max();
    constexpr long long kMin = std::numeric_limits<std::int32_t>::min();
    const long long mhz = megahertz;
    if (mhz > kMax / kUnitsPerMegahertz)
        return static_cast<std::int32_t>(kMax);
    if (mhz < kMin / kUnitsPerMegahertz)
        return static_cast<std::int32_t>(kMin);
    return static_cast<std::int32_t>(mhz * kUnitsPerMegahertz);
}

} // namespace

BandLimits bandLimitsFromText(std::string_view bandText)
{
    BandLimits limits;
    limits.lower = megahertzToUnits(leadingInteger(bandText));
    const std::size_t dash = bandText.find('-');
    limits.upper = dash == std::string_view::npos
                       ? limits.lower
                       : megahertzToUnits(leadingInteger(bandText.substr(dash + 1)));
    return limits;
}

FrequencyReading readFrequency(std::string_view text, BandLimits limits)
{
    FrequencyReading reading;
    if (text.empty())
        return reading; // erased: nothing to check

    const std::optional<double> number = parsePlainDecimal(text);
    if (!number) {
        reading.verdict = FrequencyVerdict::NotANumber;
        return reading;
    }
    const double value = *number;
    reading.textToStore = formatFixed(value, 3, 5);

    const std::optional<std::int64_t> scaled = scaleExact(value, 5);
    if (scaled)
        reading.checkValue = *scaled;
    // A frequency word holds eight digits, and one whose first two are 00 is the empty
    // word: a value outside 10 to 999.99999 MHz would be stored as no frequency at all,
    // so it is never a frequency, whatever the band limits say.
    constexpr std::int64_t kLowestWord = 1000000;
    constexpr std::int64_t kHighestWord = 99999999;
    // A digit finer than 10 Hz puts the value above its count of units: past the top of
    // the band when that count is the top.
    const bool finerDigits = hasDigitsBeyond(text, 5);
    const auto above = [&](std::int64_t top) { return *scaled > top || (finerDigits && *scaled == top); };
    if (!scaled || *scaled < kLowestWord || above(kHighestWord) || *scaled < limits.lower ||
        above(limits.upper)) {
        reading.verdict = FrequencyVerdict::OutOfRange;
        return reading;
    }
    // Off the step also when a digit finer than 10 Hz follows: the count of 10 Hz units
    // would drop it, and "146.5400001" would go into the radio as 146.54000.
    if ((*scaled % 500 != 0 && *scaled % 625 != 0) || finerDigits) {
        reading.verdict = FrequencyVerdict::OffStep;
        return reading;
    }
    reading.verdict = FrequencyVerdict::Valid;
    // Store the value that passed the checks, as the exact count of 10 Hz units: "%3.5f"
    // of the double could round its last digit.
    reading.textToStore = formatScaled(*scaled, 5);
    return reading;
}

} // namespace qx260
