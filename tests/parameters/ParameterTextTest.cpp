#include "parameters/ParameterText.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace
{
using namespace velk;

struct TextCase
{
    float value;
    const char* text;
};

void expectTexts (juce::String (*toText) (float), std::initializer_list<TextCase> cases)
{
    for (const auto& c : cases)
        EXPECT_EQ (toText (c.value), c.text) << "value " << c.value;
}

TEST (ParameterTextTest, PercentHasTwoDecimals)
{
    expectTexts (getPercentParameterText, { { 50.0f, "50.00 %" }, { -100.0f, "-100.00 %" }, { 0.0f, "0.00 %" } });
}

TEST (ParameterTextTest, PercentRoundingTraps)
{
    expectTexts (getPercentParameterText,
                 {
                     { 0.005f, "0.00 %" },    // the float lies just below 0.005
                     { 99.995f, "100.00 %" }, // the float lies just above 99.995
                     { -0.001f, "-0.00 %" },  // negative even when every digit is 0
                 });
}

TEST (ParameterTextTest, ExactBinaryHalvesRoundAwayFromZero)
{
    expectTexts (getPercentParameterText, { { 0.125f, "0.13 %" }, { -99.625f, "-99.63 %" }, { 12.375f, "12.38 %" } });
    expectTexts (getHertzWithDecimalsParameterText, { { 1.0625f, "1.063 Hz" }, { 0.0625f, "0.063 Hz" } });
    expectTexts (getDecibelsParameterText, { { -6.125f, "-6.13 dB" } });
}

TEST (ParameterTextTest, HertzWithDecimalsHasThree)
{
    expectTexts (getHertzWithDecimalsParameterText, { { 1.0f, "1.000 Hz" }, { 0.001f, "0.001 Hz" }, { 20.0f, "20.000 Hz" } });
}

TEST (ParameterTextTest, WholeNumbersRoundHalvesToEven)
{
    expectTexts (getHertzParameterText, { { 60.0f, "60 Hz" }, { 20.5f, "20 Hz" }, { 21.5f, "22 Hz" } });
    expectTexts (getMillisecondsParameterText, { { 120.0f, "120 Ms" }, { 0.4f, "0 Ms" }, { -2.6f, "-3 Ms" } });
}

TEST (ParameterTextTest, SyncedTimeNamesTheRoundedDivision)
{
    expectTexts (getSyncedTimeParameterText, { { 3.0f, "1 BAR" }, { 17.4f, "1/128" }, { 0.5f, "8 BARS" }, { 18.0f, "" } });
}

TEST (ParameterTextTest, DecibelsShowMinusInfinityAtAndBelowMinusSeventy)
{
    expectTexts (getDecibelsParameterText,
                 { { -70.0f, "-INF dB" }, { -70.5f, "-INF dB" }, { -69.99f, "-69.99 dB" }, { -69.995f, "-70.00 dB" } });
}

TEST (ParameterTextTest, DecibelSignFollowsTheValueNotTheDigits)
{
    expectTexts (getDecibelsParameterText,
                 { { -6.0f, "-6.00 dB" }, { 0.0f, "+0.00 dB" }, { 0.004f, "+0.00 dB" }, { -0.004f, "-0.00 dB" }, { 12.0f, "+12.00 dB" } });
}

TEST (ParameterTextTest, FixedDecimalsOfDoubles)
{
    EXPECT_EQ (toFixedDecimalString (0.0, 3), "0.000");
    EXPECT_EQ (toFixedDecimalString (1234.5678, 2), "1234.57");
    EXPECT_EQ (toFixedDecimalString (-0.0, 2), "0.00");
    EXPECT_EQ (toFixedDecimalString (0.5, 1), "0.5");
    EXPECT_EQ (toFixedDecimalString (0.25, 1), "0.3");
}
} // namespace
