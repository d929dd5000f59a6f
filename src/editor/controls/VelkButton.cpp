#include "editor/controls/VelkButton.h"

namespace velk
{
VelkButton::VelkButton() = default;
VelkButton::~VelkButton() = default;

void VelkButton::mouseDown (const juce::MouseEvent& e)
{
    if (!takePressForMenu (e, *this, true))
        juce::Button::mouseDown (e);
}

void VelkButton::mouseDrag (const juce::MouseEvent& e)
{
    if (!pressBelongsToMenu())
        juce::Button::mouseDrag (e);
}

void VelkButton::mouseUp (const juce::MouseEvent& e)
{
    if (!pressBelongsToMenu())
        juce::Button::mouseUp (e);
}
} // namespace velk
