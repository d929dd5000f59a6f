#include "editor/controls/VelkButton.h"

namespace velk
{
VelkButton::VelkButton() = default;
VelkButton::~VelkButton() = default;

void VelkButton::mouseDown (const juce::MouseEvent& e)
{
    if (e.mods.isAltDown())
        menu (*this);
    else
        juce::Button::mouseDown (e);
}
} // namespace velk
