#include "processor/PluginProcessor.h"
#include "processor/PresetsManager.h"
#include "processor/ProgramChangeManager.h"
#include "processor/StateChunk.h"
#include "robustness/SignalChecks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
constexpr int blockSize = 256;
constexpr int numEditorActions = 600;

juce::MidiBuffer blockMidi (int block)
{
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 7, block % 128), 0);
    midi.addEvent (juce::MidiMessage::controllerEvent (2, 21, (block * 5) % 128), 17);

    if (block % 32 == 0)
        midi.addEvent (juce::MidiMessage::programChange (1, (block / 32) % 3), 40);

    return midi;
}

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
        processor->prepareToPlay (44100.0, blockSize);
        map ("Delay_1_Time", 7);
        map ("Dry_Wet", 21);
        map ("Pitch_Shifter_2_Pitch", 21);
        ASSERT_TRUE (processor->ccMapper.writeMapFile (mapFile));
    }

    void TearDown() override
    {
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

    void runAudioThread()
    {
        juce::AudioBuffer<float> buffer (2, blockSize);

        for (int block = 0; !stop; ++block)
        {
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < blockSize; ++i)
                    buffer.setSample (ch, i, (float) std::sin (0.05 * (i + block * blockSize)) * 0.5f);

            auto midi = blockMidi (block);

            {
                // As the host's wrapper does: a suspended processor gets no blocks.
                const juce::ScopedLock lock (processor->getCallbackLock());

                if (!processor->isSuspended())
                    processor->processBlock (buffer, midi);
            }

            const std::vector<const float*> channels{ buffer.getReadPointer (0), buffer.getReadPointer (1) };

            for (auto* channel : channels)
                for (int i = 0; i < blockSize; ++i)
                    nonFiniteSamples += std::isfinite (channel[i]) ? 0 : 1;

            ++blocksProcessed;
        }
    }

    /** As a host saves and restores from a thread of its own: every chunk must read back, with
        the map and the name of a preset that was really loaded.
    */
    void runHostStateThread()
    {
        const juce::StringArray presetNames{ "INIT", "Browser", "a", "b" };

        while (!stop)
        {
            juce::MemoryBlock chunk;
            processor->getStateInformation (chunk);
            const auto xml = velk::StateChunk::read (chunk.getData(), (int) chunk.getSize());
            const auto* metadata = xml != nullptr ? xml->getChildByName ("Preset_Metadata") : nullptr;

            if (metadata == nullptr || xml->getChildByName (velk::CCMapper::midiMapTag.toString()) == nullptr
                || !presetNames.contains (metadata->getStringAttribute ("Preset_Name")))
                ++badChunks;

            processor->setStateInformation (chunk.getData(), (int) chunk.getSize());
            ++stateRoundTrips;
        }
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
    std::atomic<bool> stop{ false };
    std::atomic<int> nonFiniteSamples{ 0 }, blocksProcessed{ 0 }, stateRoundTrips{ 0 }, badChunks{ 0 };
    int implausibleReads = 0;
    const juce::File mapFile = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("stress.vtcc");
};

TEST_F (ThreadStressTest, AudioAutomationAndMessageThreadsTogetherKeepTheOutputFinite)
{
    std::thread audio ([this]
                       { runAudioThread(); });
    std::thread automation ([this]
                            { runAutomationThread(); });
    std::thread hostState ([this]
                           { runHostStateThread(); });

    // This thread is the test's message thread.
    for (int action = 0; action < numEditorActions; ++action)
        editorAction (action);

    stop = true;
    audio.join();
    automation.join();
    hostState.join();

    EXPECT_EQ (nonFiniteSamples.load(), 0);
    EXPECT_GT (blocksProcessed.load(), 0);
    EXPECT_GT (stateRoundTrips.load(), 0);
    EXPECT_EQ (badChunks.load(), 0);
    EXPECT_EQ (implausibleReads, 0);
}

TEST_F (ThreadStressTest, StateSavedAfterTheStormRestoresIntoAFreshProcessor)
{
    std::thread audio ([this]
                       { runAudioThread(); });

    for (int action = 0; action < numEditorActions / 4; ++action)
        editorAction (action);

    stop = true;
    audio.join();

    juce::MemoryBlock chunk;
    processor->getStateInformation (chunk);
    TavelinAudioProcessor restored;
    restored.setStateInformation (chunk.getData(), (int) chunk.getSize());

    for (auto* parameter : processor->getParameters())
    {
        const auto* withId = dynamic_cast<juce::RangedAudioParameter*> (parameter);
        ASSERT_NE (withId, nullptr);
        EXPECT_EQ (restored.valueTreeState.getParameter (withId->paramID)->getValue(), parameter->getValue()) << withId->paramID;
    }

    EXPECT_EQ (restored.ccMapper.getMap().toXmlString(), processor->ccMapper.getMap().toXmlString());
    EXPECT_EQ (restored.getCurrentPreset().getName(), processor->getCurrentPreset().getName());
}
} // namespace
