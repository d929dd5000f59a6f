#include "effects/GainerModule.h"

#include "ModuleRig.h"

#include <gtest/gtest.h>

namespace
{
class GainerModuleTest : public testing::Test
{
protected:
    void SetUp() override { rig.prepare (44100.0); }

    float gainOfNextBlock (int numFrames)
    {
        return rig.block (numFrames, 1.0f, 1.0f).first;
    }

    tavelin::test::ModuleRig<velk::GainerModule> rig{ "Gainer_1" };
};

TEST_F (GainerModuleTest, StartsAtMinusSixDecibels)
{
    EXPECT_FLOAT_EQ (gainOfNextBlock (1), 0.501187f);
}

TEST_F (GainerModuleTest, AtZeroDecibelsSettledPassesBothChannelsUnchanged)
{
    rig.set ("_Gain", 0.0f);
    gainOfNextBlock (4096);

    rig.beginBlock();
    const auto out = rig.frame (0.3f, -0.7f);

    // The ramp does not snap: its additions leave the gain a few millionths from unity.
    EXPECT_NEAR (out.first, 0.3f, 1e-5f);
    EXPECT_NEAR (out.second, -0.7f, 1e-5f);
}

TEST_F (GainerModuleTest, RampClosesBlockOverRampLengthOfTheDistancePerBlock)
{
    rig.set ("_Gain", -20.0f);

    // The block after the change still runs at the old value...
    EXPECT_FLOAT_EQ (gainOfNextBlock (512), juce::Decibels::decibelsToGain (-6.0f));

    // ...then each 512-sample block closes 512 / 1323 of what remains, in single precision.
    auto currentDb = -6.0f;

    for (int block = 1; block <= 3; ++block)
    {
        const auto step = (-20.0f - currentDb) / 1323.0f;

        for (int i = 0; i < 512; ++i)
            currentDb += step;

        const auto worked = std::pow (10.0, (-20.0 + 14.0 * std::pow (811.0 / 1323.0, block)) * 0.05);
        const auto gain = gainOfNextBlock (512);
        EXPECT_EQ (gain, juce::Decibels::decibelsToGain (currentDb)) << block;
        EXPECT_NEAR (gain, worked, 1e-4 * worked) << block;
    }
}

TEST_F (GainerModuleTest, BlockLongerThanTheRampArrivesWithinIt)
{
    rig.set ("_Gain", -20.0f);
    gainOfNextBlock (4096);

    EXPECT_NEAR (gainOfNextBlock (1), 0.1f, 2e-6f);
}

TEST_F (GainerModuleTest, BlocksWithoutFramesReAimButNeverAdvance)
{
    rig.set ("_Gain", -20.0f);

    // A bypassed chain's modules get the block stage only: the ramp stays where it stood.
    for (int block = 0; block < 5; ++block)
        rig.beginBlock();

    EXPECT_FLOAT_EQ (gainOfNextBlock (512), juce::Decibels::decibelsToGain (-6.0f));
    EXPECT_LT (gainOfNextBlock (1), juce::Decibels::decibelsToGain (-6.0f));
}

TEST_F (GainerModuleTest, BottomOfTheRangeIsQuietButNotSilent)
{
    rig.set ("_Gain", -70.0f);
    gainOfNextBlock (4096);

    EXPECT_NEAR (gainOfNextBlock (1), 0.000316228f, 1e-4f * 0.000316228f);
}

TEST_F (GainerModuleTest, ModulationPullsTheMultiplierTowardUnity)
{
    rig.set ("_Gain", -70.0f);
    rig.modulate ("_Gain", 0.5f);

    // Under modulation the knob value enters unsmoothed at every frame.
    EXPECT_NEAR (gainOfNextBlock (1), 0.000316228f + 0.5f * 0.999683772f, 1e-6f);
    EXPECT_NEAR (gainOfNextBlock (1), 0.50016f, 1e-5f);
}

TEST_F (GainerModuleTest, FullModulationGivesUnityWhateverTheKnob)
{
    rig.set ("_Gain", -35.0f);
    rig.modulate ("_Gain", 1.0f);

    EXPECT_EQ (gainOfNextBlock (1), 1.0f);
}

/** The knob at -20 dB, alone or modulated half-way toward the top: where the ramp heads. */
struct WholeBufferCase
{
    const char* name;
    bool modulated;
    double targetDb;
};

class GainerWholeBufferTest : public GainerModuleTest,
                              public testing::WithParamInterface<WholeBufferCase>
{
};

TEST_P (GainerWholeBufferTest, UsesTheBlockStartValueThenAdvancesTowardTheTarget)
{
    rig.set ("_Gain", -20.0f);

    if (GetParam().modulated)
        rig.modulate ("_Gain", 0.5f);

    rig.manager.refreshMatrixForBlock();
    juce::AudioBuffer<float> buffer (2, 512);
    juce::MidiBuffer midi;

    for (int pass = 0; pass < 2; ++pass)
    {
        for (int channel = 0; channel < 2; ++channel)
            juce::FloatVectorOperations::fill (buffer.getWritePointer (channel), 1.0f, 512);

        rig.module.processBlock (buffer, midi, 512);
    }

    // The second pass runs at the value the ramp reached after the first, 512 / 1323 of the
    // way from -6 dB (give or take the drift of its single-precision additions), from its
    // first sample to its last.
    const auto expected = std::pow (10.0, (-6.0 + (GetParam().targetDb + 6.0) * 512.0 / 1323.0) * 0.05);

    for (int channel = 0; channel < 2; ++channel)
        for (const auto sample : { 0, 1, 511 })
            EXPECT_NEAR (buffer.getSample (channel, sample), expected, 1e-4 * expected) << channel << ", " << sample;
}

INSTANTIATE_TEST_SUITE_P (Targets,
                          GainerWholeBufferTest,
                          testing::Values (WholeBufferCase{ "Knob", false, -20.0 },
                                           WholeBufferCase{ "HalfModulation", true, -10.0 }),
                          [] (const testing::TestParamInfo<WholeBufferCase>& testCase)
                          { return std::string (testCase.param.name); });

TEST_F (GainerModuleTest, NamesItsOneParameterAndTarget)
{
    EXPECT_EQ (rig.module.getGainParameterUID(), "Gainer_1_Gain");
    EXPECT_EQ (rig.module.getParameterUID (0), "Gainer_1_Gain");
    EXPECT_TRUE (rig.module.getParameterUID (1).isEmpty());
    EXPECT_EQ (rig.module.getModulationParameterNames(), juce::StringArray ("Gainer_1_Gain"));
}
} // namespace
