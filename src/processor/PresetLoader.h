#pragma once

#include "processor/CCMapper.h"
#include "processor/CurrentPreset.h"
#include "processor/ProgramChangeRequest.h"
#include "processor/StateGuard.h"
#include "processor/UndoHistory.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

namespace velk
{
class ParameterLayout;
class SignalPath;

/** The one road by which a preset file replaces the sound while the plug-in runs: the start-up
    preset, a MIDI program change's preset and every load the user makes. Message thread only.
*/
class PresetLoader
{
public:
    /** The factory preset that starts the plug-in when the user has saved no default. */
    static constexpr const char* factoryPresetName = "Simple_Delay_BPF";

    /** What a load does to the modules' memories: silence them, or let the sound ring on (for
        the file that holds the very state just saved).
    */
    enum class ModuleMemories
    {
        clear,
        keep
    };

    PresetLoader (StateGuard& guard, UndoHistory& history, juce::AudioProcessorValueTreeState& store,
                  SignalPath& signalPath, CCMapper& ccMapper, CurrentPreset& currentPreset,
                  ProgramChangeRequest& programChangeRequest);

    /** The parameters that construction sets to the top of their range before the start-up
        preset, in the order they are set and announced: chain 2's and chain 3's bypass
        switches, then chain 1's gain.
    */
    static std::array<juce::RangedAudioParameter*, 3> getStartUpParameters (const juce::AudioProcessorValueTreeState& store,
                                                                            const ParameterLayout& layout);

    /** Construction: bypasses chains 2 and 3 and opens chain 1's gain, then loads "User_Default"
        or, when that file is missing or does not load, the factory preset. When neither loads,
        the preset stays "INIT" with no path.
    */
    void loadStartUpPreset (const ParameterLayout& layout);

    /** Reads and parses the file here, then, with processing suspended, replaces the parameter
        state and (unless told to keep them) silences the memories of the chains, the filter and
        the DC blocker, and names the current preset after the file in the same write. Clears
        the undo history. A file that does not load changes nothing, and the failure says why
        in plain words for the user.
    */
    juce::Result load (const juce::File& file, ModuleMemories memories = ModuleMemories::clear);

    /** Takes the waiting program change and loads its preset as load() does, then puts the
        controllers that came with or after the program change back over the preset before
        processing resumes. A request that arrives meanwhile stays waiting for the next call.
        No request, no file for its program or a file that does not load: nothing changes.
    */
    void loadRequestedProgramChange();

    //==============================================================================
    /** Told by every load, on the message thread, once the preset's values are in place and
        before processing resumes.
    */
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void presetPutInPlace() = 0;
    };

    void addListener (Listener* listener) { listeners.add (listener); }
    void removeListener (Listener* listener) { listeners.remove (listener); }

private:
    juce::Result load (const juce::File& file, ModuleMemories memories, bool forProgramChange);

    StateGuard& guard;
    UndoHistory& history;
    juce::AudioProcessorValueTreeState& valueTreeState;
    SignalPath& signalPath;
    CCMapper& ccMapper;
    CurrentPreset& current;
    ProgramChangeRequest& request;
    juce::ListenerList<Listener> listeners;
};
} // namespace velk
