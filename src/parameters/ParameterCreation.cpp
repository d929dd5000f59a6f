#include "parameters/ParameterCreation.h"

#include "parameters/ShortNamedParameter.h"

namespace velk
{
std::atomic<float>* addFloatParameter (juce::AudioProcessorValueTreeState& store,
                                       const juce::String& identifier,
                                       const juce::String& displayName,
                                       juce::NormalisableRange<float> range,
                                       float defaultValue,
                                       const juce::String& label,
                                       ParameterTextFunction valueToText)
{
    using Parameter = ShortNamedParameter;

    std::function<juce::String (float, int)> stringFromValue;

    if (valueToText)
        stringFromValue = [text = std::move (valueToText)] (float value, int)
        { return text (value); };

    store.createAndAddParameter (std::make_unique<Parameter> (
        juce::ParameterID{ identifier }, displayName, range, defaultValue,
        juce::AudioProcessorValueTreeStateParameterAttributes()
            .withLabel (label)
            .withStringFromValueFunction (std::move (stringFromValue))));

    return store.getRawParameterValue (identifier);
}
} // namespace velk
