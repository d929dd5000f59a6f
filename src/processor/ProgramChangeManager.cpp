#include "processor/ProgramChangeManager.h"

#include "processor/PresetsManager.h"

namespace velk
{
juce::File ProgramChangeManager::getMidiPresetsFolder()
{
    return juce::File (PresetsManager::presetsFolderPath).getChildFile (midiPresetsFolderName);
}

juce::StringArray ProgramChangeManager::scanMidiPresetsFolder()
{
    juce::StringArray names;
    const auto folder = getMidiPresetsFolder();

    if (!folder.isDirectory())
        return names;

    // A single, non-recursive pattern matches without regard to case here, as the desktop
    // file systems this layout comes from do.
    const auto pattern = juce::String ("*.") + PresetsManager::presetFileExtension;

    for (const auto& entry : juce::RangedDirectoryIterator (folder, false, pattern, juce::File::findFiles))
        names.add (entry.getFile().getFileName());

    // The directory's own order is arbitrary; program numbers must not depend on it.
    names.sortNatural();
    return names;
}

juce::File ProgramChangeManager::getPresetFileForMIDIProgramChange (const juce::StringArray& names, int programNumber)
{
    if (!juce::isPositiveAndBelow (programNumber, names.size()))
        return {};

    return getMidiPresetsFolder().getChildFile (names[programNumber]);
}
} // namespace velk
