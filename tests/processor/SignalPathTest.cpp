#include "ProcessorTestRig.h"

#include "processor/ParameterLayout.h"
#include "processor/SignalPath.h"
#include "support/TestAudioProcessor.h"

namespace velk::test
{
/** The signal path on a parameter store of its own, laid out as the processor lays it out. */
class SignalPathTest : public ::testing::Test
{
protected:
    SignalPathTest()
    {
        parameters.finishCreatingParameters();
        path.attachParameters (parameters.store, layout);
        path.prepare (44100.0, 512);
    }

    void process (int numSamples)
    {
        juce::AudioBuffer<float> buffer (2, numSamples);
        buffer.clear();
        juce::MidiBuffer midi;
        path.refreshModulation();
        path.process (buffer, midi);
    }

    tavelin::test::TestParameterStore parameters;
    ParametersRandomizer randomizer{ parameters.store };
    SignalPath path{ parameters.store };
    ParameterLayout layout{ parameters.store, path, randomizer };
};

TEST_F (SignalPathTest, TempoFollowsThePlayHeadAndStaysWithoutAPosition)
{
    struct Row
    {
        bool hasPosition;
        std::optional<double> bpm;
        float expectedBpm, expectedMsPerBar;
    };

    // Hosts report 0 (or no tempo) while stopped: the last tempo stays rather than a bar of minutes.
    for (const auto& row : { Row{ true, 90.0, 90.0f, 2666.6667f }, Row{ true, 0.5, 1.0f, 240000.0f },
                             Row{ true, 0.0, 150.0f, 1600.0f }, Row{ true, std::nullopt, 150.0f, 1600.0f },
                             Row{ false, 90.0, 150.0f, 1600.0f } })
    {
        FixedPlayHead playHead;
        playHead.bpm = 150.0;
        path.followTempo (&playHead);

        playHead.hasPosition = row.hasPosition;
        playHead.bpm = row.bpm;
        path.followTempo (&playHead);

        EXPECT_EQ (path.getTempo().bpm, row.expectedBpm) << row.bpm.value_or (-1.0);
        EXPECT_FLOAT_EQ (path.getTempo().msPerBar, row.expectedMsPerBar) << row.bpm.value_or (-1.0);
    }

    path.followTempo (nullptr);
    EXPECT_EQ (path.getTempo().bpm, 150.0f) << "no play head keeps the last tempo too";
}

TEST_F (SignalPathTest, PrepareSetsRateAndRampLengthButKeepsTheRamps)
{
    parameters.set ("Dry_Wet", 0.0f);
    process (512);
    const auto mix = path.getDryWetRamp().current;

    for (const auto& [rate, rampLength] : { std::pair (48000.0, 2880), std::pair (44100.0, 2646), std::pair (96000.0, 5760) })
    {
        path.prepare (rate, 256);

        EXPECT_EQ (path.getTempo().sampleRate, rate);
        EXPECT_EQ (path.getRampLength(), rampLength);
        EXPECT_EQ (path.getDryWetRamp().current, mix);
    }
}

TEST_F (SignalPathTest, RampsStartAtTheDefaultsAndTenSamplesLongBeforeAnyPreparation)
{
    const SignalPath unprepared{ parameters.store };

    EXPECT_EQ (unprepared.getRampLength(), 10);
    EXPECT_EQ (unprepared.getDryWetRamp().current, 100.0f);
    EXPECT_EQ (unprepared.getOutputLevelRamp().current, 0.0f);
}

TEST_F (SignalPathTest, DryWetRampCoversBlockOverRampLengthOfTheWayPerBlock)
{
    parameters.set ("Dry_Wet", 0.0f);
    process (512);

    EXPECT_NEAR (100.0f - path.getDryWetRamp().current, 19.35f, 0.01f);
    EXPECT_NEAR (path.getDryWetRamp().step, -100.0f / 2646.0f, 1.0e-6f);
}

TEST_F (SignalPathTest, EmptyBlockReaimsTheOutputLevelButMovesNeitherItNorTheScope)
{
    parameters.set ("Global_Gain", -12.0f);
    process (24);
    const auto level = path.getOutputLevelRamp().current;

    process (0);

    EXPECT_EQ (path.getOutputLevelRamp().current, level);
    EXPECT_EQ (path.getOutputLevelRamp().countdown, 2646);
    EXPECT_EQ (path.getScopePhase(), 24 % SignalPath::scopeDecimation);
}
} // namespace velk::test
