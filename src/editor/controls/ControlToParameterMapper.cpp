#include "editor/controls/ControlToParameterMapper.h"

namespace velk
{
ControlToParameterMapper::ControlToParameterMapper (juce::AudioProcessorValueTreeState& parametersToUse)
    : parameters (parametersToUse)
{
}

ControlToParameterMapper::~ControlToParameterMapper() = default;

void ControlToParameterMapper::attachSliderToParameter (juce::Slider* slider, const juce::String& parameterID)
{
    sliderAttachments.add (new juce::AudioProcessorValueTreeState::SliderAttachment (parameters, parameterID, *slider));
    attachedSliders.add (slider);

    // The attachment gives the slider the parameter's text, and the slider would append its own
    // suffix to it ("-6.00 dB dB").
    slider->setTextValueSuffix ({});
    slider->setComponentID (parameterID);
}

void ControlToParameterMapper::attachButtonToParameter (juce::Button* button, const juce::String& parameterID)
{
    buttonAttachments.add (new juce::AudioProcessorValueTreeState::ButtonAttachment (parameters, parameterID, *button));
    button->setComponentID (parameterID);
}

void ControlToParameterMapper::attachMenuToParameter (juce::ComboBox* comboBox, const juce::String& parameterID)
{
    comboBoxAttachments.add (new juce::AudioProcessorValueTreeState::ComboBoxAttachment (parameters, parameterID, *comboBox));
    comboBox->setComponentID (parameterID);
}
void ControlToParameterMapper::detachSlider (const juce::Slider& slider)
{
    const auto index = attachedSliders.indexOf (&slider);

    if (index < 0)
        return;

    sliderAttachments.remove (index);
    attachedSliders.remove (index);
}
} // namespace velk
