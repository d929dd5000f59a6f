#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <utility>
#include <vector>

namespace velk
{
/** Normalised values for some of the parameter store's parameters. */
using ParameterValues = std::vector<std::pair<juce::RangedAudioParameter*, float>>;

/** How the threads that share the plug-in's state take turns: the host's threads (prepare,
    release, the state chunk), the message thread (preset loads, undo, the editor) and the audio
    thread.

    - The audio thread takes no lock and never waits. It reads the parameters' values, which are
      atomics, and runs the modules; suspended processing is what keeps it out of them.
    - The modules' memories are sized (a prepare) and silenced (a load) only inside
      changeMemories(), or inside writeState() while a Suspension lives: processing suspended and
      the state lock held, so a host preparing on a thread of its own never meets a load.
    - A whole state (a chunk, a preset, an undo step) is written and read only under the state
      lock. The parameters take the written values quietly, and a reader sees all of one state,
      never half of two.
    - No lock of ours is held while the plug-in calls the host. The written values are announced
      (to the host, the store's listeners and the editor's controls) once the lock is free, so a
      host that holds a mutex of its own while it calls in, and takes it again in its callbacks,
      never waits for us while we wait for it.
    - The store's own tree and the undo history belong to the message thread; a host thread
      never touches them.
*/
class StateGuard
{
public:
    StateGuard (juce::AudioProcessor& processor, juce::AudioProcessorValueTreeState& store);

    //==============================================================================
    /** Keeps blocks out of the modules while it lives. Suspensions count, so a prepare on a
        host's thread and a load on the message thread may overlap: blocks come back with the
        last one's end.
    */
    class Suspension
    {
    public:
        explicit Suspension (StateGuard& guard);
        ~Suspension();

    private:
        StateGuard& guard;

        JUCE_DECLARE_NON_COPYABLE (Suspension)
    };

    /** Sizes or silences the modules' memories: processing suspended, the state lock held. */
    void changeMemories (const std::function<void()>& change);

    //==============================================================================
    /** Puts a whole state in place: every parameter takes the value of the tree's child whose
        "id" names it, its default where there is none; the rest of the tree is kept, to be read
        back with the state. alsoUnderLock changes what belongs with the state (the MIDI map, the
        preset's name, the memories under a Suspension) before anyone can read it. The changed
        values are announced before this returns.
    */
    void writeState (const juce::ValueTree& state, const std::function<void()>& alsoUnderLock = {});

    /** Sets these parameters as one change, announced as writeState() announces. */
    void writeValues (const ParameterValues& values);

    /** The whole state as a tree: what the last writeState() kept, each parameter's child (made
        where there was none) holding its present value. alsoReadUnderLock reads what belongs
        with the state, so that the two match.
    */
    juce::ValueTree readState (const std::function<void()>& alsoReadUnderLock = {}) const;

    /** The present values of these parameters. */
    static ParameterValues currentValues (const juce::Array<juce::RangedAudioParameter*>& parameters);

    /** The property of a parameter's child that holds its value, as the store names it. */
    static const juce::Identifier valueProperty;
    static const juce::Identifier idProperty;

private:
    //==============================================================================
    /** Under the state lock: sets the values without telling anyone; the parameters changed. */
    static juce::Array<juce::RangedAudioParameter*> setQuietly (const ParameterValues& values);
    static void announce (const juce::Array<juce::RangedAudioParameter*>& parameters);

    ParameterValues valuesOf (const juce::ValueTree& state) const;

    void suspend();
    void resume();

    juce::AudioProcessor& processor;
    juce::AudioProcessorValueTreeState& valueTreeState;

    juce::CriticalSection stateLock;
    juce::ValueTree keptState;

    juce::CriticalSection suspensionLock;
    int suspensions = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StateGuard)
};
} // namespace velk
