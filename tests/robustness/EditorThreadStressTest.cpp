#include "editor/PresetFolderFixture.h"
#include "robustness/HostThreads.h"

#include <array>
#include <memory>

namespace tavelin::test
{
namespace
{
    constexpr int numRounds = 32;

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
class EditorThreadStress : public PresetFolderFixture
{
protected:
    EditorThreadStress()
    {
        writePreset (midiFolder().getChildFile ("a.vtp"), 100.0f);
        writePreset (midiFolder().getChildFile ("b.vtp"), 900.0f);
        processor->getProgramChangeRequest().midiPresetFileNames = velk::ProgramChangeManager::scanMidiPresetsFolder();

        for (const auto& [id, controller] : { std::pair ("Delay_1_Time", 7), { "Dry_Wet", 21 }, { "Pitch_Shifter_2_Pitch", 21 } })
            processor->ccMapper.assignController (id, controller);

        EXPECT_TRUE (processor->ccMapper.writeMapFile (mapFile));
        host = std::make_unique<HostThreads> (*processor, juce::StringArray{ "INIT", "a", "b", "c", "Pick1", "Pick2", "Saved" });
    }

    ~EditorThreadStress() override { host.reset(); }

    /** As the button's click reaches its listener; a button that is missing is an action not done. */
    void press (juce::Button::Listener& listener, juce::Button* button)
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

        // A knob drag begins its step of the undo history while the host writes and clears it.
        auto& mix = control<velk::VelkKnob> (*editor, "Delay_1_Mix");
        {
            const juce::Slider::ScopedDragNotification drag (mix);
            mix.setValue ((double) (round % 10) * 10.0, juce::sendNotificationSync);
        }

        auto& menu = editor->getMainMenu();
        const auto savedMap = home().getChildFile ("saved.vtcc");
        savedMap.deleteFile();
        menu.saveMidiMapTo (savedMap);
        menu.itemChosen (velk::MainMenu::clearMidiMapId);
        menu.loadMidiMapFrom (round % 3 == 0 ? mapFile : savedMap);
        confirmed += savedMap.existsAsFile() ? 1 : 0;

        confirmed += select (picks[(size_t) round % picks.size()]) ? 1 : 0;

        const auto& strip = Tavelin::Panel::presetStrip();
        const auto scale = (float) editor->getWidth() / (float) Tavelin::Panel::baseWidth;
        const auto stepCentre = (round % 2 == 0 ? strip.nextButton : strip.previousButton).getCentre().toFloat() * scale;
        press (*editor, dynamic_cast<juce::Button*> (childAt (*editor, stepCentre.roundToInt())));
        // Named with the extension, as a dialog returns a name it has asked about replacing.
        const auto saved = round % 4 == 3 ? midiFolder().getChildFile ("c.vtp") : presetsFolder().getChildFile ("Saved.vtp");
        editor->savePresetAs (saved);
        confirmed += saved.withFileExtension (velk::PresetsManager::presetFileExtension).existsAsFile() ? 1 : 0;

        press (*editor, buttonNamed (*editor, juce::StringArray{ "FX", "LFO", "MATRIX", "ALL" }[round % 4]));
        auto& matrix = *childrenOfType<velk::ModMatrixComponent> (*editor).getFirst();
        press (matrix, buttonNamed (matrix, "RESET"));
        editor->chainMenuItemChosen (round % 3, 1);
        editor->chainMenuItemChosen ((round + 1) % 3, 2);
        menu.itemChosen (round % 2 == 0 ? velk::MainMenu::undoId : velk::MainMenu::redoId);

        const auto scopeWasOn = processor->getPreferences().isScopeEnabled();
        menu.itemChosen (velk::MainMenu::scopeEnabledId);
        confirmed += processor->getPreferences().isScopeEnabled() != scopeWasOn ? 1 : 0;

        const auto tenths = 10 + round % 5;
        editor->setSize (Tavelin::Panel::baseWidth * tenths / 10, Tavelin::Panel::baseHeight * tenths / 10);
        confirmed += juce::approximatelyEqual (processor->getPreferences().uiScaleFactor, (float) tenths / 10.0f) ? 1 : 0;
        pumpMessages();
    }

    const juce::File mapFile = home().getChildFile ("stress.vtcc");
    const std::array<juce::File, 2> picks{ writePreset (presetsFolder().getChildFile ("Pick1.vtp"), 200.0f),
                                           writePreset (presetsFolder().getChildFile ("Pick2.vtp"), 300.0f) };
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
    EXPECT_EQ (currentName(), "b");
    EXPECT_EQ (plain ("Delay_1_Time"), 900.0f);

    expectTheChunkRestoresWhole (*processor);
}
} // namespace tavelin::test
