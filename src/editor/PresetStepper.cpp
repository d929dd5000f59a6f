#include "editor/PresetStepper.h"

#include "processor/PresetsManager.h"

namespace velk
{
juce::Array<juce::File> PresetStepper::listPresetFiles (const juce::File& folder)
{
    juce::Array<juce::File> files;

    if (!folder.isDirectory())
        return files;

    const auto pattern = juce::String ("*.") + PresetsManager::presetFileExtension;

    for (const auto& entry : juce::RangedDirectoryIterator (folder, false, pattern, juce::File::findFiles))
        files.add (entry.getFile());

    // Names equal but for letter case keep a fixed order between them too.
    std::sort (files.begin(), files.end(), [] (const juce::File& a, const juce::File& b)
               {
                   const auto byName = a.getFileNameWithoutExtension().compareNatural (b.getFileNameWithoutExtension());
                   return byName != 0 ? byName < 0 : a.getFileName() < b.getFileName(); });
    return files;
}

juce::Array<juce::File> PresetStepper::filesToTry (const juce::File& currentFile, const juce::String& currentName, int direction)
{
    const auto hasCurrentFile = currentFile.existsAsFile();
    const auto files = listPresetFiles (hasCurrentFile ? currentFile.getParentDirectory()
                                                       : juce::File (PresetsManager::presetsFolderPath));
    const auto numFiles = files.size();
    auto current = -1;

    if (hasCurrentFile)
        for (int i = 0; i < numFiles && current < 0; ++i)
            if (files.getReference (i).getFileNameWithoutExtension() == currentName)
                current = i;

    const auto wrapped = [numFiles] (int index)
    { return ((index % numFiles) + numFiles) % numFiles; };
    const auto first = current < 0 ? 0 : current + direction;
    const auto count = current < 0 ? numFiles : numFiles - 1;

    juce::Array<juce::File> order;

    for (int k = 0; k < count; ++k)
        order.add (files.getReference (wrapped (first + k * direction)));

    return order;
}
} // namespace velk
