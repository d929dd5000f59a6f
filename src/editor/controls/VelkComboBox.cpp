#include "editor/controls/VelkComboBox.h"

namespace velk
{
VelkComboBox::VelkComboBox() = default;
VelkComboBox::~VelkComboBox() = default;

void VelkComboBox::mouseDown (const juce::MouseEvent& e)
{
    if (e.mods.isAltDown())
        menu (*this);
    else
        juce::ComboBox::mouseDown (e);
}
} // namespace velk
