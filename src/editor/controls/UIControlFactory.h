#pragma once

#include "editor/controls/VelkButton.h"
#include "editor/controls/VelkComboBox.h"
#include "editor/controls/VelkKnob.h"

namespace velk
{
/** Makes the editor's standard controls with the settings that give the window its uniform
    look. Every function returns a new object that the caller owns; none binds a parameter.
*/
struct UIControlFactory
{
    /** A small centred caption, height 10, that never edits. */
    static juce::Label* createRegularLabel (const juce::String& text);

    /** A rotary knob in the given colour, range 0 to 1 until it is bound, no text box. */
    static VelkKnob* createRegularKnob (const juce::Colour& colour);

    /** A rotary knob with its value below it; until the knob is bound the value shows with
        " " + suffix.
    */
    static VelkKnob* createRegularKnobWithValueLabel (const juce::Colour& colour, const juce::String& suffix);

    /** A push button whose text takes the given colour while it is on. */
    static juce::TextButton* createPushButton (const juce::String& text, const juce::Colour& colour);

    /** A menu box with the given items, ids 1, 2, 3... in order. */
    static VelkComboBox* createParameterMenuBox (const juce::StringArray& items);

    /** A text switch that toggles on every click. */
    static VelkButton* createParameterToggleButton (const juce::String& text, const juce::Colour& colour);

    /** A switch that shows `onImage` while pressed or on and `normalImage` otherwise. The button
        copies both drawables.
    */
    static juce::DrawableButton* createIconButton (const juce::Drawable* normalImage, const juce::Drawable* onImage);
};
} // namespace velk
