#pragma once

#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"
#include "editor/Panel.h"
#include "processor/PresetsManager.h"
#include "processor/ProgramChangeManager.h"
#include "support/BusyEditorState.h"

#include <initializer_list>
#include <utility>

namespace tavelin::test
{
/** Counts the loads that replace the parameter state, whatever values they bring. */
struct StateLoadCounter : juce::ValueTree::Listener
{
    explicit StateLoadCounter (juce::ValueTree& watchedState)
        : state (watchedState) { state.addListener (this); }
    ~StateLoadCounter() override { state.removeListener (this); }

    void valueTreeRedirected (juce::ValueTree&) override { ++loads; }

    juce::ValueTree& state;
    int loads = 0;
};

/** Holds the thread that the browser scans on until resume(): a selection that the tree defers
    to the end of its scan is then sure to wait.
*/
class ScanPause : private juce::TimeSliceClient
{
public:
    explicit ScanPause (juce::TimeSliceThread& scanThread)
        : thread (scanThread)
    {
        thread.addTimeSliceClient (this);
        entered.wait (5000);
    }

    ~ScanPause() override
    {
        resume();
        thread.removeTimeSliceClient (this);
    }

    void resume() { gate.signal(); }

private:
    int useTimeSlice() override
    {
        entered.signal();
        gate.wait (10000);
        return -1; // once only
    }

    juce::TimeSliceThread& thread;
    juce::WaitableEvent entered, gate;
};

/** An editor over preset folders that hold only what the test writes there, with presets that
    differ by the delay's time, and one delay echo to hear whether a load cut the sound.
*/
class PresetFolderFixture : public EditorAtBaseScale
{
protected:
    PresetFolderFixture()
    {
        emptyPresetFolders();
        // Made again now, so that nothing an earlier test saved is its start-up preset.
        processor = std::make_unique<TavelinAudioProcessor>();
        processor->getPreferences().uiScaleFactor = 1.0f;
    }

    ~PresetFolderFixture() override
    {
        closeEditor();
        emptyPresetFolders();
    }

    static juce::File presetsFolder() { return juce::File (velk::PresetsManager::presetsFolderPath); }
    static juce::File midiFolder() { return velk::ProgramChangeManager::getMidiPresetsFolder(); }

    static void emptyPresetFolders()
    {
        presetsFolder().deleteRecursively();
        midiFolder().createDirectory();
    }

    /** A preset of these plain values; every other parameter loads at its default. */
    static juce::File writePreset (const juce::File& file, std::initializer_list<std::pair<const char*, float>> values)
    {
        juce::ValueTree state ("Tavelin");

        for (const auto& [id, value] : values)
            state.appendChild (juce::ValueTree ("PARAM", { { "id", id }, { "value", value } }), nullptr);

        EXPECT_TRUE (file.getParentDirectory().createDirectory().wasOk());
        EXPECT_TRUE (velk::PresetsManager::savePreset (state, file).wasOk()) << file.getFullPathName();
        return file;
    }

    static juce::File writePreset (const juce::File& file, float delayTime)
    {
        return writePreset (file, { { "Delay_1_Time", delayTime } });
    }

    static juce::File writeBrokenPreset (const juce::File& file)
    {
        EXPECT_TRUE (file.replaceWithText ("no preset"));
        return file;
    }

    float plain (const juce::String& id) const { return processor->valueTreeState.getRawParameterValue (id)->load(); }
    juce::String currentName() const { return processor->getCurrentPreset().getName(); }
    juce::String currentPath() const { return processor->getCurrentPreset().getFilePath(); }

    /** Clicks the button at that place of the layout, as its click would reach the editor. */
    void click (const Tavelin::Panel::Rect& area)
    {
        auto* button = dynamic_cast<juce::Button*> (childAt (*editor, area.getCentre()));
        ASSERT_NE (button, nullptr);
        editor->buttonClicked (button);
    }

    velk::PresetSelectorComponent& browser() { return *childrenOfType<velk::PresetSelectorComponent> (*editor).getFirst(); }

    ScanPause pauseScans() { return ScanPause (browser().getDirectoryList().getTimeSliceThread()); }

    /** Selects the entry in the browser's tree as a click would, once the tree shows it. */
    bool select (const juce::File& file)
    {
        auto& tree = browser().getFileTree();
        return waitUntil ([&]
                          {
                              if (tree.getSelectedFile() != file)
                                  tree.setSelectedFile (file);

                              return tree.getSelectedFile() == file; });
    }

    //==============================================================================
    /** Chain 1 as a plain echo: the delay's only output is the input 100 ms later. */
    void prepareEcho()
    {
        processor->prepareToPlay (sampleRate, blockSize);

        for (const auto& [id, value] : { std::pair{ "Pitch_Shifter_1_Mix", 0.0f }, { "Delay_1_Time", 100.0f }, { "Delay_1_Mix", 100.0f }, { "Chain_To_Filter_1", 0.0f } })
            setPlainValue (*processor, id, value);

        render (blockSize, false);
        render (blockSize, false);
    }

    /** An impulse, whose echo comes 4410 samples later, then the first 2048 samples after it. */
    void sendImpulse() { render (2048, true); }

    /** The loudest sample of the next 4096, which hold the echo of the last impulse. */
    float echoPeak() { return render (4096, false); }

    float render (int numSamples, bool startsWithImpulse, const juce::MidiBuffer& midi = {})
    {
        juce::AudioBuffer<float> buffer (2, numSamples);
        buffer.clear();

        if (startsWithImpulse)
            for (int channel = 0; channel < 2; ++channel)
                buffer.setSample (channel, 0, 1.0f);

        auto blockMidi = midi;
        processor->processBlock (buffer, blockMidi);
        return buffer.getMagnitude (0, numSamples);
    }

    static constexpr double sampleRate = 44100.0;
    static constexpr int blockSize = 8192;
};
} // namespace tavelin::test
