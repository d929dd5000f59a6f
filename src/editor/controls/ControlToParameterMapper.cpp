#include "editor/controls/ControlToParameterMapper.h"

#include "editor/controls/ButtonAttachment.h"
#include "editor/controls/ComboBoxAttachment.h"
#include "editor/controls/SliderAttachment.h"

namespace velk
{
ControlToParameterMapper::ControlToParameterMapper (juce::AudioProcessorValueTreeState& parametersToUse,
                                                    PolledParameterAttachment::GestureRecorder recorder)
    : parameters (parametersToUse),
      recordGesture (std::move (recorder))
{
    startTimer (pollingIntervalMs);
}

ControlToParameterMapper::~ControlToParameterMapper() = default;

template <typename Attachment, typename Control>
void ControlToParameterMapper::attach (Control& control, const juce::String& parameterID)
{
    control.setComponentID (parameterID);
    auto* parameter = parameters.getParameter (parameterID);

    if (parameter == nullptr)
    {
        jassertfalse; // every control's identifier comes from the parameter layout
        return;
    }

    attachments.add (new Attachment (*parameter, control, recordGesture));
    attachedControls.add (&control);
}

void ControlToParameterMapper::attachSliderToParameter (juce::Slider* slider, const juce::String& parameterID)
{
    attach<SliderAttachment> (*slider, parameterID);

    // The attachment gives the slider the parameter's text, and the slider would append its own
    // suffix to it ("-6.00 dB dB").
    slider->setTextValueSuffix ({});
}

void ControlToParameterMapper::attachButtonToParameter (juce::Button* button, const juce::String& parameterID)
{
    attach<ButtonAttachment> (*button, parameterID);
}

void ControlToParameterMapper::attachMenuToParameter (juce::ComboBox* comboBox, const juce::String& parameterID)
{
    attach<ComboBoxAttachment> (*comboBox, parameterID);
}

void ControlToParameterMapper::detachSlider (const juce::Slider& slider)
{
    const auto index = attachedControls.indexOf (&slider);

    if (index < 0)
        return;

    attachments.remove (index);
    attachedControls.remove (index);
}

void ControlToParameterMapper::showChangesMadeElsewhere()
{
    for (auto* attachment : attachments)
        attachment->showChangeMadeElsewhere();
}

void ControlToParameterMapper::timerCallback()
{
    showChangesMadeElsewhere();
}
} // namespace velk
