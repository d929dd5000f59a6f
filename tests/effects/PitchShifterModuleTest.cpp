#include "effects/PitchShifterModule.h"

#include "modulation/EqualPowerCrossfade.h"

#include "ModuleRig.h"

#include <gtest/gtest.h>

#include <array>

namespace
{
class PitchShifterModuleTest : public testing::Test
{
protected:
    void SetUp() override { rig.prepare (44100.0); }

    double ratioOfNextBlock()
    {
        rig.block (1, 0.0f, 0.0f);
        return rig.module.getShifter (0).getRatio();
    }

    tavelin::test::ModuleRig<velk::PitchShifterModule> rig{ "Pitch_Shifter_1" };
};

TEST_F (PitchShifterModuleTest, GrainSizeFollowsTheSizeKnob)
{
    const std::pair<float, double> expected[] = { { 30.0f, 1323.0 }, { 10.0f, 441.0 }, { 200.0f, 8820.0 }, { 25.0f, 1102.5 } };

    for (const auto& [ms, samples] : expected)
    {
        rig.set ("_Size", ms);
        rig.block (1, 0.0f, 0.0f);
        EXPECT_NEAR (rig.module.getShifter (0).getGrainSize(), samples, 1e-9) << ms;
        EXPECT_NEAR (rig.module.getShifter (1).getGrainSize(), samples, 1e-9) << ms;
    }
}

TEST_F (PitchShifterModuleTest, BypassedBlockTakesTheGrainSizeAndLeavesTheRestForTheReturn)
{
    rig.set ("_Size", 10.0f);
    rig.set ("_Pitch", 12.0f);
    rig.module.precalculateForBypassedBlock();

    EXPECT_EQ (rig.module.getShifter (0).getGrainSize(), 441.0);
    EXPECT_EQ (rig.module.getShifter (1).getGrainSize(), 441.0);
    EXPECT_EQ (rig.module.getShifter (0).getRatio(), 1.0);
}

TEST_F (PitchShifterModuleTest, PitchKnobSetsTheRatioOfEveryChannel)
{
    rig.set ("_Pitch", 12.0f);
    EXPECT_DOUBLE_EQ (ratioOfNextBlock(), 2.0);
    EXPECT_DOUBLE_EQ (rig.module.getShifter (1).getRatio(), 2.0);

    rig.set ("_Pitch", -24.0f);
    EXPECT_DOUBLE_EQ (ratioOfNextBlock(), 0.25);
}

TEST_F (PitchShifterModuleTest, FullModulationRaisesThePitchToTwentyFourSemitones)
{
    rig.modulate ("_Pitch", 1.0f);
    EXPECT_DOUBLE_EQ (ratioOfNextBlock(), 4.0);
}

TEST_F (PitchShifterModuleTest, ModulatedPitchRoundsHalvesToEven)
{
    // (24 - 0) x 0.0625 = 1.5, which rounds to 2.
    rig.modulate ("_Pitch", 0.0625f);
    EXPECT_DOUBLE_EQ (ratioOfNextBlock(), std::exp2 (2.0 / 12.0));
}

TEST_F (PitchShifterModuleTest, FirstBlockRunsDryWhileTheMixRampStartsFromZero)
{
    const auto out = rig.block (64, 0.5f, -0.5f);

    // Mix 0: the input at full level plus the wet signal at c(pi/2), which is still silent.
    EXPECT_EQ (out.first, 0.5f);
    EXPECT_EQ (out.second, -0.5f);
}

TEST_F (PitchShifterModuleTest, MixRampRisesOneBlockLater)
{
    rig.block (512, 0.0f, 0.0f);
    rig.block (1, 0.0f, 0.0f);

    // Mix knob 100 %: the block's mix is 512 / 1323 of the way, so the dry gain is
    // c(mix x pi/2) of it.
    rig.module.cleanUp();
    const auto mix = (float) (100.0f * 512.0f / 1323.0f * 0.01);
    EXPECT_NEAR (rig.module.processSingleSample (0.5f, 0), 0.5f * velk::equalPowerDryGain (mix), 1e-5f);
}

TEST_F (PitchShifterModuleTest, SettledMixIsWhereTheRampsAdditionsLead)
{
    rig.block (2000, 0.0f, 0.0f);
    rig.beginBlock();
    rig.module.cleanUp();

    auto mixPercent = 0.0f;
    const auto step = 100.0f / 1323.0f;

    for (int i = 0; i < 1323; ++i)
        mixPercent += step;

    // Right after cleanUp the heads read silence: only the dry part is left, at the gain of
    // the mix that the ramp reached (not exactly 100 %).
    const auto dryGain = velk::equalPowerDryGain ((float) (mixPercent * 0.01));
    EXPECT_EQ (rig.frame (1.0f, 1.0f).first, dryGain);
    EXPECT_NEAR (dryGain, velk::equalPowerDryGain (1.0), 2e-5f);
}

TEST_F (PitchShifterModuleTest, MixModulationMovesTowardFullyWet)
{
    rig.set ("_Mix", 0.0f);
    rig.modulate ("_Mix", 0.5f);
    rig.beginBlock();
    rig.module.cleanUp();

    EXPECT_NEAR (rig.frame (1.0f, 1.0f).first, 0.70771f, 1e-5f);
}

TEST_F (PitchShifterModuleTest, MixModulationReachesAStretchOfFramesToo)
{
    rig.set ("_Mix", 0.0f);
    rig.modulate ("_Mix", 0.5f);
    rig.beginBlock();
    rig.module.cleanUp();
    auto left = 1.0f, right = 1.0f;
    rig.frames (&left, &right, 1);

    EXPECT_NEAR (left, 0.70771f, 1e-5f);
    EXPECT_DOUBLE_EQ (rig.module.getShifter (0).getRatio(), 1.0) << "the pitch stays unmodulated";
}

TEST_F (PitchShifterModuleTest, AWholeBufferTakesTheKnobsBeforeItsFirstSample)
{
    rig.set ("_Pitch", 12.0f);
    juce::AudioBuffer<float> buffer (2, 16);
    buffer.clear();
    juce::MidiBuffer midi;
    rig.module.processBlock (buffer, midi, 16);

    EXPECT_DOUBLE_EQ (rig.module.getShifter (0).getRatio(), 2.0);
    EXPECT_DOUBLE_EQ (rig.module.getShifter (1).getRatio(), 2.0);
}

TEST_F (PitchShifterModuleTest, CleanUpSilencesEveryChannel)
{
    rig.set ("_Feedback", 100.0f);
    rig.block (2000, 0.9f, -0.9f);
    rig.module.cleanUp();
    rig.beginBlock();

    for (int i = 0; i < 3000; ++i)
    {
        const auto out = rig.frame (0.0f, 0.0f);
        ASSERT_EQ (out.first, 0.0f);
        ASSERT_EQ (out.second, 0.0f);
    }
}

TEST_F (PitchShifterModuleTest, FeedbackPastUnityIsHeldAtUnity)
{
    // The knob tops out at 96 %; a raw value past its range (which only a bypassed store
    // could leave) is held at unity, whatever the amount and whichever path runs the module.
    // The frame and stretch paths give the same samples, so the two must ring alike.
    tavelin::test::ModuleRig<velk::PitchShifterModule> stretches{ "Pitch_Shifter_1" };
    stretches.prepare (44100.0);
    rig.parameters.store.getRawParameterValue ("Pitch_Shifter_1_Feedback")->store (120.0f);
    stretches.parameters.store.getRawParameterValue ("Pitch_Shifter_1_Feedback")->store (1000.0f);

    std::array<float, 64> left{}, right{};

    for (int block = 0; block < 40; ++block)
    {
        const auto impulse = block == 0 ? 0.5f : 0.0f;
        left.fill (0.0f);
        right.fill (0.0f);
        left[0] = impulse;
        right[0] = -impulse;

        stretches.beginBlock();
        stretches.frames (left.data(), right.data(), (int) left.size());
        rig.beginBlock();

        for (size_t i = 0; i < left.size(); ++i)
        {
            const auto input = i == 0 ? impulse : 0.0f;
            const auto [outLeft, outRight] = rig.frame (input, -input);
            ASSERT_EQ (outLeft, left[i]) << block << ", " << i;
            ASSERT_EQ (outRight, right[i]) << block << ", " << i;
        }
    }
}

TEST_F (PitchShifterModuleTest, PitchTextRoundsHalvesToEven)
{
    EXPECT_EQ (velk::PitchShifterModule::getPitchText (-0.5f), "0 Semi");
    EXPECT_EQ (velk::PitchShifterModule::getPitchText (23.7f), "24 Semi");
    EXPECT_EQ (velk::PitchShifterModule::getPitchText (-24.0f), "-24 Semi");
    EXPECT_EQ (velk::PitchShifterModule::getPitchText (-12.0f), "-12 Semi");
    EXPECT_EQ (velk::PitchShifterModule::getPitchText (7.0f), "7 Semi");
}

TEST_F (PitchShifterModuleTest, NamesItsParametersAndTargets)
{
    const juce::StringArray expected{ "Pitch_Shifter_1_Pitch", "Pitch_Shifter_1_Size", "Pitch_Shifter_1_Feedback", "Pitch_Shifter_1_Mix" };

    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ (rig.module.getParameterUID (i), expected[i]);

    EXPECT_TRUE (rig.module.getParameterUID (4).isEmpty());
    EXPECT_EQ (rig.module.getModulationParameterNames(), juce::StringArray ({ "Pitch_Shifter_1_Pitch", "Pitch_Shifter_1_Mix" }));
}
} // namespace
