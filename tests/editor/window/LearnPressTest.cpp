#include "editor/window/RealWindow.h"
#include "support/BusyEditorState.h"

namespace tavelin::test
{
namespace
{
    struct GestureCounter : juce::AudioProcessorParameter::Listener
    {
        void parameterValueChanged (int, float) override {}
        void parameterGestureChanged (int, bool) override { ++gestures; }
        int gestures = 0;
    };

    struct LearnPressCase
    {
        const char* parameterID;
        const char* switchShowingIt; // set on first, where the control shows only then
        bool draggedBefore;
    };

    void PrintTo (const LearnPressCase& row, std::ostream* os)
    {
        *os << row.parameterID;
    }
} // namespace

/** An Alt-press opens the learn menu and returns at once, so the rest of the press reaches the
    control afterwards: all of it must be the menu's.
*/
class LearnPress : public RealWindow,
                   public ::testing::WithParamInterface<LearnPressCase>
{
protected:
    LearnPress()
    {
        if (const juce::String shownBy (GetParam().switchShowingIt); shownBy.isNotEmpty())
        {
            setPlainValue (*processor, shownBy, 1.0f);
            tick();
        }

        parameter = processor->valueTreeState.getParameter (GetParam().parameterID);
        const auto area = controlArea();

        // Along a switch or a box, so that the release lands on it; up a knob from the centre
        // of its dial (its value label lies below).
        if (area.getWidth() > area.getHeight())
        {
            start = { area.getX() + 5, area.getCentreY() };
            travel = { 40, 0 };
        }
        else
        {
            start = area.withHeight (38).getCentre();
            travel = { 0, -40 };
        }
    }

    ~LearnPress() override { parameter->removeListener (&gestures); }

    juce::Rectangle<int> controlArea()
    {
        for (auto* child : editor->getChildren())
            if (learnableID (child) == GetParam().parameterID && child->isVisible())
                return editor->getLocalArea (child, child->getLocalBounds());

        ADD_FAILURE() << "no control shown";
        return {};
    }

    /** Button down, `travel` (or a part of it) in four steps, button up; the keys stay held. */
    void pressDragAndRelease (juce::ModifierKeys heldKeys, int partOfTravel = 1)
    {
        const auto down = heldKeys.withFlags (juce::ModifierKeys::leftButtonModifier);
        const auto end = start + travel / partOfTravel;
        mouse (start, heldKeys);
        mouse (start, down);

        for (int step = 1; step <= 4; ++step)
            mouse (start + (end - start) * step / 4, down);

        mouse (end, heldKeys);
    }

    void click (juce::ModifierKeys heldKeys)
    {
        mouse (start, heldKeys);
        mouse (start, heldKeys.withFlags (juce::ModifierKeys::leftButtonModifier));
        mouse (start, heldKeys);
    }

    void startWatching()
    {
        // Half as far as the learn press goes: a drag that took up the slider's last drag
        // again would show.
        if (GetParam().draggedBefore)
        {
            pressDragAndRelease ({}, 2);
            ASSERT_NE (parameter->getValue(), parameter->getDefaultValue()) << "the plain drag moved nothing";
        }

        parameter->addListener (&gestures);
        valueBefore = parameter->getValue();
    }

    void expectTheMenuOwnedThePress()
    {
        EXPECT_EQ (parameter->getValue(), valueBefore);
        EXPECT_EQ (gestures.gestures, 0);
        EXPECT_EQ (numMenusOpen(), 1);
    }

    juce::AudioProcessorParameter* parameter = nullptr;
    juce::Point<int> start, travel;
    GestureCounter gestures;
    float valueBefore = 0.0f;
};

TEST_P (LearnPress, ItsDragAndReleaseChangeNothing)
{
    startWatching();
    pressDragAndRelease (alt);
    pumpMessages();

    expectTheMenuOwnedThePress();
}

TEST_P (LearnPress, ItsDoubleClickChangesNothing)
{
    startWatching();
    click (alt);
    click (alt);
    pumpMessages();

    expectTheMenuOwnedThePress();
}

INSTANTIATE_TEST_SUITE_P (Controls, LearnPress,
                          ::testing::Values (LearnPressCase{ "Delay_1_Mix", "", true },
                                             LearnPressCase{ "Delay_1_PingPong", "", false },
                                             LearnPressCase{ "LFO_1_Sync", "", false },
                                             LearnPressCase{ "Delay_1_Synced_Time", "Delay_1_Sync", false },
                                             LearnPressCase{ "LFO_2_Synced_Rate", "LFO_2_Sync", false }));
} // namespace tavelin::test
