#include "editor/PresetFolderFixture.h"
#include "robustness/HostThreads.h"

#include <memory>

namespace tavelin::test
{
namespace
{
    constexpr int numRounds = 48;
} // namespace

/** A host that changes its audio setup while the user works the window: a host thread prepares
    at other rates and block sizes, saves and restores the state and releases; the audio thread
    plays with controllers and program changes; the message thread loads, steps, undoes and
    redoes, pastes, randomizes, initialises and resets, and takes program changes at its ticks.
    The modules' memories, the parameter state and the undo history are each changed by one
    thread at a time: AddressSanitizer and ThreadSanitizer check the memory, the threads what
    they can see.
*/
class HostSetupStress : public PresetFolderFixture
{
protected:
    HostSetupStress()
    {
        writePresets ({ "a.vtp", "b.vtp", "c.vtp" });
        writePreset (midiFolder().getChildFile ("p0.vtp"), 400.0f);
        writePreset (midiFolder().getChildFile ("p1.vtp"), 900.0f);
        processor->getProgramChangeRequest().midiPresetFileNames = velk::ProgramChangeManager::scanMidiPresetsFolder();

        for (const auto& [id, controller] : { std::pair ("Delay_1_Time", 7), { "Dry_Wet", 21 }, { "Pitch_Shifter_2_Pitch", 21 } })
            processor->ccMapper.assignController (id, controller);

        host = std::make_unique<HostThreads> (*processor, juce::StringArray{ "INIT", "a", "b", "c", "p0", "p1" });
    }

    ~HostSetupStress() override { host.reset(); }

    void press (juce::Button::Listener& listener, const juce::String& text, juce::Component& parent)
    {
        auto* button = buttonNamed (parent, text);
        ASSERT_NE (button, nullptr) << text;
        listener.buttonClicked (button);
    }

    /** One round of what the user does while the host changes its setup. */
    void editorRound (int round)
    {
        tick();
        const auto loaded = processor->loadPreset (presetsFolder().getChildFile (juce::StringArray{ "a.vtp", "b.vtp", "c.vtp" }[round % 3]));
        loadsConfirmed += loaded.wasOk() ? 1 : 0;

        auto& mix = control<velk::VelkKnob> (*editor, "Delay_1_Mix");
        {
            const juce::Slider::ScopedDragNotification drag (mix);
            mix.setValue ((double) (round % 10) * 10.0, juce::sendNotificationSync);
        }

        click (round % 2 == 0 ? Tavelin::Panel::presetStrip().nextButton : Tavelin::Panel::presetStrip().previousButton);
        editor->chainMenuItemChosen (round % 3, 1);
        editor->chainMenuItemChosen ((round + 1) % 3, 2);
        press (*editor, juce::StringArray{ "FX", "LFO", "MATRIX", "ALL" }[round % 4], *editor);

        auto& matrix = *childrenOfType<velk::ModMatrixComponent> (*editor).getFirst();
        press (matrix, "RESET", matrix);

        auto& menu = editor->getMainMenu();
        menu.itemChosen (velk::MainMenu::undoId);
        menu.itemChosen (round % 2 == 0 ? velk::MainMenu::redoId : velk::MainMenu::undoId);

        if (round % 8 == 7)
            menu.itemChosen (velk::MainMenu::initializeParametersId);

        pumpMessages();
    }

    std::unique_ptr<HostThreads> host;
    int loadsConfirmed = 0;
};

TEST_F (HostSetupStress, PreparesReleasesAndStateCallsOfTheHostNeverMeetALoadOrAnEditorAction)
{
    openEditor();
    host->startAudio();
    host->startSetupChanges();

    for (int round = 0; round < numRounds; ++round)
        editorRound (round);

    host->stop();

    EXPECT_EQ (loadsConfirmed, numRounds);
    EXPECT_EQ (host->nonFiniteBlocks.load(), 0);
    EXPECT_GT (host->blocksProcessed.load(), 0);
    EXPECT_GT (host->setupChanges.load(), 0);
    EXPECT_EQ (host->badChunks.load(), 0);

    expectTheChunkRestoresWhole (*processor);
}
} // namespace tavelin::test
