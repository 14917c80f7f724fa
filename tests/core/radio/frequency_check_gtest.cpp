#include "core/radio/FrequencyCheck.h"

#include <gtest/gtest.h>

using namespace qx260;

TEST(BandLimits, FromBandText)
{
    EXPECT_EQ(bandLimitsFromText("130 - 160MHz"), (BandLimits{13000000, 16000000}));
    EXPECT_EQ(bandLimitsFromText("  136-174MHz"), (BandLimits{13600000, 17400000}));
    EXPECT_EQ(bandLimitsFromText("144MHz"), (BandLimits{14400000, 14400000}));
    EXPECT_EQ(bandLimitsFromText(""), (BandLimits{0, 0}));
    EXPECT_EQ(bandLimitsFromText("VHF"), (BandLimits{0, 0}));
    // Nonsense numbers stay inside 32 bits instead of wrapping around.
    EXPECT_EQ(bandLimitsFromText("99999 - 99999").upper, 2147483647);
}

TEST(ReadFrequency, VerdictsAgainstBandAndStep)
{
    const BandLimits band{13000000, 16000000};
    struct {
        const char* text;
        FrequencyVerdict verdict;
        const char* stored;
    } cases[] = {
        {"130", FrequencyVerdict::Valid, "130.00000"},
        {"160", FrequencyVerdict::Valid, "160.00000"},
        {"129.99375", FrequencyVerdict::OutOfRange, "129.99375"},
        {"160.005", FrequencyVerdict::OutOfRange, "160.00500"},
        {"145.0125", FrequencyVerdict::Valid, "145.01250"},
        {"145.005", FrequencyVerdict::Valid, "145.00500"},
        {"145.001", FrequencyVerdict::OffStep, "145.00100"},
        {"136.0125", FrequencyVerdict::Valid, "136.01250"},
        {"130.2", FrequencyVerdict::Valid, "130.20000"},
        {"145.006249", FrequencyVerdict::OffStep, "145.00625"},
        // A digit finer than 10 Hz is never dropped (more in the frequency digits table).
        {"145.125009", FrequencyVerdict::OffStep, nullptr},
        {"136.00000999", FrequencyVerdict::OffStep, nullptr},
        {" 145.5 ", FrequencyVerdict::Valid, "145.50000"},
        {"145.", FrequencyVerdict::Valid, "145.00000"},
        {"21474.83648", FrequencyVerdict::OutOfRange, "21474.83648"},
        {"00000000000000000000000000000145", FrequencyVerdict::Valid, "145.00000"},
        // Only blanks around one plain decimal number: nothing is read from the front.
        {" 145.5MHz", FrequencyVerdict::NotANumber, ""},
        {"146,52", FrequencyVerdict::NotANumber, ""},
        {"146.52abc", FrequencyVerdict::NotANumber, ""},
        {"146.52.3", FrequencyVerdict::NotANumber, ""},
        {"145 .5", FrequencyVerdict::NotANumber, ""},
        {"1.45e2", FrequencyVerdict::NotANumber, ""},
        {"-145", FrequencyVerdict::NotANumber, ""},
        {"+145", FrequencyVerdict::NotANumber, ""},
        {".", FrequencyVerdict::NotANumber, ""},
        {"abc", FrequencyVerdict::NotANumber, ""},
    };
    for (const auto& c : cases) {
        const FrequencyReading r = readFrequency(c.text, band);
        EXPECT_EQ(r.verdict, c.verdict) << c.text;
        if (c.stored) {
            EXPECT_EQ(r.textToStore, c.stored) << c.text;
        }
    }
    EXPECT_EQ(readFrequency("136.0125", band).checkValue, 13601250);
}

TEST(ReadFrequency, EmptyTextIsAnErasure)
{
    const FrequencyReading r = readFrequency("", BandLimits{13000000, 16000000});
    EXPECT_EQ(r.verdict, FrequencyVerdict::Empty);
    EXPECT_TRUE(r.textToStore.empty());
    // A blank is text, not an erasure.
    EXPECT_EQ(readFrequency(" ", BandLimits{13000000, 16000000}).verdict, FrequencyVerdict::NotANumber);
}

TEST(ReadFrequency, ZeroIsNeverAFrequencyEvenWithoutBandLimits)
{
    // Without a band text the limits are 0 and 0; a zero would otherwise pass both
    // tests and show a frequency that the image can only store as an empty channel.
    EXPECT_EQ(readFrequency("0", BandLimits{}).verdict, FrequencyVerdict::OutOfRange);
    EXPECT_EQ(readFrequency("145", BandLimits{}).verdict, FrequencyVerdict::OutOfRange);
}

TEST(ReadFrequency, OnlyWhatAFrequencyWordHoldsIsAFrequencyWhateverTheBand)
{
    // Eight digits with a first pair other than 00 (that is the empty word): a wider band
    // from an edited configuration cannot make a channel that would be stored empty.
    const BandLimits wide = bandLimitsFromText("0 - 2000MHz");
    EXPECT_EQ(readFrequency("9.995", wide).verdict, FrequencyVerdict::OutOfRange);
    EXPECT_EQ(readFrequency("10", wide).verdict, FrequencyVerdict::Valid);
    EXPECT_EQ(readFrequency("999.995", wide).verdict, FrequencyVerdict::Valid);
    EXPECT_EQ(readFrequency("1000", wide).verdict, FrequencyVerdict::OutOfRange);
}
