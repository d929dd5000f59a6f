#pragma once

#include "processor/StateGuard.h"

#include <atomic>
#include <functional>
#include <map>

namespace velk
{
/** What UNDO and REDO walk through: the changes the user makes in the editor, one step each. A
    gesture on a control is a step, and so is each action that sets many parameters at once (a
    paste, a randomizer button, initialising, the matrix reset).

    Nothing else enters it. Host automation, MIDI controllers and program changes move parameters
    without a step, so an UNDO after them takes back the user's last step and nothing of theirs.
    A preset load and a state restored by the host clear the history: the steps before them were
    made on a sound that is gone.

    Message thread only, but for clearBeforeNextUse().
*/
class UndoHistory
{
public:
    UndoHistory (juce::UndoManager& undoManager, StateGuard& guard, const juce::AudioProcessorValueTreeState& store);

    /** A gesture on the parameter's control begins: the step starts from the value now. */
    void beginGesture (juce::RangedAudioParameter& parameter);

    /** The gesture has ended: a step when it changed the value. A gesture that a clear of the
        history interrupted (a load, a program change, a restored state) is no step: its start
        belongs to a sound that is gone.
    */
    void endGesture (juce::RangedAudioParameter& parameter);

    /** Makes the change, which sets some of the parameters of these identifiers, as one step.
        Only those parameters enter it, so a controller or the host moving another one meanwhile
        stays out.
    */
    void perform (const juce::StringArray& parameterIDs, const std::function<void()>& change);

    void undo();
    void redo();
    void clear();

    /** Any thread: the history is cleared before it is next used. */
    void clearBeforeNextUse() noexcept { clearWanted.store (true); }

private:
    void addStep (ParameterValues before, ParameterValues after);
    void clearIfWanted();

    juce::UndoManager& undoManager;
    StateGuard& guard;
    const juce::AudioProcessorValueTreeState& valueTreeState;
    std::atomic<bool> clearWanted{ false };
    std::map<juce::RangedAudioParameter*, float> gestureStarts; // the value each gesture began at

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (UndoHistory)
};
} // namespace velk
