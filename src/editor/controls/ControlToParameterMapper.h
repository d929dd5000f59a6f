#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace velk
{
/** The editor's one way of binding a control to a parameter. It owns every attachment, which
    keeps control and parameter in step both ways with the host's gestures, until the mapper is
    destroyed; the editor destroys it before any control.
*/
class ControlToParameterMapper
{
public:
    explicit ControlToParameterMapper (juce::AudioProcessorValueTreeState& parameters);
    ~ControlToParameterMapper();

    /** Binds the slider and gives it the parameter's identifier as component ID. The slider
        then shows the parameter's own value text, without a suffix of its own.
    */
    void attachSliderToParameter (juce::Slider* slider, const juce::String& parameterID);
    void attachButtonToParameter (juce::Button* button, const juce::String& parameterID);
    void attachMenuToParameter (juce::ComboBox* comboBox, const juce::String& parameterID);

    /** Deletes the attachment of a slider that is about to be deleted itself; an attachment must
        never outlive its control.
    */
    void detachSlider (const juce::Slider& slider);

private:
    juce::AudioProcessorValueTreeState& parameters;

    // Owned arrays delete from the last element to the first, and the members go in reverse:
    // menus, then buttons, then sliders.
    juce::OwnedArray<juce::AudioProcessorValueTreeState::SliderAttachment> sliderAttachments;
    juce::Array<const juce::Slider*> attachedSliders; // the slider of each slider attachment
    juce::OwnedArray<juce::AudioProcessorValueTreeState::ButtonAttachment> buttonAttachments;
    juce::OwnedArray<juce::AudioProcessorValueTreeState::ComboBoxAttachment> comboBoxAttachments;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControlToParameterMapper)
};
} // namespace velk
