#include "effects/SimpleDelayModule.h"

#include "ModuleRig.h"

#include <gtest/gtest.h>

namespace
{
class SimpleDelayModuleTest : public testing::Test
{
protected:
    void SetUp() override { rig.prepare (44100.0); }

    double delayOfNextBlock()
    {
        rig.block (1, 0.0f, 0.0f);
        return rig.module.getDelayLine (0).getDelayInSamples();
    }

    /** Lets the glide and the mix ramp arrive on silence, then empties the lines. */
    void settle()
    {
        rig.block (3000, 0.0f, 0.0f);
        rig.module.cleanUp();
    }

    tavelin::test::ModuleRig<velk::SimpleDelayModule> rig{ "Delay_1" };
};

TEST_F (SimpleDelayModuleTest, LinesHoldFourSeconds)
{
    EXPECT_EQ (rig.module.getDelayLine (0).getMaximumLength(), 176400);
    EXPECT_EQ (rig.module.getDelayLine (1).getMaximumLength(), 176400);
}

TEST_F (SimpleDelayModuleTest, FreeTimeBecomesSamples)
{
    EXPECT_DOUBLE_EQ (delayOfNextBlock(), 5292.0);

    rig.set ("_Time", 1000.0f);
    EXPECT_DOUBLE_EQ (delayOfNextBlock(), 44100.0);
}

TEST_F (SimpleDelayModuleTest, SyncedDefaultIsAnEighthNote)
{
    rig.set ("_Sync", 1.0f);
    EXPECT_DOUBLE_EQ (delayOfNextBlock(), 44100.0 * 0.25);
}

TEST_F (SimpleDelayModuleTest, EightBarsAtOneHundredTwentyBpmAreHalvedToFit)
{
    rig.set ("_Sync", 1.0f);
    rig.set ("_Synced_Time", 0.0f);

    // 16000 ms = 705600 samples, halved to 352800, 176400 and 88200.
    EXPECT_DOUBLE_EQ (delayOfNextBlock(), 88200.0);
}

TEST_F (SimpleDelayModuleTest, SyncedTimeFollowsTheHostTempo)
{
    rig.set ("_Sync", 1.0f);
    rig.set ("_Synced_Time", 8.0f);
    rig.tempo.setBpm (90.0f);

    EXPECT_NEAR (delayOfNextBlock(), 44100.0 * 0.5, 1e-3);
}

TEST_F (SimpleDelayModuleTest, TimeModulationRisesAlongASquareLaw)
{
    rig.modulate ("_Time", 0.5f);
    EXPECT_DOUBLE_EQ (delayOfNextBlock(), 44100.0 * 0.001 * 340.0);

    rig.modulate ("_Time", 1.0f);
    EXPECT_DOUBLE_EQ (delayOfNextBlock(), 44100.0);
}

TEST_F (SimpleDelayModuleTest, SyncedTimeModulationMovesTowardTheShortestDivision)
{
    rig.set ("_Sync", 1.0f);
    rig.modulate ("_Time", 1.0f);

    EXPECT_DOUBLE_EQ (delayOfNextBlock(), 44100.0 * 0.001 * 15.625);
}

TEST_F (SimpleDelayModuleTest, TimeChangeGlidesInBlockSizedSteps)
{
    rig.block (512, 0.0f, 0.0f);

    // From the 1000 samples of construction toward 120 ms, 512 / 2646 of the way per block.
    EXPECT_NEAR (rig.module.getDelayLine (0).getGlidingDelay(), 1000.0 + 4292.0 * 512.0 / 2646.0, 1e-6);

    rig.block (512, 0.0f, 0.0f);
    const auto remaining = 4292.0 * (2134.0 / 2646.0) * (2134.0 / 2646.0);
    EXPECT_NEAR (rig.module.getDelayLine (1).getGlidingDelay(), 5292.0 - remaining, 1e-6);
}

TEST_F (SimpleDelayModuleTest, UnderModulationTheGlideIsReAimedEverySample)
{
    rig.modulate ("_Mix", 0.0f);
    rig.block (2, 0.0f, 0.0f);

    // Two samples, each closing 1 / 2646 of what remained.
    const auto remaining = 4292.0 * (2645.0 / 2646.0) * (2645.0 / 2646.0);
    EXPECT_NEAR (rig.module.getDelayLine (0).getGlidingDelay(), 5292.0 - remaining, 1e-6);
}

TEST_F (SimpleDelayModuleTest, FullFeedbackRepeatsAtNinetySixPercent)
{
    rig.set ("_Time", 10.0f);
    rig.set ("_Mix", 100.0f);
    rig.set ("_Feed", 100.0f);
    settle();

    rig.beginBlock();
    std::vector<float> out;

    for (int n = 0; n < 2000; ++n)
        out.push_back (rig.frame (n == 0 ? 1.0f : 0.0f, 0.0f).first);

    EXPECT_NEAR (out[440], 1.0f, 1e-5f);
    EXPECT_NEAR (out[881], 0.96f, 1e-5f);
    EXPECT_NEAR (out[1322], 0.96f * 0.96f, 1e-5f);
}

TEST_F (SimpleDelayModuleTest, PingPongEchoesAlternateBetweenTheChannels)
{
    rig.set ("_Time", 10.0f);
    rig.set ("_Mix", 100.0f);
    rig.set ("_Feed", 100.0f);
    rig.set ("_PingPong", 1.0f);
    settle();

    rig.beginBlock();
    std::vector<std::pair<float, float>> out;

    for (int n = 0; n < 1400; ++n)
        out.push_back (rig.frame (n == 0 ? 1.0f : 0.0f, 0.0f));

    // The first echo of a left-only input sounds on the right, the next on the left...
    EXPECT_NEAR (out[440].second, 1.0f, 1e-5f);
    EXPECT_NEAR (out[440].first, 0.0f, 1e-5f);
    EXPECT_NEAR (out[881].first, 0.96f, 1e-5f);
    EXPECT_NEAR (out[881].second, 0.0f, 1e-5f);
    // ...and the right channel's next pass picks up the left echo within the same frame.
    EXPECT_NEAR (out[1321].second, 0.96f * 0.96f, 1e-5f);
    EXPECT_NEAR (out[1321].first, 0.0f, 1e-5f);
}

TEST_F (SimpleDelayModuleTest, MixModulationMovesTowardFullyWet)
{
    rig.modulate ("_Mix", 0.5f);
    rig.beginBlock();
    rig.module.cleanUp();

    EXPECT_NEAR (rig.frame (1.0f, 1.0f).first, 0.70771f, 1e-5f);
}

TEST_F (SimpleDelayModuleTest, CleanUpKeepsTheDelayAndItsGlide)
{
    rig.block (512, 0.3f, 0.3f);
    const auto glide = rig.module.getDelayLine (0).getGlidingDelay();
    rig.module.cleanUp();

    EXPECT_EQ (rig.module.getDelayLine (0).getGlidingDelay(), glide);
    EXPECT_EQ (rig.module.getDelayLine (0).getWriteIndex(), 0);
    EXPECT_DOUBLE_EQ (rig.module.getDelayLine (0).getDelayInSamples(), 5292.0);
}

TEST_F (SimpleDelayModuleTest, LowerSampleRateShrinksTheLinesAndRestartsTheirWrites)
{
    rig.prepare (96000.0);
    rig.block (200000, 0.0f, 0.0f);
    ASSERT_GT (rig.module.getDelayLine (0).getWriteIndex(), 176400);

    rig.prepare (44100.0);
    EXPECT_EQ (rig.module.getDelayLine (0).getMaximumLength(), 176400);
    EXPECT_EQ (rig.module.getDelayLine (0).getWriteIndex(), 0);
}

TEST_F (SimpleDelayModuleTest, WholeBufferProcessingRunsEachLineWithoutPingPong)
{
    rig.set ("_Time", 10.0f);
    rig.set ("_Mix", 100.0f);
    rig.set ("_PingPong", 1.0f);
    settle();

    juce::AudioBuffer<float> buffer (2, 512);
    buffer.clear();
    buffer.setSample (0, 0, 1.0f);
    juce::MidiBuffer midi;
    rig.module.processBlock (buffer, midi, 512);

    EXPECT_NEAR (buffer.getSample (0, 440), 1.0f, 1e-5f);
    EXPECT_NEAR (buffer.getSample (1, 440), 0.0f, 1e-5f);
}

TEST_F (SimpleDelayModuleTest, NamesItsParametersInTheEditorsOrder)
{
    const juce::StringArray expected{ "Delay_1_Time", "Delay_1_Synced_Time", "Delay_1_Sync", "Delay_1_Feed", "Delay_1_Mix", "Delay_1_PingPong" };

    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ (rig.module.getParameterUID (i), expected[i]);

    EXPECT_TRUE (rig.module.getParameterUID (6).isEmpty());
    EXPECT_TRUE (rig.module.getParameterUID (-1).isEmpty());
    EXPECT_EQ (rig.module.getModulationParameterNames(), juce::StringArray ({ "Delay_1_Time", "Delay_1_Mix" }));
}
} // namespace
