#include "editor/controls/VelkComboBox.h"

namespace velk
{
VelkComboBox::VelkComboBox() = default;
VelkComboBox::~VelkComboBox() = default;

void VelkComboBox::mouseDown (const juce::MouseEvent& e)
{
    if (!takePressForMenu (e, *this, true))
        juce::ComboBox::mouseDown (e);
}

void VelkComboBox::mouseDrag (const juce::MouseEvent& e)
{
    if (!pressBelongsToMenu())
        juce::ComboBox::mouseDrag (e);
}

void VelkComboBox::mouseUp (const juce::MouseEvent& e)
{
    if (!pressBelongsToMenu())
        juce::ComboBox::mouseUp (e);
}
} // namespace velk
