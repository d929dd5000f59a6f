#include "editor/controls/ComboBoxAttachment.h"

namespace velk
{
ComboBoxAttachment::ComboBoxAttachment (juce::RangedAudioParameter& parameterToUse, juce::ComboBox& comboBoxToUse,
                                        GestureRecorder recorder)
    : PolledParameterAttachment (parameterToUse, std::move (recorder)),
      comboBox (comboBoxToUse)
{
    sendInitialUpdate();
    comboBox.addListener (this);
}

ComboBoxAttachment::~ComboBoxAttachment()
{
    comboBox.removeListener (this);
}

void ComboBoxAttachment::showValue (float plainValue)
{
    const auto index = juce::roundToInt (parameter.convertTo0to1 (plainValue) * (float) (comboBox.getNumItems() - 1));
    comboBox.setSelectedItemIndex (index, juce::sendNotificationSync);
}

void ComboBoxAttachment::comboBoxChanged (juce::ComboBox*)
{
    const auto lastIndex = comboBox.getNumItems() - 1;
    const auto normalised = lastIndex > 0 ? (float) comboBox.getSelectedItemIndex() / (float) lastIndex : 0.0f;
    setValueAsCompleteGesture (parameter.convertFrom0to1 (normalised));
}
} // namespace velk
