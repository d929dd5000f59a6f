#include "processor/ParametersRandomizer.h"

#include "parameters/ParameterChange.h"

namespace velk
{
namespace
{
    const juce::StringArray noGroup;
} // namespace

ParametersRandomizer::ParametersRandomizer (juce::AudioProcessorValueTreeState& store, bool isLive)
    : valueTreeState (store),
      hostIsLive (isLive)
{
}

//==============================================================================
void ParametersRandomizer::addParameterToGroup (int group, const juce::String& parameterID)
{
    jassert (juce::isPositiveAndBelow (group, numberOfGroups));

    if (juce::isPositiveAndBelow (group, numberOfGroups))
        parameterGroups[static_cast<size_t> (group)].add (parameterID);
}

const juce::StringArray& ParametersRandomizer::getParameterGroup (int group) const
{
    if (!juce::isPositiveAndBelow (group, numberOfGroups))
        return noGroup;

    return parameterGroups[static_cast<size_t> (group)];
}

//==============================================================================
void ParametersRandomizer::randomizeParametersByAmount (int group, float amount)
{
    randomizeGroup (group, amount, [] (const juce::RangedAudioParameter&)
                    { return true; });
}

void ParametersRandomizer::randomizeParametersByAmountIfNotAtDefaultSetting (int group, float amount)
{
    randomizeGroup (group, amount, [] (const juce::RangedAudioParameter& parameter)
                    { return parameter.getValue() != parameter.getDefaultValue(); });
}

template <typename Predicate>
void ParametersRandomizer::randomizeGroup (int group, float amount, Predicate&& shouldRandomize)
{
    for (const auto& parameterID : getParameterGroup (group))
    {
        auto* parameter = valueTreeState.getParameter (parameterID);
        jassert (parameter != nullptr);

        if (parameter != nullptr && shouldRandomize (*parameter))
            randomizeParameter (*parameter, amount);
    }
}

void ParametersRandomizer::randomizeParameter (juce::RangedAudioParameter& parameter, float amount)
{
    const auto& range = parameter.getNormalisableRange();
    const auto value = range.convertFrom0to1 (parameter.getValue());

    // Two draws per parameter, direction first: the order of the whole stream depends on it.
    const auto up = random.nextBool();
    const auto fraction = random.nextFloat();

    const auto newValue = up ? value + fraction * ((range.end - value) * amount)
                             : value - fraction * ((value - range.start) * amount);

    setParameterNotifyingHost (parameter, range.convertTo0to1 (newValue), !hostIsLive);
}
} // namespace velk
