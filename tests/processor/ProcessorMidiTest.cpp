#include "ParameterEventRecorder.h"
#include "ProcessorTestRig.h"

#include "processor/PresetsManager.h"
#include "processor/ProgramChangeManager.h"

namespace velk::test
{
namespace
{
    using tavelin::test::ParameterEventRecorder;

    /** The processor as it is while the editor is open: the editor's only trace on the audio
        thread is that getActiveEditor() is not null.
    */
    class ProcessorWithEditor : public TavelinAudioProcessor
    {
    public:
        juce::AudioProcessorEditor* createEditor() override { return new PlainEditor (*this); }
        bool hasEditor() const override { return true; }

    private:
        struct PlainEditor : juce::AudioProcessorEditor
        {
            explicit PlainEditor (juce::AudioProcessor& p)
                : juce::AudioProcessorEditor (p) { setSize (10, 10); }
        };
    };

    juce::MidiBuffer programChanges (std::initializer_list<int> programs)
    {
        juce::MidiBuffer midi;
        int position = 0;

        for (auto program : programs)
            midi.addEvent (juce::MidiMessage::programChange (1, program), position++);

        return midi;
    }

    juce::MidiBuffer controllers (std::initializer_list<std::pair<int, int>> events)
    {
        juce::MidiBuffer midi;
        int position = 0;

        for (const auto& [controller, value] : events)
            midi.addEvent (juce::MidiMessage::controllerEvent (1, controller, value), position++);

        return midi;
    }

    void writeMidiPreset (const juce::String& fileName, const juce::ValueTree& state)
    {
        const auto file = ProgramChangeManager::getMidiPresetsFolder().getChildFile (fileName);
        ASSERT_TRUE (PresetsManager::savePreset (state, file).wasOk());
    }

    juce::ValueTree stateWithDelayTime (float delayTime)
    {
        juce::ValueTree state ("Tavelin");
        state.appendChild (juce::ValueTree ("PARAM", { { "id", "Delay_1_Time" }, { "value", delayTime } }), nullptr);
        return state;
    }
} // namespace

//==============================================================================
class ProcessorProgramChange : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ProgramChangeManager::getMidiPresetsFolder().deleteRecursively();
        ProgramChangeManager::getMidiPresetsFolder().createDirectory();
        writeMidiPreset ("a 2.vtp", stateWithDelayTime (500.0f));
        writeMidiPreset ("b.vtp", stateWithDelayTime (250.0f));
    }

    void TearDown() override
    {
        ProgramChangeManager::getMidiPresetsFolder().deleteRecursively();
    }
};

TEST_F (ProcessorProgramChange, WithoutEditorThePresetIsLoadedOnTheMessageThread)
{
    ProcessorRig rig;
    rig.process (silence (64), 64, programChanges ({ 0 }));

    EXPECT_TRUE (rig.processor->getProgramChangeRequest().pendingProgramChange);
    EXPECT_NE (rig.get ("Delay_1_Time"), 500.0f) << "nothing is loaded on the audio thread";

    rig.processor->loadPendingProgramChange();

    EXPECT_EQ (rig.get ("Delay_1_Time"), 500.0f);
    EXPECT_EQ (rig.get ("Chain_Bypass_1"), 0.0f) << "the whole parameter state comes from the preset";
    EXPECT_EQ (rig.processor->getCurrentPreset().getName(), "a 2");
    EXPECT_EQ (rig.processor->getCurrentPreset().getFilePath(), ProgramChangeManager::getMidiPresetsFolder().getChildFile ("a 2.vtp").getFullPathName());
    EXPECT_FALSE (rig.processor->getProgramChangeRequest().pendingProgramChange);
    EXPECT_FALSE (rig.processor->isSuspended());
}

TEST_F (ProcessorProgramChange, OnlyTheLastProgramChangeOfABlockCounts)
{
    ProcessorRig rig;
    rig.process (silence (64), 64, programChanges ({ 0, 1 }));
    rig.processor->loadPendingProgramChange();

    EXPECT_EQ (rig.get ("Delay_1_Time"), 250.0f);
}

TEST_F (ProcessorProgramChange, ProgramWithoutFileLoadsNothing)
{
    ProcessorRig rig;
    rig.set ("Delay_1_Time", 777.0f);
    rig.process (silence (64), 64, programChanges ({ 2 }));
    rig.processor->loadPendingProgramChange();

    EXPECT_EQ (rig.get ("Delay_1_Time"), 777.0f);
    EXPECT_FALSE (rig.processor->isSuspended());
}

TEST_F (ProcessorProgramChange, FileRemovedSinceTheScanLoadsNothing)
{
    ProcessorRig rig;
    rig.set ("Delay_1_Time", 777.0f);
    ProgramChangeManager::getMidiPresetsFolder().getChildFile ("a 2.vtp").deleteFile();
    rig.process (silence (64), 64, programChanges ({ 0 }));
    rig.processor->loadPendingProgramChange();

    EXPECT_EQ (rig.get ("Delay_1_Time"), 777.0f);
}

TEST_F (ProcessorProgramChange, ReplacedPresetListIsUsedForTheNextProgramChange)
{
    ProcessorRig rig;
    writeMidiPreset ("a 1.vtp", stateWithDelayTime (40.0f));
    rig.processor->getProgramChangeRequest().midiPresetFileNames = ProgramChangeManager::scanMidiPresetsFolder();

    rig.process (silence (64), 64, programChanges ({ 0 }));
    rig.processor->loadPendingProgramChange();

    EXPECT_EQ (rig.get ("Delay_1_Time"), 40.0f);
}

TEST_F (ProcessorProgramChange, LoadClearsTheEchoesOfThePreviousSound)
{
    // A preset with an echo 100 ms after the sound, loaded halfway between sound and echo.
    ProcessorRig configured;
    configured.set ("Pitch_Shifter_1_Mix", 0.0f);
    configured.set ("Delay_1_Time", 100.0f);
    configured.set ("Delay_1_Mix", 100.0f);
    configured.set ("Chain_To_Filter_1", 0.0f);
    writeMidiPreset ("a 2.vtp", configured.processor->valueTreeState.copyState());

    auto render = [] (bool withProgramChange)
    {
        ProcessorRig rig;
        rig.processor->getProgramChangeRequest().midiPresetFileNames = ProgramChangeManager::scanMidiPresetsFolder();
        rig.process (silence (64), 64, programChanges ({ 0 }));
        rig.processor->loadPendingProgramChange();
        rig.settle();

        auto impulse = silence (2048);
        impulse[0][0] = impulse[1][0] = 1.0f;
        rig.process (impulse, 2048);
        rig.process (silence (64), 64, withProgramChange ? programChanges ({ 0 }) : juce::MidiBuffer());
        rig.processor->loadPendingProgramChange();
        const auto after = rig.process (silence (4096), 4096);

        auto peak = 0.0f;

        for (auto v : after[0])
            peak = juce::jmax (peak, std::abs (v));

        return peak;
    };

    EXPECT_GT (render (false), 0.5f) << "the echo arrives 4410 samples after the sound";
    EXPECT_LT (render (true), 1.0e-3f) << "the load cleans the delay lines";
}

TEST_F (ProcessorProgramChange, ControllersWithOrAfterTheProgramChangeWinOverItsPreset)
{
    // Program 0 sets Delay_1_Time to 500 ms; controller 12 moves it, 127 to 1000 ms, 0 to 1 ms.
    const auto programChange = juce::MidiMessage::programChange (1, 0);
    const auto controller = [] (int value)
    { return juce::MidiMessage::controllerEvent (1, 12, value); };

    struct Row
    {
        const char* description;
        std::vector<std::vector<juce::MidiMessage>> blocks;
        float expectedTime;
    };

    for (const auto& row : { Row{ "after it in its block", { { programChange, controller (127) } }, 1000.0f },
                             Row{ "before it in its block", { { controller (127), programChange } }, 1000.0f },
                             Row{ "in a later block", { { programChange }, { controller (127) } }, 1000.0f },
                             Row{ "the latest of several", { { programChange, controller (127) }, { controller (0) } }, 1.0f },
                             Row{ "only in a block before it", { { controller (127) }, { programChange } }, 500.0f } })
    {
        SCOPED_TRACE (row.description);
        ProcessorRig rig;
        rig.processor->ccMapper.assignController ("Delay_1_Time", 12);

        for (const auto& events : row.blocks)
        {
            juce::MidiBuffer midi;

            for (const auto& event : events)
                midi.addEvent (event, midi.getNumEvents());

            rig.process (silence (32), 32, midi);
        }

        rig.processor->loadPendingProgramChange();
        EXPECT_EQ (rig.get ("Delay_1_Time"), row.expectedTime);

        // Put back once: a later load is the preset's alone.
        ASSERT_TRUE (rig.processor->loadPreset (ProgramChangeManager::getMidiPresetsFolder().getChildFile ("b.vtp")).wasOk());
        EXPECT_EQ (rig.get ("Delay_1_Time"), 250.0f);
    }
}

TEST_F (ProcessorProgramChange, WithEditorOpenTheRequestWaitsForTheEditor)
{
    ProcessorRig rig (std::make_unique<ProcessorWithEditor>());
    rig.set ("Delay_1_Time", 777.0f);
    const std::unique_ptr<juce::AudioProcessorEditor> editor (rig.processor->createEditorIfNeeded());
    ASSERT_NE (rig.processor->getActiveEditor(), nullptr);

    rig.process (silence (64), 64, programChanges ({ 0, 1 }));
    rig.processor->loadPendingProgramChange();

    EXPECT_TRUE (rig.processor->getProgramChangeRequest().pendingProgramChange) << "the request is the editor's";
    EXPECT_EQ (rig.processor->getProgramChangeRequest().pendingProgramNumber, 1);
    EXPECT_EQ (rig.get ("Delay_1_Time"), 777.0f);
}

TEST_F (ProcessorProgramChange, NewerRequestOverwritesOneNotYetTaken)
{
    ProcessorRig rig (std::make_unique<ProcessorWithEditor>());
    const std::unique_ptr<juce::AudioProcessorEditor> editor (rig.processor->createEditorIfNeeded());

    rig.process (silence (64), 64, programChanges ({ 1 }));
    rig.process (silence (64), 64, programChanges ({ 0 }));

    EXPECT_EQ (rig.processor->getProgramChangeRequest().pendingProgramNumber, 0);
}

TEST_F (ProcessorProgramChange, ClosedEditorLeavesTheLoadToTheProcessorAgain)
{
    ProcessorRig rig (std::make_unique<ProcessorWithEditor>());
    rig.processor->createEditorIfNeeded();
    delete rig.processor->getActiveEditor();

    rig.process (silence (64), 64, programChanges ({ 0 }));
    rig.processor->loadPendingProgramChange();

    EXPECT_FALSE (rig.processor->getProgramChangeRequest().pendingProgramChange);
    EXPECT_EQ (rig.get ("Delay_1_Time"), 500.0f);
}

//==============================================================================
class ProcessorControllers : public ::testing::Test
{
protected:
    void map (const juce::String& parameterId, const juce::var& controller)
    {
        appendToMap (rig.processor->ccMapper, parameterId, controller);
    }

    float normalised (const juce::String& id) const { return rig.parameter (id).getValue(); }

    void send (const juce::MidiBuffer& midi) { rig.process (silence (32), 32, midi); }

    int indexOf (const juce::String& id) const { return rig.parameter (id).getParameterIndex(); }

    ProcessorRig rig;
};

TEST_F (ProcessorControllers, ControllerValueSetsTheMappedParameter)
{
    map ("Delay_1_Time", 7);

    send (controllers ({ { 7, 127 } }));
    EXPECT_EQ (normalised ("Delay_1_Time"), 1.0f);

    send (controllers ({ { 7, 0 } }));
    EXPECT_EQ (normalised ("Delay_1_Time"), 0.0f);
    EXPECT_EQ (rig.processor->ccMapper.lastReceivedCC, 7);
}

TEST_F (ProcessorControllers, TwoChildrenOnOneControllerBothMove)
{
    map ("Delay_1_Time", 7);
    map ("Panner_2_Pan", 7);

    send (controllers ({ { 7, 127 } }));

    EXPECT_EQ (normalised ("Delay_1_Time"), 1.0f);
    EXPECT_EQ (normalised ("Panner_2_Pan"), 1.0f);
}

TEST_F (ProcessorControllers, NegativeControllerIsNeverApplied)
{
    map ("Delay_1_Time", -1);
    juce::MidiBuffer everyController;

    for (int controller = 0; controller < 128; ++controller)
        everyController.addEvent (juce::MidiMessage::controllerEvent (1, controller, 127), controller);

    send (everyController);

    EXPECT_EQ (rig.get ("Delay_1_Time"), 120.0f);
}

TEST_F (ProcessorControllers, MissingControllerNumberMeansControllerZero)
{
    map ("Dry_Wet", juce::var());

    send (controllers ({ { 0, 0 } }));

    EXPECT_EQ (rig.get ("Dry_Wet"), 0.0f);
}

TEST_F (ProcessorControllers, AllNotesOffChangesNothing)
{
    map ("Dry_Wet", 123);
    send (controllers ({ { 5, 1 } }));
    send (controllers ({ { 123, 0 } }));

    EXPECT_EQ (rig.get ("Dry_Wet"), 100.0f);
    EXPECT_EQ (rig.processor->ccMapper.lastReceivedCC, 5);
}

TEST_F (ProcessorControllers, LastValueOfAControllerInABlockWins)
{
    map ("Dry_Wet", 1);
    send (controllers ({ { 1, 0 }, { 1, 127 }, { 1, 64 } }));

    EXPECT_NEAR (rig.get ("Dry_Wet"), 100.0f * 64.0f / 127.0f, 0.005f) << "64 / 127, snapped to the 0.01 step";
}

TEST_F (ProcessorControllers, ControllersApplyInAscendingOrderWithGestures)
{
    map ("Delay_1_Time", 9);
    map ("Panner_2_Pan", 3);
    ParameterEventRecorder recorder (*rig.processor);

    send (controllers ({ { 9, 100 }, { 3, 100 } }));

    using Kind = ParameterEventRecorder::Kind;
    const auto pan = indexOf ("Panner_2_Pan"), time = indexOf ("Delay_1_Time");
    EXPECT_EQ (recorder.events, (std::vector<ParameterEventRecorder::Event>{ { Kind::gestureBegin, pan }, { Kind::changed, pan }, { Kind::gestureEnd, pan }, { Kind::gestureBegin, time }, { Kind::changed, time }, { Kind::gestureEnd, time } }));
}

TEST_F (ProcessorControllers, ChildNamingNoParameterMovesNothing)
{
    map ("No_Such_Parameter", 4);
    ParameterEventRecorder recorder (*rig.processor);

    send (controllers ({ { 4, 100 } }));

    EXPECT_TRUE (recorder.events.empty());
    EXPECT_EQ (rig.processor->ccMapper.lastReceivedCC, 4);
}

TEST_F (ProcessorControllers, ClearedMapMovesNothing)
{
    map ("Dry_Wet", 1);
    rig.processor->ccMapper.clearMap();

    send (controllers ({ { 1, 0 } }));

    EXPECT_EQ (rig.get ("Dry_Wet"), 100.0f);
}
} // namespace velk::test
