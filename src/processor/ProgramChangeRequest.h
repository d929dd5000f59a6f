#pragma once

#include <juce_core/juce_core.h>

#include <atomic>

namespace velk
{
/** A MIDI program change on its way from the audio thread to the message thread, where its
    preset is loaded, and the list of presets that program numbers select.
*/
class ProgramChangeRequest
{
public:
    /** Audio thread: a program change arrived. A request not yet taken is overwritten. */
    void post (int program) noexcept
    {
        pendingProgramNumber.store (program);
        pendingProgramChange.store (true);
    }

    /** Message thread: takes the waiting request and returns the file of its program, or an
        empty juce::File when no request waits or the list has no entry for it.
    */
    juce::File take();

    /** Whether a request waits that take() has not taken yet. */
    bool isWaiting() const noexcept { return pendingProgramChange.load(); }

    /** Set by post(), cleared by take(); the number is written before the flag. */
    std::atomic<bool> pendingProgramChange{ false };
    std::atomic<int> pendingProgramNumber{ 0 };

    /** The program-change presets' file names, program p choosing entry p. Message thread:
        assign a new scan after a preset was saved into the "MIDI" folder.
    */
    juce::StringArray midiPresetFileNames;
};
} // namespace velk
