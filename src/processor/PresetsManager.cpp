#include "processor/PresetsManager.h"

#include "platform/UserFileLocations.h"
#include "processor/NumberReader.h"
#include "processor/XmlFileWriter.h"
#include "processor/XmlReader.h"

#include <cmath>

namespace velk
{
namespace
{
    // Keeps the declaration, an empty line and this line ahead of the root element, the layout
    // that preset files have always had.
    const juce::String presetDtd{ " " };

    // The property in which the parameter store keeps a parameter's value.
    const juce::Identifier parameterValueProperty{ "value" };

    // The text is read here once, by our reader: the store and the state guard then take the
    // number as it is and never parse the text with the framework's parser. The first of
    // repeated attributes counts, as the store would read it; every one is removed before the
    // number goes back, as text that spells the number equally would otherwise stay text.
    void readValues (juce::ValueTree tree)
    {
        if (tree.hasProperty (parameterValueProperty))
        {
            const auto value = NumberReader::readDouble (tree[parameterValueProperty]);

            while (tree.hasProperty (parameterValueProperty))
                tree.removeProperty (parameterValueProperty, nullptr);

            if (std::isfinite (value))
                tree.setProperty (parameterValueProperty, value, nullptr);
        }

        for (auto child : tree)
            readValues (child);
    }
} // namespace

const juce::String PresetsManager::presetsFolderPath = UserFileLocations::getPresetsFolder().getFullPathName();

//==============================================================================
juce::File PresetsManager::getPresetFile (const juce::String& presetName)
{
    return juce::File (presetsFolderPath).getChildFile (presetName).withFileExtension (presetFileExtension);
}

juce::File PresetsManager::getDefaultPresetFile()
{
    return getPresetFile (defaultPresetName);
}

//==============================================================================
juce::Result PresetsManager::savePreset (const juce::ValueTree& state, const juce::File& file)
{
    if (!state.isValid())
        return juce::Result::fail ("Invalid preset data supplied, failed to save preset.");

    if (writePreset (state, file).failed())
        return juce::Result::fail ("Could not write preset to file.");

    return juce::Result::ok();
}

juce::Result PresetsManager::writePreset (const juce::ValueTree& state, const juce::File& file)
{
    if (const auto xml = state.createXml())
        return XmlFileWriter::write (*xml, file, presetDtd);

    return juce::Result::fail ("there is no state to save");
}

juce::Result PresetsManager::loadPreset (const juce::File& file, juce::AudioProcessorValueTreeState& state)
{
    const auto tree = readPreset (file);

    if (!tree.isValid())
        return invalidPresetFile();

    state.replaceState (tree);
    return juce::Result::ok();
}

juce::ValueTree PresetsManager::readPreset (const juce::File& file)
{
    juce::String failure;
    return readPreset (file, failure);
}

juce::ValueTree PresetsManager::readPreset (const juce::File& file, juce::String& failure)
{
    const auto xml = XmlReader::parse (file, failure);
    return xml != nullptr ? createParameterTree (*xml) : juce::ValueTree();
}

juce::Result PresetsManager::invalidPresetFile()
{
    return juce::Result::fail ("Invalid preset file supplied, could not load preset.");
}

juce::ValueTree PresetsManager::createParameterTree (const juce::XmlElement& xml)
{
    auto tree = juce::ValueTree::fromXml (xml);
    readValues (tree);
    return tree;
}
} // namespace velk
