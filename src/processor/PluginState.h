#pragma once

#include "processor/CCMapper.h"
#include "processor/CurrentPreset.h"
#include "processor/StateGuard.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace velk
{
/** The state chunk that hosts keep with their projects: the parameter tree, then the MIDI map
    and a "Preset_Metadata" element with the preset's name, as one line of XML in the
    framework's binary wrapper (StateChunk).

    Hosts save and restore from whatever thread they like: the three parts are read and written
    together as one state, under the state guard's lock, never while another thread puts a state
    in place.
*/
class PluginState
{
public:
    static const juce::String presetNameXmlTag;
    static const juce::String presetNameXmlAttribute;

    /** The root element's tag: the parameter tree's type. */
    static const juce::String stateTreeType;

    PluginState (StateGuard& guard, CCMapper& ccMapper, CurrentPreset& currentPreset);

    /** Replaces the block's content with the chunk. */
    void write (juce::MemoryBlock& destData) const;

    /** Restores the map, the preset name and the parameters from a chunk; anything that cannot
        be read changes nothing. Whether the chunk was read.
    */
    bool read (const void* data, int sizeInBytes);

private:
    StateGuard& guard;
    CCMapper& ccMapper;
    CurrentPreset& current;
};
} // namespace velk
