#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** The name (the file name without extension) and the full path of the preset the user last
    loaded or saved. The state chunk carries the name; the path stays with the instance.

    Any thread but the audio thread: the message thread names presets it loads and saves while
    the host saves or restores the state chunk from a thread of its own.
*/
class CurrentPreset
{
public:
    static constexpr const char* initialName = "INIT";

    juce::String getName() const;
    juce::String getFilePath() const;

    /** Names the preset of this file. */
    void setFile (const juce::File& presetFile);

    /** A name without a file: what a restored state chunk carries. The path stays. */
    void setName (const juce::String& newName);

private:
    juce::CriticalSection lock;
    juce::String name{ initialName };
    juce::String filePath;
};
} // namespace velk
