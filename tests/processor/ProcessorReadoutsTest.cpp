#include "ProcessorTestRig.h"

namespace velk::test
{
namespace
{
    /** Counts the read-out tree's change notifications and the thread they came on. */
    struct ReadoutListener : juce::ValueTree::Listener
    {
        void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&) override
        {
            ++changes;
            onMessageThread = onMessageThread && juce::MessageManager::getInstance()->isThisTheMessageThread();
        }

        int changes = 0;
        bool onMessageThread = true;
    };

    StereoSignal noise (int numSamples, int seed)
    {
        juce::Random random (seed);
        return makeSignal (numSamples, [&random] (int, int)
                           { return random.nextFloat() - 0.5f; });
    }
} // namespace

class ProcessorReadouts : public ::testing::Test
{
protected:
    void setScope (bool enabled)
    {
        rig.processor->getPreferences().tree.setProperty (TavelinAudioProcessor::scopeEnabledProperty, enabled, nullptr);
    }

    /** Runs blocks and collects what the scope should show: every 16th sample of the mono mix,
        counted over the samples processed while the scope was on.
    */
    void runScoped (int numBlocks, int blockSize, bool enabled)
    {
        setScope (enabled);

        for (int block = 0; block < numBlocks; ++block)
        {
            const auto output = rig.process (noise (blockSize, seed++), blockSize);

            if (!enabled)
                continue;

            for (int i = 0; i < blockSize; ++i)
            {
                if (phase == 0)
                    expectedScope.insert (expectedScope.begin(), (output[0][(size_t) i] + output[1][(size_t) i]) * 0.5f);

                phase = (phase + 1) % 16;
            }
        }
    }

    ProcessorRig rig;
    std::vector<float> expectedScope;
    int phase = 0;
    int seed = 1;
};

TEST_F (ProcessorReadouts, ScopeTakesEverySixteenthSampleNewestFirst)
{
    runScoped (3, 64, true);
    rig.processor->refreshEditorReadouts();

    ASSERT_EQ (expectedScope.size(), 12u) << "four values per 64-sample block";

    for (size_t i = 0; i < expectedScope.size(); ++i)
        EXPECT_EQ (rig.processor->getReadouts().getScopeBuffer()[(int) i], expectedScope[i]) << i;

    EXPECT_EQ (rig.processor->getReadouts().getScopeBuffer()[12], 0.0f);
}

TEST_F (ProcessorReadouts, ScopePhaseRunsOnAcrossBlocksAndPausesWhileOff)
{
    runScoped (3, 24, true);
    runScoped (2, 24, false);
    runScoped (2, 24, true);
    rig.processor->refreshEditorReadouts();

    ASSERT_EQ (expectedScope.size(), 8u);

    for (size_t i = 0; i < expectedScope.size(); ++i)
        EXPECT_EQ (rig.processor->getReadouts().getScopeBuffer()[(int) i], expectedScope[i]) << i;
}

TEST_F (ProcessorReadouts, ScopeOffKeepsItsPicture)
{
    runScoped (1, 64, true);
    rig.processor->refreshEditorReadouts();
    const auto picture = rig.processor->getReadouts().getScopeBuffer();

    runScoped (4, 64, false);
    rig.processor->refreshEditorReadouts();

    EXPECT_EQ (rig.processor->getReadouts().getScopeBuffer(), picture);
}

TEST_F (ProcessorReadouts, ScopeBufferKeepsItsSize)
{
    runScoped (40, 256, true);
    rig.processor->refreshEditorReadouts();

    EXPECT_EQ (rig.processor->getReadouts().getScopeBuffer().size(), 256);
    EXPECT_EQ (rig.processor->getReadouts().getScopeBuffer()[255], expectedScope[255]);
}

TEST_F (ProcessorReadouts, ModulationDepthsReachTheTreeOnlyOffTheAudioThread)
{
    ReadoutListener listener;
    auto modsBuffer = rig.processor->getReadouts().getModsBuffer();
    modsBuffer.addListener (&listener);

    rig.set ("Matrix_LFO_1_to_Delay_1_Time", 50.0f);
    rig.set ("Matrix_Macro_2_to_Delay_1_Time", -30.0f);
    rig.set ("Matrix_Delay_1_Time_Global_Scale", 50.0f);
    rig.process (silence (64), 64);

    EXPECT_EQ ((double) rig.processor->getReadouts().getModsBuffer()["Delay_1_Time"], 0.0) << "not yet published";
    EXPECT_EQ (listener.changes, 0);

    rig.processor->refreshEditorReadouts();

    EXPECT_NEAR ((double) rig.processor->getReadouts().getModsBuffer()["Delay_1_Time"], 0.5 * (0.5 + 0.3), 1.0e-6);
    EXPECT_EQ ((double) rig.processor->getReadouts().getModsBuffer()["Delay_2_Time"], 0.0);
    EXPECT_EQ (listener.changes, 1);
    EXPECT_TRUE (listener.onMessageThread);

    rig.processor->refreshEditorReadouts();
    EXPECT_EQ (listener.changes, 1) << "an unchanged depth tells no one";

    modsBuffer.removeListener (&listener);
}

TEST_F (ProcessorReadouts, ModulationDepthIsClampedToOne)
{
    rig.set ("Matrix_LFO_1_to_Dry_Wet", 100.0f);
    rig.set ("Matrix_LFO_2_to_Dry_Wet", 100.0f);
    rig.process (silence (64), 64);
    rig.processor->refreshEditorReadouts();

    EXPECT_EQ ((double) rig.processor->getReadouts().getModsBuffer()["Dry_Wet"], 1.0);
}
} // namespace velk::test
