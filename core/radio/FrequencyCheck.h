#pragma once
// Reading a typed frequency: the text to store and the verdict against the band limits
// and the 5 kHz / 6.25 kHz channel steps.

#include <cstdint>
#include <string>
#include <string_view>

namespace qx260
{

// Lower and upper valid frequency in 10 Hz units (MHz x 100000).
struct BandLimits {
    std::int32_t lower = 0;
    std::int32_t upper = 0;
    friend bool operator==(const BandLimits&, const BandLimits&) = default;
};

// "130 - 160MHz" gives 13000000 and 16000000. Without "-", upper equals lower.
BandLimits bandLimitsFromText(std::string_view bandText);

// NotANumber: anything but blanks around one plain decimal number ("146,52", "146.52abc",
// "146.52.3", "145 .5", "1e2", "-145"). OffStep: on neither channel step, or with a digit
// other than 0 finer than 10 Hz ("146.5400001"); trailing zeros are no digit ("146.520000").
enum class FrequencyVerdict { Empty, NotANumber, OutOfRange, OffStep, Valid };

struct FrequencyReading {
    FrequencyVerdict verdict = FrequencyVerdict::Empty;
    std::string textToStore;     // "%3.5f" of the value (for Valid: of the checked value); empty for
                                 // Empty and NotANumber
    std::int64_t checkValue = 0; // value x 100000, exact (meaningless when out of 32 bits)
};

FrequencyReading readFrequency(std::string_view text, BandLimits limits);

} // namespace qx260
