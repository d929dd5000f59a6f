#include "editor/EditorFixture.h"

namespace tavelin::test
{
class MidiLearn : public EditorFixture
{
protected:
    MidiLearn() { openEditor(); }

    velk::VelkKnob& bind (size_t slot, const juce::String& parameterID)
    {
        editor->createAndBindKnob (knobs[slot], parameterID, {}, TavelinAudioProcessorEditor::chain1Colour);
        return *knobs[slot];
    }

    /** The menu's choice, then the change message delivered. */
    static void choose (velk::MIDITarget& target, int menuResult)
    {
        target.handleMenuResult (menuResult);
        pumpMessages();
    }

    /** The map as "identifier=cc", in child order. */
    juce::StringArray mapEntries() const
    {
        juce::StringArray entries;

        for (const auto& child : processor->ccMapper.getMap())
            entries.add (child.getType().toString() + "=" + child[velk::CCMapper::ccValueProperty].toString());

        return entries;
    }

    void processBlockWithController (int controller, int value)
    {
        juce::AudioBuffer<float> buffer (2, 64);
        buffer.clear();
        juce::MidiBuffer midi;
        midi.addEvent (juce::MidiMessage::controllerEvent (1, controller, value), 0);
        processor->processBlock (buffer, midi);
    }

    static constexpr int assign = velk::MIDITarget::assignItemId;
    static constexpr int clear = velk::MIDITarget::clearItemId;
};

TEST_F (MidiLearn, AssignReusesAParametersChildClearRemovesItAndDismissingDoesNothing)
{
    auto& time = bind (0, "Delay_1_Time");
    auto& mix = bind (1, "Delay_1_Mix");
    EXPECT_FALSE (time.assignRequested || time.clearRequested); // a new control asks for nothing

    choose (time, 0); // dismissed
    EXPECT_TRUE (mapEntries().isEmpty());

    processor->ccMapper.assignController ("Delay_1_Time", 5); // a mapping the state brought
    choose (time, assign);                                    // before any controller has arrived
    EXPECT_EQ (mapEntries(), juce::StringArray ("Delay_1_Time=5"));
    EXPECT_FALSE (time.assignRequested);

    processor->ccMapper.lastReceivedCC = 0;
    choose (mix, assign);
    processor->ccMapper.lastReceivedCC = 9;
    choose (time, assign);
    EXPECT_EQ (mapEntries(), juce::StringArray ("Delay_1_Time=9", "Delay_1_Mix=0"));

    choose (time, clear);
    choose (time, clear); // nothing left to clear
    EXPECT_FALSE (time.clearRequested);
    EXPECT_EQ (mapEntries(), juce::StringArray ("Delay_1_Mix=0"));

    choose (time, assign);
    EXPECT_EQ (mapEntries(), juce::StringArray ("Delay_1_Mix=0", "Delay_1_Time=9"));
}

TEST_F (MidiLearn, ALearnedControllerMovesTheParameterFromTheNextBlockOn)
{
    processor->prepareToPlay (44100.0, 64);
    auto& time = bind (0, "Delay_1_Time");

    processBlockWithController (20, 0);
    choose (time, assign);
    ASSERT_EQ (mapEntries(), juce::StringArray ("Delay_1_Time=20"));

    processBlockWithController (20, 127);
    pumpMessages();

    EXPECT_EQ (time.getValue(), 1000.0);
    EXPECT_EQ ((double) copyState().getChildWithProperty ("id", "Delay_1_Time")["value"], 1000.0);
    processor->releaseResources();
}
} // namespace tavelin::test
