#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <atomic>
#include <memory>
#include <vector>

namespace velk
{
/** The modulation depth of every property of the "ModsBuffer" tree, measured on the audio
    thread into atomics and copied into the tree on the message thread, so that the tree (and
    whoever listens to it) is only ever touched off the audio thread.
*/
class TargetDepthReadout
{
public:
    /** Construction: one slot per property of `readoutTree`, in property order, each tied to
        the target of the same name (or to none).
    */
    void setTargets (const juce::ValueTree& readoutTree, const juce::StringArray& targetNames);

    /** Audio thread: stores depthOf (targetIndex) for every slot tied to a target, 0 for the others. */
    template <typename DepthOf>
    void measure (DepthOf&& depthOf) noexcept
    {
        for (size_t slot = 0; slot < targets.size(); ++slot)
            depths[slot].store (targets[slot] < 0 ? 0.0f : depthOf (targets[slot]), std::memory_order_relaxed);
    }

    /** Message thread: writes each slot into the property of the same position as a double;
        the tree tells its listeners only about values that changed.
    */
    void publishTo (juce::ValueTree& readoutTree) const;

    float getDepth (int slot) const noexcept { return depths[(size_t) slot].load (std::memory_order_relaxed); }

private:
    std::vector<int> targets;
    std::unique_ptr<std::atomic<float>[]> depths;
};
} // namespace velk
