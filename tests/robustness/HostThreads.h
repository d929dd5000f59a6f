#pragma once

#include "processor/PluginProcessor.h"
#include "processor/StateChunk.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cmath>
#include <thread>

namespace tavelin::test
{
/** The host's side of a thread stress test, on threads of its own until stop(): the audio
    thread plays blocks with controllers 7 and 21 and, every 16th block, a program change to
    program 0, 1 or 2; the state thread saves the state and restores what it saved; the setup
    thread changes the audio setup as a host's settings do, between saves and restores of its
    own. Each counts what it did and what it found wrong.
*/
class HostThreads
{
public:
    static constexpr int blockSize = 256;

    /** presetNames: every name a saved state may carry. */
    HostThreads (TavelinAudioProcessor& processorToDrive, juce::StringArray presetNames)
        : processor (processorToDrive), names (std::move (presetNames))
    {
        processor.prepareToPlay (44100.0, blockSize);
    }

    ~HostThreads() { stop(); }

    void startAudio()
    {
        audio = std::thread ([this]
                             { playBlocks(); });
    }
    void startStateSaves()
    {
        state = std::thread ([this]
                             { saveAndRestore(); });
    }

    /** Prepares at a rate and a block size that differ every time, saves and restores the state,
        then releases, over and over.
    */
    void startSetupChanges()
    {
        setup = std::thread ([this]
                             { changeSetups(); });
    }

    void stop()
    {
        stopping = true;

        for (auto* thread : { &audio, &state, &setup })
            if (thread->joinable())
                thread->join();
    }

    std::atomic<int> blocksProcessed{ 0 }, nonFiniteBlocks{ 0 }, stateRoundTrips{ 0 }, badChunks{ 0 }, setupChanges{ 0 };

private:
    void playBlocks()
    {
        juce::AudioBuffer<float> buffer (2, blockSize);

        for (int block = 0; !stopping; ++block)
        {
            for (int i = 0; i < blockSize; ++i)
                for (int ch = 0; ch < 2; ++ch)
                    buffer.setSample (ch, i, 0.5f * (float) std::sin (0.05 * (i + block * blockSize)));

            juce::MidiBuffer midi;
            midi.addEvent (juce::MidiMessage::controllerEvent (1, 7, block % 128), 0);
            midi.addEvent (juce::MidiMessage::controllerEvent (2, 21, (block * 5) % 128), 17);

            if (block % 16 == 0)
                midi.addEvent (juce::MidiMessage::programChange (1, (block / 16) % 3), 40);

            if (!processUnlessSuspended (buffer, midi))
            {
                std::this_thread::yield();
                continue;
            }

            for (int ch = 0; ch < 2; ++ch)
                nonFiniteBlocks += std::isfinite (buffer.getMagnitude (ch, 0, blockSize)) ? 0 : 1;

            ++blocksProcessed;
        }
    }

    /** As the host's wrapper does: a suspended processor gets no blocks. */
    bool processUnlessSuspended (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
    {
        const juce::ScopedLock lock (processor.getCallbackLock());

        if (processor.isSuspended())
            return false;

        processor.processBlock (buffer, midi);
        return true;
    }

    void saveAndRestore()
    {
        while (!stopping)
            saveAndRestoreOnce();
    }

    void changeSetups()
    {
        // From the highest rate to the lowest and back, so that every memory grows and shrinks.
        constexpr std::array rates{ 192000.0, 22050.0, 96000.0, 44100.0, 48000.0, 8000.0 };
        constexpr std::array blockSizes{ 4096, 13, 512, 1, 64, 1000, 2048 };

        for (size_t change = 0; !stopping; ++change)
        {
            processor.prepareToPlay (rates[change % rates.size()], blockSizes[change % blockSizes.size()]);
            saveAndRestoreOnce();
            processor.releaseResources();
            ++setupChanges;
        }
    }

    /** Every chunk must read back, with the map and the name of a preset that was really loaded. */
    void saveAndRestoreOnce()
    {
        juce::MemoryBlock chunk;
        processor.getStateInformation (chunk);
        const auto xml = velk::StateChunk::read (chunk.getData(), (int) chunk.getSize());
        const auto* metadata = xml != nullptr ? xml->getChildByName ("Preset_Metadata") : nullptr;

        if (metadata == nullptr || xml->getChildByName (velk::CCMapper::midiMapTag.toString()) == nullptr
            || !names.contains (metadata->getStringAttribute ("Preset_Name")))
            ++badChunks;

        processor.setStateInformation (chunk.getData(), (int) chunk.getSize());
        ++stateRoundTrips;
    }

    TavelinAudioProcessor& processor;
    const juce::StringArray names;
    std::atomic<bool> stopping{ false };
    std::thread audio, state, setup;
};

/** What a stress test left, saved as the host saves it, restores whole into a fresh processor:
    every parameter, the map and the preset's name.
*/
inline void expectTheChunkRestoresWhole (TavelinAudioProcessor& processor)
{
    juce::MemoryBlock chunk;
    processor.getStateInformation (chunk);
    TavelinAudioProcessor restored;
    restored.setStateInformation (chunk.getData(), (int) chunk.getSize());

    for (auto* parameter : processor.getParameters())
    {
        const auto& id = dynamic_cast<juce::RangedAudioParameter&> (*parameter).paramID;
        EXPECT_EQ (restored.valueTreeState.getParameter (id)->getValue(), parameter->getValue()) << id;
    }

    EXPECT_EQ (restored.ccMapper.getMap().toXmlString(), processor.ccMapper.getMap().toXmlString());
    EXPECT_EQ (restored.getCurrentPreset().getName(), processor.getCurrentPreset().getName());
}
} // namespace tavelin::test
