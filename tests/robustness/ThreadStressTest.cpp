#include "processor/PluginProcessor.h"
#include "processor/PresetsManager.h"
#include "processor/ProgramChangeManager.h"
#include "robustness/HostThreads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
constexpr int numEditorActions = 600;

/** One processor driven at once by the host's audio thread, a host automation thread, a host
    thread that saves and restores the state, and the message thread, which does what the editor
    does: MIDI learn, map files, preset loads, program changes, the randomizer. Each thread
    checks what it can see; the ThreadSanitizer build checks the rest.
*/
class ThreadStressTest : public testing::Test
{
protected:
    void SetUp() override
    {
        writePresets();
        processor = std::make_unique<TavelinAudioProcessor>();
        host = std::make_unique<tavelin::test::HostThreads> (*processor, juce::StringArray{ "INIT", "Browser", "a", "b" });
        map ("Delay_1_Time", 7);
        map ("Dry_Wet", 21);
        map ("Pitch_Shifter_2_Pitch", 21);
        ASSERT_TRUE (processor->ccMapper.writeMapFile (mapFile));
    }

    void TearDown() override
    {
        host.reset();
        processor.reset();
        juce::File (velk::PresetsManager::presetsFolderPath).deleteRecursively();
        mapFile.deleteFile();
    }

    /** Two program-change presets and one for the browser, each with its own delay time. */
    static void writePresets()
    {
        TavelinAudioProcessor source;
        auto& delayTime = *source.valueTreeState.getParameter ("Delay_1_Time");
        const auto midiFolder = velk::ProgramChangeManager::getMidiPresetsFolder();

        for (const auto& [file, time] : { std::pair (midiFolder.getChildFile ("a.vtp"), 100.0f),
                                          std::pair (midiFolder.getChildFile ("b.vtp"), 900.0f),
                                          std::pair (velk::PresetsManager::getPresetFile ("Browser"), 333.0f) })
        {
            delayTime.setValueNotifyingHost (delayTime.convertTo0to1 (time));
            ASSERT_TRUE (velk::PresetsManager::savePreset (source.valueTreeState.copyState(), file).wasOk());
        }
    }

    void map (const juce::String& parameterId, int controller)
    {
        processor->ccMapper.assignController (parameterId, controller);
    }

    /** What the editor's timer reads, each read something the processor can really show. */
    void readLikeTheEditor()
    {
        auto& p = *processor;
        p.refreshEditorReadouts();
        const auto& scope = p.getReadouts().getScopeBuffer();
        const auto& depths = p.getReadouts().getModsBuffer();
        const auto lastController = p.ccMapper.lastReceivedCC.load();
        bool plausible = scope.size() == 256 && juce::StringArray{ "-1", "7", "21" }.contains (juce::String (lastController));

        for (auto value : scope)
            plausible = plausible && std::isfinite (value);

        for (int i = 0; i < depths.getNumProperties(); ++i)
            plausible = plausible && juce::isPositiveAndNotGreaterThan ((double) depths[depths.getPropertyName (i)], 1.0);

        implausibleReads += plausible ? 0 : 1;
    }

    void runAutomationThread()
    {
        juce::Random random (77);
        const auto& parameters = processor->getParameters();

        while (!stop)
        {
            auto* parameter = parameters.getUnchecked (random.nextInt (parameters.size()));
            parameter->beginChangeGesture();
            parameter->setValueNotifyingHost (random.nextFloat());
            parameter->endChangeGesture();
        }
    }

    /** One of the editor's actions, in turn. */
    void editorAction (int action)
    {
        auto& p = *processor;

        switch (action % 10)
        {
            case 0:
                p.loadPreset (velk::PresetsManager::getPresetFile ("Browser"));
                break;
            case 1:
                map ("Panner_1_Pan", action % 128);
                break;
            case 2:
                p.ccMapper.removeAssignment ("Panner_1_Pan");
                break;
            case 3:
                p.parametersRandomizer.randomizeParametersByAmount (velk::ParametersRandomizer::effectsGroup, 0.3f);
                break;
            case 4:
                p.getModulationsManager().resetMatrixParameters (p.valueTreeState);
                break;
            case 5:
                p.getProgramChangeRequest().midiPresetFileNames = velk::ProgramChangeManager::scanMidiPresetsFolder();
                break;
            case 6:
                p.parametersRandomizer.randomizeParametersByAmountIfNotAtDefaultSetting (velk::ParametersRandomizer::matrixGroup, 0.5f);
                break;
            case 7:
                p.valueTreeState.copyState(); // what the store's own timer does
                break;
            case 8:
                p.ccMapper.loadMapFile (mapFile);
                break;
            default: // what the processor's own timer does
                p.loadPendingProgramChange();
                readLikeTheEditor();
                break;
        }
    }

    std::unique_ptr<TavelinAudioProcessor> processor;
    std::unique_ptr<tavelin::test::HostThreads> host;
    std::atomic<bool> stop{ false };
    int implausibleReads = 0;
    const juce::File mapFile = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("stress.vtcc");
};

TEST_F (ThreadStressTest, AudioAutomationAndMessageThreadsTogetherKeepTheOutputFinite)
{
    host->startAudio();
    std::thread automation ([this]
                            { runAutomationThread(); });
    host->startStateSaves();

    // This thread is the test's message thread.
    for (int action = 0; action < numEditorActions; ++action)
        editorAction (action);

    stop = true;
    automation.join();
    host->stop();

    EXPECT_EQ (host->nonFiniteBlocks.load(), 0);
    EXPECT_GT (host->blocksProcessed.load(), 0);
    EXPECT_GT (host->stateRoundTrips.load(), 0);
    EXPECT_EQ (host->badChunks.load(), 0);
    EXPECT_EQ (implausibleReads, 0);
}

TEST_F (ThreadStressTest, StateSavedAfterTheStormRestoresIntoAFreshProcessor)
{
    host->startAudio();

    for (int action = 0; action < numEditorActions / 4; ++action)
        editorAction (action);

    host->stop();

    tavelin::test::expectTheChunkRestoresWhole (*processor);
}
} // namespace
