#include "modulation/BeatTranslator.h"
#include "modulation/TempoInfo.h"

#include <gtest/gtest.h>

namespace
{
using velk::BeatTranslator;

TEST (BeatTranslatorTest, LabelsCoverTheEighteenDivisionsAndNothingElse)
{
    const char* expected[] = { "8 BARS", "4 BARS", "2 BARS", "1 BAR", "1/2d", "1/2", "1/4d", "1/4", "1/8d",
                               "1/8", "1/16d", "1/16", "1/32d", "1/32", "1/64d", "1/64", "1/128d", "1/128" };

    for (int i = 0; i < BeatTranslator::numDivisions; ++i)
        EXPECT_EQ (BeatTranslator::syncEnumToString (i), juce::String (expected[i])) << i;

    EXPECT_TRUE (BeatTranslator::syncEnumToString (18).isEmpty());
    EXPECT_TRUE (BeatTranslator::syncEnumToString (-1).isEmpty());
}

TEST (BeatTranslatorTest, DivisorsAreTheStoredSinglePrecisionValues)
{
    const float expected[] = { 0.125f, 0.25f, 0.5f, 1.0f, 1.3333334f, 2.0f, 2.6666667f, 4.0f, 5.3333335f,
                               8.0f, 10.666667f, 16.0f, 21.333334f, 32.0f, 42.666668f, 64.0f, 85.333336f, 128.0f };

    for (size_t i = 0; i < BeatTranslator::beatDivTable.size(); ++i)
        EXPECT_EQ (BeatTranslator::beatDivTable[i], expected[i]) << i;
}

TEST (BeatTranslatorTest, PeriodsAt120Bpm)
{
    velk::TempoInfo tempo;
    tempo.setBpm (120.0f);
    ASSERT_EQ (tempo.msPerBar, 2000.0f);

    const float expectedMs[] = { 16000.0f, 8000.0f, 4000.0f, 2000.0f, 1500.0f, 1000.0f, 750.0f, 500.0f, 375.0f,
                                 250.0f, 187.5f, 125.0f, 93.75f, 62.5f, 46.875f, 31.25f, 23.4375f, 15.625f };

    for (int i = 0; i < BeatTranslator::numDivisions; ++i)
        EXPECT_FLOAT_EQ (BeatTranslator::getPeriodMs (tempo.msPerBar, i), expectedMs[i]) << i;
}

TEST (BeatTranslatorTest, DottedEighthAt90BpmLastsHalfASecond)
{
    velk::TempoInfo tempo;
    tempo.setBpm (90.0f);

    EXPECT_FLOAT_EQ (tempo.msPerBar, 2666.6667f);
    EXPECT_FLOAT_EQ (BeatTranslator::getPeriodMs (tempo.msPerBar, 8), 500.0f);
}

TEST (BeatTranslatorTest, TempoBelowOneIsRaisedToOne)
{
    velk::TempoInfo tempo;
    tempo.setBpm (0.5);

    EXPECT_EQ (tempo.bpm, 1.0f);
    EXPECT_EQ (tempo.msPerBar, 240000.0f);
    EXPECT_FLOAT_EQ (1000.0f / BeatTranslator::getPeriodMs (tempo.msPerBar, 3), 1.0f / 240.0f);
}

TEST (BeatTranslatorTest, FreshTempoRecordHolds120BpmAt44100Hz)
{
    const velk::TempoInfo tempo;

    EXPECT_EQ (tempo.sampleRate, 44100.0);
    EXPECT_EQ (tempo.bpm, 120.0f);
    EXPECT_EQ (tempo.msPerBar, 2000.0f);
}
} // namespace
