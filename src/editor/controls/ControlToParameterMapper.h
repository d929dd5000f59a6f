#pragma once

#include "editor/controls/PolledParameterAttachment.h"

namespace velk
{
/** The editor's one way of binding a control to a parameter. It owns every attachment, which
    keeps control and parameter in step both ways with the host's gestures, until the mapper is
    destroyed; the editor destroys it before any control.

    Changes that the audio thread or a host's thread make reach the controls through the
    mapper's timer, every 30 ms on the message thread: the thread that made them is never held
    up by the window.
*/
class ControlToParameterMapper : private juce::Timer
{
public:
    /** The recorder hears of every gesture on a control as it begins and ends, on the message
        thread.
    */
    ControlToParameterMapper (juce::AudioProcessorValueTreeState& parameters, PolledParameterAttachment::GestureRecorder recorder);
    ~ControlToParameterMapper() override;

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

    /** Shows in their controls the changes that other threads made since the last call. The
        timer calls it; call it to see them without waiting.
    */
    void showChangesMadeElsewhere();

    static constexpr int pollingIntervalMs = 30;

private:
    void timerCallback() override;
    template <typename Attachment, typename Control>
    void attach (Control& control, const juce::String& parameterID);

    juce::AudioProcessorValueTreeState& parameters;
    const PolledParameterAttachment::GestureRecorder recordGesture;
    juce::OwnedArray<PolledParameterAttachment> attachments;
    juce::Array<const juce::Component*> attachedControls; // the control of each attachment

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControlToParameterMapper)
};
} // namespace velk
