#include "editor/controls/ControlToParameterMapper.h"
#include "editor/EditorFixture.h"
#include "processor/ParameterEventRecorder.h"

#include <thread>

namespace tavelin::test
{
namespace
{
    using Kind = ParameterEventRecorder::Kind;

    enum class Control
    {
        slider,
        button,
        menu
    };

    struct Binding
    {
        Control control;
        const char* parameterID;
        float otherValue; // plain, away from the default
    };

    std::string nameOf (const ::testing::TestParamInfo<Binding>& info)
    {
        return juce::String (info.param.parameterID).removeCharacters ("_").toStdString();
    }
} // namespace

/** A slider, a switch and a menu bound by a mapper of the test's own, whose timer never runs
    here: the test polls it, or leaves it unpolled, itself.
*/
class BoundControls : public EditorFixture
{
protected:
    BoundControls()
    {
        button.setClickingTogglesState (true);
        menu.addItemList ({ "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p", "q", "r" }, 1);
    }

    juce::RangedAudioParameter& parameter (const juce::String& id) const { return *processor->valueTreeState.getParameter (id); }
    float plain (const juce::String& id) const { return parameter (id).convertFrom0to1 (parameter (id).getValue()); }
    float defaultOf (const juce::String& id) const { return parameter (id).convertFrom0to1 (parameter (id).getDefaultValue()); }

    void setPlain (const juce::String& id, float value) const { parameter (id).setValueNotifyingHost (parameter (id).convertTo0to1 (value)); }

    /** As the audio thread moves a mapped controller or the host automates. */
    void setPlainOnAnotherThread (const juce::String& id, float value) const
    {
        std::thread other ([&]
                           { setPlain (id, value); });
        other.join();
    }

    void bind (Control control, const juce::String& id)
    {
        if (control == Control::slider)
            mapper.attachSliderToParameter (&slider, id);
        else if (control == Control::button)
            mapper.attachButtonToParameter (&button, id);
        else
            mapper.attachMenuToParameter (&menu, id);
    }

    /** The plain value the control shows: the slider's value, the switch's 0 or 1, the menu's
        index (the menus' parameters count their items from 0).
    */
    float shown (Control control) const
    {
        if (control == Control::slider)
            return (float) slider.getValue();

        return control == Control::button ? (button.getToggleState() ? 1.0f : 0.0f) : (float) menu.getSelectedItemIndex();
    }

    juce::Slider slider;
    juce::TextButton button;
    juce::ComboBox menu;
    int gesturesRecorded = 0;
    velk::ControlToParameterMapper mapper{ processor->valueTreeState, { [this] (juce::RangedAudioParameter& parameter)
                                                                        { processor->getUndoHistory().beginGesture (parameter); },
                                                                        [this] (juce::RangedAudioParameter& parameter)
                                                                        {
        ++gesturesRecorded;
        processor->getUndoHistory().endGesture (parameter);
                                                                       } } }; // goes first, as in the editor
};

//==============================================================================
class EveryKindOfControl : public BoundControls,
                           public ::testing::WithParamInterface<Binding>
{
};

TEST_P (EveryKindOfControl, ShowsAnotherThreadsChangeAtThePollAndTheMessageThreadsAtOnce)
{
    const auto [control, id, otherValue] = GetParam();
    bind (control, id);
    ParameterEventRecorder host (*processor);
    EXPECT_EQ (shown (control), defaultOf (id));

    setPlainOnAnotherThread (id, otherValue);
    EXPECT_EQ (shown (control), defaultOf (id)) << "before the poll";
    mapper.showChangesMadeElsewhere();
    EXPECT_EQ (shown (control), otherValue);

    setPlain (id, defaultOf (id));
    EXPECT_EQ (shown (control), defaultOf (id));

    // Showing a value reports nothing back: the host saw only the two changes made here.
    EXPECT_EQ (host.events.size(), 2u);
    EXPECT_EQ (gesturesRecorded, 0);
}

INSTANTIATE_TEST_SUITE_P (Controls, EveryKindOfControl,
                          ::testing::Values (Binding{ Control::slider, "Delay_1_Time", 250.0f },
                                             Binding{ Control::button, "Delay_1_PingPong", 1.0f },
                                             Binding{ Control::menu, "Delay_1_Synced_Time", 3.0f }),
                          nameOf);

//==============================================================================
TEST_F (BoundControls, SliderTakesTheParametersSkewedRangeTextAndDefault)
{
    bind (Control::slider, "Delay_1_Time");
    const auto& range = parameter ("Delay_1_Time").getNormalisableRange();

    EXPECT_EQ (slider.getRange(), juce::Range<double> (range.start, range.end));
    EXPECT_EQ (slider.getInterval(), 1.0);
    EXPECT_EQ (slider.getSkewFactor(), 0.5);
    EXPECT_DOUBLE_EQ (slider.valueToProportionOfLength (250.0), range.convertTo0to1 (250.0f));
    EXPECT_EQ (slider.getTextFromValue (250.0), "250 Ms");
    EXPECT_EQ (slider.getValueFromText ("1000 Ms"), 1000.0);
    EXPECT_EQ (slider.getDoubleClickReturnValue(), 120.0);
    EXPECT_EQ (slider.getComponentID(), "Delay_1_Time");

    slider.setValue (300.4, juce::sendNotificationSync);
    EXPECT_EQ (plain ("Delay_1_Time"), 300.0f) << "snapped to the parameter's step";
}

TEST_F (BoundControls, EveryUserChangeIsOneGestureOnItsOwnUndoStep)
{
    bind (Control::slider, "Delay_1_Time");
    bind (Control::button, "Delay_1_PingPong");
    bind (Control::menu, "Delay_1_Synced_Time");
    processor->undoManager.clearUndoHistory();
    ParameterEventRecorder host (*processor);
    const auto indexOf = [this] (const char* id)
    { return parameter (id).getParameterIndex(); };

    {
        const juce::Slider::ScopedDragNotification drag (slider);
        slider.setValue (200.0, juce::sendNotificationSync);
        slider.setValue (400.0, juce::sendNotificationSync);
    }

    button.setToggleState (true, juce::sendNotificationSync);
    menu.setSelectedItemIndex (5, juce::sendNotificationSync);
    menu.setSelectedItemIndex (5, juce::sendNotificationSync); // no change, no gesture

    const auto time = indexOf ("Delay_1_Time"), pingPong = indexOf ("Delay_1_PingPong"), synced = indexOf ("Delay_1_Synced_Time");
    EXPECT_EQ (host.events, (std::vector<ParameterEventRecorder::Event>{ { Kind::gestureBegin, time }, { Kind::changed, time }, { Kind::changed, time }, { Kind::gestureEnd, time }, { Kind::gestureBegin, pingPong }, { Kind::changed, pingPong }, { Kind::gestureEnd, pingPong }, { Kind::gestureBegin, synced }, { Kind::changed, synced }, { Kind::gestureEnd, synced } }));
    EXPECT_EQ (gesturesRecorded, 3);

    const std::vector<float> afterTheDrag{ 400.0f, 0.0f, 9.0f }, afterTheClick{ 400.0f, 1.0f, 9.0f };

    for (const auto& expected : { afterTheClick, afterTheDrag })
    {
        processor->undo();
        EXPECT_EQ (std::vector<float> ({ plain ("Delay_1_Time"), plain ("Delay_1_PingPong"), plain ("Delay_1_Synced_Time") }), expected);
    }
}

TEST_F (BoundControls, AValueTheControlCanOnlyComeNearIsShownNearAndNotWrittenBack)
{
    menu.clear();
    menu.addItemList ({ "first", "middle", "last" }, 1);
    bind (Control::menu, "Delay_1_Synced_Time");

    setPlainOnAnotherThread ("Delay_1_Synced_Time", 2.0f);
    mapper.showChangesMadeElsewhere();

    EXPECT_EQ (menu.getSelectedId(), 1);
    EXPECT_EQ (plain ("Delay_1_Synced_Time"), 2.0f);
}

TEST_F (BoundControls, DetachingASliderLeavesItAndTheOtherControlsAsTheyWere)
{
    bind (Control::slider, "Delay_1_Time");
    bind (Control::button, "Delay_1_PingPong");
    mapper.detachSlider (slider);

    setPlain ("Delay_1_Time", 250.0f);
    setPlain ("Delay_1_PingPong", 1.0f);

    EXPECT_EQ (slider.getValue(), 120.0);
    EXPECT_TRUE (button.getToggleState());
}

using EditorKnobs = EditorFixture;

TEST_F (EditorKnobs, FollowAnotherThreadsChangesByThemselves)
{
    openEditor().createAndBindKnob (knobs[0], "Delay_1_Mix", "%", TavelinAudioProcessorEditor::chain1Colour);
    auto& mix = *processor->valueTreeState.getParameter ("Delay_1_Mix");
    std::thread audioThread ([&mix]
                             { mix.setValueNotifyingHost (0.25f); });
    audioThread.join();

    // The mapper's timer, with no help from the test.
    EXPECT_TRUE (waitUntil ([this]
                            { return knobs[0]->getValue() == 25.0; }));
}
} // namespace tavelin::test
