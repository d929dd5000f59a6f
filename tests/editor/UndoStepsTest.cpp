#include "editor/PresetFolderFixture.h"

#include <thread>
#include <vector>

namespace tavelin::test
{
namespace
{
    using Menu = velk::MainMenu;

    /** What one UNDO does after the user dragged chain 1's pitch and then something else changed
        parameters: take back that change alone, take back the drag alone (the change was not the
        user's and is kept), or nothing (the history was cleared).
    */
    enum class Undone
    {
        theChange,
        theDragOnly,
        nothing
    };

    struct UndoCase
    {
        const char* change;
        Undone undone;
    };

    std::ostream& operator<< (std::ostream& out, const UndoCase& c)
    {
        return out << c.change;
    }

    /** The user's steps and the host's state calls in turn, and chain 1's pitch at the end. */
    struct RestoreCase
    {
        std::vector<const char*> steps;
        float pitchAtTheEnd;
    };

    std::ostream& operator<< (std::ostream& out, const RestoreCase& c)
    {
        for (const auto* step : c.steps)
            out << step << "; ";

        return out;
    }
} // namespace

class UserSteps : public PresetFolderFixture
{
protected:
    UserSteps()
    {
        writePreset (midiFolder().getChildFile ("a.vtp"), 900.0f);
        writePresets ({ "b.vtp" });
        processor->getProgramChangeRequest().midiPresetFileNames = velk::ProgramChangeManager::scanMidiPresetsFolder();
        processor->ccMapper.assignController ("Dry_Wet", 12);
        processor->parametersRandomizer.random.setSeed (27);

        // Cells off their default, for the matrix's randomizer and its reset to change.
        for (const auto* cell : { "Matrix_LFO_1_to_Delay_1_Time", "Matrix_Macro_2_to_Pitch_Shifter_3_Mix" })
            setPlainValue (*processor, cell, 40.0f);

        openEditor();
    }

    std::vector<float> values() const
    {
        std::vector<float> all;

        for (auto* parameter : processor->getParameters())
            all.push_back (parameter->getValue());

        return all;
    }

    void dragPitchTo (double semitones)
    {
        auto& pitch = control<velk::VelkKnob> (*editor, "Pitch_Shifter_1_Pitch");
        const juce::Slider::ScopedDragNotification drag (pitch);
        pitch.setValue (semitones, juce::sendNotificationSync);
    }

    void press (juce::Component& parent, const char* text)
    {
        auto* button = buttonNamed (parent, text);
        ASSERT_NE (button, nullptr) << text;
        dynamic_cast<juce::Button::Listener&> (parent).buttonClicked (button);
    }

    void make (const juce::String& change)
    {
        auto& matrix = *childrenOfType<velk::ModMatrixComponent> (*editor).getFirst();
        const auto block = [this] (juce::MidiMessage message)
        {
            juce::MidiBuffer midi;
            midi.addEvent (message, 0);
            juce::AudioBuffer<float> buffer (2, 32);
            buffer.clear();
            processor->processBlock (buffer, midi);
        };

        if (change == "paste chain 1 onto chain 3")
        {
            editor->chainMenuItemChosen (0, 1);
            editor->chainMenuItemChosen (2, 2);
        }
        else if (change == "RESET")
            press (matrix, "RESET");
        else if (change == "INITIALIZE PARAMETERS")
            editor->getMainMenu().itemChosen (Menu::initializeParametersId);
        else if (change == "host automation from a thread of its own")
            std::thread ([this]
                         { setPlainValue (*processor, "Delay_2_Mix", 10.0f); })
                .join();
        else if (change == "a mapped MIDI controller")
            block (juce::MidiMessage::controllerEvent (1, 12, 20));
        else if (change == "a program change")
        {
            block (juce::MidiMessage::programChange (1, 0));
            tick();
        }
        else if (change == "a state the host restores")
        {
            TavelinAudioProcessor other;
            setPlainValue (other, "Pitch_Shifter_1_Pitch", -5.0f); // undoing the drag would show
            setPlainValue (other, "Delay_3_Time", 700.0f);
            juce::MemoryBlock chunk;
            other.getStateInformation (chunk);
            processor->setStateInformation (chunk.getData(), (int) chunk.getSize());
        }
        else if (change == "a chunk that does not read")
        {
            const char garbage[] = "not a state chunk at all";
            processor->setStateInformation (garbage, (int) sizeof (garbage));
        }
        else if (change == "a preset picked in the browser")
            processor->loadPreset (presetsFolder().getChildFile ("b.vtp"));
        else
            press (*editor, change.toRawUTF8()); // a randomizer button
    }

    float pitch() const { return processor->valueTreeState.getRawParameterValue ("Pitch_Shifter_1_Pitch")->load(); }
};

class UndoSteps : public UserSteps,
                  public ::testing::WithParamInterface<UndoCase>
{
};

class UndoAroundARestoredState : public UserSteps,
                                 public ::testing::WithParamInterface<RestoreCase>
{
};

TEST_P (UndoSteps, OneUndoTakesBackOneStepOfTheUsersAndNothingThatWasNotTheirs)
{
    const auto beforeTheDrag = values();
    dragPitchTo (7.0);
    const auto afterTheDrag = values();

    make (GetParam().change);
    const auto afterTheChange = values();
    ASSERT_NE (afterTheChange, afterTheDrag) << "the change changes something";

    auto expected = afterTheChange;

    if (GetParam().undone == Undone::theChange)
        expected = afterTheDrag;
    else if (GetParam().undone == Undone::theDragOnly)
    {
        const auto pitchIndex = (size_t) processor->valueTreeState.getParameter ("Pitch_Shifter_1_Pitch")->getParameterIndex();
        expected[pitchIndex] = beforeTheDrag[pitchIndex];
    }

    editor->getMainMenu().itemChosen (Menu::undoId);
    EXPECT_EQ (values(), expected);

    // The step taken back comes back whole, and the next gesture is a step of its own.
    editor->getMainMenu().itemChosen (Menu::redoId);
    EXPECT_EQ (values(), afterTheChange);

    dragPitchTo (3.0);
    editor->getMainMenu().itemChosen (Menu::undoId);
    EXPECT_EQ (values(), afterTheChange);
}

INSTANTIATE_TEST_SUITE_P (EveryChange, UndoSteps,
                          ::testing::Values (UndoCase{ "paste chain 1 onto chain 3", Undone::theChange },
                                             UndoCase{ "FX", Undone::theChange },
                                             UndoCase{ "LFO", Undone::theChange },
                                             UndoCase{ "MATRIX", Undone::theChange },
                                             UndoCase{ "ALL", Undone::theChange },
                                             UndoCase{ "INITIALIZE PARAMETERS", Undone::theChange },
                                             UndoCase{ "RESET", Undone::theChange },
                                             UndoCase{ "host automation from a thread of its own", Undone::theDragOnly },
                                             UndoCase{ "a mapped MIDI controller", Undone::theDragOnly },
                                             UndoCase{ "a program change", Undone::nothing },
                                             UndoCase{ "a state the host restores", Undone::nothing },
                                             UndoCase{ "a preset picked in the browser", Undone::nothing }));

TEST_P (UndoAroundARestoredState, LeavesNothingToUndoOrRedoFromBeforeItAndKeepsWhatComesAfter)
{
    for (const juce::String step : GetParam().steps)
    {
        if (step.startsWith ("drag to "))
            dragPitchTo (step.getTrailingIntValue());
        else if (step == "UNDO" || step == "REDO")
            editor->getMainMenu().itemChosen (step == "UNDO" ? Menu::undoId : Menu::redoId);
        else
            make (step);
    }

    EXPECT_EQ (pitch(), GetParam().pitchAtTheEnd);
}

INSTANTIATE_TEST_SUITE_P (StateCalls, UndoAroundARestoredState,
                          ::testing::Values (RestoreCase{ { "drag to 7", "a chunk that does not read", "UNDO" }, 0.0f },
                                             RestoreCase{ { "drag to 7", "a state the host restores", "UNDO" }, -5.0f },
                                             RestoreCase{ { "drag to 7", "UNDO", "a state the host restores", "REDO" }, -5.0f },
                                             RestoreCase{ { "drag to 7", "a state the host restores", "drag to 3", "UNDO" }, -5.0f }));

//==============================================================================
class DragInterrupted : public UserSteps,
                        public ::testing::WithParamInterface<const char*>
{
};

TEST_P (DragInterrupted, RecordsNoStepAndUndoLeavesTheNewSoundAsItCame)
{
    setPlainValue (*processor, "Pitch_Shifter_1_Pitch", -3.0f); // the old sound's, before the drag

    {
        auto& pitch = control<velk::VelkKnob> (*editor, "Pitch_Shifter_1_Pitch");
        const juce::Slider::ScopedDragNotification drag (pitch);
        pitch.setValue (7.0, juce::sendNotificationSync);
        make (GetParam());
    }

    const auto afterTheRelease = values();
    editor->getMainMenu().itemChosen (Menu::undoId);
    EXPECT_EQ (values(), afterTheRelease);
}

INSTANTIATE_TEST_SUITE_P (ByALoad, DragInterrupted,
                          ::testing::Values ("a program change", "a preset picked in the browser", "a state the host restores"));
} // namespace tavelin::test
