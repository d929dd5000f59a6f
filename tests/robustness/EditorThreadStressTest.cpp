#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"
#include "editor/Panel.h"
#include "processor/PresetsManager.h"
#include "processor/ProgramChangeManager.h"
#include "robustness/HostThreads.h"

#include <array>
#include <memory>

namespace tavelin::test
{
namespace
{
    constexpr int numRounds = 32;

    juce::File presetIn (const juce::File& folder, const juce::String& name, float delayTime)
    {
        const auto file = folder.getChildFile (name + "." + velk::PresetsManager::presetFileExtension);
        const juce::ValueTree state ("Tavelin", {}, { juce::ValueTree ("PARAM", { { "id", "Delay_1_Time" }, { "value", delayTime } }) });
        EXPECT_TRUE (velk::PresetsManager::savePreset (state, file).wasOk());
        return file;
    }

    juce::File home()
    {
        return juce::File::getSpecialLocation (juce::File::userHomeDirectory);
    }
} // namespace

/** The editor open while the host plays: the audio thread gets controllers and program
    changes, a host thread saves and restores the state, and the message thread works every
    part of the window. Each thread checks what it can see; the ThreadSanitizer build checks
    the rest.
*/
class EditorThreadStress : public EditorFixture
{
protected:
    EditorThreadStress()
    {
        presetsFolder.deleteRecursively();
        midiFolder.createDirectory();
        presetIn (midiFolder, "a", 100.0f);
        presetIn (midiFolder, "b", 900.0f);
        picks = { presetIn (presetsFolder, "Pick1", 200.0f), presetIn (presetsFolder, "Pick2", 300.0f) };

        // Made now, so that it starts with these program-change presets.
        processor = std::make_unique<TavelinAudioProcessor>();
        processor->getPreferences().uiScaleFactor = 1.0f;

        for (const auto& [id, controller] : { std::pair ("Delay_1_Time", 7), { "Dry_Wet", 21 }, { "Pitch_Shifter_2_Pitch", 21 } })
            processor->ccMapper.assignController (id, controller);

        EXPECT_TRUE (processor->ccMapper.writeMapFile (mapFile));
        host = std::make_unique<HostThreads> (*processor, juce::StringArray{ "INIT", "a", "b", "c", "Pick1", "Pick2", "Saved" });
    }

    ~EditorThreadStress() override
    {
        host.reset();
        closeEditor();
        processor.reset();
        presetsFolder.deleteRecursively();
    }

    static juce::Button* buttonNamed (juce::Component& parent, const juce::String& text)
    {
        for (auto* button : childrenOfType<juce::TextButton> (parent))
            if (button->getButtonText() == text)
                return button;

        return nullptr;
    }

    /** As the button's click reaches its listener; a button that is missing is an action not done. */
    void click (juce::Button::Listener& listener, juce::Button* button)
    {
        if (button != nullptr)
            listener.buttonClicked (button);

        confirmed += button != nullptr ? 1 : 0;
    }

    /** One round of what a user does in the window; counts the actions whose result it sees. */
    void editorRound (int round)
    {
        tick();
        auto& learnable = control<velk::VelkKnob> (*editor, "Panner_1_Pan");
        learnable.handleMenuResult (round % 2 == 0 ? velk::MIDITarget::assignItemId : velk::MIDITarget::clearItemId);

        auto& menu = editor->getMainMenu();
        const auto savedMap = home().getChildFile ("saved.vtcc");
        savedMap.deleteFile();
        menu.saveMidiMapTo (savedMap);
        menu.itemChosen (velk::MainMenu::clearMidiMapId);
        menu.loadMidiMapFrom (round % 3 == 0 ? mapFile : savedMap);
        confirmed += savedMap.existsAsFile() ? 1 : 0;

        auto& tree = childrenOfType<velk::PresetSelectorComponent> (*editor).getFirst()->getFileTree();
        const auto& pick = picks[(size_t) round % picks.size()];
        confirmed += waitUntil ([&]
                                {
                                    if (tree.getSelectedFile() != pick)
                                        tree.setSelectedFile (pick);

                                    return tree.getSelectedFile() == pick; })
                         ? 1
                         : 0;

        const auto& strip = Tavelin::Panel::presetStrip();
        const auto scale = (float) editor->getWidth() / (float) Tavelin::Panel::baseWidth;
        const auto stepCentre = (round % 2 == 0 ? strip.nextButton : strip.previousButton).getCentre().toFloat() * scale;
        click (*editor, dynamic_cast<juce::Button*> (childAt (*editor, stepCentre.roundToInt())));
        const auto saved = round % 4 == 3 ? midiFolder.getChildFile ("c") : presetsFolder.getChildFile ("Saved");
        editor->savePresetAs (saved);
        confirmed += saved.withFileExtension (velk::PresetsManager::presetFileExtension).existsAsFile() ? 1 : 0;

        click (*editor, buttonNamed (*editor, juce::StringArray{ "FX", "LFO", "MATRIX", "ALL" }[round % 4]));
        auto& matrix = *childrenOfType<velk::ModMatrixComponent> (*editor).getFirst();
        click (matrix, buttonNamed (matrix, "RESET"));
        editor->chainMenuItemChosen (round % 3, 1);
        editor->chainMenuItemChosen ((round + 1) % 3, 2);
        menu.itemChosen (round % 2 == 0 ? velk::MainMenu::undoId : velk::MainMenu::redoId);

        const auto scopeWasOn = processor->getPreferences().isScopeEnabled();
        menu.itemChosen (velk::MainMenu::scopeEnabledId);
        confirmed += processor->getPreferences().isScopeEnabled() != scopeWasOn ? 1 : 0;

        const auto width = 840 + 84 * (round % 5);
        editor->setSize (width, width * 660 / 840);
        confirmed += juce::approximatelyEqual (processor->getPreferences().uiScaleFactor, (float) width / 840.0f) ? 1 : 0;
        pumpMessages();
    }

    const juce::File presetsFolder{ velk::PresetsManager::presetsFolderPath };
    const juce::File midiFolder = velk::ProgramChangeManager::getMidiPresetsFolder();
    const juce::File mapFile = home().getChildFile ("stress.vtcc");
    std::array<juce::File, 2> picks;
    std::unique_ptr<HostThreads> host;
    int confirmed = 0;
};

TEST_F (EditorThreadStress, EveryThreadKeepsWorkingAndTheLastStateRestoresWhole)
{
    openEditor();
    host->startAudio();
    host->startStateSaves();

    for (int round = 0; round < numRounds; ++round)
    {
        // Halfway, the host closes the window and opens it again while it plays.
        if (round == numRounds / 2)
        {
            closeEditor();
            openEditor();
        }

        editorRound (round);
    }

    host->stop();

    EXPECT_EQ (confirmed, 8 * numRounds);
    EXPECT_EQ (host->nonFiniteBlocks.load(), 0);
    EXPECT_GT (host->blocksProcessed.load(), numRounds);
    EXPECT_GT (host->stateRoundTrips.load(), 0);
    EXPECT_EQ (host->badChunks.load(), 0);

    // The window still takes a program change at its tick once the storm is over.
    juce::AudioBuffer<float> buffer (2, HostThreads::blockSize);
    buffer.clear();
    juce::MidiBuffer programChange;
    programChange.addEvent (juce::MidiMessage::programChange (1, 1), 0);
    processor->processBlock (buffer, programChange);
    tick();
    EXPECT_EQ (processor->getCurrentPreset().getName(), "b");
    EXPECT_EQ (processor->valueTreeState.getRawParameterValue ("Delay_1_Time")->load(), 900.0f);

    juce::MemoryBlock chunk;
    processor->getStateInformation (chunk);
    TavelinAudioProcessor restored;
    restored.setStateInformation (chunk.getData(), (int) chunk.getSize());

    for (auto* parameter : processor->getParameters())
    {
        const auto& id = dynamic_cast<juce::RangedAudioParameter&> (*parameter).paramID;
        EXPECT_EQ (restored.valueTreeState.getParameter (id)->getValue(), parameter->getValue()) << id;
    }

    EXPECT_EQ (restored.ccMapper.getMap().toXmlString(), processor->ccMapper.getMap().toXmlString());
    EXPECT_EQ (restored.getCurrentPreset().getName(), "b");
}
} // namespace tavelin::test
