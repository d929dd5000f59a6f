#include "modulation/LFOModulator.h"
#include "ModulationTestRig.h"
#include "modulation/BeatTranslator.h"
#include "support/ExpectedParameter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
using tavelin::test::ModulationTestRig;
using tavelin::test::StubModulator;
using velk::LFOModulator;

/** LFO_1 with a stub source that can modulate its rate and wave.

    The store's 1 Hz default reads 1.0000001 once the state is attached, so the tests that
    check table reads to the bit run synced to one bar at 120 bpm (exactly 0.5 Hz) at a
    sample rate that makes the phase advance by an exact binary fraction: sample k then
    reads phase k / samplesPerCycle exactly.
*/
class LFOModulatorTest : public ::testing::Test
{
protected:
    LFOModulatorTest()
        : lfo (rig.add (std::make_unique<LFOModulator> ("LFO_1"))),
          source (rig.addStub ("Source"))
    {
        rig.finish();
    }

    void set (const juce::String& suffix, float value) { rig.parameters.set ("LFO_1" + suffix, value); }

    /** Runs one block and returns the output after its last sample. */
    float outputAfter (int numSamples) { return rig.runBlock (numSamples, &lfo).back(); }

    void runExactly (int samplesPerCycle)
    {
        set ("_Sync", 1.0f);
        lfo.prepareToPlay (samplesPerCycle * 0.5, 512);
    }

    float tableEntry (int wave, int index) const { return lfo.getWavetable (wave).samples[index]; }

    static float expectedIncrement (double sampleRate, float frequency) { return (float) (1.0 / sampleRate) * frequency; }

    ModulationTestRig rig;
    LFOModulator& lfo;
    StubModulator& source;
};

//==============================================================================
TEST_F (LFOModulatorTest, ParametersAreCreatedInHostOrderWithTheirRangesAndTexts)
{
    const tavelin::test::ExpectedParameter expected[] = {
        { "LFO_1_Wave", "LFO_1 Wave", "", 0.0f, 6.0f, 1.0f, 1.0f, 0.0f, "SINE" },
        { "LFO_1_Rate", "LFO_1 Rate", "Hz", 0.001f, 20.0f, 0.001f, 0.5f, 1.0f, "1.000 Hz" },
        { "LFO_1_Sync", "LFO_1 Sync", "", 0.0f, 1.0f, 1.0f, 1.0f, 0.0f, "0" },
        { "LFO_1_Synced_Rate", "LFO_1 Synced Rate", "", 0.0f, 17.0f, 1.0f, 1.0f, 3.0f, "1 BAR" },
        { "LFO_1_High_Rate_Enable", "LFO_1 High Rate Enable", "", 0.0f, 1.0f, 1.0f, 1.0f, 0.0f, "0" },
        { "LFO_1_High_Rate", "LFO_1 High Rate", "Hz", 20.0f, 1000.0f, 1.0f, 0.5f, 60.0f, "60 Hz" },
    };

    tavelin::test::expectParametersMatch (rig.parameters.processor.getParameters(), expected);
}

TEST_F (LFOModulatorTest, IdentifiersByIndexAndTargets)
{
    const char* suffixes[] = { "_Rate", "_Synced_Rate", "_Sync", "_Wave", "_High_Rate_Enable", "_High_Rate" };

    for (int i = 0; i < 6; ++i)
        EXPECT_EQ (lfo.getParameterUID (i), juce::String ("LFO_1") + suffixes[i]);

    EXPECT_TRUE (lfo.getParameterUID (6).isEmpty());
    EXPECT_TRUE (lfo.getParameterUID (-1).isEmpty());
    EXPECT_EQ (lfo.getModulationParameterNames(), juce::StringArray ("LFO_1_Rate", "LFO_1_Wave"));
    EXPECT_EQ (lfo.getTargetIndices(), (std::vector<int>{ 0, 1 }));
}

TEST_F (LFOModulatorTest, WaveTextsNameTheSevenWaves)
{
    const char* names[] = { "SINE", "SQUARE", "SAW UP", "SAW DOWN", "TRIANGLE", "RANDOM", "SMOOTH RANDOM" };

    for (int wave = 0; wave < 7; ++wave)
        EXPECT_EQ (LFOModulator::getWaveName ((float) wave), names[wave]);

    EXPECT_EQ (LFOModulator::getWaveName (5.4f), "RANDOM");
    EXPECT_TRUE (LFOModulator::getWaveName (7.0f).isEmpty());
}

//==============================================================================
TEST_F (LFOModulatorTest, DeterministicTablesHoldTheirShapes)
{
    for (int wave = 0; wave < LFOModulator::numWaves; ++wave)
        EXPECT_EQ (lfo.getWavetable (wave).samples.size(), 1024);

    EXPECT_EQ (tableEntry (LFOModulator::sine, 0), 0.0f);
    EXPECT_EQ (tableEntry (LFOModulator::sine, 256), 1.0f);
    EXPECT_EQ (tableEntry (LFOModulator::sine, 768), -1.0f);
    EXPECT_EQ (tableEntry (LFOModulator::sine, 100), (float) std::sin (juce::MathConstants<double>::twoPi * 100.0 / 1024.0));
    EXPECT_EQ (tableEntry (LFOModulator::square, 511), 1.0f);
    EXPECT_EQ (tableEntry (LFOModulator::square, 512), -1.0f);
    EXPECT_EQ (tableEntry (LFOModulator::sawUp, 0), -1.0f);
    EXPECT_EQ (tableEntry (LFOModulator::sawUp, 1023), 1.0f - 2.0f / 1024.0f);
    EXPECT_EQ (tableEntry (LFOModulator::sawDown, 0), 1.0f);
    EXPECT_EQ (tableEntry (LFOModulator::sawDown, 1023), -1.0f + 2.0f / 1024.0f);
    EXPECT_EQ (tableEntry (LFOModulator::triangle, 0), -1.0f);
    EXPECT_EQ (tableEntry (LFOModulator::triangle, 256), 0.0f);
    EXPECT_EQ (tableEntry (LFOModulator::triangle, 512), 1.0f);
    EXPECT_EQ (tableEntry (LFOModulator::triangle, 1023), -1.0f + 2.0f / 512.0f);
}

TEST_F (LFOModulatorTest, RandomTablesStayWithinRange)
{
    for (const auto wave : { LFOModulator::random, LFOModulator::smoothRandom })
        for (auto entry : lfo.getWavetable (wave).samples)
        {
            EXPECT_GE (entry, -1.0f);
            EXPECT_LE (entry, 1.0f);
        }
}

TEST_F (LFOModulatorTest, RandomTableReachesBothEndsOfTheRange)
{
    // 1024 uniform levels all miss the top (or bottom) twentieth with a chance of 0.95^1024,
    // about 1e-23: a flat or one-sided table is a fault, not bad luck.
    const auto& table = lfo.getWavetable (LFOModulator::random).samples;
    const auto [lowest, highest] = std::minmax_element (table.begin(), table.end());

    EXPECT_LT (*lowest, -0.9f);
    EXPECT_GT (*highest, 0.9f);
}

TEST_F (LFOModulatorTest, SmoothRandomJoinsItsAnchorsWithStraightLinesAroundTheLoop)
{
    const auto& table = lfo.getWavetable (LFOModulator::smoothRandom).samples;

    for (int anchor = 0; anchor < 1024; anchor += 16)
    {
        const auto next = table[(anchor + 16) % 1024];
        const auto step = (next - table[anchor]) * 0.0625f;

        for (int i = anchor + 1; i < anchor + 16; ++i)
            EXPECT_EQ (table[i], table[i - 1] + step) << i;

        EXPECT_NEAR (table[anchor + 15] + step, next, 1.0e-5f) << anchor;
    }
}

//==============================================================================
TEST_F (LFOModulatorTest, DefaultSineStartsAtTheMiddleAndPeaksAQuarterCycleLater)
{
    lfo.prepareToPlay (44100.0, 512);
    rig.manager.refreshMatrixForBlock();

    EXPECT_FLOAT_EQ (lfo.getPhaseIncrement(), expectedIncrement (44100.0, 1.0f));
    EXPECT_EQ (rig.runSamples (1, &lfo).back(), 0.5f);

    rig.runSamples (11024);
    EXPECT_NEAR (lfo.getPhase(), 0.25f, 1.0e-3f);
    EXPECT_NEAR (rig.runSamples (1, &lfo).back(), 1.0f, 1.0e-5f);

    rig.runSamples (22049);
    EXPECT_NEAR (lfo.getPhase(), 0.75f, 1.0e-3f);
    EXPECT_NEAR (rig.runSamples (1, &lfo).back(), 0.0f, 1.0e-5f);
}

TEST_F (LFOModulatorTest, ExactPhasesReadExactEntries)
{
    runExactly (1024);
    const auto outputs = rig.runBlock (1024, &lfo);

    EXPECT_EQ (outputs[0], 0.5f);
    EXPECT_EQ (outputs[256], 1.0f);
    EXPECT_EQ (outputs[512], 0.5f);
    EXPECT_EQ (outputs[768], 0.0f);
}

TEST_F (LFOModulatorTest, SquareInterpolatesAcrossItsEdge)
{
    set ("_Wave", LFOModulator::square);
    runExactly (2048);
    const auto outputs = rig.runBlock (2048, &lfo);

    EXPECT_EQ (outputs[512], 1.0f);  // phase 0.25
    EXPECT_EQ (outputs[1023], 0.5f); // x = 511.5, halfway from +1 to -1
    EXPECT_EQ (outputs[1536], 0.0f); // phase 0.75
}

TEST_F (LFOModulatorTest, SawUpWrapsFromTheLastEntryToTheFirst)
{
    set ("_Wave", LFOModulator::sawUp);
    runExactly (2048);
    const auto outputs = rig.runBlock (2049, &lfo);

    EXPECT_EQ (outputs[2046], (1.0f - 2.0f / 1024.0f + 1.0f) * 0.5f); // entry 1023
    EXPECT_EQ (outputs[2047], 0.49951171875f);                        // x = 1023.5, toward entry 0
    EXPECT_EQ (outputs[2048], 0.0f);                                  // entry 0 again
}

TEST_F (LFOModulatorTest, SawDownAndTriangleAtQuarterPhases)
{
    runExactly (1024);

    set ("_Wave", LFOModulator::sawDown);
    EXPECT_EQ (outputAfter (1), 1.0f);
    EXPECT_EQ (outputAfter (256), 0.75f); // reads phase 0.25

    runExactly (1024);
    set ("_Wave", LFOModulator::triangle);
    EXPECT_EQ (outputAfter (1), 0.0f);
    EXPECT_EQ (outputAfter (256), 0.5f);
    EXPECT_EQ (outputAfter (256), 1.0f);
}

TEST_F (LFOModulatorTest, WaveChangeSwitchesTablesAtTheNextBlock)
{
    runExactly (1024);
    rig.runBlock (256);
    set ("_Wave", LFOModulator::sawUp);

    EXPECT_EQ (rig.runSamples (1, &lfo).back(), 1.0f); // still the sine's peak
    EXPECT_EQ (outputAfter (1), (tableEntry (LFOModulator::sawUp, 257) + 1.0f) * 0.5f);
}

//==============================================================================
TEST_F (LFOModulatorTest, SyncedRatesFollowTheTempo)
{
    set ("_Sync", 1.0f);

    set ("_Synced_Rate", 7.0f);
    rig.manager.refreshMatrixForBlock();
    EXPECT_EQ (lfo.getPhaseIncrement(), expectedIncrement (44100.0, 2.0f));

    set ("_Synced_Rate", 0.0f);
    rig.manager.refreshMatrixForBlock();
    EXPECT_EQ (lfo.getPhaseIncrement(), expectedIncrement (44100.0, 0.0625f));
}

TEST_F (LFOModulatorTest, SyncedBarAtTempoBelowOneRunsOncePerFourMinutes)
{
    rig.tempo.setBpm (0.5);
    set ("_Sync", 1.0f);
    rig.manager.refreshMatrixForBlock();

    EXPECT_EQ (lfo.getPhaseIncrement(), expectedIncrement (44100.0, 1000.0f / 240000.0f));
}

TEST_F (LFOModulatorTest, SyncWinsOverHighRate)
{
    set ("_High_Rate_Enable", 1.0f);
    rig.manager.refreshMatrixForBlock();
    EXPECT_EQ (lfo.getPhaseIncrement(), expectedIncrement (44100.0, 60.0f));

    set ("_Sync", 1.0f);
    set ("_Synced_Rate", 7.0f);
    rig.manager.refreshMatrixForBlock();
    EXPECT_EQ (lfo.getPhaseIncrement(), expectedIncrement (44100.0, 2.0f));
}

//==============================================================================
TEST_F (LFOModulatorTest, RateModulationMovesTowardTwentyHertzAlongTheSquare)
{
    source.setOutput (0.5f);
    rig.setDepth ("Source", "LFO_1_Rate", 100.0f);
    rig.runBlock (1);

    EXPECT_TRUE (lfo.areModsActive());
    EXPECT_FLOAT_EQ (lfo.getPhaseIncrement(), expectedIncrement (44100.0, 5.75f));
}

TEST_F (LFOModulatorTest, HighRateModulationMovesTowardOneKilohertz)
{
    set ("_High_Rate_Enable", 1.0f);
    source.setOutput (0.5f);
    rig.setDepth ("Source", "LFO_1_Rate", 100.0f);
    rig.runBlock (1);

    EXPECT_EQ (lfo.getPhaseIncrement(), expectedIncrement (44100.0, 295.0f));
}

TEST_F (LFOModulatorTest, SyncedRateModulationMovesTowardTheFastestDivision)
{
    set ("_Sync", 1.0f);
    set ("_Synced_Rate", 3.0f);
    source.setOutput (0.5f);
    rig.setDepth ("Source", "LFO_1_Rate", 100.0f);
    rig.runBlock (1);

    const auto dottedSixteenth = 1000.0f / velk::BeatTranslator::getPeriodMs (2000.0f, 10);
    EXPECT_EQ (lfo.getPhaseIncrement(), expectedIncrement (44100.0, dottedSixteenth));
}

TEST_F (LFOModulatorTest, WaveModulationTruncatesTowardSmoothRandom)
{
    rig.setDepth ("Source", "LFO_1_Wave", 100.0f);

    source.setOutput (0.99f);
    rig.runBlock (1);
    EXPECT_EQ (lfo.getWaveIndex(), LFOModulator::random);

    source.setOutput (1.0f);
    rig.runSamples (1);
    EXPECT_EQ (lfo.getWaveIndex(), LFOModulator::smoothRandom);
}

TEST_F (LFOModulatorTest, DepthOnOneTargetMakesTheLfoActive)
{
    rig.setDepth ("Source", "LFO_1_Wave", 5.0f);
    rig.manager.refreshMatrixForBlock();
    EXPECT_TRUE (lfo.areModsActive());

    rig.setDepth ("Source", "LFO_1_Wave", 0.0f);
    rig.manager.refreshMatrixForBlock();
    EXPECT_FALSE (lfo.areModsActive());
}

TEST_F (LFOModulatorTest, ModulatingItsOwnRateReadsItsPreviousOutput)
{
    rig.setDepth ("LFO_1", "LFO_1_Rate", 100.0f);
    rig.runBlock (1);

    // Its output before the first step was 0, so the first sample runs at the knob's 1 Hz.
    EXPECT_FLOAT_EQ (lfo.getPhaseIncrement(), expectedIncrement (44100.0, 1.0f));
    EXPECT_EQ (lfo.getValue(), 0.5f);

    // The second sample sees the first one's output, 0.5.
    rig.runSamples (1);
    EXPECT_FLOAT_EQ (lfo.getPhaseIncrement(), expectedIncrement (44100.0, 5.75f));
}

//==============================================================================
TEST_F (LFOModulatorTest, RandomHoldsOneLevelPerCycleAndStepsAtTheSecondSampleOfTheNext)
{
    set ("_Wave", LFOModulator::random);
    runExactly (1024);
    const auto outputs = rig.runBlock (2050, &lfo);
    const auto level = [this] (int entry)
    { return (tableEntry (LFOModulator::random, entry) + 1.0f) * 0.5f; };

    for (int i = 0; i <= 1024; ++i)
        ASSERT_EQ (outputs[(size_t) i], level (0)) << i;

    for (int i = 1025; i <= 2048; ++i)
        ASSERT_EQ (outputs[(size_t) i], level (1)) << i;

    EXPECT_EQ (outputs[2049], level (2));
}

TEST_F (LFOModulatorTest, RandomHoldsEveryEntryOfItsTableOnceBeforeStartingAgain)
{
    constexpr int samplesPerCycle = 16, entries = 1024;
    set ("_Wave", LFOModulator::random);
    runExactly (samplesPerCycle);
    const auto outputs = rig.runBlock ((entries + 1) * samplesPerCycle + 2, &lfo);
    const auto heldIn = [&outputs] (int cycle)
    { return outputs[(size_t) (cycle * samplesPerCycle + 1)]; };

    EXPECT_EQ (heldIn (entries - 1), (tableEntry (LFOModulator::random, entries - 1) + 1.0f) * 0.5f);
    EXPECT_EQ (heldIn (entries), heldIn (0));
}

TEST_F (LFOModulatorTest, SmoothRandomAdvancesOneEntryPerCycle)
{
    set ("_Wave", LFOModulator::smoothRandom);
    runExactly (1024);
    const auto outputs = rig.runBlock (1026, &lfo);

    EXPECT_EQ (outputs[0], (tableEntry (LFOModulator::smoothRandom, 0) + 1.0f) * 0.5f);
    EXPECT_EQ (outputs[1025], (tableEntry (LFOModulator::smoothRandom, 1) + 1.0f) * 0.5f);
}

//==============================================================================
TEST_F (LFOModulatorTest, PrepareAtTheSameRateRestartsThePhase)
{
    runExactly (1024);
    rig.runBlock (300);
    ASSERT_GT (lfo.getPhase(), 0.0f);

    runExactly (1024);
    EXPECT_EQ (lfo.getPhase(), 0.0f);
    EXPECT_EQ (outputAfter (1), 0.5f);
}

TEST_F (LFOModulatorTest, NewRateTakesEffectFromTheNextBlock)
{
    rig.runBlock (10);
    const auto before = lfo.getPhaseIncrement();
    lfo.prepareToPlay (48000.0, 512);
    EXPECT_EQ (lfo.getPhaseIncrement(), before);

    rig.manager.refreshMatrixForBlock();
    EXPECT_FLOAT_EQ (lfo.getPhaseIncrement(), expectedIncrement (48000.0, 1.0f));
}

TEST_F (LFOModulatorTest, PrepareCountsAsANewCycleForTheRandomWaves)
{
    set ("_Wave", LFOModulator::random);
    runExactly (1024);
    rig.runBlock (10);

    runExactly (1024);
    const auto outputs = rig.runBlock (2, &lfo);

    EXPECT_EQ (outputs[0], (tableEntry (LFOModulator::random, 0) + 1.0f) * 0.5f);
    EXPECT_EQ (outputs[1], (tableEntry (LFOModulator::random, 1) + 1.0f) * 0.5f);
}
} // namespace
