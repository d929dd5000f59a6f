#pragma once

#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"
#include "editor/Panel.h"
#include "processor/PluginState.h"
#include "processor/PresetsManager.h"
#include "processor/ProgramChangeManager.h"
#include "processor/StateChunk.h"
#include "support/BusyEditorState.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <utility>
#include <vector>

namespace tavelin::test
{
/** An editor over preset folders that hold only what the test writes there, presets that differ
    by the delay's time, a delay echo to hear whether a load cleaned the modules, and a count of
    the loads that replaced the parameter state.
*/
class PresetFolderFixture : public EditorAtBaseScale, private velk::PresetLoader::Listener
{
protected:
    PresetFolderFixture()
    {
        emptyPresetFolders();
        // Made again now, so that nothing an earlier test saved is its start-up preset.
        processor = std::make_unique<TavelinAudioProcessor>();
        processor->getPreferences().uiScaleFactor = 1.0f;
        processor->getPresetLoader().addListener (this);
    }

    ~PresetFolderFixture() override
    {
        processor->getPresetLoader().removeListener (this);
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

    /** These files of the preset folder, each preset with a delay time of its own (200 ms, 210 ms
        and on) and every other parameter at its default; a leading "!" writes a file that is no preset.
    */
    void writePresets (const std::vector<const char*>& files)
    {
        for (size_t i = 0; i < files.size(); ++i)
        {
            const juce::String entry (files[i]);
            const auto file = presetsFolder().getChildFile (entry.trimCharactersAtStart ("!"));
            const auto time = delayTimes[entry] = 200.0f + 10.0f * (float) i;

            if (entry.startsWith ("!"))
                EXPECT_TRUE (file.getParentDirectory().createDirectory().wasOk() && file.replaceWithText ("no preset")) << entry;
            else
                writePreset (file, time);
        }
    }

    /** A preset with this delay time and every other parameter at its default. */
    static juce::File writePreset (const juce::File& file, float delayTime)
    {
        const juce::ValueTree preset ("Tavelin", {}, { juce::ValueTree ("PARAM", { { "id", "Delay_1_Time" }, { "value", delayTime } }) });
        EXPECT_TRUE (file.getParentDirectory().createDirectory().wasOk());
        EXPECT_TRUE (velk::PresetsManager::savePreset (preset, file).wasOk()) << file.getFullPathName();
        return file;
    }

    float plain (const juce::String& id) const { return processor->valueTreeState.getRawParameterValue (id)->load(); }

    /** The current preset's name and path, "INIT @ " before any load. */
    juce::String current() const { return processor->getCurrentPreset().getName() + " @ " + processor->getCurrentPreset().getFilePath(); }
    juce::String currentName() const { return processor->getCurrentPreset().getName(); }
    static juce::String presetOf (const juce::File& file) { return file.getFileNameWithoutExtension() + " @ " + file.getFullPathName(); }

    /** The preset's name and delay time in the state chunk the host would get now. */
    juce::String presetInTheChunk() const
    {
        juce::MemoryBlock chunk;
        processor->getStateInformation (chunk);
        const auto xml = velk::StateChunk::read (chunk.getData(), (int) chunk.getSize());
        const auto* time = xml->getChildByAttribute ("id", "Delay_1_Time");
        return xml->getChildByName (velk::PluginState::presetNameXmlTag)->getStringAttribute (velk::PluginState::presetNameXmlAttribute) + " @ "
               + juce::String (time != nullptr ? time->getDoubleAttribute ("value") : 100.0);
    }

    /** The current preset and the name that the editor's label shows since the last refresh. */
    juce::String shown()
    {
        for (auto* label : childrenOfType<juce::Label> (*editor))
            if (label->getBounds() == Tavelin::Panel::presetStrip().nameLabel)
                return current() + " | " + label->getText();

        return "no preset label";
    }

    /** Before an editor load: what the editor shows, and the echo's impulse on its way. */
    void beforeTheLoad()
    {
        tick();
        shownBefore = shown();
        loads = 0;
        sendImpulse();
    }

    /** After it, at the next refresh: this file of the preset folder loaded once, with its name,
        path, label and delay time, and the echo cut; or, with none, nothing changed and the echo
        still rings.
    */
    void expectLoadOf (const char* file)
    {
        tick();
        const auto loaded = file != nullptr;
        const auto name = loaded ? presetsFolder().getChildFile (file).getFileNameWithoutExtension() : juce::String();
        EXPECT_EQ (loads, loaded ? 1 : 0);
        EXPECT_EQ (plain ("Delay_1_Time"), loaded ? delayTimes[file] : 100.0f);
        EXPECT_EQ (shown(), loaded ? presetOf (presetsFolder().getChildFile (file)) + " | " + name.toUpperCase() : shownBefore);

        if (loaded)
            EXPECT_LT (echoPeak(), 1.0e-3f) << "the load cleans the modules";
        else
            EXPECT_GT (echoPeak(), 0.1f) << "nothing cleans the modules";
    }

    /** Clicks the button at that place of the layout, as its click would reach the editor. */
    void click (const Tavelin::Panel::Rect& area)
    {
        auto* button = dynamic_cast<juce::Button*> (childAt (*editor, area.getCentre()));
        ASSERT_NE (button, nullptr);
        editor->buttonClicked (button);
    }

    velk::PresetSelectorComponent& browser() { return *childrenOfType<velk::PresetSelectorComponent> (*editor).getFirst(); }

    /** The button of the file notice (a save's question, a failure's message) with this text
        while the user can see it, or null.
    */
    juce::Button* noticeButton (const juce::String& text) const
    {
        auto* notice = descendantOfType<velk::FileNotice> (*editor);
        auto* button = notice != nullptr && notice->isVisible() ? buttonNamed (*notice, text) : nullptr;
        return button != nullptr && button->isVisible() ? button : nullptr;
    }

    /** What the file notice says while the user can see it; nothing while it is hidden. */
    juce::String noticeText() const
    {
        auto* notice = descendantOfType<velk::FileNotice> (*editor);
        return notice != nullptr && notice->isVisible() ? childrenOfType<juce::Label> (*notice).getFirst()->getText() : juce::String();
    }

    static juce::MemoryBlock bytesOf (const juce::File& file)
    {
        juce::MemoryBlock bytes;
        file.loadFileAsData (bytes);
        return bytes;
    }

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

    /** One block of the audio thread with these events. */
    void send (std::initializer_list<juce::MidiMessage> messages)
    {
        juce::MidiBuffer midi;

        for (const auto& message : messages)
            midi.addEvent (message, midi.getNumEvents());

        render (32, false, midi);
    }

    float render (int numSamples, bool startsWithImpulse, juce::MidiBuffer midi = {})
    {
        juce::AudioBuffer<float> buffer (2, numSamples);
        buffer.clear();

        if (startsWithImpulse)
            for (int channel = 0; channel < 2; ++channel)
                buffer.setSample (channel, 0, 1.0f);

        processor->processBlock (buffer, midi);
        return buffer.getMagnitude (0, numSamples);
    }

    int loads = 0;
    std::function<void()> duringTheNextLoad; // runs once, after a load has replaced the parameters
    std::map<juce::String, float> delayTimes;
    juce::String shownBefore;
    static constexpr double sampleRate = 44100.0;
    static constexpr int blockSize = 8192;

private:
    void presetPutInPlace() override
    {
        ++loads;

        if (auto action = std::exchange (duringTheNextLoad, nullptr))
            action();
    }
};
} // namespace tavelin::test
