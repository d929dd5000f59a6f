#include "editor/PresetFolderFixture.h"

#include <functional>

namespace tavelin::test
{
namespace
{
    juce::MidiMessage programChange (int program)
    {
        return juce::MidiMessage::programChange (1, program);
    }
    juce::MidiMessage controller (int number, int value)
    {
        return juce::MidiMessage::controllerEvent (1, number, value);
    }

    /** Runs the action the first time the parameter changes: from inside the load that changes it. */
    struct DuringTheLoad : juce::AudioProcessorValueTreeState::Listener
    {
        void parameterChanged (const juce::String&, float) override
        {
            if (auto once = std::exchange (action, nullptr))
                once();
        }

        std::function<void()> action;
    };
} // namespace

/** The editor open, the MIDI folder holding "a" (delay time 500) and "b" (250, delay mix 20). */
class EditorProgramChange : public PresetFolderFixture
{
protected:
    EditorProgramChange()
    {
        writePreset (midiFolder().getChildFile ("a.vtp"), 500.0f);
        writePreset (midiFolder().getChildFile ("b.vtp"), { { "Delay_1_Time", 250.0f }, { "Delay_1_Mix", 20.0f } });
        processor->getProgramChangeRequest().midiPresetFileNames = velk::ProgramChangeManager::scanMidiPresetsFolder();
        setPlainValue (*processor, "Delay_1_Time", 777.0f);
        openEditor();
    }

    /** One block of the audio thread with these events. */
    void send (std::initializer_list<juce::MidiMessage> messages)
    {
        juce::MidiBuffer midi;

        for (const auto& message : messages)
            midi.addEvent (message, midi.getNumEvents());

        render (32, false, midi);
    }

    bool isWaiting() const { return processor->getProgramChangeRequest().isWaiting(); }

    juce::String presetLabelText()
    {
        for (auto* label : childrenOfType<juce::Label> (*editor))
            if (label->getBounds() == Tavelin::Panel::presetStrip().nameLabel)
                return label->getText();

        return "no preset label";
    }
};

//==============================================================================
struct ProgramCase
{
    const char* description;
    int program;
    const char* brokenFile;
    const char* expectedName; // none: nothing loads
    float expectedDelayTime;
};

void PrintTo (const ProgramCase& row, std::ostream* os)
{
    *os << row.description;
}

class ProgramChangeWithEditor : public EditorProgramChange,
                                public ::testing::WithParamInterface<ProgramCase>
{
};

TEST_P (ProgramChangeWithEditor, WaitsForTheNextTickWhichTakesTheRequest)
{
    const auto& row = GetParam();

    if (row.brokenFile != nullptr)
        writeBrokenPreset (midiFolder().getChildFile (row.brokenFile));

    tick();
    const auto labelBefore = presetLabelText();
    send ({ programChange (row.program) });
    EXPECT_EQ (plain ("Delay_1_Time"), 777.0f) << "nothing loads before the tick";

    tick();
    EXPECT_FALSE (isWaiting());
    EXPECT_EQ (plain ("Delay_1_Time"), row.expectedDelayTime);
    EXPECT_EQ (presetLabelText(), row.expectedName != nullptr ? juce::String (row.expectedName).toUpperCase() : labelBefore);
    EXPECT_EQ (currentName(), row.expectedName != nullptr ? row.expectedName : "INIT");
}

INSTANTIATE_TEST_SUITE_P (
    Programs, ProgramChangeWithEditor,
    ::testing::Values (ProgramCase{ "a listed program loads, its name in capitals", 1, nullptr, "b", 250.0f },
                       ProgramCase{ "a number equal to the count loads nothing", 2, nullptr, nullptr, 777.0f },
                       ProgramCase{ "a broken file changes nothing", 0, "a.vtp", nullptr, 777.0f }));

TEST_F (EditorProgramChange, AControllerSentRightAfterTheProgramChangeWinsOverItsPreset)
{
    processor->ccMapper.assignController ("Delay_1_Time", 12);
    send ({ programChange (0) });
    send ({ controller (12, 127) });

    tick();
    EXPECT_EQ (currentName(), "a");
    EXPECT_EQ (plain ("Delay_1_Time"), 1000.0f);
}

TEST_F (EditorProgramChange, ARequestArrivingDuringALoadIsLoadedAtTheNextTickUnderItsControllers)
{
    processor->ccMapper.assignController ("Delay_1_Mix", 12);
    DuringTheLoad duringTheLoad;
    duringTheLoad.action = [this]
    { send ({ programChange (1), controller (12, 127) }); };
    processor->valueTreeState.addParameterListener ("Delay_1_Time", &duringTheLoad);

    send ({ programChange (0) });
    tick();
    processor->valueTreeState.removeParameterListener ("Delay_1_Time", &duringTheLoad);

    EXPECT_EQ (currentName(), "a");
    EXPECT_TRUE (isWaiting());
    EXPECT_EQ (plain ("Delay_1_Mix"), 100.0f);

    tick();
    EXPECT_EQ (currentName(), "b");
    EXPECT_EQ (plain ("Delay_1_Time"), 250.0f);
    EXPECT_EQ (plain ("Delay_1_Mix"), 100.0f) << "the controller came after b's program change";
    EXPECT_FALSE (isWaiting());
}
} // namespace tavelin::test
