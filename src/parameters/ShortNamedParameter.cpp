#include "parameters/ShortNamedParameter.h"

#include <cmath>
#include <utility>

namespace velk
{
ShortNamedParameter::ShortNamedParameter (const juce::ParameterID& parameterID,
                                          const juce::String& parameterName,
                                          juce::NormalisableRange<float> valueRange,
                                          float defaultValue,
                                          const juce::AudioProcessorValueTreeStateParameterAttributes& attributes)
    : juce::RangedAudioParameter (parameterID, parameterName,
                                  attributes.getAudioParameterFloatAttributes().getAudioProcessorParameterWithIDAttributes()),
      valueKeeper (parameterID, parameterName, valueRange, defaultValue, attributes.getAudioParameterFloatAttributes()),
      shortName (makeShortName (parameterName)),
      unsnappedDefault (valueRange.convertTo0to1 (defaultValue)),
      discrete (attributes.getDiscrete()),
      boolean (attributes.getBoolean()),
      textCarriesUnit (attributes.getAudioParameterFloatAttributes().getStringFromValueFunction() != nullptr)
{
}

juce::String ShortNamedParameter::getName (int maximumStringLength) const
{
    if (name.length() <= maximumStringLength)
        return name;

    return shortName.substring (0, maximumStringLength);
}

const juce::NormalisableRange<float>& ShortNamedParameter::getNormalisableRange() const
{
    return valueKeeper.range;
}

float ShortNamedParameter::getValue() const
{
    return kept().getValue();
}

void ShortNamedParameter::setValue (float newValue)
{
    if (std::isfinite (newValue))
        kept().setValue (newValue);
}

juce::String ShortNamedParameter::getLabel() const
{
    if (textCarriesUnit && juce::PluginHostType::getPluginLoadedAs() == juce::AudioProcessor::wrapperType_VST)
        return {};

    return label;
}

float ShortNamedParameter::getDefaultValue() const
{
    return unsnappedDefault;
}

int ShortNamedParameter::getNumSteps() const
{
    return juce::RangedAudioParameter::getNumSteps();
}

bool ShortNamedParameter::isDiscrete() const
{
    return discrete;
}

bool ShortNamedParameter::isBoolean() const
{
    return boolean;
}

juce::String ShortNamedParameter::getText (float normalisedValue, int maximumStringLength) const
{
    return kept().getText (normalisedValue, maximumStringLength);
}

float ShortNamedParameter::getValueForText (const juce::String& text) const
{
    const auto value = kept().getValueForText (text);
    return std::isfinite (value) ? value : getValue();
}

juce::String ShortNamedParameter::makeShortName (const juce::String& fullName)
{
    static const std::pair<const char*, const char*> abbreviations[] = {
        { "Matrix_", "" },
        { "_Global_Scale", " Mod Scale" },
        { "_to_", ">" },
        { "Pitch_Shifter", "PS" },
    };

    auto abbreviated = fullName;

    for (const auto& [longForm, shortForm] : abbreviations)
        abbreviated = abbreviated.replace (longForm, shortForm);

    juce::String result;

    for (int i = 0; i < abbreviated.length(); ++i)
    {
        if (abbreviated[i] != '_')
            result << juce::String::charToString (abbreviated[i]);
        else if (!juce::CharacterFunctions::isDigit (abbreviated[i + 1]))
            result << " ";
    }

    return result;
}
} // namespace velk
