#include "processor/CurrentPreset.h"

namespace velk
{
juce::String CurrentPreset::getName() const
{
    return name;
}

juce::String CurrentPreset::getFilePath() const
{
    return filePath;
}

void CurrentPreset::setFile (const juce::File& presetFile)
{
    name = presetFile.getFileNameWithoutExtension();
    filePath = presetFile.getFullPathName();
}

void CurrentPreset::setName (const juce::String& newName)
{
    name = newName;
}
} // namespace velk
