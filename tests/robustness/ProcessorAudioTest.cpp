#include "processor/ProcessorTestRig.h"
#include "robustness/SignalChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
using tavelin::test::countNonFinite;
using tavelin::test::peak;
using velk::test::ProcessorRig;
using velk::test::StereoSignal;
using velk::test::testTone;

const auto quietNaN = std::numeric_limits<float>::quiet_NaN();
const auto infinity = std::numeric_limits<float>::infinity();
const auto denormal = std::numeric_limits<float>::denorm_min() * 1000.0f;

int countDenormal (const StereoSignal& signal)
{
    int count = 0;

    for (const auto& channel : signal)
        for (auto sample : channel)
            count += std::fpclassify (sample) == FP_SUBNORMAL ? 1 : 0;

    return count;
}

StereoSignal constant (int numSamples, float value)
{
    return velk::test::makeSignal (numSamples, [value] (int, int)
                                   { return value; });
}

StereoSignal toneAt (double sampleRate, int numSamples)
{
    return velk::test::makeSignal (numSamples, [sampleRate] (int ch, int i)
                                   { return (float) (0.5 * std::sin (juce::MathConstants<double>::twoPi * (ch == 0 ? 220.0 : 330.0) * i / sampleRate)); });
}

/** Every chain in use, with long feedback in the shifters and the delays and a resonant filter,
    so that whatever a bad sample leaves in any memory keeps coming back.
*/
void setBusyPatch (ProcessorRig& rig)
{
    for (int chain = 1; chain <= 3; ++chain)
    {
        const auto index = juce::String (chain);
        rig.set ("Chain_Bypass_" + juce::String (chain - 1), 0.0f);
        rig.set ("Pitch_Shifter_" + index + "_Pitch", (float) (chain * 5));
        rig.set ("Pitch_Shifter_" + index + "_Feedback", 80.0f);
        rig.set ("Pitch_Shifter_" + index + "_Mix", 50.0f);
        rig.set ("Delay_" + index + "_Time", 15.0f * (float) chain);
        rig.set ("Delay_" + index + "_Feed", 90.0f);
        rig.set ("Delay_" + index + "_Mix", 50.0f);
    }

    rig.set ("Chain3_Serial_Mode", 1.0f);
    rig.set ("Filter_Res", 90.0f);
    rig.set ("Dry_Wet", 60.0f);
}

//==============================================================================
class ProcessorBadInputTest : public testing::TestWithParam<float>
{
protected:
    void SetUp() override
    {
        setBusyPatch (rig);
        rig.process (toneAt (ProcessorRig::sampleRate, 8192), 512);
    }

    ProcessorRig rig;
};

TEST_P (ProcessorBadInputTest, OutputStaysFiniteWhileTheInputIsBad)
{
    auto bad = toneAt (ProcessorRig::sampleRate, 2048);
    bad[0][100] = GetParam();
    bad[1][1000] = GetParam();

    EXPECT_EQ (countNonFinite (rig.process (bad, 512)), 0);
    EXPECT_EQ (countNonFinite (rig.process (constant (512, GetParam()), 512)), 0);
}

TEST_P (ProcessorBadInputTest, OutputIsFiniteAndAudibleOnceTheInputIsFiniteAgain)
{
    rig.process (constant (1024, GetParam()), 256);

    // Long enough for every delay, shifter and filter memory to come round several times.
    const auto after = rig.process (toneAt (ProcessorRig::sampleRate, 44100), 512);

    EXPECT_EQ (countNonFinite (after), 0);
    EXPECT_GT (peak (after), 0.1f);
}

INSTANTIATE_TEST_SUITE_P (NonFiniteSamples,
                          ProcessorBadInputTest,
                          testing::Values (quietNaN, -quietNaN, infinity, -infinity),
                          [] (const testing::TestParamInfo<float>& sample)
                          { return std::isnan (sample.param) ? (std::signbit (sample.param) ? "MinusNaN" : "NaN")
                                                             : (sample.param > 0 ? "PlusInfinity" : "MinusInfinity"); });

TEST (ProcessorDenormalInputTest, DenormalInputGivesNoDenormalOrNonFiniteOutput)
{
    ProcessorRig rig;
    setBusyPatch (rig);

    const auto out = rig.process (constant (16384, denormal), 512);

    EXPECT_EQ (countNonFinite (out), 0);
    EXPECT_EQ (countDenormal (out), 0);
}

//==============================================================================
class ProcessorBlockSizeTest : public testing::TestWithParam<int>
{
};

TEST_P (ProcessorBlockSizeTest, AnyBlockSizeGivesFiniteSound)
{
    ProcessorRig rig;
    setBusyPatch (rig);
    rig.processor->prepareToPlay (ProcessorRig::sampleRate, 512);

    const auto out = rig.process (toneAt (ProcessorRig::sampleRate, 16384), GetParam());

    EXPECT_EQ (countNonFinite (out), 0);
    EXPECT_GT (peak (out), 0.1f);
}

// 4096 and 8192 are larger than the 512 announced in prepareToPlay.
INSTANTIATE_TEST_SUITE_P (Sizes, ProcessorBlockSizeTest, testing::Values (1, 7, 512, 4096, 8192));

TEST (ProcessorBlockSizeEdgeTest, EmptyBlockChangesNothing)
{
    ProcessorRig rig, untouched;
    juce::AudioBuffer<float> empty (2, 0);
    juce::MidiBuffer midi;

    rig.processor->processBlock (empty, midi);

    EXPECT_EQ (empty.getNumSamples(), 0);
    EXPECT_EQ (rig.process (testTone (512), 512), untouched.process (testTone (512), 512));
}

TEST (ProcessorBlockSizeEdgeTest, MonoAndSixChannelBuffersAreProcessedWithoutFault)
{
    ProcessorRig rig;
    setBusyPatch (rig);
    juce::MidiBuffer midi;

    for (const auto numChannels : { 1, 6 })
    {
        juce::AudioBuffer<float> buffer (numChannels, 512);

        for (int ch = 0; ch < numChannels; ++ch)
            for (int i = 0; i < 512; ++i)
                buffer.setSample (ch, i, 0.25f);

        rig.processor->processBlock (buffer, midi);

        for (int ch = 0; ch < numChannels; ++ch)
            for (int i = 0; i < 512; ++i)
                EXPECT_TRUE (std::isfinite (buffer.getSample (ch, i))) << numChannels << " channels";
    }
}

//==============================================================================
class ProcessorSampleRateTest : public testing::TestWithParam<double>
{
};

TEST_P (ProcessorSampleRateTest, EverySupportedRateGivesFiniteSound)
{
    ProcessorRig rig;
    setBusyPatch (rig);
    rig.processor->prepareToPlay (GetParam(), 512);

    const auto out = rig.process (toneAt (GetParam(), (int) (GetParam() / 4)), 512);

    EXPECT_EQ (countNonFinite (out), 0);
    EXPECT_GT (peak (out), 0.1f);
}

INSTANTIATE_TEST_SUITE_P (Rates, ProcessorSampleRateTest, testing::Values (8000.0, 22050.0, 44100.0, 48000.0, 96000.0, 192000.0));

TEST (ProcessorRateChangeTest, RateChangesBetweenBlocksKeepTheOutputFinite)
{
    ProcessorRig rig;
    setBusyPatch (rig);

    for (const auto rate : { 192000.0, 8000.0, 96000.0, 22050.0, 192000.0, 44100.0 })
    {
        rig.processor->prepareToPlay (rate, 256);
        const auto out = rig.process (toneAt (rate, 8192), 256);

        EXPECT_EQ (countNonFinite (out), 0) << rate;
        EXPECT_GT (peak (out), 0.1f) << rate;
    }
}

//==============================================================================
TEST (ProcessorLifecycleTest, BlockBeforeAnyPrepareToPlayIsProcessedWithoutFault)
{
    TavelinAudioProcessor processor;
    juce::AudioBuffer<float> buffer (2, 512);
    juce::MidiBuffer midi;

    for (int block = 0; block < 4; ++block)
    {
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < 512; ++i)
                buffer.setSample (ch, i, 0.25f);

        processor.processBlock (buffer, midi);

        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < 512; ++i)
                ASSERT_TRUE (std::isfinite (buffer.getSample (ch, i)));
    }
}

TEST (ProcessorLifecycleTest, ReleaseThenPrepareAgainKeepsProcessing)
{
    ProcessorRig rig;
    setBusyPatch (rig);
    rig.process (toneAt (ProcessorRig::sampleRate, 4096), 512);

    rig.processor->releaseResources();
    rig.processor->prepareToPlay (48000.0, 1024);
    const auto out = rig.process (toneAt (48000.0, 8192), 1024);

    EXPECT_EQ (countNonFinite (out), 0);
    EXPECT_GT (peak (out), 0.1f);
}

TEST (ProcessorLifecycleTest, ManyCreateDestroyCyclesEachGiveAWorkingProcessor)
{
    for (int cycle = 0; cycle < 12; ++cycle)
    {
        ProcessorRig rig;
        const auto out = rig.process (toneAt (ProcessorRig::sampleRate, 2048), 512);

        ASSERT_EQ (countNonFinite (out), 0) << cycle;
        ASSERT_GT (peak (out), 0.1f) << cycle;
    }
}
//==============================================================================
TEST (ProcessorStateChunkTest, ChunkWithBrokenUtf8InsideChangesNothing)
{
    ProcessorRig rig;
    rig.set ("Delay_1_Time", 777.0f);
    const juce::String start{ R"(<Tavelin><PARAM id="Delay_1_Time" value="5"/><Preset_Metadata Preset_Name="Cut"/>)" };
    const juce::String end{ "</Tavelin>" };
    juce::MemoryOutputStream chunk;
    chunk.writeInt (0x21324356);
    chunk.writeInt ((int) (start.getNumBytesAsUTF8() + 1 + end.getNumBytesAsUTF8()));
    chunk << start;
    chunk.writeByte ((char) 0xf0);
    chunk << end;
    chunk.writeByte (0);

    rig.processor->setStateInformation (chunk.getData(), (int) chunk.getDataSize());

    EXPECT_EQ (rig.get ("Delay_1_Time"), 777.0f);
    EXPECT_NE (rig.processor->getCurrentPreset().getName(), "Cut");
}
} // namespace
