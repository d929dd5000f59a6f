#include "effects/PannerModule.h"

#include "ModuleRig.h"

#include <gtest/gtest.h>

namespace
{
class PannerModuleTest : public testing::Test
{
protected:
    void SetUp() override { rig.prepare (44100.0); }

    /** The gains for a pan knob position taken as it stands: a modulation of 0 makes calc()
        apply the raw knob value at every frame, with no ramp in between.
    */
    std::pair<float, float> gainsAt (float panPercent)
    {
        rig.set ("_Pan", panPercent);
        rig.modulate ("_Pan", 0.0f);
        return rig.block (1);
    }

    tavelin::test::ModuleRig<velk::PannerModule> rig{ "Panner_1" };
};

class PanLaw : public PannerModuleTest,
               public testing::WithParamInterface<std::tuple<float, float, float>>
{
};

TEST_P (PanLaw, KeepsTheNearSideAtFullLevel)
{
    const auto [pan, left, right] = GetParam();
    const auto gains = gainsAt (pan);

    EXPECT_EQ (gains.first, left);
    EXPECT_EQ (gains.second, right);
}

INSTANTIATE_TEST_SUITE_P (Positions,
                          PanLaw,
                          testing::Values (std::make_tuple (0.0f, 1.0f, 0.0f),
                                           std::make_tuple (25.0f, 1.0f, 0.5f),
                                           std::make_tuple (50.0f, 1.0f, 1.0f),
                                           std::make_tuple (75.0f, 0.5f, 1.0f),
                                           std::make_tuple (100.0f, 0.0f, 1.0f)));

TEST_F (PannerModuleTest, CentreAtStartPassesBothChannels)
{
    const auto out = rig.block (1, 0.4f, -0.4f);

    EXPECT_EQ (out.first, 0.4f);
    EXPECT_EQ (out.second, -0.4f);
}

TEST_F (PannerModuleTest, KnobChangeGlidesAndEndsWhereTheRampsAdditionsLead)
{
    rig.set ("_Pan", 100.0f);
    rig.block (2000);

    // 1323 single-precision steps from 50 toward 100 overshoot a little, so the left gain
    // ends just below zero rather than at it.
    auto position = 50.0f;
    const auto step = 50.0f / 1323.0f;

    for (int i = 0; i < 1323; ++i)
        position += step;

    const auto gains = rig.block (1);
    EXPECT_EQ (gains.first, 1.0f - 2.0f * (position * 0.01f - 0.5f));
    EXPECT_NEAR (gains.first, 0.0f, 1e-4f);
    EXPECT_EQ (gains.second, 1.0f);
}

TEST_F (PannerModuleTest, GlideLastsThirtyMillisecondsAtAnyRate)
{
    rig.prepare (48000.0);
    rig.set ("_Pan", 100.0f);
    rig.block (720);

    // Half of the 1440-sample glide from the centre: three quarters right, left gain 0.5.
    EXPECT_NEAR (rig.block (1).first, 0.5f, 1e-4f);
}

TEST_F (PannerModuleTest, FullModulationMovesTheCentreHardRight)
{
    rig.modulate ("_Pan", 1.0f);
    const auto gains = rig.block (1);

    EXPECT_EQ (gains.first, 0.0f);
    EXPECT_EQ (gains.second, 1.0f);
}

TEST_F (PannerModuleTest, EveryChannelButTheFirstTakesTheRightGain)
{
    gainsAt (0.0f);

    EXPECT_EQ (rig.module.processSingleSample (1.0f, 5), 0.0f);
    EXPECT_EQ (rig.module.processSingleSample (1.0f, 0), 1.0f);
}

TEST_F (PannerModuleTest, WholeBufferProcessingScalesEachSide)
{
    gainsAt (25.0f);
    juce::AudioBuffer<float> buffer (2, 64);
    juce::MidiBuffer midi;

    for (int channel = 0; channel < 2; ++channel)
        juce::FloatVectorOperations::fill (buffer.getWritePointer (channel), 0.5f, 64);

    rig.module.processBlock (buffer, midi, 64);

    EXPECT_EQ (buffer.getSample (0, 63), 0.5f);
    EXPECT_EQ (buffer.getSample (1, 63), 0.25f);
}

TEST_F (PannerModuleTest, MonoBufferTakesOnlyTheLeftGain)
{
    // Left 1, right 0.5: the one channel keeps its level, and no right gain lands anywhere.
    gainsAt (25.0f);
    juce::AudioBuffer<float> buffer (1, 64);
    juce::MidiBuffer midi;
    juce::FloatVectorOperations::fill (buffer.getWritePointer (0), 0.5f, 64);

    rig.module.processBlock (buffer, midi, 64);

    EXPECT_EQ (buffer.getSample (0, 0), 0.5f);
    EXPECT_EQ (buffer.getSample (0, 63), 0.5f);
}

TEST_F (PannerModuleTest, NamesItsOneParameterAndTarget)
{
    EXPECT_EQ (rig.module.getParameterUID (0), "Panner_1_Pan");
    EXPECT_TRUE (rig.module.getParameterUID (1).isEmpty());
    EXPECT_EQ (rig.module.getModulationParameterNames(), juce::StringArray ("Panner_1_Pan"));
}
} // namespace
