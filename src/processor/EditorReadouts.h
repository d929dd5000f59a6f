#pragma once

#include "modulation/ModulationsManager.h"
#include "processor/ScopeRing.h"
#include "processor/TargetDepthReadout.h"

#include <juce_data_structures/juce_data_structures.h>

namespace velk
{
/** What the editor shows of the audio thread's work: each modulation target's summed matrix
    depth and the oscilloscope's last values. The audio thread measures into atomics; the
    message thread copies them into the tree and the array that the editor reads.
*/
class EditorReadouts
{
public:
    /** One property per target, in target order, each 0.0. */
    explicit EditorReadouts (const juce::StringArray& targetNames);

    /** Audio thread, after the matrix refresh of the block. */
    void measure (const ModulationsManager& modulations) noexcept;

    /** Message thread: copies the last measured depths and the scope's values. */
    void publish (const ScopeRing& scope);

    /** "ModsBuffer": per target identifier, its summed depth in [0, 1] as a double. */
    const juce::ValueTree& getModsBuffer() const noexcept { return modsBuffer; }

    /** The scope's values, newest first (ScopeRing::numValues of them). */
    const juce::Array<float>& getScopeBuffer() const noexcept { return scopeBuffer; }

private:
    juce::ValueTree modsBuffer{ "ModsBuffer" };
    juce::Array<float> scopeBuffer;
    TargetDepthReadout depths;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorReadouts)
};
} // namespace velk
