#include "effects/PitchShifter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
class PitchShifterTest : public testing::Test
{
protected:
    /** A repeatable test signal in [-1, 1]. */
    static std::vector<double> makeSignal (int length)
    {
        juce::Random random (1234);
        std::vector<double> signal ((size_t) length);

        for (auto& x : signal)
            x = random.nextDouble() * 2.0 - 1.0;

        return signal;
    }

    velk::PitchShifter<double> shifter;
};

TEST_F (PitchShifterTest, MemoryHoldsFourHundredMilliseconds)
{
    shifter.prepare (44100.0);
    EXPECT_EQ (shifter.getBufferLength(), 17640);
}

TEST_F (PitchShifterTest, SemitonesMapToOctaveRatios)
{
    const std::pair<int, double> expected[] = { { 0, 1.0 }, { 12, 2.0 }, { -12, 0.5 }, { 24, 4.0 }, { -24, 0.25 }, { 7, std::exp2 (7.0 / 12.0) } };

    for (const auto& [semitones, ratio] : expected)
    {
        shifter.setSemitones (semitones);
        EXPECT_DOUBLE_EQ (shifter.getRatio(), ratio) << semitones;
    }

    shifter.setSemitones (0);
    EXPECT_EQ (shifter.getRatio(), 1.0);
}

TEST_F (PitchShifterTest, GrainSizeIsClampedToTheMemory)
{
    shifter.prepare (44100.0);

    shifter.setGrainSize (0.25);
    EXPECT_EQ (shifter.getGrainSize(), 1.0);

    shifter.setGrainSize (1.0e6);
    EXPECT_EQ (shifter.getGrainSize(), 17639.0);
}

TEST_F (PitchShifterTest, GrainSizeAskedAgainAfterASmallerMemoryIsSetAgain)
{
    shifter.prepare (44100.0);
    shifter.setGrainSize (10000.0);

    // 8 kHz leaves 3200 slots: the grain no longer fits and is forgotten.
    shifter.prepare (8000.0);
    EXPECT_EQ (shifter.getGrainSize(), 0.0);

    shifter.setGrainSize (10000.0);
    EXPECT_EQ (shifter.getGrainSize(), 3199.0);
}

TEST_F (PitchShifterTest, AtUnityRatioTheWetSignalIsTwoFixedTaps)
{
    // 48 kHz, 30 ms: S = 1440. Heads 1 and 3 sit on the window's peaks, heads 0 and 2 on its
    // zeros, so the output is 0.45 x (the input 3S/4 ago + the input S/4 ago).
    shifter.prepare (48000.0);
    shifter.setGrainSize (48000.0 * 0.001 * 30.0);
    shifter.setSemitones (0);

    const auto x = makeSignal (6000);

    for (size_t n = 0; n < x.size(); ++n)
    {
        const auto out = shifter.getNextSample (x[n], 0.0);

        if (n >= 1440)
        {
            ASSERT_NEAR (out, 0.45 * (x[n - 1080] + x[n - 360]), 2e-6) << "sample " << n;
        }
    }
}

TEST_F (PitchShifterTest, AtUnityRatioEachHeadWeighsTheWindowAtItsDistance)
{
    // S = 1024 maps a distance d to window entry 8d exactly. The window holds two raised-cosine
    // periods over 8191 steps, so the heads at S/4 and 3S/4 weigh a hair under 1 and the one at
    // S/2 a hair over 0. The slot d ahead of the write position was written S - d samples ago.
    const auto window = [] (int entry)
    { return 0.5 * (1.0 - std::cos (4.0 * juce::MathConstants<double>::pi * entry / 8191.0)); };

    shifter.prepare (44100.0);
    shifter.setGrainSize (1024.0);
    shifter.setSemitones (0);
    const auto x = makeSignal (3000);

    for (size_t n = 0; n < x.size(); ++n)
    {
        const auto out = shifter.getNextSample (x[n], 0.0);

        if (n >= 1024)
        {
            const auto expected = 0.45 * (window (2048) * x[n - 768] + window (4096) * x[n - 512] + window (6144) * x[n - 256]);
            ASSERT_NEAR (out, expected, 1e-12) << "sample " << n;
        }
    }
}

TEST_F (PitchShifterTest, FedBackSignalIsClampedToUnity)
{
    shifter.prepare (48000.0);
    shifter.setGrainSize (1440.0);
    shifter.setSemitones (0);

    for (int n = 0; n < 3000; ++n)
        shifter.getNextSample (10.0, 1.0);

    // Once every slot has been rewritten with silence plus the fed-back part, which is
    // limited to 1, the two taps give at most 0.45 x 2 (up to the window's ripple).
    for (int n = 0; n < 1440; ++n)
        shifter.getNextSample (0.0, 1.0);

    double loudest = 0.0;

    for (int n = 0; n < 1440; ++n)
        loudest = std::max (loudest, std::abs (shifter.getNextSample (0.0, 1.0)));

    EXPECT_LE (loudest, 0.45 * 2.0027);
    EXPECT_GT (loudest, 0.8);
}

TEST_F (PitchShifterTest, CleanUpSilencesTheMemory)
{
    shifter.prepare (48000.0);
    shifter.setGrainSize (1440.0);
    const auto x = makeSignal (2000);

    for (auto sample : x)
        shifter.getNextSample (sample, 0.5);

    shifter.cleanUp();

    for (int n = 0; n < 3000; ++n)
        ASSERT_EQ (shifter.getNextSample (0.0, 0.5), 0.0);
}

TEST_F (PitchShifterTest, ShiftedUpAnOctaveASlowSineComesOutAtTwiceTheFrequency)
{
    shifter.prepare (48000.0);
    shifter.setGrainSize (1440.0);
    shifter.setSemitones (12);

    // Count rising zero crossings of the output after the heads have filled.
    const auto frequency = 200.0;
    int crossings = 0;
    double previous = 0.0;

    for (int n = 0; n < 48000; ++n)
    {
        const auto out = shifter.getNextSample (std::sin (juce::MathConstants<double>::twoPi * frequency * n / 48000.0), 0.0);

        if (n >= 24000 && previous < 0.0 && out >= 0.0)
            ++crossings;

        previous = out;
    }

    EXPECT_NEAR (crossings, 200, 10);
}

/** A shifter set up as `first` is (44.1 kHz, grains of 1000 samples, no shift), but for one thing. */
struct ShifterStepCase
{
    const char* name;
    double sampleRate;
    double grainSize;
    int semitones;
    int samplesRun;
    bool inStep;
};

class PitchShifterStepTest : public testing::TestWithParam<ShifterStepCase>
{
};

TEST_P (PitchShifterStepTest, TwoShiftersAreInStepOnlyWhenTheyWouldPlaceTheirHeadsAlike)
{
    const auto& c = GetParam();
    velk::PitchShifter<double> first, second;
    first.prepare (44100.0);
    first.setGrainSize (1000.0);
    first.setSemitones (0);

    second.prepare (c.sampleRate);
    second.setGrainSize (c.grainSize);
    second.setSemitones (c.semitones);

    for (int n = 0; n < c.samplesRun; ++n)
        second.getNextSample (0.0, 0.0);

    EXPECT_EQ (first.isInStepWith (second), c.inStep);
    EXPECT_EQ (second.isInStepWith (first), c.inStep);
}

INSTANTIATE_TEST_SUITE_P (OneDifference,
                          PitchShifterStepTest,
                          testing::Values (ShifterStepCase{ "Alike", 44100.0, 1000.0, 0, 0, true },
                                           ShifterStepCase{ "OtherMemory", 48000.0, 1000.0, 0, 0, false },
                                           ShifterStepCase{ "OtherGrain", 44100.0, 900.0, 0, 0, false },
                                           ShifterStepCase{ "OtherPitch", 44100.0, 1000.0, 7, 0, false },
                                           ShifterStepCase{ "OneSampleOn", 44100.0, 1000.0, 0, 1, false }),
                          [] (const testing::TestParamInfo<ShifterStepCase>& testCase)
                          { return std::string (testCase.param.name); });
} // namespace
