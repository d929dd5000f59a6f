#include "editor/PresetFolderFixture.h"

namespace tavelin::test
{
/** The editor open, "a" and "b" in the MIDI folder and in the processor's list. */
class EditorProgramChange : public PresetFolderFixture
{
protected:
    EditorProgramChange()
    {
        writePresets ({ "MIDI/a.vtp", "MIDI/b.vtp" });
        processor->getProgramChangeRequest().midiPresetFileNames = velk::ProgramChangeManager::scanMidiPresetsFolder();
        openEditor();
    }

    static juce::MidiMessage program (int number) { return juce::MidiMessage::programChange (1, number); }
    static juce::MidiMessage controller12 (int value) { return juce::MidiMessage::controllerEvent (1, 12, value); }
};

TEST_F (EditorProgramChange, AControllerSentRightAfterTheProgramChangeWinsOverItsPreset)
{
    processor->ccMapper.assignController ("Delay_1_Time", 12);
    send ({ program (0) });
    send ({ controller12 (127) });

    tick();
    EXPECT_EQ (current(), presetOf (midiFolder().getChildFile ("a.vtp")));
    EXPECT_EQ (plain ("Delay_1_Time"), 1000.0f);
}

TEST_F (EditorProgramChange, ARequestArrivingDuringALoadIsLoadedAtTheNextTickUnderItsControllers)
{
    processor->ccMapper.assignController ("Delay_1_Time", 12);
    duringTheNextLoad = [this]
    { send ({ program (1), controller12 (127) }); };

    send ({ program (0) });
    tick();
    EXPECT_EQ (current(), presetOf (midiFolder().getChildFile ("a.vtp")));
    EXPECT_TRUE (processor->getProgramChangeRequest().isWaiting());
    EXPECT_EQ (plain ("Delay_1_Time"), 1000.0f);

    tick();
    EXPECT_EQ (current(), presetOf (midiFolder().getChildFile ("b.vtp")));
    EXPECT_EQ (plain ("Delay_1_Time"), 1000.0f) << "the controller came after b's program change";
    EXPECT_FALSE (processor->getProgramChangeRequest().isWaiting());
}
} // namespace tavelin::test
