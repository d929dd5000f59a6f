#include "effects/DCBlockerModule.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr double r44100 = 1.0 - 126.0 / 44100.0;

class DCBlockerModuleTest : public testing::Test
{
protected:
    void SetUp() override { blocker.prepareToPlay (44100.0, 512); }

    /** Runs a block of `numSamples` constant samples through both channels. */
    juce::AudioBuffer<float> runConstant (float value, int numSamples)
    {
        juce::AudioBuffer<float> buffer (2, numSamples);

        for (int channel = 0; channel < 2; ++channel)
            juce::FloatVectorOperations::fill (buffer.getWritePointer (channel), value, numSamples);

        blocker.processBlock (buffer, midi, numSamples);
        return buffer;
    }

    juce::MidiBuffer midi;
    velk::DCBlockerModule blocker{ "DC", 2 };
};

TEST_F (DCBlockerModuleTest, StepResponseStartsAtOneAndDecaysByR)
{
    const auto out = runConstant (1.0f, 64);

    EXPECT_EQ (out.getSample (0, 0), 1.0f);
    EXPECT_FLOAT_EQ (out.getSample (0, 1), 0.997142857f);

    auto expected = 1.0;

    for (int i = 0; i < 64; ++i, expected *= r44100)
    {
        EXPECT_EQ (out.getSample (0, i), (float) expected) << "sample " << i;
        EXPECT_EQ (out.getSample (1, i), (float) expected) << "sample " << i;
    }
}

TEST_F (DCBlockerModuleTest, CoefficientFollowsTheSampleRate)
{
    blocker.prepareToPlay (48000.0, 512);
    const auto out = runConstant (1.0f, 2);

    EXPECT_FLOAT_EQ (out.getSample (0, 1), 0.997375f);
}

TEST_F (DCBlockerModuleTest, SilenceInGivesSilenceOut)
{
    const auto out = runConstant (0.0f, 256);

    for (int i = 0; i < 256; ++i)
        EXPECT_EQ (out.getSample (0, i), 0.0f);
}

TEST_F (DCBlockerModuleTest, MemoryCarriesAcrossBlocksAndSurvivesCleanUp)
{
    runConstant (1.0f, 10);
    blocker.cleanUp();
    const auto out = runConstant (1.0f, 1);

    // A fresh filter would answer 1.0 here.
    EXPECT_FLOAT_EQ (out.getSample (0, 0), (float) std::pow (r44100, 10.0));
}

TEST_F (DCBlockerModuleTest, PrepareToPlayClearsTheMemory)
{
    runConstant (1.0f, 10);
    blocker.prepareToPlay (44100.0, 512);

    EXPECT_EQ (runConstant (1.0f, 1).getSample (1, 0), 1.0f);
}

TEST_F (DCBlockerModuleTest, KeepsTheChannelsApart)
{
    juce::AudioBuffer<float> buffer (2, 3);
    buffer.clear();
    buffer.setSample (0, 0, 1.0f);
    blocker.processBlock (buffer, midi, 3);

    EXPECT_EQ (buffer.getSample (1, 0), 0.0f);
    EXPECT_EQ (buffer.getSample (1, 2), 0.0f);
    EXPECT_FLOAT_EQ (buffer.getSample (0, 1), (float) (-1.0 + r44100));
}

TEST_F (DCBlockerModuleTest, SingleSamplesFollowTheSameRecurrence)
{
    const auto block = runConstant (0.5f, 8);
    blocker.prepareToPlay (44100.0, 512);

    for (int i = 0; i < 8; ++i)
        EXPECT_EQ (blocker.processSingleSample (0.5f, 1), block.getSample (1, i));
}

TEST_F (DCBlockerModuleTest, EmptyBlockChangesNothing)
{
    runConstant (1.0f, 0);

    EXPECT_EQ (runConstant (1.0f, 1).getSample (0, 0), 1.0f);
}

struct ChannelCounts
{
    int kept, inBuffer;
};

class DCBlockerChannelsTest : public testing::TestWithParam<ChannelCounts>
{
};

TEST_P (DCBlockerChannelsTest, FiltersEverySampleOfTheChannelsItKeepsAndLeavesTheOthers)
{
    const auto [kept, inBuffer] = GetParam();
    velk::DCBlockerModule blocker ("DC", kept);
    blocker.prepareToPlay (44100.0, 512);
    juce::AudioBuffer<float> buffer (inBuffer, 16);
    juce::MidiBuffer midi;

    for (int block = 0; block < 2; ++block)
    {
        for (int channel = 0; channel < inBuffer; ++channel)
            juce::FloatVectorOperations::fill (buffer.getWritePointer (channel), 1.0f, 8);

        blocker.processBlock (buffer, midi, 8);

        for (int channel = 0; channel < inBuffer; ++channel)
            for (int i = 0; i < 8; ++i)
                EXPECT_FLOAT_EQ (buffer.getSample (channel, i), channel < kept ? (float) std::pow (r44100, 8 * block + i) : 1.0f)
                    << "channel " << channel << ", sample " << 8 * block + i;
    }
}

INSTANTIATE_TEST_SUITE_P (KeptAndGiven,
                          DCBlockerChannelsTest,
                          testing::Values (ChannelCounts{ 0, 2 }, ChannelCounts{ 1, 1 }, ChannelCounts{ 1, 2 }, ChannelCounts{ 2, 1 }, ChannelCounts{ 2, 2 }));

TEST_F (DCBlockerModuleTest, HasNoParametersOrTargets)
{
    EXPECT_TRUE (blocker.getModulationParameterNames().isEmpty());
    EXPECT_TRUE (blocker.getParameterUID (0).isEmpty());
}
} // namespace
