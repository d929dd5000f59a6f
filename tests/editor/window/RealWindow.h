#pragma once

#include "editor/EditorQueries.h"
#include "editor/Panel.h"
#include "support/BusyEditorState.h"

namespace tavelin::test
{
struct DragStartCounter : juce::Slider::Listener
{
    void sliderValueChanged (juce::Slider*) override {}
    void sliderDragStarted (juce::Slider*) override { ++dragsStarted; }
    int dragsStarted = 0;
};

/** The editor in a real window on the display, at the layout's own size, driven by mouse events
    given to its window as the windowing system would give them.
*/
class RealWindow : public EditorAtBaseScale
{
protected:
    RealWindow()
    {
        openEditor().addToDesktop (0);
        editor->setVisible (true);
    }

    ~RealWindow() override
    {
        juce::PopupMenu::dismissAllActiveMenus();
        juce::ModifierKeys::currentModifiers = {};
    }

    /** As the window's event handler does: the keys held go to the global modifier state, from
        which mouse events take them, and the buttons with the event.
    */
    void mouse (juce::Point<int> position, juce::ModifierKeys modifiers)
    {
        juce::ModifierKeys::currentModifiers = modifiers;
        editor->getPeer()->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, position.toFloat(), modifiers,
                                             juce::MouseInputSource::defaultPressure, 0.0f, juce::Time::currentTimeMillis());
    }

    void drag (juce::Point<int> from, juce::Point<int> to, juce::ModifierKeys heldKeys = {})
    {
        const auto buttonDown = heldKeys.withFlags (juce::ModifierKeys::leftButtonModifier);
        mouse (from, heldKeys);
        mouse (from, buttonDown);
        mouse (to, buttonDown);
        mouse (to, heldKeys);
    }

    /** A knob at (100, 100) bound to Delay_1_Mix, learnable under the given identifier (none when empty). */
    velk::VelkKnob& knobAt100 (const juce::String& learnIdentifier)
    {
        editor->createAndBindKnob (knobs[0], "Delay_1_Mix", "%", TavelinAudioProcessorEditor::chain1Colour);
        knobs[0]->setBounds (100, 100, 50, 50);
        knobs[0]->parameterID = learnIdentifier;
        knobs[0]->addListener (&drags);
        return *knobs[0];
    }

    /** Clicks chain 2's header, which opens its menu; then copies chain 1, changed since, from it. */
    void choosePasteOnChain2AfterCopyingChain1()
    {
        editor->chainMenuItemChosen (0, 1);
        setPlainValue (*processor, "Delay_1_Time", 750.0f);

        const auto header = Tavelin::Panel::chainSection (1).headerLabel.getCentre();
        drag (header, header);
        ASSERT_EQ (numMenusOpen(), 1);

        // Down to "PASTE SETTINGS", the second item, and choose it; the menu reports it later.
        auto* menu = juce::ModalComponentManager::getInstance()->getModalComponent (0);
        menu->keyPressed (juce::KeyPress (juce::KeyPress::downKey));
        menu->keyPressed (juce::KeyPress (juce::KeyPress::downKey));
        menu->keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    }

    float delay2Time() const { return processor->valueTreeState.getRawParameterValue ("Delay_2_Time")->load(); }

    static int numMenusOpen()
    {
        return juce::ModalComponentManager::getInstance()->getNumModalComponents();
    }

    static inline const juce::ModifierKeys alt{ juce::ModifierKeys::altModifier };
    DragStartCounter drags;
};
} // namespace tavelin::test
