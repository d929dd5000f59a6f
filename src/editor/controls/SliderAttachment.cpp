#include "editor/controls/SliderAttachment.h"

namespace velk
{
SliderAttachment::SliderAttachment (juce::RangedAudioParameter& parameterToUse, juce::Slider& sliderToUse,
                                    GestureRecorder recorder)
    : PolledParameterAttachment (parameterToUse, std::move (recorder)),
      slider (sliderToUse)
{
    auto& param = parameter;
    slider.valueFromTextFunction = [&param] (const juce::String& text)
    { return (double) param.convertFrom0to1 (param.getValueForText (text)); };
    slider.textFromValueFunction = [&param] (double value)
    { return param.getText (param.convertTo0to1 ((float) value), 0); };
    slider.setDoubleClickReturnValue (true, param.convertFrom0to1 (param.getDefaultValue()));
    takeRangeOf (param.getNormalisableRange());

    sendInitialUpdate();
    slider.valueChanged();
    slider.addListener (this);
}

SliderAttachment::~SliderAttachment()
{
    slider.removeListener (this);
}

void SliderAttachment::takeRangeOf (const juce::NormalisableRange<float>& range)
{
    // The parameter's own conversions, which may be more than a skew, with the ends the slider
    // asks for.
    using Range = juce::NormalisableRange<float>;
    const auto through = [&range] (float (Range::*conversion) (float) const)
    {
        return [copy = range, conversion] (double start, double end, double value) mutable
        {
            copy.start = (float) start;
            copy.end = (float) end;
            return (double) (copy.*conversion) ((float) value);
            };
    };

    juce::NormalisableRange<double> sliderRange{ range.start, range.end, through (&Range::convertFrom0to1),
                                                 through (&Range::convertTo0to1), through (&Range::snapToLegalValue) };
    sliderRange.interval = range.interval;
    sliderRange.skew = range.skew;
    sliderRange.symmetricSkew = range.symmetricSkew;
    slider.setNormalisableRange (sliderRange);
}

void SliderAttachment::showValue (float plainValue)
{
    slider.setValue (plainValue, juce::sendNotificationSync);
}

void SliderAttachment::sliderValueChanged (juce::Slider*)
{
    setValueAsPartOfGesture ((float) slider.getValue());
}

void SliderAttachment::sliderDragStarted (juce::Slider*)
{
    beginGesture();
}

void SliderAttachment::sliderDragEnded (juce::Slider*)
{
    endGesture();
}
} // namespace velk
