// Numbers typed by a user read exactly: strtod's rules, frequencies a double multiplication
// gets wrong, overflow, formatting, and the same results in a decimal-comma locale.

#include "core/radio/Decimal.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "tests/support/TestSystem.h"

using namespace qx260;

namespace
{

struct LeadingCase {
    const char* text;
    double value;
};

const LeadingCase kLeading[] = {
    {"145.5MHz", 145.5}, {" 145.5", 145.5}, {"\t\n-12.25x", -12.25},
    {"+3", 3.0},         {"abc", 0.0},      {".", 0.0},
    {"", 0.0},           {"-", 0.0},        {"1e", 1.0},
    {"1e+", 1.0},        {"1e3", 1000.0},   {"1.5E-2", 0.015},
    {".5", 0.5},         {"5.", 5.0},       {"145,5", 145.0},
    {"1e-400", 0.0},     {"0x10", 0.0},     {"  .e5", 0.0},
    {"007.50", 7.5},
};

void expectDecimalBehaviour()
{
    for (const auto& c : kLeading)
        EXPECT_EQ(parseLeadingNumber(c.text), c.value) << c.text;
    EXPECT_EQ(formatFixed(145.5, 3, 5), "145.50000");
    EXPECT_EQ(formatFixed(1234.5, 3, 1), "1234.5");
    EXPECT_EQ(formatFixed(2.5, 6, 1), "   2.5");
    EXPECT_EQ(scaleExact(136.0125, 5), 13601250);
    EXPECT_EQ(textToScaled32("145.0125", 5), 14501250);
}

} // namespace

TEST(Decimal, ParsesLeadingNumberLikeStrtodWithPoint)
{
    for (const auto& c : kLeading)
        EXPECT_EQ(parseLeadingNumber(c.text), c.value) << c.text;
    EXPECT_TRUE(std::isinf(parseLeadingNumber("1e400")));
    EXPECT_TRUE(std::isinf(parseLeadingNumber(std::string(400, '9'))));
    EXPECT_LT(parseLeadingNumber("-1e999"), 0);
}

TEST(Decimal, ScalesExactlyWhereDoubleMultiplicationFails)
{
    struct {
        double value;
        int power;
        std::int64_t expected;
    } cases[] = {
        {136.0125, 5, 13601250}, {145.0125, 5, 14501250},
        {130.2, 5, 13020000},    {145.006249, 5, 14500624},
        {67.0, 1, 670},          {254.1, 1, 2541},
        {-1.25, 1, -12},         {0.0, 5, 0},
        {0.000001, 5, 0},        {1e15, 3, 1000000000000000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scaleExact(c.value, c.power), c.expected) << c.value;
    // The naive way really is wrong for these, or the cases above would prove nothing.
    EXPECT_NE(static_cast<std::int64_t>(136.0125 * 1e5), 13601250);
}

TEST(Decimal, OverflowAndNonFiniteGiveNothing)
{
    EXPECT_FALSE(scaleExact(1e19, 0));
    EXPECT_FALSE(scaleExact(1e300, 5));
    EXPECT_FALSE(scaleExact(std::numeric_limits<double>::infinity(), 5));
    EXPECT_FALSE(scaleExact(std::nan(""), 1));
    EXPECT_FALSE(textToScaled32("21474.83648", 5));
    EXPECT_EQ(textToScaled32("21474.83647", 5), 2147483647);
    EXPECT_EQ(textToScaled32("-21474.83648", 5), -2147483647 - 1);
    EXPECT_EQ(textToScaled32("None", 1), 0);
}

TEST(Decimal, FormatsScaledIntegers)
{
    EXPECT_EQ(formatScaled(14512500, 5), "145.12500");
    EXPECT_EQ(formatScaled(25, 1), "2.5");
    EXPECT_EQ(formatScaled(5, 1), "0.5");
    EXPECT_EQ(formatScaled(-5, 3), "-0.005");
    EXPECT_EQ(formatScaled(42, 0), "42");
    EXPECT_EQ(formatScaled(std::numeric_limits<std::int64_t>::min(), 0), "-9223372036854775808");
}

TEST(Decimal, FormatsFixedWithRoundingAndWidth)
{
    EXPECT_EQ(formatFixed(145.5, 3, 5), "145.50000");
    EXPECT_EQ(formatFixed(145.006249, 3, 5), "145.00625");
    EXPECT_EQ(formatFixed(0, 3, 5), "0.00000");
    EXPECT_EQ(formatFixed(1e300, 3, 1).size(), 303u);
}

TEST(Decimal, LeadingIntegerReadsLikeAtoiAndSaturates)
{
    EXPECT_EQ(leadingInteger(" 130 - 160MHz"), 130);
    EXPECT_EQ(leadingInteger("-42x"), -42);
    EXPECT_EQ(leadingInteger("023N"), 23);
    EXPECT_EQ(leadingInteger("x1"), 0);
    EXPECT_EQ(leadingInteger(""), 0);
    EXPECT_EQ(leadingInteger("99999999999999999999999"), std::numeric_limits<long>::max());
    EXPECT_EQ(leadingInteger("-99999999999999999999999"), std::numeric_limits<long>::min());
}

TEST(Decimal, IgnoresADecimalCommaLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, testsystem::kDecimalCommaLocale), nullptr)
        << "the decimal-comma locale " << testsystem::kDecimalCommaLocale
        << " is missing; scripts/install-deps.sh makes it";
    ASSERT_EQ(*std::localeconv()->decimal_point, ',');
    expectDecimalBehaviour();
    std::setlocale(LC_ALL, saved.c_str());
}
