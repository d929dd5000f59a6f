#include "processor/NumberReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace
{
using velk::NumberReader;

constexpr auto infinity = std::numeric_limits<double>::infinity();
constexpr auto notANumber = std::numeric_limits<double>::quiet_NaN();

/** Equal, NaN to NaN, and 0 apart from -0. */
testing::AssertionResult same (double actual, double expected)
{
    if ((std::isnan (actual) && std::isnan (expected))
        || (actual == expected && std::signbit (actual) == std::signbit (expected)))
        return testing::AssertionSuccess();

    return testing::AssertionFailure() << juce::String (actual, 17, true) << " instead of " << juce::String (expected, 17, true);
}

/** A text, what it reads as, and whether the framework reads it so too: the rows it doesn't are
    those on which its parser overflows an int, or gives a number of the first digits.
*/
template <typename Number>
struct Row
{
    juce::String text;
    Number expected;
    bool asTheFramework = true;
};

template <typename Number>
void PrintTo (const Row<Number>& row, std::ostream* out)
{
    *out << '"' << row.text.substring (0, 40) << (row.text.length() > 40 ? "..." : "") << '"';
}

juce::String repeated (const char* text, int times)
{
    return juce::String::repeatedString (text, times);
}

//==============================================================================
using DoubleRow = Row<double>;

class NumberTextAsDouble : public testing::TestWithParam<DoubleRow>
{
};

TEST_P (NumberTextAsDouble, ReadsAsExpected)
{
    const auto& row = GetParam();

    EXPECT_TRUE (same (NumberReader::readDouble (row.text), row.expected));

    if (row.asTheFramework)
    {
        EXPECT_TRUE (same (row.text.getDoubleValue(), row.expected));
    }
}

INSTANTIATE_TEST_SUITE_P (
    WellFormed, NumberTextAsDouble,
    testing::Values (DoubleRow{ "0.5", 0.5 }, DoubleRow{ " -12.25", -12.25 }, DoubleRow{ "+3", 3.0 },
                     DoubleRow{ "1e3", 1000.0 }, DoubleRow{ "1E-2", 0.01 }, DoubleRow{ "007", 7.0 },
                     DoubleRow{ "12abc", 12.0 }, DoubleRow{ "abc", 0.0 }, DoubleRow{ "", 0.0 },
                     DoubleRow{ "-", 0.0 }, DoubleRow{ ".5", 0.5 }, DoubleRow{ "5.", 5.0 },
                     DoubleRow{ "1.2.3", 1.2 }, DoubleRow{ "2.5e", 2.5 }, DoubleRow{ "\t\n\v\f\r 2.5e+1x", 25.0 }, DoubleRow{ "-.e999", 0.0 },
                     DoubleRow{ "-0", 0.0 }, DoubleRow{ "-0.0", -0.0 }, DoubleRow{ "inf", infinity },
                     DoubleRow{ "-INF", -infinity }, DoubleRow{ "Infinity", infinity }, DoubleRow{ "in", 0.0 },
                     DoubleRow{ "nan", notANumber }, DoubleRow{ "-NaN", notANumber }, DoubleRow{ "1e400", infinity },
                     DoubleRow{ "-1e400", -infinity }, DoubleRow{ "0e999", infinity }, DoubleRow{ "1e-400", 0.0 },
                     DoubleRow{ "-1e-400", -0.0 }, DoubleRow{ "4.9e-324", 0.0 }, DoubleRow{ "0.5e-308", 5e-309 }, DoubleRow{ "0.01e309", 1e307 }, DoubleRow{ "0.01e310", infinity }, DoubleRow{ "1000e-309", 0.0 },
                     DoubleRow{ "1.7976931348623157e308", std::numeric_limits<double>::max() },
                     DoubleRow{ "9007199254740993.00000000001", 9007199254740992.0 },
                     DoubleRow{ "0.0000000000000000001", 0.0 }));

INSTANTIATE_TEST_SUITE_P (
    LongExponentsAndDigits, NumberTextAsDouble,
    testing::Values (DoubleRow{ "1e3144444444444444449", infinity, false },
                     DoubleRow{ "-1e-3144444444444444449", -0.0, false },
                     DoubleRow{ "1e2147483648", infinity, false }, DoubleRow{ "1e-2147483649", 0.0, false },
                     DoubleRow{ "0.5e" + repeated ("9", 5000), infinity, false },
                     DoubleRow{ "2e" + repeated ("0", 5000) + "3", 2000.0, false },
                     DoubleRow{ "1" + repeated ("0", 5000), infinity, false },
                     DoubleRow{ "1" + repeated ("0", 400) + "e-400", 1.0, false },
                     DoubleRow{ "-0." + repeated ("0", 5000) + "1", -0.0 }));

//==============================================================================
using IntRow = Row<int>;

class NumberTextAsInt : public testing::TestWithParam<IntRow>
{
};

TEST_P (NumberTextAsInt, ReadsAsExpected)
{
    const auto& row = GetParam();

    EXPECT_EQ (NumberReader::readInt (row.text), row.expected);

    if (row.asTheFramework)
    {
        EXPECT_EQ (row.text.getIntValue(), row.expected);
    }
}

INSTANTIATE_TEST_SUITE_P (
    WellFormed, NumberTextAsInt,
    testing::Values (IntRow{ "12", 12 }, IntRow{ " -12", -12 }, IntRow{ "+3", 3 }, IntRow{ "12.7", 12 },
                     IntRow{ "007", 7 }, IntRow{ "\t5x", 5 }, IntRow{ "abc", 0 }, IntRow{ "", 0 },
                     IntRow{ "- 5", 0 }, IntRow{ "+-5", 0 }, IntRow{ "1e3", 1 },
                     IntRow{ "2147483647", std::numeric_limits<int>::max() },
                     IntRow{ "-2147483648", std::numeric_limits<int>::min() }));

INSTANTIATE_TEST_SUITE_P (
    BeyondAnInt, NumberTextAsInt,
    testing::Values (IntRow{ "2147483648", std::numeric_limits<int>::max(), false },
                     IntRow{ "-2147483649", std::numeric_limits<int>::min(), false },
                     IntRow{ "4294967297", std::numeric_limits<int>::max(), false },
                     IntRow{ repeated ("9", 5000), std::numeric_limits<int>::max(), false }));

//==============================================================================
TEST (NumberReader, EveryNumberOfUpToTwentyFiveDigitsWithAnExponentReadsAsTheFrameworkReadsIt)
{
    juce::Random random (20260312);

    for (int i = 0; i < 20000; ++i)
    {
        juce::String text (random.nextBool() ? "-" : "");
        const auto numDigits = 1 + random.nextInt (25);
        const auto point = random.nextInt (numDigits + 1);

        for (int digit = 0; digit < numDigits; ++digit)
            text << (digit == point ? "." : "") << random.nextInt (10);

        if (random.nextBool())
            text << "e" << random.nextInt ({ -340, 340 });

        EXPECT_TRUE (same (NumberReader::readDouble (text), text.getDoubleValue())) << text;
    }
}
} // namespace
