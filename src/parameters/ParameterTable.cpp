#include "parameters/ParameterTable.h"

#include "parameters/ParameterCreation.h"

namespace velk
{
std::vector<std::atomic<float>*> ParameterTable::createParameters (juce::AudioProcessorValueTreeState& store, const juce::String& moduleUid) const
{
    std::vector<std::atomic<float>*> rawValues;

    for (const auto& row : *this)
        rawValues.push_back (addFloatParameter (store, moduleUid + row.suffix, moduleUid + row.name,
                                                row.range.toNormalisableRange(), row.defaultValue, row.label, row.text));

    return rawValues;
}

juce::String ParameterTable::getParameterUID (const juce::String& moduleUid, int listPosition) const
{
    for (const auto& row : *this)
        if (row.listPosition == listPosition)
            return moduleUid + row.suffix;

    return {};
}

juce::StringArray ParameterTable::getModulationTargets (const juce::String& moduleUid) const
{
    return getIdentifiersInListOrder (moduleUid, [] (const ParameterSpec& row)
                                      { return row.modulationTarget; });
}

juce::StringArray ParameterTable::getRandomizedParameters (const juce::String& moduleUid) const
{
    return getIdentifiersInListOrder (moduleUid, [] (const ParameterSpec& row)
                                      { return row.randomized; });
}

template <typename Predicate>
juce::StringArray ParameterTable::getIdentifiersInListOrder (const juce::String& moduleUid, Predicate&& include) const
{
    juce::StringArray identifiers;

    for (int position = 0; position < count; ++position)
        for (const auto& row : *this)
            if (row.listPosition == position && include (row))
                identifiers.add (moduleUid + row.suffix);

    return identifiers;
}

std::atomic<float>* addSwitch (juce::AudioProcessorValueTreeState& store, const juce::String& identifier,
                               const juce::String& displayName, bool onByDefault)
{
    return addFloatParameter (store, identifier, displayName, switchRange.toNormalisableRange(),
                              onByDefault ? 1.0f : 0.0f, {}, nullptr);
}
} // namespace velk
