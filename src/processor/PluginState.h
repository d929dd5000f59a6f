#pragma once

#include "processor/CCMapper.h"
#include "processor/CurrentPreset.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace velk
{
/** The state chunk that hosts keep with their projects: the parameter tree, then the MIDI map
    and a "Preset_Metadata" element with the preset's name, as one line of XML in the
    framework's binary wrapper (StateChunk).

    Hosts save and restore from whatever thread they like: each part is taken and put back
    through its owner's lock (the parameter store's, the map's, the preset name's), never read
    while the message thread changes it.
*/
class PluginState
{
public:
    static const juce::String presetNameXmlTag;
    static const juce::String presetNameXmlAttribute;

    /** The root element's tag: the parameter tree's type. */
    static const juce::String stateTreeType;

    PluginState (juce::AudioProcessorValueTreeState& store, CCMapper& ccMapper, CurrentPreset& currentPreset);

    /** Replaces the block's content with the chunk. */
    void write (juce::MemoryBlock& destData) const;

    /** Restores the map, the preset name and the parameters from a chunk; anything that cannot
        be read changes nothing.
    */
    void read (const void* data, int sizeInBytes);

private:
    juce::AudioProcessorValueTreeState& valueTreeState;
    CCMapper& ccMapper;
    CurrentPreset& current;
};
} // namespace velk
