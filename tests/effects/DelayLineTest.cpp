#include "effects/DelayLine.h"

#include "modulation/EqualPowerCrossfade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace
{
class DelayLineTest : public testing::Test
{
protected:
    void SetUp() override
    {
        line.setMaximumLength (1000);
        line.setGlideLength (0);
    }

    /** The wet outputs (mix 1) of an impulse followed by silence. */
    std::vector<double> impulseResponse (int length, double feedback)
    {
        std::vector<double> out ((size_t) length);

        for (size_t n = 0; n < out.size(); ++n)
            out[n] = line.getNextSampleWithDryWetMix (n == 0 ? 1.0 : 0.0, feedback, 1.0);

        return out;
    }

    velk::DelayLine<double> line;
};

TEST_F (DelayLineTest, EchoOfAnIntegralDelaySoundsOneSampleEarly)
{
    line.setDelayInSamples (10.0);
    const auto out = impulseResponse (20, 0.0);

    EXPECT_NEAR (out[9], 1.0, 1e-12);

    for (size_t n = 1; n < out.size(); ++n)
    {
        if (n != 9)
        {
            EXPECT_EQ (out[n], 0.0) << n;
        }
    }
}

TEST_F (DelayLineTest, DelayOfOneSamplePassesTheInputStraightToTheWetPath)
{
    line.setDelayInSamples (1.0);

    EXPECT_NEAR (impulseResponse (1, 0.0)[0], 1.0 + velk::equalPowerDryGain (1.0), 1e-12);
}

TEST_F (DelayLineTest, FractionalDelaysInterpolateLinearly)
{
    line.setDelayInSamples (10.25);
    const auto out = impulseResponse (12, 0.0);

    EXPECT_NEAR (out[9], 0.75, 1e-12);
    EXPECT_NEAR (out[10], 0.25, 1e-12);
}

TEST_F (DelayLineTest, FeedbackRepeatsEachEchoScaled)
{
    line.setDelayInSamples (10.0);
    const auto out = impulseResponse (40, 0.96);

    EXPECT_NEAR (out[9], 1.0, 1e-12);
    EXPECT_NEAR (out[19], 0.96, 1e-12);
    EXPECT_NEAR (out[29], 0.96 * 0.96, 1e-12);
}

TEST_F (DelayLineTest, MixGainsFollowTheEqualPowerCurve)
{
    line.setDelayInSamples (10.0);

    std::vector<double> dry, wet;

    for (auto mix : { 0.0, 0.5, 1.0 })
    {
        line.cleanUp();
        std::vector<double> out;

        for (int n = 0; n < 10; ++n)
            out.push_back (line.getNextSampleWithDryWetMix (n == 0 ? 1.0 : 0.0, 0.0, mix));

        dry.push_back (out[0]);
        wet.push_back (out[9]);
    }

    EXPECT_EQ (dry[0], 1.0);
    EXPECT_NEAR (wet[0], 4.8e-6, 0.1e-6);
    EXPECT_NEAR (dry[1], 0.70771, 1e-5);
    EXPECT_NEAR (wet[1], 0.70771, 1e-5);
    EXPECT_NEAR (dry[2], 4.8e-6, 0.1e-6);
    EXPECT_EQ (wet[2], 1.0);
}

TEST_F (DelayLineTest, DelayThatDoesNotFitIsHalvedUntilItDoes)
{
    line.setDelayInSamples (3996.0);
    EXPECT_EQ (line.getDelayInSamples(), 999.0);

    line.setDelayInSamples (999.0);
    EXPECT_EQ (line.getDelayInSamples(), 999.0);

    line.setDelayInSamples (999.5);
    EXPECT_EQ (line.getDelayInSamples(), 499.75);
}

TEST_F (DelayLineTest, GlideApproachesTheNewDelayInEqualSteps)
{
    line.setGlideLength (100);
    line.setDelayInSamples (500.0);
    impulseResponse (50, 0.0);

    EXPECT_NEAR (line.getGlidingDelay(), 1000.0 - 500.0 * 50.0 / 100.0, 1e-9);

    // Re-aimed from where it stands, it covers the same share of what remains.
    line.setDelayInSamples (500.0);
    impulseResponse (50, 0.0);
    EXPECT_NEAR (line.getGlidingDelay(), 500.0 + 250.0 * 0.5, 1e-9);
}

TEST_F (DelayLineTest, ShrinkingRestartsTheWritePositionAndKeepsTheContent)
{
    line.setDelayInSamples (400.0);

    for (int n = 0; n < 800; ++n)
        line.getNextSampleWithDryWetMix (n + 1.0, 0.0, 1.0);

    line.setMaximumLength (500);
    EXPECT_EQ (line.getWriteIndex(), 0);

    // Writes slot 0, then reads 400 behind position 1: slot 101, written as 102 before.
    EXPECT_NEAR (line.getNextSampleWithDryWetMix (0.0, 0.0, 1.0), 102.0, 1e-9);
}

TEST_F (DelayLineTest, GrowingKeepsTheWritePosition)
{
    for (int n = 0; n < 300; ++n)
        line.getNextSampleWithDryWetMix (0.0, 0.0, 1.0);

    line.setMaximumLength (2000);
    EXPECT_EQ (line.getWriteIndex(), 300);
}

TEST_F (DelayLineTest, CleanUpSilencesTheLineAndItsFeedback)
{
    line.setDelayInSamples (10.0);
    impulseResponse (15, 0.9);
    line.cleanUp();

    const auto out = impulseResponse (40, 0.9);
    EXPECT_EQ (line.getDelayInSamples(), 10.0);
    EXPECT_NEAR (out[9], 1.0, 1e-12);
    EXPECT_EQ (out[5], 0.0);
}

TEST_F (DelayLineTest, CrossFedLineWritesTheOtherSidesInputAndEcho)
{
    line.setDelayInSamples (1.0);

    EXPECT_NEAR (line.getNextCrossFedSample (0.5, 0.25, 0.5), 0.5 + 0.5 * 0.25, 1e-12);
}

//==============================================================================
/** A delay that is not a finite number, with the glide off (0) and on (100 samples). */
class NonFiniteDelayTest : public testing::TestWithParam<std::tuple<double, int>>
{
};

TEST_P (NonFiniteDelayTest, IsNotTakenAndTheEchoStaysWhereItWas)
{
    const auto [badDelay, glideLength] = GetParam();
    velk::DelayLine<double> line;
    line.setMaximumLength (1000);
    line.setGlideLength (glideLength);
    line.setDelayInSamples (10.0);

    for (int n = 0; n < 200; ++n)
        line.getNextSampleWithDryWetMix (0.0, 0.0, 1.0);

    line.setDelayInSamples (badDelay);
    EXPECT_EQ (line.getDelayInSamples(), 10.0);

    std::vector<double> out;

    for (int n = 0; n < 20; ++n)
        out.push_back (line.getNextSampleWithDryWetMix (n == 0 ? 1.0 : 0.0, 0.5, 1.0));

    for (auto sample : out)
        ASSERT_TRUE (std::isfinite (sample));

    // The glide arrives at 10 up to the rounding of its 100 additions.
    EXPECT_NEAR (out[9], 1.0, 1e-9);
    EXPECT_NEAR (out[19], 0.5, 1e-9);
}

INSTANTIATE_TEST_SUITE_P (NaNAndInfinities,
                          NonFiniteDelayTest,
                          testing::Combine (testing::Values (std::numeric_limits<double>::quiet_NaN(),
                                                             std::numeric_limits<double>::infinity(),
                                                             -std::numeric_limits<double>::infinity()),
                                            testing::Values (0, 100)));
//==============================================================================
/** An impulse near the end of the line's 1000 slots, and the echo samples it gives after the
    write position has wrapped to the start.
*/
struct WrapCase
{
    const char* name;
    double delay;
    int impulseAt;
    std::vector<std::pair<int, double>> echo;
};

class DelayLineWrapTest : public DelayLineTest,
                          public testing::WithParamInterface<WrapCase>
{
};

TEST_P (DelayLineWrapTest, EchoesOnTimeAcrossTheEndOfTheLine)
{
    const auto& c = GetParam();
    line.setDelayInSamples (c.delay);
    std::vector<double> out;

    for (int n = 0; n < 1020; ++n)
        out.push_back (line.getNextSampleWithDryWetMix (n == c.impulseAt ? 1.0 : 0.0, 0.0, 1.0));

    for (auto n = c.impulseAt + 1; n < (int) out.size(); ++n)
    {
        auto expected = 0.0;

        for (const auto& [at, value] : c.echo)
            if (at == n)
                expected = value;

        EXPECT_NEAR (out[(size_t) n], expected, 1e-12) << n;
    }
}

// A whole delay of 10 reads 9 samples on, across the wrap; 10.25 read from the last slot
// interpolates toward the first one, written again since.
INSTANTIATE_TEST_SUITE_P (Echoes,
                          DelayLineWrapTest,
                          testing::Values (WrapCase{ "WholeDelay", 10.0, 995, { { 1004, 1.0 } } },
                                           WrapCase{ "FromTheLastSlot", 10.25, 999, { { 1008, 0.75 }, { 1009, 0.25 } } }),
                          [] (const testing::TestParamInfo<WrapCase>& testCase)
                          { return std::string (testCase.param.name); });

/** A line set up as `first` is (1000 samples, a delay of 10, no glide), but for one thing. */
struct StepCase
{
    const char* name;
    int length;
    double delay;
    int glide; // -1: never set
    int samplesRun;
    bool inStep;
};

class DelayLineStepTest : public testing::TestWithParam<StepCase>
{
};

TEST_P (DelayLineStepTest, TwoLinesAreInStepOnlyWhenTheyWouldReadAlike)
{
    const auto& c = GetParam();
    velk::DelayLine<double> first, second;
    first.setMaximumLength (1000);
    first.setDelayInSamples (10.0);
    first.setGlideLength (0);

    second.setMaximumLength (c.length);
    second.setDelayInSamples (c.delay);

    if (c.glide >= 0)
        second.setGlideLength (c.glide);

    for (int n = 0; n < c.samplesRun; ++n)
        second.getNextSampleWithDryWetMix (0.0, 0.0, 1.0);

    EXPECT_EQ (first.isInStepWith (second), c.inStep);
    EXPECT_EQ (second.isInStepWith (first), c.inStep);
}

// A new line has no glide, as one given a glide of 0 has.
INSTANTIATE_TEST_SUITE_P (OneDifference,
                          DelayLineStepTest,
                          testing::Values (StepCase{ "NewLine", 1000, 10.0, -1, 0, true },
                                           StepCase{ "Alike", 1000, 10.0, 0, 0, true },
                                           StepCase{ "OtherLength", 999, 10.0, 0, 0, false },
                                           StepCase{ "OtherDelay", 1000, 11.0, 0, 0, false },
                                           StepCase{ "OtherGlide", 1000, 10.0, 4, 0, false },
                                           StepCase{ "OneSampleOn", 1000, 10.0, 0, 1, false }),
                          [] (const testing::TestParamInfo<StepCase>& testCase)
                          { return std::string (testCase.param.name); });
} // namespace
