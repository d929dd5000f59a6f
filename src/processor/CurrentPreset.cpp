#include "processor/CurrentPreset.h"

namespace velk
{
juce::String CurrentPreset::getName() const
{
    const juce::ScopedLock scopedLock (lock);
    return name;
}

juce::String CurrentPreset::getFilePath() const
{
    const juce::ScopedLock scopedLock (lock);
    return filePath;
}

void CurrentPreset::setFile (const juce::File& presetFile)
{
    auto newName = presetFile.getFileNameWithoutExtension();
    auto newPath = presetFile.getFullPathName();

    const juce::ScopedLock scopedLock (lock);
    name = std::move (newName);
    filePath = std::move (newPath);
}

void CurrentPreset::setName (const juce::String& newName)
{
    const juce::ScopedLock scopedLock (lock);
    name = newName;
}
} // namespace velk
